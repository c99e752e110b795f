// What the window and its dialogs look like on the screen: judged on the
// pixels that each installed style paints.
#include "app/QtSeams.h"
#include "app/WindowHelpers.h"
#include "filelist/FileListView.h"
#include "join/JoinChecks.h"
#include "join/JoinMessages.h"
#include "support/Fixture.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

double contrast(QRgb a, QRgb b)
{
    return contrastRatio(QColor(a), QColor(b));
}

// What a patch of painted pixels shows: its most common colour is the
// background, and the one that stands out most against it is the text.
struct Painted
{
    QRgb background = 0;
    QRgb text = 0;
    double ratio() const { return contrast(background, text); }
    QString describe() const
    {
        return QStringLiteral("%1 on %2, %3:1")
            .arg(QColor(text).name(), QColor(background).name())
            .arg(ratio(), 0, 'f', 2);
    }
};

Painted paintedIn(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QList<QRgb> colours = counts.keys();
    Painted painted;
    painted.background = *std::max_element(colours.begin(), colours.end(),
                                            [&](QRgb a, QRgb b) { return counts[a] < counts[b]; });
    painted.text = *std::max_element(colours.begin(), colours.end(), [&](QRgb a, QRgb b) {
        return contrast(a, painted.background) < contrast(b, painted.background);
    });
    return painted;
}

// The window's pixels as they are on the screen (a control grabbed alone
// would be painted on its own palette's colour, not on the white), once any
// animation of the style (a hover fading in) has come to rest.
QImage settledGrab(QWidget *window)
{
    QImage before = window->grab().toImage();
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(25);
        const QImage now = window->grab().toImage();
        if (now == before)
            break;
        before = now;
    }
    return before.convertToFormat(QImage::Format_RGB32);
}

// A rectangle of `widget`, in the coordinates of its window.
QRect onWindow(const QWidget *widget, const QRect &area)
{
    return QRect(widget->mapTo(widget->window(), area.topLeft()), area.size());
}

// The styles to judge: every one installed, and the ones Debian's desktops
// bring, which the test packages install. A missing one is named as skipped.
QStringList stylesToJudge()
{
    QStringList styles = QStyleFactory::keys();
    for (const char *expected : {"Fusion", "Windows", "Adwaita", "Adwaita-Dark", "Adwaita-HighContrast",
                                 "Adwaita-HighContrastInverse"}) {
        if (!styles.contains(QLatin1String(expected), Qt::CaseInsensitive))
            styles << QLatin1String(expected);
    }
    return styles;
}

enum class State { Normal, Hover, Pressed, Focus, Ticked };

// The desktop's colours: the style's own, or a scheme that a desktop's
// settings give every program (a dark one, a high-contrast one).
enum class Scheme { StylesOwn, Dark, HighContrast };

QPalette schemePalette(Scheme scheme)
{
    const bool dark = scheme == Scheme::Dark;
    const QColor window = dark ? QColor(0x35, 0x35, 0x35) : QColor(Qt::black);
    const QColor text = dark ? QColor(0xee, 0xee, 0xec) : QColor(Qt::white);
    QPalette palette(text, dark ? QColor(0x3c, 0x3c, 0x3c) : window, window.lighter(150), window.darker(150),
                     window.lighter(120), text, text, dark ? QColor(0x2a, 0x2a, 0x2a) : window, window);
    palette.setColor(QPalette::Highlight, dark ? QColor(0x3d, 0xae, 0xe9) : QColor(Qt::yellow));
    palette.setColor(QPalette::HighlightedText, dark ? QColor(Qt::white) : QColor(Qt::black));
    return palette;
}

// The application runs in `style` and `scheme` for as long as it lives.
class LookInUse
{
public:
    LookInUse(const QString &style, Scheme scheme)
        : m_before(QApplication::style()->name())
    {
        m_installed = QStyleFactory::keys().contains(style, Qt::CaseInsensitive);
        if (!m_installed)
            return;
        QApplication::setStyle(QStyleFactory::create(style));
        if (scheme != Scheme::StylesOwn)
            QApplication::setPalette(schemePalette(scheme));
    }
    ~LookInUse()
    {
        // An empty palette gives the style's own back.
        QApplication::setPalette(QPalette());
        QApplication::setStyle(QStyleFactory::create(m_before));
    }
    bool installed() const { return m_installed; }

private:
    QString m_before;
    bool m_installed = false;
};

