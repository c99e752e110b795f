#pragma once

#include "process/ChildTree.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace corvanta {

// A program that could not be started yields this base plus an error number:
// 53 when the program does not exist, 75 when it exists but cannot be run.
inline constexpr int kStartFailureBase = -2147221504; // 0x80040000
inline constexpr int kProgramNotFound = 53;
inline constexpr int kProgramNotRunnable = 75;

// How much of each of the child's streams is kept at its start and at its
// end; whatever comes between is left out, so memory stays flat however
// much the child prints.
inline constexpr qsizetype kKeptStreamBytes = 64 * 1024;

// Runs one child process at a time and waits, with the event loop going on,
// until it ends. Its standard input is closed; the start and the end of its
// output and error streams are kept (kKeptStreamBytes of each). It runs in a
// process group of its own (on Windows a job); however it ends, what is left
// of that group is ended before run() returns.
class ProcessRunner
{
public:
    enum class Ending {
        Exited,        // ran to its end; `code` is its exit code
        Crashed,       // ended by a signal or a fault; `code` is not 0
        FailedToStart, // never ran; `code` is kStartFailureBase + error number
        Cancelled,     // ended by cancel(), or the wait was cut short
    };

    struct Result
    {
        Ending ending = Ending::FailedToStart;
        int code = 0;
        // What the child wrote; when a stream was longer than twice
        // kKeptStreamBytes, its middle is replaced by a line "…".
        QByteArray standardOutput;
        QByteArray standardError;
        QString errorString;
    };

    ProcessRunner() = default;
    ProcessRunner(const ProcessRunner &) = delete;
    ProcessRunner &operator=(const ProcessRunner &) = delete;

    // The child's environment; the caller's own when never set.
    void setEnvironment(const QProcessEnvironment &environment);
    // The folder the child runs in; the caller's own when never set.
    void setWorkingFolder(const QString &folder);
    // A program that runs each child and ends it, and all it started, when
    // this program ends, even by SIGKILL (corvanta-guard; POSIX only). The
    // guard is given the child's program and arguments as its own.
    void setGuard(const QString &guard);

    Result run(const QString &program, const QStringList &arguments, int windowStyle = kDefaultWindowStyle);

    // Ends the running child and its whole process group and waits until it
    // is gone; run() then returns Cancelled. Does nothing when idle.
    void cancel();

private:
    class Child;
    Result endingOf(const Child &child, const QString &program) const;

    Child *m_child = nullptr;
    bool m_cancelled = false;
    QProcessEnvironment m_environment;
    bool m_hasEnvironment = false;
    QString m_workingFolder;
    QString m_guard;
};

} // namespace corvanta
