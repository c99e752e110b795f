// The main window: layout arithmetic, start-up, pointer rule and closing.
#include "app/Layout.h"
#include "app/Translations.h"
#include "app/WindowHelpers.h"
#include "core/Site.h"
#include "app/Twips.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "support/Fixture.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QToolTip>
#include <QSettings>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

// A pointer image where the window looks for one.
void writePointerImage(const QString &appFolder)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(appFolder + QStringLiteral("/HAND-M.CUR"), "cur"));
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void layoutArithmetic_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("hasColumn");
        QTest::addColumn<int>("listWidth");
        QTest::addColumn<int>("listHeight");
        QTest::addColumn<int>("frameTop");
        QTest::addColumn<int>("progressTop");
        QTest::addColumn<int>("columnWidth"); // -1: no column step

        QTest::newRow("creation size") << 8565 << 7440 << true << 8205 << 3840 << 5540 << 6410 << 7705;
        QTest::newRow("10000 wide") << 10000 << 7440 << true << 9640 << 3840 << 5540 << 6410 << 9140;
        QTest::newRow("3600 high: list closes") << 10000 << 3600 << true << 9640 << 0 << 1700 << 2570 << 9140;
        QTest::newRow("3000 high: list grows again") << 10000 << 3000 << true << 9640 << 600 << 1100 << 1970 << 9140;
        QTest::newRow("before the column exists") << 10000 << 7440 << false << 9640 << 3840 << 5540 << 6410 << -1;
    }

    void layoutArithmetic()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, hasColumn);
        const auto layout = computeLayout(width, height, false, hasColumn);
        QVERIFY(layout);
        QCOMPARE(layout->listTop, 1660);
        QTEST(layout->listWidth, "listWidth");
        QTEST(layout->listHeight, "listHeight");
        QTEST(layout->frameTop, "frameTop");
        QCOMPARE(layout->frameWidth, layout->listWidth);
        QTEST(layout->progressTop, "progressTop");
        QCOMPARE(layout->progressWidth, layout->listWidth);
        QTEST(layout->columnWidth.value_or(-1), "columnWidth");
    }

    void minimisedWindowKeepsItsControls()
    {
        QVERIFY(!computeLayout(10000, 7440, true, true));

        FormFixture fixture;
        Form1 &form = fixture.load();
        form.resize(twipsToPixels(10000), twipsToPixels(7440));
        const QRect before = form.ListView1->geometry();
        form.showMinimized();
        form.resize(twipsToPixels(6000), twipsToPixels(5000));
        if (form.isMinimized())
            QCOMPARE(form.ListView1->geometry(), before);
    }

    void resizePlacesControlsInTwips()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        form.resize(twipsToPixels(10000), twipsToPixels(7440));
        // The rule works on the outer size, frame included.
        const int width = int(pixelsToTwips(form.frameGeometry().width()));
        const int height = int(pixelsToTwips(form.frameGeometry().height()));
        const int px120 = twipsToPixels(120);
        QCOMPARE(form.ListView1->geometry(), QRect(px120, twipsToPixels(1660), twipsToPixels(width - 360),
                                                   twipsToPixels(height - 3600)));
        QCOMPARE(form.Frame1->geometry(),
                 QRect(px120, twipsToPixels(height - 1900), twipsToPixels(width - 360), twipsToPixels(735)));
        QCOMPARE(form.ProgressBar1->geometry(),
                 QRect(px120, twipsToPixels(height - 1030), twipsToPixels(width - 360), twipsToPixels(405)));
        QCOMPARE(form.ListView1->columnWidth(0), twipsToPixels(width - 860));
        // Check1 keeps its place inside the frame whatever the size.
        QCOMPARE(form.Check1->geometry(), QRect(16, 20, 425, 17));
    }

    // Start-up places the window before it has a frame. Once shown with one,
    // it is centred by its outer size and laid out from that size, with no
    // resize needed.
    void firstShowingUsesTheRealFrame()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect outer = form.frameGeometry();
        if (outer.size() == form.geometry().size())
            QSKIP("This platform gives windows no frame.");

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);
        const auto layout = computeLayout(int(pixelsToTwips(outer.width())),
                                          int(pixelsToTwips(outer.height())), false, true);
        QCOMPARE(form.ListView1->height(), twipsToPixels(layout->listHeight));
        QCOMPARE(form.Frame1->y(), twipsToPixels(layout->frameTop));
        QCOMPARE(form.ProgressBar1->y(), twipsToPixels(layout->progressTop));
    }

    // However small the user makes it, the window keeps the option's caption
    // whole, the four buttons on the toolbar and three rows of the list.
    void smallestWindowKeepsControlsWhole_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"en", "de", "fr", "es", "it", "pt_BR"})
            QTest::newRow(language) << language;
    }

    void smallestWindowKeepsControlsWhole()
    {
        QFETCH(QString, language);
        FormFixture fixture;
        const Translations translations(QLocale(language).uiLanguages(), fixture.appFolder);
        Form1 &form = fixture.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(1, 1);
        QApplication::processEvents();

        QVERIFY(form.Check1->geometry().right() < form.Frame1->width());
        QVERIFY2(form.Check1->sizeHint().width() <= form.Check1->width(), qPrintable(form.Check1->text()));
        auto *toolbar = form.findChild<QToolBar *>();
        for (QAction *action : toolbar->actions())
            QVERIFY2(toolbar->widgetForAction(action)->isVisible(), qPrintable(action->text()));
        QVERIFY(!toolbar->findChild<QToolButton *>("qt_toolbar_ext_button")->isVisible());
        QVERIFY(form.ListView1->viewport()->height() >= 3 * form.ListView1->fontMetrics().height());
    }

    // The header's text is far longer than its column: it ends in "…" and
    // fits, and it is whole once the column is wide enough.
    void headerTextIsElidedAtTheEnd_data()
    {
        QTest::addColumn<int>("columnWidth");
        QTest::addColumn<bool>("whole");
        QTest::newRow("creation size") << 0 << false;
        QTest::newRow("narrow") << 120 << false;
        QTest::newRow("wide") << 2000 << true;
    }

    void headerTextIsElidedAtTheEnd()
    {
        QFETCH(int, columnWidth);
        QFETCH(bool, whole);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        if (columnWidth > 0)
            form.ListView1->setColumnWidth(0, columnWidth);
        auto *header = qobject_cast<ElidingHeader *>(form.ListView1->header());
        QVERIFY(header);
        const QString full = fileListOf(form)->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString shown = header->shownText(0);
        if (whole) {
            QCOMPARE(shown, full);
        } else {
            QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
            QVERIFY(full.startsWith(shown.chopped(1)));
            QVERIFY(header->fontMetrics().horizontalAdvance(shown) <= header->sectionSize(0));
        }
    }

    void startUpSetsCaptionColumnAndNoDialog()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        QCOMPARE(form.windowTitle(), QStringLiteral("Corvanta"));
        QCOMPARE(fileListOf(form)->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("PDF Files - Drag and drop files here. Drag files up and down to change "
                                "order. Double-click item to remove it."));
        QCOMPARE(form.ListView1->toolTip(),
                 QStringLiteral("Drag and drop files here. Drag files up and down to change order. "
                                "Double-click item to remove it."));
        QCOMPARE(fileListOf(form)->count(), 0);
        QCOMPARE(shownPointer(form), MousePointer::Default);
        QVERIFY(fixture.dialogs.asked.isEmpty());
        QVERIFY(fixture.shell.opened.isEmpty());
    }

    // One tooltip over the whole list; only a path that the column cuts
    // off follows it, whole.
    void listTooltip_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("row"); // -1: the empty space below the items
        QTest::addColumn<bool>("pathShown");
        QTest::newRow("over an item") << "/docs/a.pdf" << 0 << false;
        QTest::newRow("over empty space") << "/docs/a.pdf" << -1 << false;
        QTest::newRow("over an item cut off") << "/docs/" + QString(200, 'x') + ".pdf" << 0 << true;
    }

    void listTooltip()
    {
        QFETCH(QString, path);
        QFETCH(int, row);
        QFETCH(bool, pathShown);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        fileListOf(form)->append(path);
        QApplication::processEvents();
        const QPoint at = row < 0 ? QPoint(10, form.ListView1->viewport()->height() - 5)
                                  : form.ListView1->visualRect(fileListOf(form)->index(row, 0)).center();
        QHelpEvent help(QEvent::ToolTip, at, form.ListView1->viewport()->mapToGlobal(at));
        QApplication::sendEvent(form.ListView1->viewport(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), form.ListView1->toolTip() + (pathShown ? '\n' + path : QString()));
        QToolTip::hideText();
    }

    void homePageReminderOnlyOnSeven_data()
    {
        QTest::addColumn<int>("draw");
        QTest::addColumn<bool>("opens");
        QTest::newRow("1") << 1 << false;
        QTest::newRow("7") << 7 << true;
        QTest::newRow("100") << 100 << false;
    }

    void homePageReminderOnlyOnSeven()
    {
        QFETCH(int, draw);
        FormFixture fixture;
        fixture.reminderDraw = draw;
        fixture.load();
        QFETCH(bool, opens);
        QCOMPARE(fixture.shell.opened,
                 opens ? QStringList{QLatin1String(site::kHomePage)} : QStringList{});
    }

    void pointerImageIsLoadedButNeverSelected()
    {
        FormFixture fixture;
        writePointerImage(fixture.appFolder);
        Form1 &form = fixture.load();
        QCOMPARE(shownPointer(form), MousePointer::Default);
        form.setMousePointer(MousePointer::Custom);
        QCOMPARE(form.cursor().shape(), Qt::BitmapCursor);

        // An unreadable pointer image is skipped quietly.
        QFile broken(fixture.appFolder + QStringLiteral("/HAND-M.CUR"));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not an image");
        broken.close();
        Form1 &again = fixture.load();
        again.setMousePointer(MousePointer::Custom);
        QCOMPARE(shownPointer(again), MousePointer::Default);
    }

    void progressBarIsRedrawnAtMostOnceAFrame()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        int redrawn = 0;
        connect(form.ProgressBar1, &QProgressBar::valueChanged, this, [&] { ++redrawn; });
        QElapsedTimer elapsed;
        elapsed.start();
        for (int i = 1; i <= 100000; ++i)
            form.setProgressValue(i / 1000.0);
        const qint64 frames = elapsed.elapsed() / Form1::kProgressFrameMilliseconds + 1;
        QVERIFY2(redrawn <= frames, qPrintable(QString::number(redrawn)));
        // The bar comes to rest on the last value, even with no more to come.
        QTRY_COMPARE(form.ProgressBar1->value(), 100 * Form1::kProgressScale);
    }

    void pointerRuleKeepsTheBusyPointer()
    {
        FormFixture fixture;
        // The custom pointer shows an image, so that the rule is seen to end it.
        writePointerImage(fixture.appFolder);
        Form1 &form = fixture.load();
        form.show();
        QWidget *surfaces[] = {form.centralWidget(), form.Frame1, form.ListView1->viewport()};
        for (QWidget *surface : surfaces) {
            form.setMousePointer(MousePointer::Busy);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), surface->mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(surface, &move);
            QCOMPARE(shownPointer(form), MousePointer::Busy);

            form.setMousePointer(MousePointer::Custom);
            QCOMPARE(shownPointer(form), MousePointer::Custom);
            QApplication::sendEvent(surface, &move);
            QCOMPARE(shownPointer(form), MousePointer::Default);
        }
    }

    void closingStoresPlacementOnlyInNormalState()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        form.setGeometry(80, 60, 600, 533);
        QVERIFY(form.close());
        QCOMPARE(fixture.programEnded, 1);
        QSettings stored(fixture.settingsFile, QSettings::IniFormat);
        const QRect outer = form.frameGeometry();
        QCOMPARE(stored.value("Corvanta/Left").toString(), QString::number(outer.x() * 15));
        QCOMPARE(stored.value("Corvanta/Top").toString(), QString::number(outer.y() * 15));
        QCOMPARE(stored.value("Corvanta/Width").toString(), QString::number(outer.width() * 15));
        QCOMPARE(stored.value("Corvanta/Height").toString(), QString::number(outer.height() * 15));

        // A maximised close leaves the earlier placement alone.
        Form1 &again = fixture.load();
        again.showMaximized();
        QVERIFY(again.isMaximized());
        QVERIFY(again.close());
        QSettings after(fixture.settingsFile, QSettings::IniFormat);
        QCOMPARE(after.value("Corvanta/Left").toString(), QString::number(outer.x() * 15));
        QCOMPARE(after.value("Corvanta/Width").toString(), QString::number(outer.width() * 15));
    }
};

CORVANTA_TEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
