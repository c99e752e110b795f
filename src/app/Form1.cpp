#include "app/Form1.h"

#include "app/AccessibleProgress.h"
#include "app/Layout.h"
#include "app/Twips.h"
#include "app/WindowHelpers.h"
#include "commands/Icons.h"
#include "core/Files.h"
#include "core/Site.h"
#include "core/Text.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace corvanta {

namespace {

QString listHint()
{
    return Text::tr("Drag and drop files here. Drag files up and down to change order. Double-click item to "
                    "remove it.");
}

// Anything but 0, 1 or 2 in the store counts as unchecked.
Qt::CheckState checkStateFromStored(const QString &stored)
{
    switch (stored.toInt()) {
    case int(PasswordOption::Checked):
        return Qt::Checked;
    case int(PasswordOption::Greyed):
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QFont boldFont(const QString &family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace

Form1::Form1(Services services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_settings(m_services.settingsFile)
    , m_busy([this](bool underWay) { setMousePointer(underWay ? MousePointer::Busy : MousePointer::Default); })
    , m_joiner(*this, m_services.joinEnvironment)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(boldFont(QStringLiteral("Arial"), 9));
    resize(twipsToPixels(8565), twipsToPixels(7440));

    // The controls sit at fixed client-area positions, as the layout rule
    // places them, above an empty central surface.
    auto *surface = new QWidget(this);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    setCentralWidget(surface);

    const QFont controlFont = boldFont(QStringLiteral("Calibri"), 11.25);
    createOption(controlFont);
    createList(controlFont);
    createProgressBar(controlFont);
    for (QWidget *control :
         {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(ListView1), static_cast<QWidget *>(ProgressBar1)})
        control->raise();

    // The list comes first for the keyboard, then the option it is joined
    // with, then the toolbar's buttons.
    setTabOrder(ListView1, Check1);
    ListView1->setFocus();
    describeForScreenReaders();
}

void Form1::createOption(const QFont &font)
{
    // The font comes before the caption, which would otherwise be measured
    // in the window's font first: one font less to look up at start-up.
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(font);
    Frame1->setTitle(Text::tr("Option"));
    placeTwips(Frame1, 120, 3510, 6840, 735);
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);

    Check1 = new QCheckBox(Text::tr("Prompt for password because PDF files are password protected"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(font);
    placeTwips(Check1, 240, 300, 6375, 255);
    // Some styles draw a taller box than the line it is placed on, and a
    // clipped box reads as something else: it gets its height, centred on
    // the line.
    const int needed = Check1->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, Check1);
    if (needed > Check1->height())
        Check1->setGeometry(Check1->x(), Check1->y() - (needed - Check1->height()) / 2, Check1->width(), needed);
    connect(Check1, &QCheckBox::stateChanged, this, [this] { Check1_Click(); });
    // A box restored greyed shows greyed, but clicking only ever gives 0 and 1.
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1->setTristate(false); });
}

void Form1::createList(const QFont &font)
{
    m_fileList = new FileListModel(this);
    ListView1 = new FileListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setFont(font);
    ListView1->setToolTip(listHint());
    ListView1->setFileList(m_fileList);
    placeTwips(ListView1, 120, 855, 5415, 2535);
    connect(ListView1, &FileListView::itemDoubleClicked, this, [this] { ListView1_DblClick(); });
    connect(ListView1, &FileListView::keyPressed, this, [this](int key) { ListView1_KeyDown(key); });
    connect(ListView1, &FileListView::mouseMoved, this, [this] { ListView1_MouseMove(); });
    ListView1->acceptsExternalDrop = [this](const QMimeData *data) { return ListView1_OLEDragOver(data); };
    ListView1->externalDrop = [this](const QMimeData *data) { ListView1_OLEDragDrop(data); };
    KeptChecks &kept = m_joiner.keptChecks();
    connect(m_fileList, &FileListModel::pathsAdded, this, [&kept](const QStringList &paths) { kept.listed(paths); });
    connect(m_fileList, &FileListModel::pathsRemoved, this,
            [&kept](const QStringList &paths) { kept.unlisted(paths); });
    connect(m_fileList, &FileListModel::cleared, this, [&kept] { kept.unlistAll(); });
}

void Form1::createProgressBar(const QFont &font)
{
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFont(font);
    ProgressBar1->setRange(0, 100 * kProgressScale);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    m_progressLater.setSingleShot(true);
    connect(&m_progressLater, &QTimer::timeout, this, [this] { showProgress(); });
    placeTwips(ProgressBar1, 120, 6555, 6360, 405);
}

void Form1::describeForScreenReaders()
{
    ListView1->setAccessibleName(Text::tr("Files to join"));
    ListView1->setAccessibleDescription(
        Text::tr("The PDF files to join, in order from top to bottom. Delete removes the current file; "
                 "Ctrl+Up and Ctrl+Down move the selected files."));
    Check1->setAccessibleDescription(Text::tr("When ticked, Corvanta asks for each file's password before joining."));
    reportProgressInPercent(ProgressBar1, kProgressScale);
    ProgressBar1->setAccessibleName(Text::tr("Join progress"));
    ProgressBar1->setAccessibleDescription(Text::tr("How far the running join has got"));
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    ApplySkin(m_services.appFolder, this, {Frame1, Check1});
    FitOnScreen(this);
    CenterOnScreen(this);
    setWindowTitle(QStringLiteral("Corvanta"));

    const QString pointerImage = m_services.appFolder + QStringLiteral("/HAND-M.CUR");
    // A pipe or a device under that name would hold the start for ever.
    if (FileExists(pointerImage) && isRegularFileOrAbsent(pointerImage)) {
        const QPixmap image(pointerImage);
        if (!image.isNull())
            m_mouseIcon = QCursor(image);
    }

    HomePageReminder();

    m_fileList->addColumn(Text::tr("PDF Files - %1").arg(listHint()));

    Check1->setCheckState(checkStateFromStored(m_settings.read(QStringLiteral("Check1"), QStringLiteral("0"))));

    CreateToolbar();
    CreateMenu();
    suitSurface(controlsOnTheSurface(), palette().color(backgroundRole()));
    // The list is drawn in the palette's own colours, which go together; only
    // the window's surface keeps the design's white. Without this the space
    // right of the list's header would show that white.
    QPalette listColours = ListView1->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        listColours.setColor(group, QPalette::Window, QApplication::palette().color(group, QPalette::Window));
    ListView1->setPalette(listColours);
}

// What is painted straight on the window's own colour, whatever the desktop's
// palette and style: the bars, the toolbar's buttons, the option's frame and box.
QList<QWidget *> Form1::controlsOnTheSurface() const
{
    QList<QWidget *> controls{menuBar(), Frame1, Check1};
    if (auto *toolbar = findChild<QToolBar *>()) {
        controls << toolbar;
        // The buttons and the one that shows the buttons a narrow window hides.
        for (QToolButton *button : toolbar->findChildren<QToolButton *>())
            controls << button;
    }
    return controls;
}

// What the first sight of the window can do without waits until it is on
// the screen: start-up then does nothing else first.
void Form1::windowShown()
{
    setWindowIcon(applicationIcon(kLargestWindowIcon));
    keepControlsWhole();
    // What a join of a program killed outright left on the Desktop.
    m_joiner.removeLeftovers();
    m_joiner.keptChecks().resume();
}

QSize Form1::smallestWholeSize() const
{
    // The option's frame (the window's width less 360 twips) holds its check
    // box at 240 with as much room again to its right; the toolbar shows its
    // four buttons; the list (the height less 3600) its header and three rows.
    constexpr int kFrameHoldsCheckBox = 360 + 240 + 6375 + 240;
    constexpr int kListHidden = 3600;
    constexpr int kRows = 3;
    const auto *toolbar = findChild<QToolBar *>();
    const int width = std::max(twipsToPixels(kFrameHoldsCheckBox), toolbar ? toolbar->sizeHint().width() : 0);
    const int rows = ListView1->header()->sizeHint().height() + kRows * (ListView1->fontMetrics().height() + 4)
        + 2 * ListView1->frameWidth();
    return {width, twipsToPixels(kListHidden) + rows};
}

// A window made smaller would cut the option's caption, send buttons into
// the toolbar's overflow and close the list.
void Form1::keepControlsWhole()
{
    const QSize before = size();
    setMinimumSize(smallestWholeSize());
    FitOnScreen(this);
    if (size() != before)
        CenterOnScreen(this);
}

void Form1::HomePageReminder()
{
    if (m_services.reminderDraw && m_services.reminderDraw() == 7)
        OpenWithShell(*m_services.shell, QLatin1String(site::kHomePage));
}

void Form1::Form_Resize()
{
    const QRect outer = frameGeometry();
    const auto layout = computeLayout(int(pixelsToTwips(outer.width())), int(pixelsToTwips(outer.height())),
                                      isMinimized(), m_fileList->hasColumn());
    if (!layout)
        return;
    placeTwips(ListView1, 120, layout->listTop, layout->listWidth, layout->listHeight);
    placeTwips(Frame1, 120, layout->frameTop, layout->frameWidth, 735);
    placeTwips(ProgressBar1, 120, layout->progressTop, layout->progressWidth, 405);
    if (layout->columnWidth)
        ListView1->setColumnWidth(0, twipsToPixels(*layout->columnWidth));
}

void Form1::applyPointerRule()
{
    if (m_mousePointer != MousePointer::Busy)
        setMousePointer(MousePointer::Default);
}

void Form1::Form_MouseMove()
{
    applyPointerRule();
}

void Form1::Frame1_MouseMove()
{
    applyPointerRule();
}

void Form1::ListView1_MouseMove()
{
    applyPointerRule();
}

void Form1::setMousePointer(MousePointer pointer)
{
    m_mousePointer = pointer;
    if (pointer == MousePointer::Busy)
        setCursor(Qt::WaitCursor);
    else if (pointer == MousePointer::Custom && m_mouseIcon)
        setCursor(*m_mouseIcon);
    else
        unsetCursor();
}

void Form1::Check1_Click()
{
    m_settings.write(QStringLiteral("Check1"), QString::number(int(passwordOption())));
}

PasswordOption Form1::passwordOption() const
{
    switch (Check1->checkState()) {
    case Qt::Checked:
        return PasswordOption::Checked;
    case Qt::PartiallyChecked:
        return PasswordOption::Greyed;
    case Qt::Unchecked:
        break;
    }
    return PasswordOption::Unchecked;
}

void Form1::Form_Unload(int &cancel)
{
    cancel = 0;
    SaveWindowPlacement(m_settings, this);
    m_closing = true;
    m_joiner.stop();
    // Hiding, unlike close(), does not come back here through closeEvent.
    hide();
    if (m_services.endProgram)
        m_services.endProgram();
}

void Form1::removeCurrentItem()
{
    const int row = ListView1->currentRow();
    if (row < 0 || row >= m_fileList->count())
        return;
    m_fileList->removeRowsAt({row});
    // The item that took its place becomes current (the last one when the
    // last was removed), so that Delete pressed again goes on down the list;
    // the list itself would have made the item above current. The selection
    // stays as it is.
    const int next = std::min(row, m_fileList->count() - 1);
    if (next >= 0)
        ListView1->selectionModel()->setCurrentIndex(m_fileList->index(next, 0), QItemSelectionModel::NoUpdate);
}

void Form1::ListView1_DblClick()
{
    removeCurrentItem();
}

void Form1::ListView1_KeyDown(int key)
{
    if (key == Qt::Key_Delete)
        removeCurrentItem();
}

void Form1::ClearList()
{
    m_fileList->clear();
}

void Form1::ClearSelected()
{
    m_fileList->removeRowsAt(ListView1->selectedRowNumbers());
}

void Form1::setProgressValue(double percent)
{
    m_progressPercent = percent;
    const qint64 sinceShown = m_progressShown.isValid() ? m_progressShown.elapsed() : kProgressFrameMilliseconds;
    if (sinceShown >= kProgressFrameMilliseconds)
        showProgress();
    else if (!m_progressLater.isActive())
        m_progressLater.start(int(kProgressFrameMilliseconds - sinceShown));
}

void Form1::showProgress()
{
    m_progressLater.stop();
    m_progressShown.start();
    ProgressBar1->setValue(int(std::lround(m_progressPercent * kProgressScale)));
}

QStringList Form1::listedPaths() const
{
    return m_fileList->paths();
}

EventTurns Form1::eventTurns(KeepGoing keepGoing)
{
    return EventTurns(m_services.eventTurnInterval,
                      [this, keepGoing = std::move(keepGoing)] { return !m_closing && goesOn(keepGoing); });
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
    adoptRealFrame();
}

void Form1::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    adoptRealFrame();
}

void Form1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    adoptRealFrame();
}

// Start-up centres the window and lays it out before it is shown, when it has
// no frame yet: it would open half a title bar low, and its controls would
// jump at the first resize. The window manager tells the frame only after
// the window is shown (at once, or later with a move or a resize), so both
// are done again then, once. Without a window manager no frame ever comes,
// and nothing changes.
void Form1::adoptRealFrame()
{
    if (m_frameAdopted || !isVisible() || frameGeometry().size() == geometry().size())
        return;
    m_frameAdopted = true;
    if (windowStateCode(this) == 0) {
        FitOnScreen(this);
        CenterOnScreen(this);
    }
    Form_Resize();
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form1::closeEvent(QCloseEvent *event)
{
    int cancel = 0;
    Form_Unload(cancel);
    event->accept();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == Frame1)
            Frame1_MouseMove();
        else if (watched == centralWidget())
            Form_MouseMove();
    } else if (event->type() == QEvent::Paint && watched == centralWidget() && !m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] { windowShown(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace corvanta
