// The settings store and the small shared routines.
#include "app/WindowHelpers.h"
#include "core/ErrorReport.h"
#include "core/Files.h"
#include "app/Settings.h"
#include "support/Fixture.h"
#include "support/PlatformFiles.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QSettings>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include <stdexcept>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#include <pwd.h>
#include <unistd.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

class SettingsHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void passwordOptionSurvivesRestart()
    {
        FormFixture fixture;
        QCOMPARE(fixture.load().Check1->checkState(), Qt::Unchecked);

        fixture.form->Check1->click();
        QCOMPARE(QSettings(fixture.settingsFile, QSettings::IniFormat).value("Corvanta/Check1").toString(),
                 QStringLiteral("1"));
        QCOMPARE(fixture.load().Check1->checkState(), Qt::Checked);

        fixture.form->Check1->click();
        QCOMPARE(QSettings(fixture.settingsFile, QSettings::IniFormat).value("Corvanta/Check1").toString(),
                 QStringLiteral("0"));
    }

    void storedOptionValues_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("otherMegabytes"); // what else the store holds
        QTest::addColumn<int>("state");
        QTest::newRow("1") << "1" << 0 << int(Qt::Checked);
        QTest::newRow("2 greyed") << "2" << 0 << int(Qt::PartiallyChecked);
        QTest::newRow("0") << "0" << 0 << int(Qt::Unchecked);
        QTest::newRow("out of range") << "5" << 0 << int(Qt::Unchecked);
        QTest::newRow("negative") << "-1" << 0 << int(Qt::Unchecked);
        QTest::newRow("not a number") << "yes" << 0 << int(Qt::Unchecked);
        QTest::newRow("1 in a store far larger than the program writes") << "1" << 3 << int(Qt::Unchecked);
    }

    void storedOptionValues()
    {
        QFETCH(QString, stored);
        QFETCH(int, otherMegabytes);
        FormFixture fixture;
        QSettings(fixture.settingsFile, QSettings::IniFormat).setValue("Corvanta/Check1", stored);
        QSettings(fixture.settingsFile, QSettings::IniFormat).setValue("Other/notes", QString(otherMegabytes << 20, 'x'));
        const QByteArray before = fileBytes(fixture.settingsFile);
        QTEST(int(fixture.load().Check1->checkState()), "state");
        // Only a ticked box asks for passwords; a greyed one counts as off.
        QCOMPARE(fixture.form->promptsForPasswords(), stored == "1" && otherMegabytes == 0);
        fixture.form->Check1->click(); // a store that is not read is not written either
        QCOMPARE(fileBytes(fixture.settingsFile) == before, otherMegabytes > 0);
    }

    void greyedOptionClicksToOnAndOff()
    {
        FormFixture fixture;
        QSettings(fixture.settingsFile, QSettings::IniFormat).setValue("Corvanta/Check1", "2");
        Form1 &form = fixture.load();
        QStringList stored;
        for (int click = 0; click < 3; ++click) {
            form.Check1->click();
            stored.append(QSettings(fixture.settingsFile, QSettings::IniFormat).value("Corvanta/Check1").toString());
        }
        QCOMPARE(stored, (QStringList{"1", "0", "1"}));
    }

    void placementIsDecimalTwipsIncludingNegative()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Quillmoor.conf");
        QWidget window;
        window.setGeometry(-8, 60, 600, 533);
        {
            SettingsStore store(file);
            SaveWindowPlacement(store, &window);
        }
        QSettings stored(file, QSettings::IniFormat);
        QCOMPARE(stored.value("Corvanta/Left").toString(), QStringLiteral("-120"));
        QCOMPARE(stored.value("Corvanta/Top").toString(), QStringLiteral("900"));
        QCOMPARE(stored.value("Corvanta/Width").toString(), QStringLiteral("9000"));
        QCOMPARE(stored.value("Corvanta/Height").toString(), QStringLiteral("7995"));
    }

    // Something other than a file where the store should be: nothing is
    // read or written there, and nothing waits on it.
    void unusableStoreFallsBackToDefaults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << "folder";
#ifdef Q_OS_UNIX
        QTest::newRow("a pipe") << "pipe";
