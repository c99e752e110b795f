#include "join/ProcessRunner.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <signal.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// A killed child is gone almost at once; the bound only guards against a
// process that the system cannot end.
constexpr int kReapMilliseconds = 10000;

// The only platform-specific part of running a child: how it is shown, how it
// is put in a process group of its own, and how that group is ended.
#if defined(Q_OS_WIN)
void prepareChild(QProcess &process, int windowStyle)
{
    const WORD show = WORD(ShowWindowCommand(windowStyle));
    process.setCreateProcessArgumentsModifier([show](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = show;
        if (show == SW_HIDE)
            args->flags |= CREATE_NO_WINDOW;
    });
}

void endChildAndGroup(QProcess &process)
{
    process.kill();
}
#elif defined(Q_OS_UNIX)
void prepareChild(QProcess &process, int)
{
    // A wrapper script that starts its real program without exec leaves that
    // program behind when only the wrapper is killed; a group of its own lets
    // cancel() end both.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void endChildAndGroup(QProcess &process)
{
    const qint64 pid = process.processId();
    if (pid > 0) {
        ::kill(pid_t(-pid), SIGKILL);
        // The child may not have made its group yet.
        ::kill(pid_t(pid), SIGKILL);
    } else {
        process.kill();
    }
}
#else
void prepareChild(QProcess &, int) {}
void endChildAndGroup(QProcess &process)
{
    process.kill();
}
#endif

bool programExists(const QString &program)
{
    if (program.contains(QLatin1Char('/')) || program.contains(QDir::separator()))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

int NormalizeWindowStyle(int style)
{
    return (style < 0 || style > 6) ? kDefaultWindowStyle : style;
}

int ShowWindowCommand(int style)
{
    // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED,
    // SW_SHOWNOACTIVATE, SW_SHOW, SW_SHOWMINNOACTIVE
    static constexpr int kCommands[] = {0, 1, 2, 3, 4, 5, 7};
    return kCommands[NormalizeWindowStyle(style)];
}

void ProcessRunner::setEnvironment(const QProcessEnvironment &environment)
{
    m_environment = environment;
    m_hasEnvironment = true;
}

ProcessRunner::Result ProcessRunner::run(const QString &program, const QStringList &arguments,
                                         int windowStyle)
{
    Result result;
    if (m_process) {
        result.code = kStartFailureBase + kProgramNotRunnable;
        result.errorString = QStringLiteral("Another program is still running.");
        return result;
    }

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (m_hasEnvironment)
        process.setProcessEnvironment(m_environment);
    prepareChild(process, NormalizeWindowStyle(windowStyle));

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });

    m_cancelled = false;
    m_process = &process;
    process.start();
    // A start can fail inside start(); a quit sent before exec() would be lost.
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // Also reached when the whole application is told to exit: the child may
    // still be running then, and must not be mistaken for a success.
    if (process.state() != QProcess::NotRunning) {
        m_cancelled = true;
        endChildAndGroup(process);
        process.waitForFinished(kReapMilliseconds);
    }
    m_process = nullptr;

    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    result.errorString = process.errorString();
    if (m_cancelled) {
        result.ending = Ending::Cancelled;
        result.code = -1;
    } else if (process.error() == QProcess::FailedToStart) {
        result.ending = Ending::FailedToStart;
        result.code = kStartFailureBase + (programExists(program) ? kProgramNotRunnable : kProgramNotFound);
    } else if (process.exitStatus() == QProcess::CrashExit) {
        result.ending = Ending::Crashed;
        result.code = process.exitCode() != 0 ? process.exitCode() : -1;
    } else {
        result.ending = Ending::Exited;
        result.code = process.exitCode();
    }
    return result;
}

void ProcessRunner::cancel()
{
    if (!m_process)
        return;
    m_cancelled = true;
    endChildAndGroup(*m_process);
    // Reaps the child at once, which also ends the wait in run().
    m_process->waitForFinished(kReapMilliseconds);
}

int RunAndWait(const QString &program, const QStringList &arguments, int windowStyle)
{
    ProcessRunner runner;
    return runner.run(program, arguments, windowStyle).code;
}

} // namespace corvanta
