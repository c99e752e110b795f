#include "join/SaveResult.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
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
    // A second name made with link() fails if the name is taken; the first
    // name then goes.
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return Renamed::Done;
    }
    if (errno == EEXIST)
        return Renamed::NameTaken;
    error = qt_error_string(errno);
    return Renamed::Failed;
#endif
}

} // namespace

OutputPathParts splitOutputPath(const QString &outputPath)
{
    const qsizetype cut = std::max(outputPath.lastIndexOf(QLatin1Char('/')), outputPath.lastIndexOf(QDir::separator()));
    return {outputPath.left(cut + 1), outputPath.mid(cut + 1)};
}

QString temporaryOutputPath(const QString &outputPath)
{
    const OutputPathParts parts = splitOutputPath(outputPath);
    QString candidate;
    do {
        const QString tag = QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        candidate = parts.folder + QLatin1Char('.') + parts.name + QLatin1Char('.') + tag + QLatin1String(".part");
    } while (QFileInfo::exists(candidate));
    return candidate;
}

void hideTemporaryFile(const QString &path)
{
    setHiddenAttribute(path, true);
}

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

SavedFile saveJoinedFile(const QString &written, const QString &outputPath)
{
    SavedFile saved;
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
        switch (renameWithoutReplacing(written, candidate, error)) {
        case Renamed::Done:
            saved.path = candidate;
            return saved;
        case Renamed::NameTaken:
            continue;
        case Renamed::Failed:
            saved.error = error;
            return saved;
        }
    }
}

} // namespace corvanta
