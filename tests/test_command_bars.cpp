// The toolbar, the menus and the dispatch of their commands.

#include "core/ErrorReport.h"
#include "core/Files.h"
#include "app/Settings.h"
#include "core/Site.h"
#include "commands/CommandTable.h"
#include "commands/Icons.h"
#include "commands/LinkCommands.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "support/Fixture.h"
#include "support/FolderTrees.h"
#include "support/PlatformFiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

const QString kSampleQuestion = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so that "
    "you can view them before working with them)?");

QToolBar *toolbarOf(Form1 &form)
{
    return form.findChild<QToolBar *>(QStringLiteral("Standard"));
}

QMenu *menuTitled(Form1 &form, const QString &title)
{
    for (QAction *action : form.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu<QMenu *>();
    }
    return nullptr;
}

// The bar an action belongs to, by its title as the user sees it.
QString barTitle(Form1 &form, QAction *action)
{
    if (toolbarOf(form)->actions().contains(action))
        return toolbarOf(form)->windowTitle();
    for (QAction *menuAction : form.menuBar()->actions()) {
        if (menuAction->menu<QMenu *>()->actions().contains(action))
            return menuAction->text();
    }
    return QString();
}

QStringList askedKinds(const FakeDialogs &dialogs)
{
    QStringList kinds;
    for (const auto &asked : dialogs.asked)
        kinds << asked.kind;
    return kinds;
}


// Chooses a command the way a user does: a click on its toolbar button, or a
// click on its entry in the opened menu. Both paths also fire the bars' own
// aggregate signals, so a second connection would show up as a second run.
void choose(Form1 &form, int id)
{
    QAction *action = form.findChild<QAction *>(commandObjectName(id));
    QVERIFY(action);
    if (QToolBar *toolbar = toolbarOf(form); toolbar->actions().contains(action)) {
        QWidget *button = toolbar->widgetForAction(action);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    for (QAction *menuAction : form.menuBar()->actions()) {
        QMenu *menu = menuAction->menu<QMenu *>();
        if (!menu->actions().contains(action))
            continue;
        menu->popup(form.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!menu->isVisible());
        return;
    }
    QFAIL("the action is on no bar");
}

} // namespace

class TestCommandBars : public QObject
{
    Q_OBJECT

private slots:
    void eachCommandHasOneAction_data();
    void eachCommandHasOneAction();
    void barsAsAWhole();
    void barsFitAboveTheList();

    void choosingACommandRunsItsProcedureOnce_data();
    void choosingACommandRunsItsProcedureOnce();
    void twinCommandsAgree_data();
    void twinCommandsAgree();
    void idsWithoutACommandDoNothing_data();
    void idsWithoutACommandDoNothing();

    void demoVideoTarget_data();
    void demoVideoTarget();
    void applicationIcon();

    void exitStoresThePlacementAndCloses();
};

void TestCommandBars::eachCommandHasOneAction_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("separatorAbove");
    // From the list, the keys that run the command: no command has a
    // shortcut, so Tab reaches the buttons and the menus go by access keys.
    // The two "&Clear" entries share their key: C picks the first, C again
    // the second, and Return runs the one picked.
    QTest::addColumn<QStringList>("keys");

    const QString toolbar = QStringLiteral("Standard");
    const QString file = QStringLiteral("&File");
    const QString help = QStringLiteral("&Help");
    struct Row
    {
        int id;
        const char *caption;
        QString bar;
        int position;
        bool separatorAbove;
        const char *keys;
    };
    const Row rows[] = {
        {1000, "Add Files", toolbar, 0, false, "Tab Tab Space"},
        {1001, "Add Folder", toolbar, 1, false, "Tab Tab Tab Space"},
        {1003, "Clear List", toolbar, 2, false, "Tab Tab Tab Tab Space"},
        {1002, "Start Joining", toolbar, 3, false, "Tab Tab Tab Tab Tab Space"},
        {2000, "&Add Files", file, 0, false, "Alt+F A"},
        {2001, "Add &Folder", file, 1, false, "Alt+F F"},
        {2002, "&Clear Selected Files", file, 2, true, "Alt+F C Return"},
        {2003, "&Clear All Files", file, 3, false, "Alt+F C C Return"},
        {2004, "&Exit", file, 4, true, "Alt+F E"},
        {2008, "&Load Sample/Example Files To Test With", help, 0, false, "Alt+H L"},
        {2010, "Quillmoor &FAQ", help, 1, false, "Alt+H F"},
        {2009, "&Watch Old Demo Video", help, 2, false, "Alt+H W"},
        {2007, "&Additional Help", help, 3, false, "Alt+H A"},
        {2011, "&Go To Quillmoor.example For More Apps", help, 4, false, "Alt+H G"},
    };
    for (const Row &row : rows) {
        QTest::addRow("%d", row.id) << row.id << QString::fromUtf8(row.caption) << row.bar << row.position
                                    << row.separatorAbove << QString::fromUtf8(row.keys).split(' ');
    }
}

