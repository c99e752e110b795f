// Running a child and waiting for it with real processes.

#include "process/ProcessRunner.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

// Calls `action` as soon as `file` holds `lines` lines, while a wait runs.
QTimer *whenFileHasLines(const QString &file, int lines, std::function<void()> action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (readLines(file).size() >= lines) {
            timer->stop();
            action();
        }
    });
    timer->start();
    return timer;
}

} // namespace

class ProcessRunnerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowStyle_data();
    void windowStyle();
    void exitCode_data();
    void exitCode();
    void startFailure_data();
    void startFailure();
    void captureAndArguments();
    void inputIsClosed();
    void eventsRunDuringTheWait();
    void crash();
    void cancelEndsTheWholeGroup();
    void leftoversEndWithTheChild_data();
    void leftoversEndWithTheChild();
    void longStreamsKeepStartAndEnd_data();
    void longStreamsKeepStartAndEnd();
    // Leaves the application's quit flag set, so it runs last.
    void applicationExitIsNoSuccess();

private:
    // A child of ours in the test's folder that takes these steps.
    QString child(const Steps &steps) { return scriptedChild(m_dir.path(), QStringLiteral("child"), steps); }

    QTemporaryDir m_dir;
    QString m_notExecutable;
};

void ProcessRunnerTest::initTestCase()
{
    m_notExecutable = m_dir.filePath("plain.txt");
    QFile file(m_notExecutable);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
}

void ProcessRunnerTest::windowStyle_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("showCommand");
    QTest::newRow("-1") << -1 << 6 << 7;
    QTest::newRow("hidden") << 0 << 0 << 0;
    QTest::newRow("normal") << 1 << 1 << 1;
    QTest::newRow("minimised") << 2 << 2 << 2;
    QTest::newRow("maximised") << 3 << 3 << 3;
    QTest::newRow("no focus") << 4 << 4 << 4;
    QTest::newRow("5 passes") << 5 << 5 << 5;
    QTest::newRow("minimised, no focus") << 6 << 6 << 7;
    QTest::newRow("7") << 7 << 6 << 7;
    QTest::newRow("omitted") << kDefaultWindowStyle << 6 << 7;
}

void ProcessRunnerTest::windowStyle()
{
    QFETCH(int, given);
    QFETCH(int, style);
    QFETCH(int, showCommand);
    QCOMPARE(normalizeWindowStyle(given), style);
    QCOMPARE(showWindowCommand(given), showCommand);
}

void ProcessRunnerTest::exitCode_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
    QTest::newRow("255") << 255;
}

void ProcessRunnerTest::exitCode()
{
    QFETCH(int, code);
    ProcessRunner runner;
    const ProcessRunner::Result result = runner.run(child({{"exit", QString::number(code)}}), {}, kHiddenWindow);
    QCOMPARE(result.ending, ProcessRunner::Ending::Exited);
    QCOMPARE(result.code, code);
}

void ProcessRunnerTest::startFailure_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("code");
    QTest::newRow("missing path") << "/no/such/folder/program" << kStartFailureBase + kProgramNotFound;
    QTest::newRow("missing name") << "corvanta-no-such-program" << kStartFailureBase + kProgramNotFound;
    QTest::newRow("not executable") << m_notExecutable
                                    << kStartFailureBase + kProgramNotRunnable;
}

void ProcessRunnerTest::startFailure()
{
    QFETCH(QString, program);
    QFETCH(int, code);
    ProcessRunner runner;
    const ProcessRunner::Result result = runner.run(program, {});
    QCOMPARE(result.ending, ProcessRunner::Ending::FailedToStart);
    QCOMPARE(result.code, code);
    QVERIFY(code < 0);
    QVERIFY(!result.errorString.isEmpty());
    // Idle again: the next program runs.
    QCOMPARE(runner.run(child({{"exit", "0"}}), {}).ending, ProcessRunner::Ending::Exited);
}

void ProcessRunnerTest::captureAndArguments()
{
    ProcessRunner runner;
    const QString program = child({{"record", "-"}, {"stderr", "to stderr"}, {"exit", "2"}});
    const QStringList arguments{"a b", "\"quoted\"", "", "ü € 'x'", R"(back\slash\\ "\)"};
    const ProcessRunner::Result result = runner.run(program, arguments, kHiddenWindow);
    QCOMPARE(result.ending, ProcessRunner::Ending::Exited);
    QCOMPARE(result.code, 2);
    QCOMPARE(QString::fromUtf8(result.standardOutput), arguments.join('\n') + '\n');
    QCOMPARE(result.standardError, QByteArray("to stderr\n"));
}

void ProcessRunnerTest::inputIsClosed()
{
    // A child that reads its input must see the end of it at once, not wait.
    ProcessRunner runner;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [&runner] { runner.cancel(); });
    guard.start(30000);
    const ProcessRunner::Result result = runner.run(child({{"stdin"}}), {});
    QCOMPARE(result.ending, ProcessRunner::Ending::Exited);
    QCOMPARE(result.standardOutput, QByteArray("end\n"));
}

void ProcessRunnerTest::eventsRunDuringTheWait()
{
    ProcessRunner runner;
    QTemporaryDir dir;
    const QString marks = dir.filePath("marks");
    int ticks = 0;
    bool sawRunning = false;
    bool returned = false;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        ++ticks;
        sawRunning = sawRunning || !returned;
        // The child ends once the window has had its events.
        if (ticks == 3) {
            QFile file(marks);
            file.open(QIODevice::WriteOnly);
        }
    });
    ticker.start(5);
    const ProcessRunner::Result result = runner.run(child({{"wait-for", marks}, {"exit", "7"}}), {});
    returned = true;
    ticker.stop();
    QCOMPARE(result.code, 7);
    QVERIFY(ticks >= 3);
    QVERIFY(sawRunning);
}

