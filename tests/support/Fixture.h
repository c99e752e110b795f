#pragma once

#include "app/Form1.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace corvanta::testing {

// Points HOME and the XDG folders at a temporary folder, so nothing a test
// does can reach the user's real Desktop or settings.
void isolateHome(const QString &home);

// The user's Desktop as the program sees it inside the isolated home.
QString isolatedDesktop();

// Writes a small real PDF with the given number of pages; page i reads "<label> page i".
void writePdf(const QString &path, int pages, const QString &label = QStringLiteral("Page"));

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
    std::unique_ptr<Form1> form;

    Services services();
    // Creates the window (again) and runs its start-up.
    Form1 &load();
};

} // namespace corvanta::testing

// Like QTEST_MAIN, but with the home folder isolated before anything runs.
#define CORVANTA_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                              \
    {                                                                                             \
        QTemporaryDir home;                                                                       \
        corvanta::testing::isolateHome(home.path());                                              \
        QApplication app(argc, argv);                                                             \
        TestObject test;                                                                          \
        return QTest::qExec(&test, argc, argv);                                                   \
    }