void TestCommandBars::eachCommandHasOneAction()
{
    QFETCH(int, id);
    QFETCH(QString, caption);
    QFETCH(QString, bar);
    QFETCH(int, position);
    QFETCH(bool, separatorAbove);
    QFETCH(QStringList, keys);

    FormFixture fixture;
    Form1 &form = fixture.load();

    const auto actions = form.findChildren<QAction *>(commandObjectName(id));
    QCOMPARE(actions.size(), 1);
    QAction *action = actions.first();
    QCOMPARE(action->data().toInt(), id);
    QCOMPARE(action->text(), caption);
    QCOMPARE(barTitle(form, action), bar);

    QWidget *owner = bar == QLatin1String("Standard") ? static_cast<QWidget *>(toolbarOf(form))
                                                     : menuTitled(form, bar);
    const auto inBar = owner->actions();
    QList<QAction *> commands;
    for (QAction *entry : inBar) {
        if (!entry->isSeparator())
            commands << entry;
    }
    QCOMPARE(commands.indexOf(action), position);
    const int index = int(inBar.indexOf(action));
    QCOMPARE(index > 0 && inBar.at(index - 1)->isSeparator(), separatorAbove);

    // Never disabled, hidden or checkable, and no key of its own.
    QVERIFY(action->isEnabled());
    QVERIFY(action->isVisible());
    QVERIFY(!action->isCheckable());
    QVERIFY(action->shortcuts().isEmpty());

    // The image stored for the id, at the bar's size.
    const int size = bar == QLatin1String("Standard") ? 48 : 16;
    const QPixmap image(commandIconPath(id));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(action->icon().availableSizes(), QList<QSize>{QSize(size, size)});

    // Reached from the keyboard, it runs once. Whatever it asks is answered.
    fileListOf(form)->append(listPaths(2));
    fixture.dialogs.openAnswers.enqueue({});
    fixture.dialogs.folderAnswers.enqueue({});
    fixture.dialogs.messageAnswers.enqueue(MessageAnswer::No);
    int runs = 0;
    connect(action, &QAction::triggered, this, [&runs] { ++runs; });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(form.ListView1->hasFocus());
    for (const QString &key : keys) {
        // Each key goes where a real one would: to an open menu, else to the focus.
        QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::focusWidget();
        const QKeyCombination combination = QKeySequence(key)[0];
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
        QApplication::processEvents();
    }
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(runs, 1);
}

