// What the window and its dialogs look like on the screen: judged on the
// pixels that each installed style paints.
#include "app/QtSeams.h"
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
#include <QScreen>
#include <QTextLayout>
#include <QTimer>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

// WCAG's relative luminance and contrast ratio, written out here so that the
// judgement does not lean on the program's own arithmetic.
double luminance(QRgb pixel)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
            ++counts[image.pixel(x, y) | 0xff000000];
    Painted painted;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            painted.background = it.key();
        }
    }
    painted.text = painted.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (contrast(it.key(), painted.background) > painted.ratio())
            painted.text = it.key();
    return painted;
}

// A widget's pixels at the screen's own scale, once any animation of the
// style (a hover fading in) has come to rest.
QImage settledGrab(QWidget *widget)
{
    QImage before = widget->grab().toImage();
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(25);
        QImage now = widget->grab().toImage();
        if (now == before)
            break;
        before = now;
    }
    before.setDevicePixelRatio(1);
    return before.convertToFormat(QImage::Format_RGB32);
}

// A rectangle in logical pixels, in the grab's device pixels.
QRect scaled(const QRect &logical, const QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    return QRect(QPoint(int(logical.left() * ratio), int(logical.top() * ratio)),
                 QSize(int(logical.width() * ratio), int(logical.height() * ratio)));
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
    const QColor base = dark ? QColor(0x2a, 0x2a, 0x2a) : QColor(Qt::black);
    const QColor text = dark ? QColor(0xee, 0xee, 0xec) : QColor(Qt::white);
    const QColor highlight = dark ? QColor(0x3d, 0xae, 0xe9) : QColor(Qt::yellow);
    QPalette palette(text, dark ? QColor(0x3c, 0x3c, 0x3c) : QColor(Qt::black), window.lighter(150), window.darker(150),
                     window.lighter(120), text, text, base, window);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, dark ? QColor(Qt::white) : QColor(Qt::black));
    palette.setColor(QPalette::AlternateBase, base.lighter(120));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, text.darker(180));
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

void putInState(QWidget *widget, State state)
{
    switch (state) {
    case State::Normal:
        break;
    case State::Hover:
        QTest::mouseMove(widget, widget->rect().center());
        break;
    case State::Pressed:
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setDown(true);
        break;
    case State::Focus:
        // As the Tab key gives it: styles show the focus only then.
        widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        widget->setFocus(Qt::TabFocusReason);
        break;
    case State::Ticked:
        if (auto *check = qobject_cast<QCheckBox *>(widget))
            check->setChecked(true);
        break;
    }
}

void leaveState(QWidget *widget, State state)
{
    if (state == State::Pressed)
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setDown(false);
    if (state == State::Hover)
        QTest::mouseMove(widget->window(), QPoint(2, widget->window()->height() - 2));
}

// Where each caption on the window's white is drawn, in the widget's own
// logical coordinates.
QRect checkBoxCaption(const QCheckBox *check)
{
    QStyleOptionButton option;
    option.initFrom(check);
    option.text = check->text();
    const QRect contents = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    const int advance = check->fontMetrics().horizontalAdvance(check->text());
    return QRect(contents.left(), contents.top(), std::min(contents.width(), advance + 4), contents.height());
}