// Puts the widget in the state, at `point` of it, until the guard returned
// is gone.
auto inState(QWidget *widget, State state, const QPoint &point)
{
    auto *button = qobject_cast<QAbstractButton *>(widget);
    switch (state) {
    case State::Normal:
        break;
    case State::Hover:
        QTest::mouseMove(widget, point);
        break;
    case State::Pressed:
        button->setDown(true);
        break;
    case State::Focus:
        // As the Tab key gives it: styles show the focus only then.
        widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        widget->setFocus(Qt::TabFocusReason);
        break;
    case State::Ticked:
        button->setChecked(true);
        break;
    }
    return qScopeGuard([=] {
        if (state == State::Pressed || state == State::Ticked) {
            button->setDown(false);
            button->setChecked(false);
        }
        if (state == State::Hover)
            QTest::mouseMove(widget->window(), QPoint(2, widget->window()->height() - 2));
    });
}

// Where each part on the window's white is drawn, in the widget's own
// coordinates: a check box's box, its caption (as far as its text goes).
QRect checkBoxPart(const QCheckBox *check, QStyle::SubElement part)
{
    QStyleOptionButton option;
    option.initFrom(check);
    option.text = check->text();
    const QRect area = check->style()->subElementRect(part, &option, check);
    if (part == QStyle::SE_CheckBoxIndicator)
        return area;
    return area.adjusted(0, 0, std::min(0, check->fontMetrics().horizontalAdvance(check->text()) + 4 - area.width()), 0);
}

QRect groupBoxTitle(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

// A caption under an icon: centred across the button, on its lowest rows
// but for the panel's edge.
QRect toolButtonCaption(const QToolButton *button)
{
    const int advance = button->fontMetrics().horizontalAdvance(button->text());
    const int height = button->fontMetrics().height();
    return QRect((button->width() - advance) / 2, button->height() - height - 4, advance, height);
}

// The screens the tests run on, in logical pixels: a laptop's, and at a scale
// of 2 the same one and a netbook's. The offscreen platform makes them from
// a file named when the application starts, and orders them by name: the
// first is the primary screen, where the window opens.
constexpr char kScreens[] = R"({"screens": [
    {"name": "screen 1, 1280x800", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96},
    {"name": "screen 2, 1280x800 at scale 2", "x": 1280, "y": 0, "width": 640, "height": 400, "logicalDpi": 96},
    {"name": "screen 3, 1024x600 at scale 2", "x": 1920, "y": 0, "width": 512, "height": 300, "logicalDpi": 96}]})";

QScreen *testScreen(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

// A path of about `length` characters, in folders of ordinary names.
QString longPath(int length)
{
    QString path = QStringLiteral("/home/someone/Documents");
    const char *folders[] = {"Quarterly reports", "Finance and accounts", "scanned-letters_2024", "Old office"};
    for (int i = 0; path.size() < length - 12; ++i)
        path += QLatin1Char('/') + QLatin1String(folders[i % 4]);
    return path.left(length - 4) + QStringLiteral(".pdf");
}

enum class DialogKind { Prompt, Warning, Question };

// The widest line of a text wrapped at word boundaries within `width`, as a
// label wraps it: wider than `width` where a word does not fit.
qreal widestWrappedLine(const QString &text, const QFont &font, int width)
{
    qreal widest = 0;
    for (const QString &paragraph : QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
    }
    return widest;
}

} // namespace

// The window, shown in the row's style and scheme; a style that is not
// installed skips the row, and says which.
#define SHOW_FORM_IN_LOOK(form)                                                                                  \
    QFETCH(QString, style);                                                                                      \
    QFETCH(Scheme, scheme);                                                                                      \
    const LookInUse look(style, scheme);                                                                         \
    if (!look.installed())                                                                                       \
        QSKIP(qPrintable(QStringLiteral("The style %1 is not installed (Debian: adwaita-qt6).").arg(style)));    \
    FormFixture fixture;                                                                                         \
    Form1 &form = fixture.load();                                                                                \
    form.show();                                                                                                 \
    QVERIFY(QTest::qWaitForWindowActive(&form))

class OnScreenTest : public QObject
{
    Q_OBJECT

    // Rows of every style in every scheme, and in each of the states given.
    static void looks(const QList<std::pair<State, const char *>> &states = {{State::Normal, ""}})
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<Scheme>("scheme");
        QTest::addColumn<State>("state");
        const std::pair<Scheme, const char *> schemes[] = {
            {Scheme::StylesOwn, "own colours"}, {Scheme::Dark, "dark"}, {Scheme::HighContrast, "high contrast"}};
        for (const QString &style : stylesToJudge())
            for (const auto &[scheme, schemeName] : schemes)
                for (const auto &[state, stateName] : states)
                    QTest::addRow("%s, %s%s", qPrintable(style), schemeName, stateName) << style << scheme << state;
    }