void TestCommandBars::barsAsAWhole()
{
    FormFixture fixture;
    Form1 &form = fixture.load();

    // Exactly the fourteen commands, and nothing else carries a command id.
    int commands = 0;
    for (QAction *action : form.findChildren<QAction *>()) {
        if (action->objectName().startsWith(QLatin1String("command")))
            ++commands;
    }
    QCOMPARE(commands, 14);

    QStringList titles;
    for (QAction *menuAction : form.menuBar()->actions()) {
        titles << menuAction->text();
        QCOMPARE(menuAction->data().toInt(), 0);
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Help")}));

    QToolBar *toolbar = toolbarOf(form);
    QVERIFY(toolbar);
    QCOMPARE(toolbar->windowTitle(), QStringLiteral("Standard"));
    QCOMPARE(toolbar->actions().size(), 4);
    QCOMPARE(toolbar->iconSize(), QSize(48, 48));
    QVERIFY(toolbar->toolButtonStyle() == Qt::ToolButtonTextUnderIcon
            || toolbar->toolButtonStyle() == Qt::ToolButtonTextBesideIcon);
    QCOMPARE(form.toolBarArea(toolbar), Qt::TopToolBarArea);

    int fileSeparators = 0;
    for (QAction *entry : menuTitled(form, QStringLiteral("&File"))->actions())
        fileSeparators += entry->isSeparator();
    QCOMPARE(fileSeparators, 2);
    for (QAction *entry : menuTitled(form, QStringLiteral("&Help"))->actions())
        QVERIFY(!entry->isSeparator());

    for (QWidget *bar : {static_cast<QWidget *>(toolbar), static_cast<QWidget *>(form.menuBar()),
                         static_cast<QWidget *>(menuTitled(form, QStringLiteral("&File"))),
                         static_cast<QWidget *>(menuTitled(form, QStringLiteral("&Help")))}) {
        QCOMPARE(bar->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(bar->font().pointSize(), 11);
        QVERIFY(!bar->font().bold());
    }
}

void TestCommandBars::barsFitAboveTheList()
{
    // The list's top is fixed at 1660 twips; the menu bar and the toolbar with
    // its captions must fit in the space above it.
    FormFixture fixture;
    Form1 &form = fixture.load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const QRect menuBar = form.menuBar()->geometry();
    const QRect toolbar = toolbarOf(form)->geometry();
    QVERIFY(menuBar.bottom() < toolbar.top());
    QVERIFY2(toolbar.bottom() < form.ListView1->geometry().top(),
             qPrintable(QStringLiteral("toolbar ends at %1, list starts at %2")
                            .arg(toolbar.bottom())
                            .arg(form.ListView1->geometry().top())));
    // Every button shows its whole caption.
    for (QAction *action : toolbarOf(form)->actions()) {
        auto *button = qobject_cast<QToolButton *>(toolbarOf(form)->widgetForAction(action));
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QVERIFY(button->fontMetrics().horizontalAdvance(action->text()) <= button->width());
    }
}

void TestCommandBars::choosingACommandRunsItsProcedureOnce_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("emptyList");
    QTest::addColumn<QStringList>("expectedAsks");
    QTest::addColumn<QStringList>("expectedMessages");
    QTest::addColumn<QStringList>("expectedOpened");
    // Names relative to the fixture's folder; "app/..." lies in the application folder.
    QTest::addColumn<QStringList>("expectedList");

    const QStringList both{QStringLiteral("a.pdf"), QStringLiteral("b.pdf")};
    const QStringList none;
    const QStringList open{QStringLiteral("open")};
    const QStringList folder{QStringLiteral("folder")};

    // Before each command the list holds a.pdf and b.pdf with a.pdf selected;
    // the open-file dialog answers c.pdf, the folder picker is cancelled.
    for (int id : {1000, 2000}) {
        QTest::addRow("%d add files", id)
            << id << false << open << none << none << (both + QStringList{QStringLiteral("c.pdf")});
    }
    for (int id : {1001, 2001})
        QTest::addRow("%d add folder", id) << id << false << folder << none << none << both;
    for (int id : {1003, 2003})
        QTest::addRow("%d clear all", id) << id << false << none << none << none << QStringList();
    QTest::newRow("2002 clear selected")
        << 2002 << false << none << none << none << QStringList{QStringLiteral("b.pdf")};
    QTest::newRow("1002 start with nothing to join")
        << 1002 << true << QStringList{QStringLiteral("message")}
        << QStringList{QStringLiteral("No files added.")} << none << QStringList();
    QTest::newRow("2008 load samples")
        << 2008 << false << QStringList{QStringLiteral("message")} << QStringList{kSampleQuestion} << none
        << (both + QStringList{QStringLiteral("app/Samples/sample.pdf")});
    QTest::newRow("2010 faq") << 2010 << false << none << none
                              << QStringList{QLatin1String(site::kFaqPage)} << both;
    QTest::newRow("2009 demo video") << 2009 << false << none << none
                                     << QStringList{QStringLiteral("app/Video/demo.webm")} << both;
    QTest::newRow("2007 contact")
        << 2007 << false << QStringList{QStringLiteral("message")}
        << QStringList{QStringLiteral("Questions? Please contact Team Quillmoor at ")
                       + QLatin1String(site::kContactPage)}
        << none << both;
    QTest::newRow("2011 home page") << 2011 << false << none << none
                                    << QStringList{QLatin1String(site::kHomePage)} << both;
}

void TestCommandBars::choosingACommandRunsItsProcedureOnce()
{
    QFETCH(int, id);
    QFETCH(bool, emptyList);
    QFETCH(QStringList, expectedAsks);
    QFETCH(QStringList, expectedMessages);
    QFETCH(QStringList, expectedOpened);
    QFETCH(QStringList, expectedList);

    FormFixture fixture;
    const QString root = fixture.root.path() + QLatin1Char('/');
    makeTree(root, {QStringLiteral("app/Samples/sample.pdf"), QStringLiteral("app/Video/demo.webm")});
    auto resolve = [&](const QStringList &names) {
        QStringList paths;
        for (const QString &name : names)
            paths << (name.contains(QLatin1String("://")) ? name : nativePath(root + name));
        return paths;
    };

    Form1 &form = fixture.load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (!emptyList) {
        fileListOf(form)->append(resolve({QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}));
        form.ListView1->selectionModel()->select(fileListOf(form)->index(0, 0),
                                                 QItemSelectionModel::ClearAndSelect
                                                     | QItemSelectionModel::Rows);
        form.ListView1->selectionModel()->setCurrentIndex(fileListOf(form)->index(0, 0),
                                                          QItemSelectionModel::NoUpdate);
    }
    fixture.dialogs.openAnswers.enqueue(resolve({QStringLiteral("c.pdf")}));
    fixture.dialogs.folderAnswers.enqueue(QString());
    fixture.dialogs.messageAnswers.enqueue(MessageAnswer::No);

    choose(form, id);

    QCOMPARE(fixture.dialogs.unexpected, QStringList());
    QCOMPARE(askedKinds(fixture.dialogs), expectedAsks);
    QCOMPARE(fixture.dialogs.messageTexts(), expectedMessages);
    for (const auto &asked : fixture.dialogs.asked) {
        if (asked.kind == QLatin1String("message") && id == 2007) {
            QCOMPARE(asked.style, MessageStyle::Ok);
            QCOMPARE(asked.title, applicationTitle());
        }
    }
    QCOMPARE(fixture.shell.opened, resolve(expectedOpened));
    QCOMPARE(fileListOf(form)->paths(), resolve(expectedList));
    QVERIFY(form.isVisible());
    QVERIFY(!form.isClosing());
}

void TestCommandBars::twinCommandsAgree_data()
{
    QTest::addColumn<int>("toolbarId");
    QTest::addColumn<int>("menuId");
    QTest::newRow("add files") << 1000 << 2000;
    QTest::newRow("add folder") << 1001 << 2001;
    QTest::newRow("clear list") << 1003 << 2003;
}

void TestCommandBars::twinCommandsAgree()
{
    QFETCH(int, toolbarId);
    QFETCH(int, menuId);

    // The same starting state and the same answers for both commands: three
    // files, the middle one selected; the dialogs add d.pdf and e/f.pdf.
    struct Outcome
    {
        QStringList asked;
        QStringList list;
    };
    auto run = [](int id) {
        FormFixture fixture;
        const QString root = fixture.root.path() + QLatin1Char('/');
        makeTree(root, {QStringLiteral("e/f.pdf")});
        Form1 &form = fixture.load();
        for (const char *name : {"a.pdf", "b.pdf", "c.pdf"})
            fileListOf(form)->append(nativePath(root + QLatin1String(name)));
        form.ListView1->selectionModel()->select(fileListOf(form)->index(1, 0),
                                                 QItemSelectionModel::ClearAndSelect
                                                     | QItemSelectionModel::Rows);
        fixture.dialogs.openAnswers.enqueue({nativePath(root + QStringLiteral("d.pdf"))});
        fixture.dialogs.folderAnswers.enqueue(nativePath(root + QStringLiteral("e")));
        form.CommandBars_Execute(id);
        Outcome outcome{askedKinds(fixture.dialogs), {}};
        for (const QString &path : fileListOf(form)->paths())
            outcome.list << QDir::fromNativeSeparators(path).mid(root.size());
        return outcome;
    };
    const Outcome fromToolbar = run(toolbarId);
    const Outcome fromMenu = run(menuId);
    QCOMPARE(fromMenu.asked, fromToolbar.asked);
    QCOMPARE(fromMenu.list, fromToolbar.list);
}

void TestCommandBars::idsWithoutACommandDoNothing_data()
{
    QTest::addColumn<int>("id");
    for (int id : {0, -1, 999, 1004, 1999, 2005, 2006, 2012, 3000})
        QTest::addRow("%d", id) << id;
}

void TestCommandBars::idsWithoutACommandDoNothing()
{
    QFETCH(int, id);
    FormFixture fixture;
    makeTree(fixture.root.path(), {QStringLiteral("app/Samples/sample.pdf")});
    Form1 &form = fixture.load();
    form.show();
    const QStringList files{QStringLiteral("/x/a.pdf"), QStringLiteral("/x/b.pdf")};
    fileListOf(form)->append(files);
    form.ListView1->selectionModel()->select(fileListOf(form)->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    form.CommandBars_Execute(id);
    // The drop-down menus' own actions are not commands either.
    for (QAction *menuAction : form.menuBar()->actions())
        menuAction->trigger();

    QVERIFY(fixture.dialogs.asked.isEmpty());
    QVERIFY(fixture.shell.opened.isEmpty());
    QCOMPARE(fileListOf(form)->paths(), files);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isClosing());
    QCOMPARE(SettingsStore(fixture.settingsFile).read(QStringLiteral("Left"), QStringLiteral("none")),
             QStringLiteral("none"));
}

void TestCommandBars::demoVideoTarget_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("withOddFile"); // a pipe, or on Windows a file marked as the system's
    QTest::addColumn<QString>("expected"); // "" for the Video folder itself

    const QStringList none;
    QTest::newRow("no Video folder") << none << none << false << QString();
    QTest::newRow("empty Video folder") << QStringList{QStringLiteral("Video")} << none << false << QString();
    QTest::newRow("only a hidden file")
        << none << QStringList{QStringLiteral("Video/.intro.webm")} << false << QString();
    QTest::newRow("only a folder") << QStringList{QStringLiteral("Video/clips")} << none << false << QString();
    QTest::newRow("one file") << none << QStringList{QStringLiteral("Video/demo.webm")} << false
                              << QStringLiteral("demo.webm");
    QTest::newRow("first by name, whatever the case")
        << none
        << QStringList{QStringLiteral("Video/b.webm"), QStringLiteral("Video/C.mp4"), QStringLiteral("Video/A.avi")}
        << false << QStringLiteral("A.avi");
    QTest::newRow("folders and hidden files come not first")
        << QStringList{QStringLiteral("Video/a-folder")}
        << QStringList{QStringLiteral("Video/.a-hidden"), QStringLiteral("Video/z.webm")} << false
        << QStringLiteral("z.webm");
    QTest::newRow("numbers by value")
        << none << QStringList{QStringLiteral("Video/demo 10.webm"), QStringLiteral("Video/demo 9.webm")}
        << false << QStringLiteral("demo 9.webm");
    QTest::newRow("any kind of file") << none << QStringList{QStringLiteral("Video/notes.txt")} << false
                                      << QStringLiteral("notes.txt");
    QTest::newRow("a pipe or a system file is not offered")
        << none << QStringList{QStringLiteral("Video/z.webm")} << true << QStringLiteral("z.webm");
}