QRect checkBoxIndicator(const QCheckBox *check)
{
    QStyleOptionButton option;
    option.initFrom(check);
    option.text = check->text();
    return check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
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
struct TestScreen
{
    const char *name;
    int width;
    int height;
};
constexpr TestScreen kScreens[] = {{"screen 1, 1280x800", 1280, 800},
                                   {"screen 2, 1280x800 at scale 2", 640, 400},
                                   {"screen 3, 1024x600 at scale 2", 512, 300}};

QByteArray screensConfiguration()
{
    QByteArray screens;
    int left = 0;
    for (const TestScreen &screen : kScreens) {
        screens += QStringLiteral("%1{\"name\": \"%2\", \"x\": %3, \"y\": 0, \"width\": %4, \"height\": %5, "
                                  "\"logicalDpi\": 96}")
                       .arg(screens.isEmpty() ? "" : ", ")
                       .arg(QLatin1String(screen.name))
                       .arg(left)
                       .arg(screen.width)
                       .arg(screen.height)
                       .toUtf8();
        left += screen.width;
    }
    return "{\"screens\": [" + screens + "]}";
}

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

        struct Caption
        {
            QString name;
            QWidget *widget;
            QRect area;
        };
        QList<Caption> captions;
        captions.append({QStringLiteral("check box"), form.Check1, checkBoxCaption(form.Check1)});
        if (state == State::Normal)
            captions.append({QStringLiteral("frame title"), form.Frame1, groupBoxTitle(form.Frame1)});
        auto *toolbar = form.findChild<QToolBar *>();
        for (QAction *action : toolbar->actions()) {
            auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(action));
            if (button)
                captions.append({button->text(), button, toolButtonCaption(button)});
        }
        for (QAction *action : form.menuBar()->actions())
            captions.append({action->text(), form.menuBar(), form.menuBar()->actionGeometry(action)});

        QStringList unreadable;
        for (const Caption &caption : captions) {
            if (state == State::Ticked && caption.widget != form.Check1)
                continue;
            if (state == State::Pressed && !qobject_cast<QToolButton *>(caption.widget))
                continue;
            QWidget *target = caption.widget;
            QRect area = caption.area;
            if (caption.widget == form.menuBar() && state == State::Hover) {
                QTest::mouseMove(form.menuBar(), area.center());
            } else if (caption.widget == form.menuBar() && state != State::Normal) {
                continue;
            } else {
                putInState(target, state);
            }
            // The whole window, as it is on the screen: a control grabbed alone
            // would be painted on its own palette's colour, not on the white.
            const QImage pixels = settledGrab(&form);
            const QRect onWindow(target->mapTo(&form, area.topLeft()), area.size());
            const Painted painted = paintedIn(pixels, scaled(onWindow, target));
            leaveState(target, state);
            if (painted.ratio() < 4.5)
                unreadable << caption.name + QStringLiteral(": ") + painted.describe();
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
    }

    // An empty box is as light inside as the white around it, whatever the
    // style; a ticked one shows its mark at 3:1 or better against that.
    void uncheckedBoxLooksEmpty_data() { looks(); }

    void uncheckedBoxLooksEmpty()
    {
        SHOW_FORM_IN_LOOK(form);
        const QRect box = checkBoxIndicator(form.Check1);
        // The inner half of the box, clear of its outline.
        const QRect inside(form.Check1->mapTo(&form, box.topLeft() + QPoint(box.width() / 4, box.height() / 4)),
                           box.size() / 2);
        const QRect whole(form.Check1->mapTo(&form, box.topLeft()), box.size());
        const QRgb white = qRgb(255, 255, 255);

        form.Check1->setChecked(false);
        const Painted empty = paintedIn(settledGrab(&form), scaled(inside, &form));
        QVERIFY2(contrast(empty.background, white) < 1.5, qPrintable(QColor(empty.background).name()));

        form.Check1->setChecked(true);
        const QImage ticked = settledGrab(&form);
        double mark = 1;
        const QRect pixels = scaled(whole, &form);
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x)
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
        const QPoint origin = header->mapTo(&form, QPoint());
        const int section = header->sectionSize(0);
        const Painted caption = paintedIn(pixels, scaled(QRect(origin, QSize(section, header->height())), &form));
        const QRect beyond(origin + QPoint(section + 2, 2), QSize(header->width() - section - 4, header->height() - 4));
        QVERIFY(beyond.width() > 4);
        const Painted rest = paintedIn(pixels, scaled(beyond, &form));
        QVERIFY2(contrast(rest.background, caption.background) < 1.5,
                 qPrintable(QStringLiteral("%1 beside %2").arg(QColor(rest.background).name(), QColor(caption.background).name())));
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
        const auto where = [](const QRect &r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        QVERIFY2(area.contains(shown), qPrintable(where(shown) + QStringLiteral(" on ") + where(area)));
        QVERIFY(!buttons.isEmpty());
        for (const QRect &button : buttons)
            QVERIFY2(area.contains(button), qPrintable(where(button)));
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
        if (file.open(QIODevice::WriteOnly) && file.write(screensConfiguration()) > 0) {
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
