#include "check/OpenFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>

#include <windows.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// Files up to this size are parsed from memory, which is several times
// faster for the long cross-reference tables of files with many pages.
constexpr qint64 kParsedInMemory = 32 * 1024 * 1024;
#ifndef Q_OS_WIN
// Larger ones are mapped, up to this size: the mapping counts against the
// checker's memory limit, and the library's structures need room beside it.
constexpr qint64 kMappedAtMost = 256 * 1024 * 1024;
#endif

#ifdef Q_OS_WIN
FILE *openRegular(const QString &path, PdfCheck &check, qint64 &size)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        check.problem = PdfProblem::Missing;
        return nullptr;
    }
    if (!info.isFile()) {
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    size = info.size();
    const QString native = QDir::toNativeSeparators(path);
    FILE *file = _wfopen(reinterpret_cast<const wchar_t *>(native.utf16()), L"rb");
    if (!file) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    // Names such as NUL or \\.\pipe\… open devices and pipes; opening one
    // does not block, but reading might.
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
        std::fclose(file);
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    return file;
}
#else
FILE *openRegular(const QString &path, PdfCheck &check, qint64 &size)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0) {
        const int error = errno;
        check.problem = error == ENOENT || error == ENOTDIR ? PdfProblem::Missing : PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(error));
        return nullptr;
    }
    if (!S_ISREG(status.st_mode)) {
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    // Non-blocking, and checked again once open: the name may have been
    // replaced by a pipe since the stat.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    size = status.st_size;
    FILE *file = ::fdopen(fd, "rb");
    if (!file) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
    }
    return file;
}
#endif

} // namespace

OpenedFile::~OpenedFile()
{
#ifndef Q_OS_WIN
    if (m_mapped)
        ::munmap(m_mapped, size_t(m_mappedSize));
#endif
    if (file)
        std::fclose(file);
}

const char *OpenedFile::bytes() const
{
    return m_mapped ? static_cast<const char *>(m_mapped) : m_contents.constData();
}

size_t OpenedFile::byteCount() const
{
    return m_mapped ? size_t(m_mappedSize) : size_t(m_contents.size());
}

bool openRegularFile(const QString &path, PdfCheck &check, OpenedFile &opened)
{
    qint64 size = 0;
    opened.file = openRegular(path, check, size);
    if (!opened.file)
        return false;
    opened.description = path.toUtf8();
    opened.identity = identityOf(opened.file);
    if (size <= kParsedInMemory) {
        opened.m_contents.resize(size);
        opened.m_contents.resize(qsizetype(std::fread(opened.m_contents.data(), 1, size_t(size), opened.file)));
    } else {
#ifndef Q_OS_WIN
        // Parsed from a mapping, a large file reads almost as fast as from
        // memory, where read through the stream every seek discards what
        // was buffered.
        if (size <= kMappedAtMost) {
            void *mapped = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE, fileno(opened.file), 0);
            if (mapped != MAP_FAILED) {
                opened.m_mapped = mapped;
                opened.m_mappedSize = size;
            }
        }
#endif
        if (!opened.m_mapped)
            return true;
    }
    std::fclose(opened.file);
    opened.file = nullptr;
    return true;
}

} // namespace corvanta
