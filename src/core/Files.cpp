#include "core/Files.h"

#include "core/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#define CORVANTA_XDG_DESKTOP
#include <pwd.h>
#endif

namespace corvanta {

QString applicationFolder(const QString &dirPath)
{
    QString folder = QDir::toNativeSeparators(QDir::cleanPath(dirPath));
    if (folder.endsWith(QDir::separator()) && !QDir(dirPath).isRoot())
        folder.chop(1);
    return folder;
}

QString joinPath(const QString &folder, const QString &name)
{
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + sep + name;
}

QString collapseDriveRootSeparator(QString path)
{
    return path.replace(QStringLiteral(":\\\\"), QStringLiteral(":\\"));
}

bool isHiddenEntry(const QFileInfo &info)
{
#ifdef Q_OS_WIN
    const DWORD attributes =
        GetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(info.absoluteFilePath()).utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
    return info.isHidden();
#endif
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

void DeleteFileQuietly(const QString &path)
{
    QFile::remove(path);
}

bool isRegularFileOrAbsent(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode);
#else
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
#endif
}

namespace {

// At most `most` bytes of a regular file; nothing of anything else, which
// is never waited for.
QByteArray readRegularFile(const QString &path, qint64 most)
{
#ifdef Q_OS_UNIX
    // Opened without waiting, and looked at once open: a pipe may have
    // taken the name since anyone looked.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat status;
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return file.read(most);
#else
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(most);
#endif
}

} // namespace

namespace {

[[noreturn]] void noDesktop()
{
    throw std::runtime_error(Text::tr("The Desktop folder cannot be determined.").toStdString());
}

#ifdef CORVANTA_XDG_DESKTOP
// HOME, or where it is unset or not absolute, the account's own home
// folder, as the desktop's own programs take it. Empty when neither is known.
QByteArray homeFolderBytes()
{
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return home;
    const passwd *account = getpwuid(getuid());
    if (account && account->pw_dir && account->pw_dir[0] == '/')
        return QByteArray(account->pw_dir);
    return {};
}

// user-dirs.dirs is a few lines long; a file far larger is no such list.
constexpr qint64 kLargestUserDirs = 64 * 1024;

QByteArray userDirsBytes(const QByteArray &home)
{
    QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (!configHome.startsWith('/'))
        configHome = home + "/.config";
    return readRegularFile(QFile::decodeName(configHome + "/user-dirs.dirs"), kLargestUserDirs);
}
#endif

} // namespace

namespace {

// The Desktop that a user-dirs.dirs file names, read as the desktop's own
// programs read it: the last XDG_DESKTOP_DIR="$HOME/..." or ="/...", with
// its shell escapes. Any other value ("" or a relative path), or none,
// gives `home`/Desktop.
QByteArray xdgDesktopFolder(const QByteArray &userDirs, const QByteArray &home)
{
    QByteArray desktop;
    for (QByteArray line : userDirs.split('\n')) {
        line = line.trimmed();
        if (!line.startsWith("XDG_DESKTOP_DIR"))
            continue;
        line = line.mid(15).trimmed();
        if (!line.startsWith('='))
            continue;
        line = line.mid(1).trimmed();
        if (!line.startsWith('"'))
            continue;
        line = line.mid(1);
        const bool inHome = line.startsWith("$HOME") && (line.size() == 5 || line.at(5) == '/' || line.at(5) == '"');
        if (!inHome && !line.startsWith('/'))
            continue; // "" or a relative path: not a folder anyone can find
        QByteArray value;
        for (qsizetype i = inHome ? 5 : 0; i < line.size() && line.at(i) != '"'; ++i) {
            if (line.at(i) == '\\' && i + 1 < line.size())
                ++i;
            value.append(line.at(i));
        }
        while (value.size() > 1 && value.endsWith('/'))
            value.chop(1);
        desktop = inHome ? home + (value == "/" ? QByteArray() : value) : value;
    }
    return desktop.isEmpty() ? home + "/Desktop" : desktop;
}

} // namespace

QString DesktopFolder()
{
#ifdef CORVANTA_XDG_DESKTOP
    const QByteArray home = homeFolderBytes();
    if (home.isEmpty())
        noDesktop();
    const QByteArray bytes = xdgDesktopFolder(userDirsBytes(home), home);
    const QString desktop = QString::fromUtf8(bytes);
    // pdftk and every file function here take names as UTF-8, so a folder
    // named otherwise cannot be written to as it is named.
    if (desktop.toUtf8() != bytes)
        throw std::runtime_error(
            Text::tr("The Desktop folder %1 cannot be used: its name is not valid UTF-8, and pdftk takes only "
                     "names that are.")
                .arg(desktop)
                .toStdString());
#else
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        noDesktop();
#endif
    return QDir::toNativeSeparators(desktop) + QDir::separator();
}

QString folderEntry(const QString &folder)
{
    return joinPath(QDir::toNativeSeparators(folder), QString());
}

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int compareDigitRuns(const QString &a, qsizetype &i, const QString &b, qsizetype &j)
{
    while (i < a.size() && a.at(i) == QLatin1Char('0'))
        ++i;
    while (j < b.size() && b.at(j) == QLatin1Char('0'))
        ++j;
    qsizetype endA = i;
    qsizetype endB = j;
    while (endA < a.size() && isDigit(a.at(endA)))
        ++endA;
    while (endB < b.size() && isDigit(b.at(endB)))
        ++endB;
    int result = 0;
    if (endA - i != endB - j) {
        result = endA - i < endB - j ? -1 : 1;
    } else {
        for (qsizetype k = 0; k < endA - i && result == 0; ++k) {
            if (a.at(i + k) != b.at(j + k))
                result = a.at(i + k) < b.at(j + k) ? -1 : 1;
        }
    }
    i = endA;
    j = endB;
    return result;
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a.at(i)) && isDigit(b.at(j))) {
            const int byValue = compareDigitRuns(a, i, b, j);
            if (byValue != 0)
                return byValue < 0;
            continue;
        }
        const QChar ca = a.at(i).toCaseFolded();
        const QChar cb = b.at(j).toCaseFolded();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return j < b.size();
    // Equal so far in case and value: fall back to the plain text, so that
    // "a.pdf" and "A.pdf" (or "1" and "01") still have a fixed order.
    return a < b;
}

} // namespace corvanta
