#include "join/ProcessRunner.h"

#include "core/Text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#if defined(Q_OS_WIN)
#include <windows.h>

#include <vector>

// Older SDK headers that assume an earlier Windows leave it out.
#ifndef PROC_THREAD_ATTRIBUTE_JOB_LIST
#define PROC_THREAD_ATTRIBUTE_JOB_LIST ProcThreadAttributeValue(13, FALSE, TRUE, FALSE)
#endif
#elif defined(Q_OS_UNIX)
#include <signal.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// A killed child is gone almost at once; the bound only guards against a
// process that the system cannot end.
constexpr int kReapMilliseconds = 10000;

// Keeps the start and the end of one of the child's streams.
class StreamCapture
{
public:
    void append(const QByteArray &data)
    {
        m_total += data.size();
        qsizetype used = 0;
        if (m_head.size() < kKeptStreamBytes) {
            used = std::min(kKeptStreamBytes - m_head.size(), data.size());
            m_head.append(data.constData(), used);
        }
        if (used == data.size())
            return;
        m_tail.append(data.constData() + used, data.size() - used);
        // Trimmed only now and then, so that a stream of small pieces does
        // not move the kept bytes for every piece.
        if (m_tail.size() > 2 * kKeptStreamBytes)
            m_tail.remove(0, m_tail.size() - kKeptStreamBytes);
    }

    QByteArray text() const
    {
        const QByteArray tail = m_tail.right(kKeptStreamBytes);
        if (m_total == m_head.size() + tail.size())
            return m_head + tail;
        // "…" in UTF-8 on a line of its own where the middle was left out.
        return m_head + "\n\xE2\x80\xA6\n" + tail;
    }

private:
    QByteArray m_head;
    QByteArray m_tail;
    qint64 m_total = 0;
};

// The only platform-specific part of running a child: how it is shown, how
// it and everything it starts are kept together, and how they are ended.
#if defined(Q_OS_WIN)
// The child is created inside a job that ends every process in it when the
// job is closed, so a launcher that starts the real program cannot leave
// that program behind.
class ChildTree
{
public:
    ChildTree() = default;
    ChildTree(const ChildTree &) = delete;
    ChildTree &operator=(const ChildTree &) = delete;

    ~ChildTree()
    {
        if (m_attributes)
            DeleteProcThreadAttributeList(m_attributes);
        if (m_job)
            CloseHandle(m_job);
    }

    void prepare(QProcess &process, int windowStyle)
    {
        m_job = CreateJobObjectW(nullptr, nullptr);
        if (m_job) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            SIZE_T size = 0;
            InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
            m_attributeStorage.resize(size);
            auto *list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_attributeStorage.data());
            if (SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits)
                && InitializeProcThreadAttributeList(list, 1, 0, &size)) {
                m_attributes = list;
                if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_JOB_LIST, &m_job,
                                               sizeof m_job, nullptr, nullptr)) {
                    DeleteProcThreadAttributeList(list);
                    m_attributes = nullptr;
                }
            }
            if (!m_attributes) {
                CloseHandle(m_job);
                m_job = nullptr;
            }
        }
        const WORD show = WORD(showWindowCommand(windowStyle));
        process.setCreateProcessArgumentsModifier([this, show](QProcess::CreateProcessArguments *args) {
            m_startup.StartupInfo = *args->startupInfo;
            m_startup.StartupInfo.dwFlags |= STARTF_USESHOWWINDOW;
            m_startup.StartupInfo.wShowWindow = show;
            if (show == SW_HIDE)
                args->flags |= CREATE_NO_WINDOW;
            if (m_attributes) {
                m_startup.StartupInfo.cb = sizeof m_startup;
                m_startup.lpAttributeList = m_attributes;
                args->flags |= EXTENDED_STARTUPINFO_PRESENT;
            }
            args->startupInfo = &m_startup.StartupInfo;
        });
    }

    void started(QProcess &) {}

    void end(QProcess &process)
    {
        if (m_job)
            TerminateJobObject(m_job, 1);
        else if (process.state() != QProcess::NotRunning)
            process.kill();
        if (process.state() != QProcess::NotRunning)
            process.waitForFinished(kReapMilliseconds);
        if (m_job)
            waitForJobToEmpty();
    }

