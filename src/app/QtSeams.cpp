#include "app/QtSeams.h"

#include "core/Files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QUrl>

#include <algorithm>

namespace corvanta {

namespace {

// The least width at which a dialog's title shows whole in the title bar.
// Window managers draw titles larger or bolder than the dialog's own text,
// beside an icon and three buttons.
int titleBarWidth(const QWidget &dialog, const QString &title)
{
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    constexpr int kIconAndButtons = 160;
    return QFontMetrics(titleFont).horizontalAdvance(title) * 5 / 4 + kIconAndButtons;
}

// What the window manager puts around a dialog: as much as it put around the
// owner's window, or Qt's own guess while that has no frame.
QMargins frameAround(const QWidget *owner)
{
    if (owner) {
        const QRect outer = owner->window()->frameGeometry();
        const QRect inner = owner->window()->geometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        if (!frame.isNull())
            return frame;
    }
    return {5, 35, 5, 5};
}

// Where the dialogs of `owner` may lie, frames included: its screen without
// the desktop's panels.
QRect dialogArea(const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The text as it wraps within `width`: where a run of it has nowhere to
// break (a file name longer than the line), invisible break opportunities
// (zero-width spaces) go between its characters. Paths already break after
// each separator. Nothing visible changes.
QString breakableWithin(const QString &text, const QFontMetrics &metrics, int width)
{
    QString breakable;
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    for (qsizetype end = lines.toNextBoundary(); end != -1; start = end, end = lines.toNextBoundary()) {
        const QString run = text.mid(start, end - start);
        if (metrics.horizontalAdvance(run) <= width) {
            breakable += run;
            continue;
        }
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, run);
        qsizetype from = 0;
        for (qsizetype to = characters.toNextBoundary(); to != -1; from = to, to = characters.toNextBoundary()) {
            breakable += run.mid(from, to - from);
            if (to < run.size())
                breakable += QChar(0x200B);
        }
    }
    return breakable;
}

// Moves a window that is being shown, frame and all, inside `area`, as near
// to where it was as it can be. Its frame may not be there yet, so the
// window itself is placed inside the frame it will get.
void keepInside(QWidget *window, const QRect &area, const QMargins &frame)
{
    const QRect outer = window->geometry().marginsAdded(frame);
    const int left = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() - outer.width() + 1));
    const int top = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() - outer.height() + 1));
    window->setGeometry(QRect(QPoint(left + frame.left(), top + frame.top()), window->size()));
}

// A message box that fits the owner's screen. Qt's box takes its size as it
// shows, from limits of its own that leave no room for a frame on a small
// screen and none at all for the height, and after it was placed: here it
// is made to fit, wider rather than taller, and placed inside the screen.
class OnScreenMessageBox : public QMessageBox
{
public:
    explicit OnScreenMessageBox(QWidget *owner)
        : QMessageBox(owner)
        , m_area(dialogArea(owner))
        , m_frame(frameAround(owner))
    {
    }

    // The room for the box itself, inside its frame.
    QRect room() const { return m_area.marginsRemoved(m_frame); }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        fit();
    }

    // Qt's box takes its size again whenever its layout changes.
    bool event(QEvent *event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest && isVisible())
            fit();
        return handled;
    }

private:
    void fit()
    {
        if (!m_area.isValid())
            return;
        const QRect room = this->room();
        auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        bool scrolls =
            label && label->parentWidget() && qobject_cast<QScrollArea *>(label->parentWidget()->parentWidget());
        if (label && (scrolls || width() > room.width() || height() > room.height())) {
            label->setWordWrap(true);
            // A text too tall for the screen takes fewer lines at its full width,
            // and scrolls if it is still too tall.
            const int wide = scrolls || height() > room.height() ? room.width() : std::min(width(), room.width());
            if (!scrolls && layout()->totalHeightForWidth(wide) > room.height())
                scrolls = scroll(label);
            setFixedSize(wide, scrolls ? room.height() : std::min(layout()->totalHeightForWidth(wide), room.height()));
        }
        keepInside(this, m_area, m_frame);
    }

    // Puts the text where the box's text was, in an area of its own that
    // scrolls up and down.
    bool scroll(QLabel *label)
    {
        auto *grid = qobject_cast<QGridLayout *>(layout());
        const int index = grid ? grid->indexOf(label) : -1;
        if (index < 0)
            return false;
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        grid->removeWidget(label);
        auto *area = new QScrollArea(this);
        area->setObjectName(QStringLiteral("textArea"));
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setWidgetResizable(true);
        area->setWidget(label);
        area->viewport()->setAutoFillBackground(false);
        grid->addWidget(area, row, column, rows, columns);
        return true;
    }

    QRect m_area;
    QMargins m_frame;
};

} // namespace

