#include "join/SaveResult.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// Elsewhere the leading dot of the temporary name hides it.
#ifdef Q_OS_WIN
void setHiddenAttribute(const QString &path, bool hidden)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    DWORD wanted = hidden ? attributes | FILE_ATTRIBUTE_HIDDEN : attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
    if (wanted == 0)
        wanted = FILE_ATTRIBUTE_NORMAL;
    if (wanted != attributes)
        SetFileAttributesW(name.c_str(), wanted);
}
#else
void setHiddenAttribute(const QString &, bool) {}
#endif

// A dangling link takes a name too.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

enum class Renamed { Done, NameTaken, Failed };

// Renames `source` to `target` only if nothing is there: the check and the
// rename are one step, so a file that appears meanwhile is never replaced.
Renamed renameWithoutReplacing(const QString &source, const QString &target, QString &error)
{
#if defined(Q_OS_WIN)
    const QString from = QDir::toNativeSeparators(source);
    const QString to = QDir::toNativeSeparators(target);
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()), 0))
        return Renamed::Done;
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return Renamed::NameTaken;
    error = qt_error_string(int(code));
    return Renamed::Failed;
#else
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    const auto failed = [&error](int code) {
        error = qt_error_string(code);
        return code == EEXIST ? Renamed::NameTaken : Renamed::Failed;
    };
    // The file systems that cannot do a step say so with one of these.
    const auto unsupported = [](int code) {
        return code == EINVAL || code == ENOSYS || code == EPERM || code == ENOTSUP || code == EOPNOTSUPP;
    };
#ifdef Q_OS_LINUX
    // One step, where the system and the file system have it.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Renamed::Done;
    if (!unsupported(errno))
        return failed(errno);
#endif
    // A second name made with link() fails if the name is taken; the first
    // name then goes. Many file systems (FAT, exFAT, network shares) have
    // no such links.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return Renamed::Done;
    }
    if (!unsupported(errno))
        return failed(errno);
    // Claim the name by making it, then rename over what was just made.
    const int claimed = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (claimed < 0)
        return failed(errno);
    ::close(claimed);
    if (::rename(from.constData(), to.constData()) == 0)
        return Renamed::Done;
    const int code = errno;
    ::unlink(to.constData());
    return failed(code);
#endif
}

// An output path cut before its file name: the folder part exactly as the
// path has it, separators and all, and the name.
struct OutputPathParts
{
    QString folder;
    QString name;
};

OutputPathParts splitOutputPath(const QString &outputPath)
{
    const qsizetype cut = std::max(outputPath.lastIndexOf(QLatin1Char('/')), outputPath.lastIndexOf(QDir::separator()));
    return {outputPath.left(cut + 1), outputPath.mid(cut + 1)};
}

} // namespace

QString temporaryOutputPath(const QString &outputPath)
{
    const OutputPathParts parts = splitOutputPath(outputPath);
    QString candidate;
    do {
        const QString tag =
            QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        candidate = parts.folder + QLatin1Char('.') + parts.name + QLatin1Char('.')
            + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('.') + tag + QLatin1String(".part");
    } while (QFileInfo::exists(candidate));
    return candidate;
}

void hideTemporaryFile(const QString &path)
{
    setHiddenAttribute(path, true);
}

namespace {

// Puts `source` in the place of `target` in one rename, replacing a file
// that is there. Returns "" on success, otherwise the system's reason.
QString replaceFile(const QString &source, const QString &target)
{
    // The hidden attribute would go with the file to its new name.
    setHiddenAttribute(source, false);
#ifdef Q_OS_WIN
    // std::filesystem's reasons come out garbled or as a bare "I/O error" here.
    const QString from = QDir::toNativeSeparators(source);
    const QString to = QDir::toNativeSeparators(target);
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING))
        return QString();
    return qt_error_string(int(GetLastError()));
#else
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), error);
    return error ? QString::fromStdString(error.message()) : QString();
#endif
}

} // namespace

SavedFile saveJoinedFile(const QString &written, const QString &outputPath)
{
    SavedFile saved;
    // The first reason is the one that tells the user why joined.pdf is not it.
    saved.error = replaceFile(written, outputPath);
    if (saved.error.isEmpty()) {
        saved.path = outputPath;
        return saved;
    }
    const auto [folder, name] = splitOutputPath(outputPath);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    for (int number = 2;; ++number) {
        const QString candidate = folder + stem + QStringLiteral(" (%1)").arg(number) + suffix;
        if (nameTaken(candidate))
            continue;
        QString error;
        const Renamed renamed = renameWithoutReplacing(written, candidate, error);
        if (renamed == Renamed::NameTaken)
            continue;
        // Where no name can be given to it, the result is copied: a new file
        // can be made here, or pdftk could not have written it.
        if (renamed == Renamed::Done || (QFile::copy(written, candidate) && QFile::remove(written))) {
            saved.path = candidate;
            setHiddenAttribute(candidate, false);
        }
        return saved;
    }
}

// Whether the process `pid` still runs.
static bool isOwnerAlive(qint64 pid)
{
#if defined(Q_OS_WIN)
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#endif
}

void removeLeftovers(const QString &outputPath)
{
    const auto [folder, name] = splitOutputPath(outputPath);
    const QRegularExpression temporary(
        QStringLiteral("^\\.%1\\.(\\d+)\\.[0-9a-f]{16}\\.part$").arg(QRegularExpression::escape(name)));
    const QDir desktop(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList candidates = desktop.entryList({QLatin1Char('.') + name + QStringLiteral(".*.part")},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &candidate : candidates) {
        const QRegularExpressionMatch match = temporary.match(candidate);
        const qint64 owner = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        if (owner > 0 && owner != QCoreApplication::applicationPid() && !isOwnerAlive(owner))
            QFile::remove(desktop.filePath(candidate));
    }
}

} // namespace corvanta