private:
    // TerminateJobObject does not wait: a launcher's child may still hold
    // the file it wrote open, so that removing it would fail.
    void waitForJobToEmpty() const
    {
        QElapsedTimer waited;
        waited.start();
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
        while (QueryInformationJobObject(m_job, JobObjectBasicAccountingInformation, &accounting,
                                         sizeof accounting, nullptr)
               && accounting.ActiveProcesses > 0 && waited.elapsed() < kReapMilliseconds)
            Sleep(2);
    }

    HANDLE m_job = nullptr;
    std::vector<char> m_attributeStorage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_attributes = nullptr;
    STARTUPINFOEXW m_startup = {};
};
#elif defined(Q_OS_UNIX)
// The child leads a process group of its own. A wrapper script that starts
// its real program without exec (Debian's pdftk starts Java that way) would
// otherwise leave that program running when only the wrapper ends.
class ChildTree
{
public:
    void prepare(QProcess &process, int)
    {
        process.setChildProcessModifier([] { ::setpgid(0, 0); });
    }

    void started(QProcess &process)
    {
        m_group = pid_t(process.processId());
        // Also made from this side, so that the group exists whichever of
        // the two runs first; fails harmlessly once the child has run its
        // program.
        if (m_group > 0)
            ::setpgid(m_group, m_group);
    }

    void end(QProcess &process)
    {
        const bool groupLeft = m_group > 0 && ::kill(-m_group, SIGKILL) == 0;
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kReapMilliseconds);
        }
        if (groupLeft)
            waitForGroupToGo();
    }

private:
    // The killed members are gone within moments. Orphans that nobody reaps
    // still count as members, so the wait is bounded.
    void waitForGroupToGo() const
    {
        QElapsedTimer waited;
        waited.start();
        while (::kill(-m_group, 0) == 0 && waited.elapsed() < 200)
            ::usleep(2000);
    }

    pid_t m_group = 0;
};
#else
class ChildTree
{
public:
    void prepare(QProcess &, int) {}
    void started(QProcess &) {}
    void end(QProcess &process)
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kReapMilliseconds);
        }
    }
};
#endif

bool programExists(const QString &program)
{
    if (program.contains(QLatin1Char('/')) || program.contains(QDir::separator()))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

int normalizeWindowStyle(int style)
{
    return (style < 0 || style > 6) ? kDefaultWindowStyle : style;
}

int showWindowCommand(int style)
{
    // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED,
    // SW_SHOWNOACTIVATE, SW_SHOW, SW_SHOWMINNOACTIVE
    static constexpr int kCommands[] = {0, 1, 2, 3, 4, 5, 7};
    return kCommands[normalizeWindowStyle(style)];
}

void ProcessRunner::setEnvironment(const QProcessEnvironment &environment)
{
    m_environment = environment;
    m_hasEnvironment = true;
}

// One running child with what belongs to it.
class ProcessRunner::Child
{
public:
    QProcess process;
    ChildTree tree;
    StreamCapture output;
    StreamCapture error;

    void readStreams()
    {
        output.append(process.readAllStandardOutput());
        error.append(process.readAllStandardError());
    }
};

ProcessRunner::Result ProcessRunner::run(const QString &program, const QStringList &arguments,
                                         int windowStyle)
{
    Result result;
    if (m_child) {
        result.code = kStartFailureBase + kProgramNotRunnable;
        result.errorString = Text::tr("Another program is still running.");
        return result;
    }

    Child child;
    QProcess &process = child.process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (m_hasEnvironment)
        process.setProcessEnvironment(m_environment);
    child.tree.prepare(process, normalizeWindowStyle(windowStyle));

    QEventLoop loop;
    // Read as it comes, so that QProcess never holds more than one piece.
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&child] { child.readStreams(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&child] { child.readStreams(); });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });

    m_cancelled = false;
    m_child = &child;
    process.start();
    child.tree.started(process);
    // A start can fail inside start(); a quit sent before exec() would be lost.
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // Also reached when the whole application is told to exit: the child may
    // still be running then, and must not be mistaken for a success.
    if (process.state() != QProcess::NotRunning)
        m_cancelled = true;
    child.tree.end(process);
    m_child = nullptr;

    child.readStreams();
    result.standardOutput = child.output.text();
    result.standardError = child.error.text();
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
    if (!m_child)
        return;
    m_cancelled = true;
    // Reaps the child at once, which also ends the wait in run().
    m_child->tree.end(m_child->process);
}

int RunAndWait(const QString &program, const QStringList &arguments, int windowStyle)
{
    ProcessRunner runner;
    return runner.run(program, arguments, windowStyle).code;
}

} // namespace corvanta
