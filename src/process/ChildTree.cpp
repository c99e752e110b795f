#include "process/ChildTree.h"

#include <QElapsedTimer>
#include <QProcess>

#if defined(Q_OS_WIN)
#include <windows.h>

#include <vector>

// Older SDK headers that assume an earlier Windows leave it out.
#ifndef PROC_THREAD_ATTRIBUTE_JOB_LIST
#define PROC_THREAD_ATTRIBUTE_JOB_LIST ProcThreadAttributeValue(13, FALSE, TRUE, FALSE)
#endif
#elif defined(Q_OS_UNIX)
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif
#endif

namespace corvanta {

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

namespace {

// A killed child is gone almost at once; the bound only guards against a
// process that the system cannot end.
constexpr int kReapMilliseconds = 10000;

#ifdef Q_OS_UNIX
// Low priority, as for any background work: far below the window, yet not
// starved on a machine that is merely busy.
constexpr int kLowPriorityNice = 10;
#endif

} // namespace

#if defined(Q_OS_WIN)
// The child is created inside a job that ends every process in it when the
// job is closed, so a launcher that starts the real program cannot leave
// that program behind. The job's handle closes when this program ends.
struct ChildTree::Platform
{
    ~Platform()
    {
        if (m_attributes)
            DeleteProcThreadAttributeList(m_attributes);
        if (m_job)
            CloseHandle(m_job);
    }

    void prepare(QProcess &process, int windowStyle, qint64 memoryLimit, bool lowPriority)
    {
        m_job = CreateJobObjectW(nullptr, nullptr);
        if (m_job) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            if (memoryLimit > 0) {
                limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
                limits.ProcessMemoryLimit = SIZE_T(memoryLimit);
            }
            SIZE_T size = 0;
            InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
            m_attributeStorage.resize(size);
            auto *list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_attributeStorage.data());
            if (SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits)
                && InitializeProcThreadAttributeList(list, 1, 0, &size)) {
                m_attributes = list;
                if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_JOB_LIST, &m_job, sizeof m_job, nullptr,
                                               nullptr)) {
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
        process.setCreateProcessArgumentsModifier([this, show, lowPriority](QProcess::CreateProcessArguments *args) {
            m_startup.StartupInfo = *args->startupInfo;
            m_startup.StartupInfo.dwFlags |= STARTF_USESHOWWINDOW;
            m_startup.StartupInfo.wShowWindow = show;
            if (show == SW_HIDE)
                args->flags |= CREATE_NO_WINDOW;
            if (lowPriority)
                args->flags |= BELOW_NORMAL_PRIORITY_CLASS;
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

    // TerminateJobObject does not wait: a launcher's child may still hold
    // the file it wrote open, so that removing it would fail.
    void waitForJobToEmpty() const
    {
        QElapsedTimer waited;
        waited.start();
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
        while (QueryInformationJobObject(m_job, JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                         nullptr)
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
struct ChildTree::Platform
{
    void prepare(QProcess &process, int, qint64 memoryLimit, bool lowPriority)
    {
        const pid_t parent = ::getpid();
        // Runs in the child between fork and exec: only calls that are safe there.
        process.setChildProcessModifier([parent, memoryLimit, lowPriority] {
            ::setpgid(0, 0);
#ifdef Q_OS_LINUX
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
            if (::getppid() != parent)
                _exit(1); // this program is already gone
            const struct rlimit noCores = {0, 0};
            ::setrlimit(RLIMIT_CORE, &noCores);
            if (memoryLimit > 0) {
                const struct rlimit memory = {rlim_t(memoryLimit), rlim_t(memoryLimit)};
                ::setrlimit(RLIMIT_AS, &memory);
            }
            if (lowPriority)
                ::setpriority(PRIO_PROCESS, 0, kLowPriorityNice);
        });
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
struct ChildTree::Platform
{
    void prepare(QProcess &, int, qint64, bool) {}
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

ChildTree::ChildTree()
    : m_platform(std::make_unique<Platform>())
{
}

ChildTree::~ChildTree() = default;

void ChildTree::prepare(QProcess &process, int windowStyle, qint64 memoryLimit, bool lowPriority)
{
    m_platform->prepare(process, windowStyle, memoryLimit, lowPriority);
}

void ChildTree::started(QProcess &process)
{
    m_platform->started(process);
}

void ChildTree::end(QProcess &process)
{
    m_platform->end(process);
}

} // namespace corvanta