void ProcessRunnerTest::crash()
{
    ProcessRunner runner;
    const ProcessRunner::Result result = runner.run(child({{"crash"}}), {});
    QCOMPARE(result.ending, ProcessRunner::Ending::Crashed);
    QVERIFY(result.code != 0);
}

void ProcessRunnerTest::cancelEndsTheWholeGroup()
{
    QTemporaryDir dir;
    const QString pids = dir.filePath("pids");
    ProcessRunner runner;
    bool ranBefore = false;
    std::unique_ptr<QTimer> trigger(whenFileHasLines(pids, 1, [&] {
        // Both run until the cancel: the checks after it can fail.
        ranBefore = true;
        for (const QString &pid : readLines(pids).value(0).split(' '))
            ranBefore = ranBefore && !processGone(pid.toLongLong());
        runner.cancel();
    }));
    // Like a wrapper script that starts its real program without exec.
    const ProcessRunner::Result result = runner.run(child({{"linger", pids}, {"wait-worker"}}), {});
    QCOMPARE(result.ending, ProcessRunner::Ending::Cancelled);
    QVERIFY(ranBefore);
    const QStringList started = readLines(pids).value(0).split(' ');
    QCOMPARE(started.size(), 2);
    for (const QString &pid : started)
        QTRY_VERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
}

void ProcessRunnerTest::leftoversEndWithTheChild_data()
{
    // The wrapper's last step, or the test kills it while it waits.
    QTest::addColumn<Steps>("ending");
    QTest::addColumn<bool>("killed");
    QTest::addColumn<ProcessRunner::Ending>("expected");
    QTest::newRow("exits") << Steps{{"exit", "0"}} << false << ProcessRunner::Ending::Exited;
    QTest::newRow("fails") << Steps{{"exit", "3"}} << false << ProcessRunner::Ending::Exited;
    QTest::newRow("crashes") << Steps{{"crash"}} << false << ProcessRunner::Ending::Crashed;
    // By SIGKILL; on Windows by TerminateProcess, with an exit code the killer chooses.
#ifdef Q_OS_WIN
    QTest::newRow("killed from outside") << Steps{{"wait-worker"}} << true << ProcessRunner::Ending::Exited;
#else
    QTest::newRow("killed from outside") << Steps{{"wait-worker"}} << true << ProcessRunner::Ending::Crashed;
#endif
}

void ProcessRunnerTest::leftoversEndWithTheChild()
{
    // A wrapper that ends while the program it started goes on writing.
    QFETCH(Steps, ending);
    QFETCH(bool, killed);
    QFETCH(ProcessRunner::Ending, expected);
    QTemporaryDir dir;
    const QString pids = dir.filePath("pids");
    const QString written = dir.filePath("written");
    ProcessRunner runner;
    std::unique_ptr<QTimer> killer;
    if (killed)
        killer.reset(whenFileHasLines(written, 1, [&pids] { killProcess(readLines(pids).value(0).section(' ', 0, 0).toLongLong()); }));
    const ProcessRunner::Result result =
        runner.run(child(Steps{{"linger", pids, written}, {"wait-for", written}} + ending), {});
    QCOMPARE(result.ending, expected);
    QVERIFY(processGone(readLines(pids).value(0).section(' ', 1).toLongLong()));
    const qint64 size = QFileInfo(written).size();
    QTest::qWait(50);
    QCOMPARE(QFileInfo(written).size(), size);
}

void ProcessRunnerTest::longStreamsKeepStartAndEnd_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::newRow("short") << qsizetype(100);
    QTest::newRow("exactly what is kept") << 2 * kKeptStreamBytes;
    QTest::newRow("one byte more") << 2 * kKeptStreamBytes + 1;
    QTest::newRow("a flood") << qsizetype(30) * 1024 * 1024;
}

void ProcessRunnerTest::longStreamsKeepStartAndEnd()
{
    QFETCH(qsizetype, size);
    const auto stream = [size](const QByteArray &line) {
        QByteArray text;
        while (text.size() < size)
            text += line;
        text.truncate(size);
        if (size <= 2 * kKeptStreamBytes)
            return text;
        return text.left(kKeptStreamBytes) + "\n\xE2\x80\xA6\n" + text.right(kKeptStreamBytes);
    };
    ProcessRunner runner;
    const ProcessRunner::Result result = runner.run(
        child({{"flood", "err", QString::number(size), "0123456789"}, {"flood", "out", QString::number(size), "abc"}}), {});
    QCOMPARE(result.ending, ProcessRunner::Ending::Exited);
    QVERIFY(result.standardError == stream("0123456789\n"));
    QVERIFY(result.standardOutput == stream("abc\n"));
}

void ProcessRunnerTest::applicationExitIsNoSuccess()
{
    QTemporaryDir dir;
    const QString pids = dir.filePath("pids");
    ProcessRunner runner;
    std::unique_ptr<QTimer> trigger(whenFileHasLines(pids, 1, [] { QCoreApplication::exit(0); }));
    const ProcessRunner::Result result = runner.run(child({{"linger", pids}, {"wait-worker"}, {"exit", "0"}}), {});
    QCOMPARE(result.ending, ProcessRunner::Ending::Cancelled);
    QVERIFY(result.code != 0);
    for (const QString &pid : readLines(pids).value(0).split(' '))
        QTRY_VERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
}

CORVANTA_TEST_MAIN(ProcessRunnerTest)
#include "test_process_runner.moc"
