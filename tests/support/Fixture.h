#pragma once

#include "app/Form1.h"
#include "join/JoinRun.h"
#include "support/FakeHost.h"
#include "support/Fakes.h"
#include "support/PdftkSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace corvanta::testing {

// Points HOME and the XDG folders at a temporary folder, and remembers it:
// every Desktop and settings file a test hands the program lies inside it.
void isolateHome(const QString &home);

// The Desktop that the tests hand the program, inside the isolated home.
// It is never the user's own, on any platform: the program is told of it
// through its seams, not through the system's idea of the home folder.
QString isolatedDesktop();

// The cache folder that the tests hand the program, inside the isolated home.
QString isolatedCache();

// Whether a path lies inside the test's own folders: the isolated home, or
// the system's folder for temporary files. Only those are written or removed.
bool isTestOwned(const QString &path);

// Empties the isolated Desktop; refuses (false) if it were anywhere else.
bool emptyIsolatedDesktop();
// joined.pdf there, as the program names it: with the doubled separator.
QString isolatedOutputPath();
// Where the build puts the checker and the guard.
QString helperFolder();

// Writes a small real PDF with the given number of pages; page i reads "<label> page i".
void writePdf(const QString &path, int pages, const QString &label = QStringLiteral("Page"));

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Writes a whole file; false when it cannot, and for any path that is not
// the test's own.
bool writeFile(const QString &path, const QByteArray &bytes);
// Every entry of the isolated Desktop, hidden ones included, by name.
QStringList desktopEntries();

// The most memory this process has held so far, in megabytes.
double peakMegabytes();

// "/docs/1.pdf" to "/docs/<count>.pdf": list items that need not exist.
QStringList listPaths(int count);

// A main window wired to fakes, with its own application folder and settings file.
struct FormFixture
{
    FormFixture();

    QTemporaryDir root;
    QString appFolder;
    QString settingsFile;
    FakeDialogs dialogs;
    FakeShell shell;
    int reminderDraw = 1;
    int programEnded = 0; // times the window asked to end the program
    // Tests turn the event loop at every step of long work, so that what
    // they post runs at a known point; benchmarks use the program's pace.
    int eventTurnInterval = 0;
    std::unique_ptr<Form1> form;

    Services services();
    // Creates the window (again) and runs its start-up.
    Form1 &load();
};

// The window's file list.
FileListModel *fileListOf(const Form1 &form);
// The pointer the window shows, by the window's own numbers.
MousePointer shownPointer(const Form1 &form);

// Joins on a fake host, with their own application folder and the isolated
// Desktop; the window is not part of them.
struct JoinFixture
{
    JoinFixture();

    QTemporaryDir root;
    QString appFolder;
    FakeHost host;
    JoinEnvironment environment;
    std::unique_ptr<Joiner> joiner;

    // "Start Joining", with the environment as it stands at the first start.
    void start();
    bool isRunning() const { return joiner && joiner->isRunning(); }
};

} // namespace corvanta::testing

// Like QTEST_MAIN, but with the home folder isolated before anything runs,
// and the tests' pdftk on the PATH.
#define CORVANTA_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                              \
    {                                                                                             \
        QTemporaryDir home;                                                                       \
        corvanta::testing::isolateHome(home.path());                                              \
        QApplication app(argc, argv);                                                             \
        corvanta::testing::useRealPdftk();                                                        \
        TestObject test;                                                                          \
        return QTest::qExec(&test, argc, argv);                                                   \
    }
