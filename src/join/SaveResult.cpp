#include "join/SaveResult.h"

#include "join/Pdftk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

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

SavedFile SaveJoinedFile(const QString &written, const QString &outputPath)
{
    SavedFile saved;
    saved.error = ReplaceFile(written, outputPath);
    if (saved.error.isEmpty()) {
        saved.path = outputPath;
        return saved;
    }

    const auto [folder, name] = SplitOutputPath(outputPath);
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
