#include "join/PdfCheck.h"

#include <QFile>
#include <QScopeGuard>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>

#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// Files up to this size are parsed from memory, which is several times
// faster for the long cross-reference tables of files with many pages.
constexpr qint64 kParsedInMemory = 32 * 1024 * 1024;

// Opens `path` for reading if it is a regular file, and tells its size;
// otherwise sets the problem and returns nullptr.
#ifdef Q_OS_WIN
FILE *openRegularFile(const QString &path, PdfCheck &check, qint64 &size)
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
FILE *openRegularFile(const QString &path, PdfCheck &check, qint64 &size)
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

// Whether qpdf found no PDF header in the file. Without one the file is
// not a PDF at all (a picture or a text named .pdf) rather than a damaged
// PDF that pdftk might still repair.
bool lacksPdfHeader(QPDF &pdf)
{
    for (const QPDFExc &warning : pdf.getWarnings()) {
        if (warning.getMessageDetail() == "can't find PDF header")
            return true;
    }
    return false;
}

// The count the page tree states is what readers show, and walking every
// page would take longer than the join itself for a thick file.
int pageCount(QPDF &pdf, PageCount counting)
{
    QPDFObjectHandle count = pdf.getRoot().getKey("/Pages").getKey("/Count");
    if (counting == PageCount::Stated && count.isInteger() && count.getIntValue() >= 0
        && count.getIntValue() <= INT_MAX)
        return count.getIntValueAsInt();
    return int(pdf.getAllPages().size());
}

} // namespace

PdfCheck checkPdf(const QString &path, const QString &password, PageCount counting)
{
    PdfCheck check;
    qint64 size = 0;
    FILE *file = openRegularFile(path, check, size);
    if (!file)
        return check;
    QByteArray contents;
    if (size <= kParsedInMemory) {
        contents.resize(size);
        contents.resize(qsizetype(std::fread(contents.data(), 1, size_t(size), file)));
        std::fclose(file);
        file = nullptr;
    }
    const auto closeFile = qScopeGuard([file] {
        if (file)
            std::fclose(file);
    });
    const QByteArray description = path.toUtf8();
    // Older encryption keeps a password in a single-byte encoding, which
    // pdftk accepts as typed: the same password in those encodings is tried
    // too, so a password with "é" in it is not called wrong.
    const std::vector<std::string> passwords = password.isEmpty()
        ? std::vector<std::string>{std::string()}
        : QUtil::possible_repaired_encodings(password.toStdString());
    for (size_t tried = 0; tried < passwords.size(); ++tried) {
        QPDF pdf;
        try {
            pdf.setSuppressWarnings(true);
            // Repair means reading the whole file; whether a damaged file
            // can be joined is for pdftk to find out.
            pdf.setAttemptRecovery(false);
            if (file) {
                std::rewind(file);
                pdf.processFile(description.constData(), file, false, passwords[tried].c_str());
            } else {
                pdf.processMemoryFile(description.constData(), contents.constData(), size_t(contents.size()),
                                      passwords[tried].c_str());
            }
            check.encrypted = pdf.isEncrypted();
            check.pages = pageCount(pdf, counting);
            return check;
        } catch (const QPDFExc &error) {
            const bool passwordRefused = error.getErrorCode() == qpdf_e_password;
            if (passwordRefused && tried + 1 < passwords.size())
                continue;
            if (passwordRefused)
                check.problem = password.isEmpty() ? PdfProblem::NeedsPassword : PdfProblem::WrongPassword;
            else
                check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
            check.encrypted = passwordRefused;
            check.detail = QString::fromStdString(error.getMessageDetail());
        } catch (const std::exception &error) {
            check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
            check.detail = QString::fromUtf8(error.what());
        }
        break;
    }
    check.pages = -1;
    return check;
}

} // namespace corvanta