MessageAnswer QtDialogs::message(QWidget *owner, const QString &text, MessageStyle style, const QString &title)
{
    OnScreenMessageBox box(owner);
    if (owner)
        box.setScreen(owner->screen());
    box.setWindowTitle(title);
    // Paths and pdftk's words are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // A message box sizes itself to its text alone, so a short text left the
    // title cut to "C…" or not shown at all. Its layout's width is the one
    // thing that it keeps.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(titleBarWidth(box, title), box.room().width()), 0), grid->rowCount(), 0,
                      1, grid->columnCount());
    switch (style) {
    case MessageStyle::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageStyle::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MessageStyle::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // The text beside the icon, within the box's margins.
    int textRoom = box.room().width();
    if (box.layout())
        textRoom -= box.layout()->contentsMargins().left() + box.layout()->contentsMargins().right();
    if (auto *icon = box.findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
        textRoom -= icon->sizeHint().width() + box.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    box.setText(breakableWithin(text, box.fontMetrics(), textRoom));
    const int pressed = box.exec();
    if (!isQuestion(style))
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogs::inputBox(QWidget *owner, const QString &prompt, const QString &title, bool masked)
{
    QInputDialog dialog(owner);
    if (owner)
        dialog.setScreen(owner->screen());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // The dialog fits the owner's screen, its frame included: the prompt
    // wraps (a path after its separators) where one line would not fit.
    const QRect room = dialogArea(owner).marginsRemoved(frameAround(owner));
    auto *label = dialog.findChild<QLabel *>();
    if (room.isValid() && label) {
        const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
        const int textRoom = room.width() - margins.left() - margins.right();
        // No wider than before where it fits on one line, nor than a line
        // that reads well.
        const QFontMetrics metrics = label->fontMetrics();
        int natural = 0;
        for (const QString &line : prompt.split(QLatin1Char('\n')))
            natural = std::max(natural, metrics.horizontalAdvance(line));
        constexpr int kReadableCharacters = 80;
        label->setWordWrap(true);
        label->setMaximumWidth(textRoom);
        label->setMinimumWidth(std::min({natural, textRoom, metrics.averageCharWidth() * kReadableCharacters}));
        dialog.setMaximumSize(room.size());
        // The prompt holds a path, shown as it is: the dialog's label marks an
        // access key with "&" (it has the text field as its buddy), so each "&"
        // is doubled, and it is never read as markup.
        dialog.setLabelText(breakableWithin(prompt, metrics, textRoom).replace(QLatin1Char('&'), QStringLiteral("&&")));
    } else {
        dialog.setLabelText(QString(prompt).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setMinimumWidth(room.isValid() ? std::min(titleBarWidth(dialog, title), room.width())
                                          : titleBarWidth(dialog, title));
    // A screen reader is told the prompt with a plain line break: the
    // carriage return before it would otherwise be read out as a sign.
    const QString spoken = QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (label) {
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleName(spoken);
    }
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setAccessibleName(spoken);
    if (room.isValid()) {
        // Left to itself the dialog would take no more than two thirds of a
        // small screen, narrower than its text: a long name is cut off.
        const int width = std::clamp(dialog.sizeHint().width(), dialog.minimumWidth(), room.width());
        const int height = dialog.heightForWidth(width);
        dialog.resize(width, height > 0 ? std::min(height, room.height()) : dialog.sizeHint().height());
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QStringList QtDialogs::openFiles(QWidget *owner, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileNames(owner, title, QString(), filter);
}

QString QtDialogs::pickFolder(QWidget *owner, const QString &title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}

void DesktopShell::open(const QString &target)
{
    // Web addresses go to the browser as they are; anything else is a local path.
    const QUrl url(target);
    const bool isAddress = !url.scheme().isEmpty() && url.scheme().size() > 1;
    QDesktopServices::openUrl(isAddress ? url : QUrl::fromLocalFile(QDir::fromNativeSeparators(target)));
}

Services defaultServices()
{
    static QtDialogs dialogs;
    static DesktopShell shell;
    Services services;
    services.dialogs = &dialogs;
    services.shell = &shell;
    services.appFolder = applicationFolder(QCoreApplication::applicationDirPath());
    services.reminderDraw = [] { return int(QRandomGenerator::global()->bounded(1, 101)); };
    // Also ends a loop that a join is waiting in.
    services.endProgram = [] { QCoreApplication::exit(0); };
    return services;
}

} // namespace corvanta
