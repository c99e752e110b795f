// corvanta-check: opens PDF files for Corvanta in a process of its own.
// A hostile file can make the PDF library take memory and time without end,
// or overflow its stack; here that costs this process alone, which runs
// under limits that Corvanta sets (memory, a deadline per file) and dies
// with it. Requests come on standard input and answers go to standard
// output, framed; nothing else is read or written.

#include "check/PdfReading.h"
#include "check/Protocol.h"

#include <QFileInfo>
#include <QThread>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using namespace corvanta;

// Honest page trees are shallow, but libqpdf itself recurses through some
// structures; the work runs on a stack far larger than the usual 8 MiB.
constexpr uint kStackBytes = 64 * 1024 * 1024;

// After running out of memory the library's state cannot be trusted; the
// process ends, and Corvanta starts a fresh one for the files that remain.
constexpr int kExitAfterRunningOut = 3;

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
        if (!reader.next(request) || request.kind != CheckFrame::Kind::Request)
            return 1;
        if (!write(begunFrame(QFileInfo(request.request.path).size())))
            return 1;
        const PdfCheck check = readPdf(request.request.path, request.request.password);
        if (!write(foundFrame(check)))
            return 1;
        if (check.problem == PdfProblem::NeedsTooMuchMemory)
            return kExitAfterRunningOut;
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