private slots:
    // Every caption on the window's white reads at 4.5:1 or better, as
    // the style paints it, under the mouse, pressed, with the focus, ticked.
    void captionsReadOnTheWhite_data()
    {
        looks({{State::Normal, ", normal"},
               {State::Hover, ", hover"},
               {State::Pressed, ", pressed"},
               {State::Focus, ", focus"},
               {State::Ticked, ", ticked"}});
    }

    void captionsReadOnTheWhite()
    {
        QFETCH(State, state);
        SHOW_FORM_IN_LOOK(form);
        // Each caption in the states it can be in.
        struct Caption
        {
            QString name;
            QWidget *widget;
            QRect area;
            QList<State> states;
        };
        const QList<State> all{State::Normal, State::Hover, State::Pressed, State::Focus};
        QList<Caption> captions{
            {QStringLiteral("check box"), form.Check1, checkBoxPart(form.Check1, QStyle::SE_CheckBoxContents),
             {State::Normal, State::Hover, State::Focus, State::Ticked}},
            {QStringLiteral("frame title"), form.Frame1, groupBoxTitle(form.Frame1), {State::Normal}}};
        auto *toolbar = form.findChild<QToolBar *>();
        for (QAction *action : toolbar->actions()) {
            if (auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(action)))
                captions.append({button->text(), button, toolButtonCaption(button), all});
        }
        for (QAction *action : form.menuBar()->actions())
            captions.append({action->text(), form.menuBar(), form.menuBar()->actionGeometry(action), {State::Normal}});

        QStringList unreadable;
        for (const Caption &caption : captions) {
            if (!caption.states.contains(state))
                continue;
            const auto leave = inState(caption.widget, state, caption.area.center());
            const Painted painted = paintedIn(settledGrab(&form), onWindow(caption.widget, caption.area));
            if (painted.ratio() < 4.5)
                unreadable << caption.name + QStringLiteral(": ") + painted.describe();
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
    }

    // An empty box is whole, and as light inside as the white around it,
    // whatever the style; a ticked one shows its mark at 3:1 or better
    // against that.
    void uncheckedBoxLooksEmpty_data() { looks(); }

    void uncheckedBoxLooksEmpty()
    {
        SHOW_FORM_IN_LOOK(form);
        const QRect own = checkBoxPart(form.Check1, QStyle::SE_CheckBoxIndicator);
        QVERIFY2(form.Check1->rect().contains(own), qPrintable(QStringLiteral("box %1 px high, check box %2 px")
                                                                    .arg(own.height())
                                                                    .arg(form.Check1->height())));
        const QRect box = onWindow(form.Check1, own);
        // The inner half of the box, clear of its outline.
        const QRect inside(box.topLeft() + QPoint(box.width() / 4, box.height() / 4), box.size() / 2);
        const Painted empty = paintedIn(settledGrab(&form), inside);
        QVERIFY2(contrast(empty.background, qRgb(255, 255, 255)) < 1.5, qPrintable(QColor(empty.background).name()));

        form.Check1->setChecked(true);
        const QImage ticked = settledGrab(&form);
        double mark = 1;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                mark = std::max(mark, contrast(ticked.pixel(x, y), empty.background));
        QVERIFY2(mark >= 3, qPrintable(QString::number(mark)));
    }

    // The list keeps the palette's and the style's own colours: the space
    // right of its header's one section is the header's, not the window's
    // white. (How the header's text is drawn is the style's own: some dim it.)
    void listHeaderInThePalettesColours_data() { looks(); }

    void listHeaderInThePalettesColours()
    {
        SHOW_FORM_IN_LOOK(form);
        QHeaderView *header = form.ListView1->header();
        const QImage pixels = settledGrab(&form);
        const int section = header->sectionSize(0);
        const Painted caption = paintedIn(pixels, onWindow(header, QRect(0, 0, section, header->height())));
        const QRect beyond(section + 2, 2, header->width() - section - 4, header->height() - 4);
        QVERIFY(beyond.width() > 4);
        const Painted rest = paintedIn(pixels, onWindow(header, beyond));
        QVERIFY2(contrast(rest.background, caption.background) < 1.5,
                 qPrintable(QColor(rest.background).name() + " beside " + QColor(caption.background).name()));
    }

    // Every dialog fits the screen's available area, its buttons included:
    // long paths wrap, their texts unchanged.
    void dialogsFitTheScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<DialogKind>("kind");
        QTest::addColumn<QString>("text");
        const QString sample = QStringLiteral("/usr/lib/corvanta/Samples/Sample 4 - Protected (password 1234).pdf");
        QList<RefusedFile> refused;
        const auto refusedFile = [](const QString &path, PdfProblem problem) {
            RefusedFile file;
            file.path = path;
            file.check.problem = problem;
            return file;
        };
        for (int i = 0; i < 3; ++i)
            refused.append(refusedFile(longPath(120 + i), PdfProblem::NotPdf));
        refused.append(refusedFile(sample, PdfProblem::NeedsPassword));
        // As many as a warning names, and more.
        QList<RefusedFile> many = refused;
        for (int i = 0; i < 12; ++i)
            many.append(refusedFile(longPath(150 + i), PdfProblem::Damaged));
        const QString desktop = longPath(150).section(QLatin1Char('/'), 0, -2) + QStringLiteral("//joined.pdf");
        const QString oneLongName = QStringLiteral("/home/someone/") + QString(230, QLatin1Char('x')) + ".pdf";

        QTest::newRow("password prompt, a path of 190 characters")
            << "screen 1, 1280x800" << DialogKind::Prompt << passwordPrompt(longPath(190));
        QTest::newRow("password prompt, a name of 234 characters")
            << "screen 1, 1280x800" << DialogKind::Prompt << passwordPrompt(oneLongName);
        for (const char *screen : {"screen 2, 1280x800 at scale 2", "screen 3, 1024x600 at scale 2"}) {
            QTest::addRow("wrong password for the sample, %s", screen)
                << screen << DialogKind::Prompt << wrongPasswordPrompt(sample);
            QTest::addRow("password prompt, a path of 190 characters, %s", screen)
                << screen << DialogKind::Prompt << passwordPrompt(longPath(190));
            QTest::addRow("password prompt, a name of 74 characters, %s", screen)
                << screen << DialogKind::Prompt
                << passwordPrompt(QStringLiteral("/home/someone/") + QString(70, QLatin1Char('n')) + ".pdf");
            QTest::addRow("warning: files that cannot be used, %s", screen)
                << screen << DialogKind::Warning << refusedInputsMessage(refused);
            QTest::addRow("warning: more files than it names, %s", screen)
                << screen << DialogKind::Warning << refusedInputsMessage(many);
            QTest::addRow("question: open the joined file, %s", screen)
                << screen << DialogKind::Question << openJoinedFileQuestion(desktop);
        }
    }

    void dialogsFitTheScreen()
    {
        QFETCH(QString, screen);
        QFETCH(DialogKind, kind);
        QFETCH(QString, text);
        QScreen *target = testScreen(screen);
        if (!target)
            QSKIP("The test screens are made by the offscreen platform only (QT_QPA_PLATFORM=offscreen).");
        const QRect area = target->availableGeometry();
        QWidget owner;
        owner.setGeometry(QRect(area.topLeft() + QPoint(20, 20), QSize(200, 100)));
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QCOMPARE(owner.screen(), target);

        QRect shown;
        QList<QRect> buttons;
        QString shownText;
        bool textWhole = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            shown = dialog->frameGeometry();
            for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
                buttons << QRect(button->mapToGlobal(QPoint()), button->size());
            // The label with the most text is the dialog's text; the other one a
            // message box has is its icon.
            QLabel *label = nullptr;
            for (QLabel *each : dialog->findChildren<QLabel *>())
                if (!label || each->text().size() > label->text().size())
                    label = each;
            shownText = label->text();
            // Seen whole, lines that can be scrolled to included: every line
            // as it wraps fits the label's width, and every line its height.
            textWhole = label->height() >= label->heightForWidth(label->width())
                && widestWrappedLine(QString(shownText).replace(QStringLiteral("&&"), QStringLiteral("&")),
                                     label->font(), label->contentsRect().width())
                    <= label->contentsRect().width();
            dialog->reject();
        });
        QtDialogs dialogs;
        if (kind == DialogKind::Prompt)
            dialogs.inputBox(&owner, text, passwordPromptTitle(), true);
        else
            dialogs.message(&owner, text, kind == DialogKind::Warning ? MessageStyle::Warning : MessageStyle::YesNo,
                            QStringLiteral("Corvanta"));
        QVERIFY(area.contains(shown));
        QVERIFY(!buttons.isEmpty());
        for (const QRect &button : buttons)
            QVERIFY(area.contains(button));
        QVERIFY(textWhole);
        // The text is the one asked for: only invisible places to break a
        // line may come in, and a prompt's "&" is doubled, as its label needs.
        shownText.remove(QChar(0x200B));
        if (kind == DialogKind::Prompt)
            shownText.replace(QStringLiteral("&&"), QStringLiteral("&"));
        QCOMPARE(shownText, text);
    }
};

// Like the other tests' main, on the test screens.
int main(int argc, char *argv[])
{
    QTemporaryDir home;
    isolateHome(home.path());
    const QString screens = home.filePath(QStringLiteral("screens.json"));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile file(screens);
        if (file.open(QIODevice::WriteOnly) && file.write(kScreens) > 0) {
            file.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens));
        }
    }
    QApplication app(argc, argv);
    useRealPdftk();
    OnScreenTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_on_screen.moc"