void TestCommandBars::demoVideoTarget()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(bool, withOddFile);
    QFETCH(QString, expected);

    QTemporaryDir app;
    for (const QString &folder : folders)
        QVERIFY(QDir(app.path()).mkpath(folder));
    makeTree(app.path(), files);
    if (withOddFile) {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(app.filePath(QStringLiteral("Video/a-pipe"))).constData(), 0600), 0);
#else
        makeTree(app.path(), {QStringLiteral("Video/a-system.webm")});
        QVERIFY(markAsSystem(app.filePath(QStringLiteral("Video/a-system.webm"))));
#endif
    }

    const QString appFolder = nativePath(app.path());
    const QString videoFolder = appFolder + QDir::separator() + QStringLiteral("Video") + QDir::separator();
    QCOMPARE(corvanta::demoVideoTarget(appFolder), videoFolder + expected);
}

void TestCommandBars::applicationIcon()
{
    const QIcon icon = corvanta::applicationIcon();
    QVERIFY(!icon.isNull());
    for (int size : kApplicationIconSizes) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QPixmap image(QStringLiteral(":/icons/app/%1.png").arg(size));
        QCOMPARE(image.size(), QSize(size, size));
    }
    FormFixture fixture;
    Form1 &form = fixture.load();
    form.show();
    QTRY_VERIFY(!form.windowIcon().isNull());
}

void TestCommandBars::exitStoresThePlacementAndCloses()
{
    FormFixture fixture;
    Form1 &form = fixture.load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect outer = form.frameGeometry();

    choose(form, 2004);

    const SettingsStore store(fixture.settingsFile);
    QCOMPARE(store.read(QStringLiteral("Left"), {}), QString::number(outer.x() * 15));
    QCOMPARE(store.read(QStringLiteral("Top"), {}), QString::number(outer.y() * 15));
    QCOMPARE(store.read(QStringLiteral("Width"), {}), QString::number(outer.width() * 15));
    QCOMPARE(store.read(QStringLiteral("Height"), {}), QString::number(outer.height() * 15));
    QVERIFY(form.isClosing());
    QVERIFY(!form.isVisible());
    QCOMPARE(fixture.programEnded, 1);
    QVERIFY(fixture.dialogs.asked.isEmpty());
}

CORVANTA_TEST_MAIN(TestCommandBars)
#include "test_command_bars.moc"
