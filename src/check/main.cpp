// corvanta-check: opens PDF files for Corvanta in a process of its own.
// A hostile file can make the PDF library take memory and time without end,
// or overflow its stack; here that costs this process alone, which runs
// under limits that Corvanta sets (memory, CPU time per file) and dies
// with it. Requests come on standard input and answers go to standard
// output, framed; nothing else is read or written.

#include "check/PdfReading.h"
#include "check/Protocol.h"

#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#else
#include <ctime>
#include <unistd.h>
#endif

namespace {

using namespace corvanta;

// Honest page trees are shallow, but libqpdf itself recurses through some
// structures; the work runs on a stack far larger than the usual 8 MiB.
constexpr uint kStackBytes = 64 * 1024 * 1024;

// A file's CPU time: what the request grants, and more for each page,
// object and megabyte it gets through, up to a ceiling. Honest files earn
// many times what their work costs; a file that makes the library spin
// without getting anywhere earns nothing. Elapsed time never counts, so a
// busy machine refuses no honest file.
constexpr qint64 kDefaultMilliseconds = 3000;
constexpr double kMillisecondsPerPage = 1.0;
constexpr double kMillisecondsPerObject = 0.1;
constexpr double kMillisecondsPerMegabyte = 20.0;

// The CPU time this process has used, in milliseconds.
qint64 cpuMilliseconds()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME &time) {
        return (qint64(time.dwHighDateTime) << 32) | qint64(time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000;
#else
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#endif
}

// Ends the process when the file being read has used up its CPU time;
// Corvanta then gives that file up and starts a new checker for the rest.
class Budget
{
public:
    Budget()
        : m_watch([this] { watch(); })
    {
    }
    ~Budget()
    {
        m_stopping = true;
        m_watch.join();
    }

    ReadingWork &begin(qint64 grantedMilliseconds)
    {
        m_work.pages = 0;
        m_work.objects = 0;
        m_work.bytes = 0;
        m_granted = grantedMilliseconds > 0 ? grantedMilliseconds : kDefaultMilliseconds;
        m_started = cpuMilliseconds();
        m_reading = true;
        return m_work;
    }
    // What the file cost.
    qint64 end()
    {
        m_reading = false;
        return cpuMilliseconds() - m_started;
    }

private:
    qint64 allowed() const
    {
        const double earned = double(m_work.pages) * kMillisecondsPerPage
            + double(m_work.objects) * kMillisecondsPerObject
            + double(m_work.bytes) / (1 << 20) * kMillisecondsPerMegabyte;
        const qint64 granted = m_granted;
        return std::min(granted + qint64(earned), std::max(granted, kCheckCeilingMilliseconds));
    }

    void watch()
    {
        while (!m_stopping) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (m_reading && cpuMilliseconds() - m_started > allowed())
                std::_Exit(kCheckerOutOfTime);
        }
    }

    ReadingWork m_work;
    std::atomic<qint64> m_granted{0};
    std::atomic<qint64> m_started{0};
    std::atomic<bool> m_reading{false};
    std::atomic<bool> m_stopping{false};
    std::thread m_watch;
};

// Nothing this process did not open itself stays open in it.
void closeInheritedFiles()
{
#ifndef Q_OS_WIN
    const long most = ::sysconf(_SC_OPEN_MAX);
    for (int fd = 3; fd < (most > 0 ? most : 1024); ++fd)
        ::close(fd);
#endif
}

bool readExactly(char *data, size_t length)
{
    return std::fread(data, 1, length, stdin) == length;
}

bool write(const QByteArray &frame)
{
    return std::fwrite(frame.constData(), 1, size_t(frame.size()), stdout) == size_t(frame.size())
        && std::fflush(stdout) == 0;
}

int serve()
{
    Budget budget;
    FrameReader reader;
    QByteArray bytes(sizeof(quint32), Qt::Uninitialized);
    for (;;) {
        // A frame's length first, then its body.
        if (!readExactly(bytes.data(), sizeof(quint32)))
            return 0; // Corvanta has no more files
        const quint32 length = qFromBigEndian<quint32>(bytes.constData());
        if (length > FrameReader::kLongestFrame)
            return 1;
        QByteArray body(qsizetype(length), Qt::Uninitialized);
        if (!readExactly(body.data(), length))
            return 1;
        reader.append(bytes + body);
        CheckFrame request;
        if (!reader.next(request)
            || (request.kind != CheckFrame::Kind::Request && request.kind != CheckFrame::Kind::MendRequest))
            return 1;
        if (!write(begunFrame()))
            return 1;
        ReadingWork &work = budget.begin(request.cpuMilliseconds);
        if (request.kind == CheckFrame::Kind::MendRequest) {
            bool ranOut = false;
            MendReport report;
            std::vector<std::shared_ptr<void>> structures;
            try {
                report = mendJoin(request.mend, &work.objects, &structures);
            } catch (const std::bad_alloc &) {
                ranOut = true;
                report = nothingMended(request.mend, QStringLiteral("out of memory"));
            }
            budget.end();
            if (!write(mendedFrame(report)))
                return 1;
            structures.clear();
            if (ranOut)
                return kCheckerRanOutOfMemory;
            continue;
        }
        work.fingerprinted = {request.firstPage, request.pageCount};
        PdfCheck check = readPdf(request.path, request.password, &work);
        check.cpuMilliseconds = budget.end();
        if (!write(foundFrame(check)))
            return 1;
        work.structures.reset();
        // After running out of memory the library's state cannot be trusted.
        if (check.problem == PdfProblem::NeedsTooMuchMemory)
            return kCheckerRanOutOfMemory;
    }
}

} // namespace

int main()
{
    closeInheritedFiles();
#ifdef Q_OS_WIN
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    int exitCode = 0;
    QThread *worker = QThread::create([&exitCode] { exitCode = serve(); });
    worker->setStackSize(kStackBytes);
    worker->start();
    worker->wait();
    delete worker;
    return exitCode;
}