#endif
    }

    void unusableStoreFallsBackToDefaults()
    {
        QFETCH(QString, kind);
        FormFixture fixture;
        const QString blocked = fixture.settingsFile;
        QVERIFY(QDir().mkpath(QFileInfo(blocked).path()));
        if (kind == "folder")
            QVERIFY(QDir().mkpath(blocked));
        else
            QCOMPARE(QProcess::execute("mkfifo", {blocked}), 0);
        SettingsStore store(blocked);
        store.write(QStringLiteral("Check1"), QStringLiteral("1"));
        QCOMPARE(store.read(QStringLiteral("Check1"), QStringLiteral("0")), QStringLiteral("0"));
        QCOMPARE(fixture.load().Check1->checkState(), Qt::Unchecked);
        fixture.form->Check1->click();
        int cancel = 0;
        fixture.form->Form_Unload(cancel);
    }

    void userStoreLivesInTheIsolatedHome()
    {
        SettingsStore store;
#ifdef Q_OS_WIN
        // Wine's registry is the test prefix's own; a real Windows user's is not touched.
        if (!runsUnderWine())
            QSKIP("The user's own registry is not written.");
        store.write(QStringLiteral("Check1"), QStringLiteral("1"));
        // The values sit right under the program's key, not under
        // ...\Quillmoor\OrganizationDefaults where a store without an
        // application name would put them.
        QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmoor\\Corvanta"), QSettings::NativeFormat);
        QCOMPARE(key.value(QStringLiteral("Check1")), QVariant(QStringLiteral("1")));
#else
        store.write(QStringLiteral("Check1"), QStringLiteral("1"));
        QFile written(QDir::homePath() + QStringLiteral("/.config/Quillmoor.conf"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().trimmed(), QByteArray("[Corvanta]\nCheck1=1"));
#endif
    }

    // The test support writes and removes only in the test's own folders,
    // whatever a test asks of it.
    void testsTouchOnlyTheirOwnFolders()
    {
        QVERIFY(isTestOwned(isolatedDesktop() + QStringLiteral("/joined.pdf")));
        const QString outside = QDir::rootPath() + QStringLiteral("corvanta-test-must-not-write-here");
        QVERIFY(!isTestOwned(QDir::rootPath()));
        QVERIFY(!writeFile(outside, "x"));
        QVERIFY(!QFile::exists(outside));
        // A link inside that leads outside counts as outside.
        QTemporaryDir own;
        const TestLink out(QDir::rootPath(), own.filePath(QStringLiteral("out")));
        QVERIFY(out.made());
        QVERIFY(!isTestOwned(own.filePath(QStringLiteral("out/corvanta-test"))));
    }

    void errorReportText()
    {
        QCOMPARE(corvanta::errorReportText(QStringLiteral("File not found"), QStringLiteral("Form1"),
                                 QStringLiteral("Start"), 152),
                 QStringLiteral("File not found\r\nin Velmira5/20/2014.Form1.Start at line 152\r\r"
                                "Please email screenshot of this message to support@quillmoor.example"));
    }

    void errorReportReadsWellOnScreen()
    {
        FakeDialogs dialogs;
        ErrorReport(dialogs, nullptr, QStringLiteral("Disk full"), QStringLiteral("Form1"),
                    QStringLiteral("Start"), 110);
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(dialogs.asked.first().title, QStringLiteral("Application Error"));
        QCOMPARE(dialogs.asked.first().style, MessageStyle::Warning);
        QCOMPARE(dialogs.asked.first().text,
                 QStringLiteral("Disk full\nin Velmira5/20/2014.Form1.Start at line 110\n\n"
                                "Please email screenshot of this message to support@quillmoor.example"));
    }

    void realDialogsShowTextAsItIs()
    {
        // A file name may hold anything, markup included; it must read as typed.
        const QString text = QStringLiteral("<b>a & b</b>.pdf");
        QtDialogs dialogs;
        Qt::TextFormat messageFormat = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            messageFormat = box->textFormat();
            box->accept();
        });
        dialogs.message(nullptr, text, MessageStyle::Ok, QStringLiteral("Corvanta"));
        QCOMPARE(messageFormat, Qt::PlainText);

        Qt::TextFormat promptFormat = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            promptFormat = dialog->findChild<QLabel *>()->textFormat();
            QCOMPARE(dialog->findChild<QLineEdit *>()->echoMode(), QLineEdit::Password);
            dialog->findChild<QLineEdit *>()->setText(QStringLiteral(" secret "));
            qobject_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(dialogs.inputBox(nullptr, text, QStringLiteral("Input Password"), true),
                 QStringLiteral(" secret "));
        QCOMPARE(promptFormat, Qt::PlainText);
    }

    void realQuestionsDefaultAsAsked_data()
    {
        QTest::addColumn<MessageStyle>("style");
        QTest::addColumn<MessageAnswer>("onEnter");
        QTest::newRow("Yes by default") << MessageStyle::YesNo << MessageAnswer::Yes;
        QTest::newRow("No by default") << MessageStyle::YesNoDefaultNo << MessageAnswer::No;
    }

    void realQuestionsDefaultAsAsked()
    {
        QFETCH(MessageStyle, style);
        QFETCH(MessageAnswer, onEnter);
        QtDialogs dialogs;
        QTimer::singleShot(0, [] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(dialogs.message(nullptr, QStringLiteral("Stop?"), style, QStringLiteral("Corvanta")), onEnter);
    }

    // "&" in a path is a character, not the mark of an access key: the
    // prompt needs the room of the whole text, every "&" included.
    void promptShowsEveryAmpersand_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("two") << QStringLiteral("/home/u/R&D/Q&A.pdf");
        QTest::newRow("doubled") << QStringLiteral("/home/u/A&&B.pdf");
        QTest::newRow("at the end") << QStringLiteral("/home/u/odd&");
    }

    void promptShowsEveryAmpersand()
    {
        QFETCH(QString, path);
        QtDialogs dialogs;
        int needed = 0;
        int given = -1;
        QString spoken;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            auto *label = dialog->findChild<QLabel *>();
            needed = label->fontMetrics().horizontalAdvance(path);
            given = label->sizeHint().width();
            spoken = QAccessible::queryAccessibleInterface(dialog->findChild<QLineEdit *>())->text(QAccessible::Name);
            qobject_cast<QDialog *>(dialog)->reject();
        });
        dialogs.inputBox(nullptr, path + QStringLiteral("\r\nNote"), QStringLiteral("Input Password"), true);
        QVERIFY2(given >= needed, qPrintable(QStringLiteral("%1 < %2").arg(given).arg(needed)));
        // A screen reader is told the line break, with no carriage return.
        QCOMPARE(spoken, path + QStringLiteral("\nNote"));
    }

    // A short text must not make the box too narrow for its title.
    void messageBoxesShowTheirTitle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("No files added.") << QStringLiteral("No files added.") << QStringLiteral("Corvanta");
        QTest::newRow("Done.") << QStringLiteral("Done.") << QStringLiteral("Corvanta");
        QTest::newRow("long title") << QStringLiteral("x") << QStringLiteral("Application Error");
    }

    void messageBoxesShowTheirTitle()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QtDialogs dialogs;
        int width = 0;
        int titleWidth = 0;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            QFont bold = box->font();
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(title);
            width = box->width();
            qobject_cast<QDialog *>(box)->accept();
        });
        dialogs.message(nullptr, text, MessageStyle::Ok, title);
        // Beside the title, a title bar holds an icon and three buttons.
        QVERIFY2(width >= titleWidth + 3 * 24 + 16, qPrintable(QString::number(width)));
    }

    void centringKeepsHalves()
    {
        QCOMPARE(centeredEdge(19200, 8715), 5242.5);
        QCOMPARE(centeredEdge(9000, 12000), -1500.0);
    }

    // A window larger than the screen (a large minimum size at a high scale)
    // keeps its title bar and its left edge on the screen.
    void centringKeepsTheTitleBarOnTheScreen_data()
    {
        QTest::addColumn<QSize>("larger"); // than the screen's available area, in pixels
        QTest::addColumn<bool>("centredAcross");
        QTest::addColumn<bool>("centredDown");
        QTest::newRow("smaller") << QSize(-200, -100) << true << true;
        QTest::newRow("taller") << QSize(-200, 300) << true << false;
        QTest::newRow("wider and taller") << QSize(150, 300) << false << false;
    }

    void centringKeepsTheTitleBarOnTheScreen()
    {
        QFETCH(QSize, larger);
        QFETCH(bool, centredAcross);
        QFETCH(bool, centredDown);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget window;
        window.resize(area.size() + larger);
        CenterOnScreen(&window);
        const QRect outer = window.frameGeometry();
        QCOMPARE(outer.left(), centredAcross ? area.left() + (area.width() - outer.width()) / 2 : area.left());
        QCOMPARE(outer.top(), centredDown ? area.top() + (area.height() - outer.height()) / 2 : area.top());
    }

    void skinFollowsAnOrdinaryFile()
    {
        QTemporaryDir app;
        QWidget window;
        QGroupBox frame(&window);
        QCheckBox check(&frame);
        const QColor buttonFace = window.palette().color(QPalette::Button);

        QVERIFY(!ApplySkin(app.path(), &window, {&frame, &check}));
        for (QWidget *widget : {&window, static_cast<QWidget *>(&frame), static_cast<QWidget *>(&check)})
            QCOMPARE(widget->palette().color(widget->backgroundRole()), QColor(Qt::white));

        // A folder of that name is no skin file.
        QVERIFY(QDir(app.path()).mkpath("x/o.cjs"));
        QVERIFY(!ApplySkin(app.path(), &window, {&frame, &check}));
        QVERIFY(QDir(app.path()).rmdir("x/o.cjs"));

        QFile skin(app.path() + "/x/o.cjs");
        QVERIFY(skin.open(QIODevice::WriteOnly));
        skin.close();
        QVERIFY(ApplySkin(app.path(), &window, {&frame, &check}));
        for (QWidget *widget : {&window, static_cast<QWidget *>(&frame), static_cast<QWidget *>(&check)})
            QCOMPARE(widget->palette().color(widget->backgroundRole()), buttonFace);
#ifdef Q_OS_WIN
        // Nor is a file hidden as the system's own.
        QVERIFY(markAsSystem(skin.fileName()));
        QVERIFY(!ApplySkin(app.path(), &window, {&frame, &check}));
#endif
    }

    // The Desktop as the desktop's own programs find it, or why it cannot be used.
    void desktopFolderAsTheSystemNamesIt_data()
    {
        QTest::addColumn<QByteArray>("userDirs"); // the lines of user-dirs.dirs
        QTest::addColumn<bool>("homeSet");
        QTest::addColumn<QString>("found"); // %home%: HOME; %account%: the account's home
        QTest::newRow("none named") << QByteArray("# XDG_DESKTOP_DIR=\"/x\"") << true << "%home%/Desktop/";
        QTest::newRow("in the home folder") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n") << true
                                            << "%home%/Schreibtisch/";
        QTest::newRow("absolute, escaped, the last one counts")
            << QByteArray("XDG_DESKTOP_DIR=\"$HOME/old\"\nXDG_DESKTOP_DIR=\"/srv/my \\\"desk\\\"/\"") << true
            << "/srv/my \"desk\"/";
        QTest::newRow("empty") << QByteArray("XDG_DESKTOP_DIR=\"\"") << true << "%home%/Desktop/";
        QTest::newRow("relative") << QByteArray("XDG_DESKTOP_DIR=\"Desktop\"") << true << "%home%/Desktop/";
        QTest::newRow("HOME unset") << QByteArray() << false << "%account%/Desktop/";
        // Never waited on.
        QTest::newRow("a pipe in its place") << QByteArray("pipe") << true << "%home%/Desktop/";
        QTest::newRow("not UTF-8") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/Bureau\xe9\"") << true
                                   << "The Desktop folder %home%/Bureau\ufffd cannot be used: its name is not valid "
                                      "UTF-8, and pdftk takes only names that are.";
    }

    void desktopFolderAsTheSystemNamesIt()
    {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QSKIP("The system, not a file, names the Desktop here.");
#else
        QFETCH(QByteArray, userDirs);
        QFETCH(bool, homeSet);
        QFETCH(QString, found);
        const QByteArray home = qgetenv("HOME");
        const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
        const auto restore = qScopeGuard([&] { QFile::remove(file); qputenv("HOME", home); });
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        if (userDirs == "pipe")
            QCOMPARE(QProcess::execute("mkfifo", {file}), 0);
        else
            QVERIFY(writeFile(file, userDirs));
        if (!homeSet)
            qunsetenv("HOME");
        QString desktop;
        try {
            desktop = DesktopFolder();
        } catch (const std::exception &error) {
            desktop = QString::fromUtf8(error.what());
        }
        const QString account = QFile::decodeName(getpwuid(getuid())->pw_dir);
        QCOMPARE(desktop, found.replace("%home%", QFile::decodeName(home)).replace("%account%", account));
#endif
    }

    void fileTests()
    {
        QTemporaryDir dir;
        QVERIFY(FileExists(dir.path()));
        QVERIFY(!FileExists(QString()));
        QVERIFY(!FileExists(dir.filePath("missing/folder/a.pdf")));

        const QString file = dir.filePath("a.pdf");
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(FileExists(file));
        DeleteFileQuietly(file);
        QVERIFY(!FileExists(file));
        DeleteFileQuietly(file); // already gone: quiet
        DeleteFileQuietly(QString());
    }

    void pathTexts()
    {
        const auto native = [](const char *path) { return QDir::toNativeSeparators(QString::fromUtf8(path)); };
        QCOMPARE(joinPath(native("/"), QStringLiteral("a.pdf")), native("/a.pdf"));
        QCOMPARE(joinPath(native("/docs"), QStringLiteral("a.pdf")), native("/docs/a.pdf"));
        QCOMPARE(collapseDriveRootSeparator(QStringLiteral("C:\\\\a.pdf")), QStringLiteral("C:\\a.pdf"));
        QCOMPARE(collapseDriveRootSeparator(QStringLiteral("C:\\Users\\\\joined.pdf")),
                 QStringLiteral("C:\\Users\\\\joined.pdf"));
        QCOMPARE(applicationFolder(QStringLiteral("/")), native("/"));
        QCOMPARE(applicationFolder(QStringLiteral("/opt/corvanta/")), native("/opt/corvanta"));
#ifdef Q_OS_WIN
        // No environment moves Windows's Desktop: the user's own is read, never written, here.
        QVERIFY(DesktopFolder().endsWith(QDir::separator()));
#else
        QCOMPARE(DesktopFolder(), QDir::toNativeSeparators(isolatedDesktop() + QLatin1Char('/')));
#endif
    }
};

CORVANTA_TEST_MAIN(SettingsHelpersTest)
#include "test_settings_helpers.moc"
