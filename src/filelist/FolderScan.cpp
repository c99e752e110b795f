#include "filelist/FolderScan.h"

#include "core/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <windows.h>
#endif

namespace corvanta {

namespace {

// What a scan needs to know about one directory entry. The name is decoded
// only when it is wanted: most entries of a walk are looked at and passed by.
enum class EntryKind { File, Folder, FolderLink, Other };

struct Entry
{
    EntryKind kind = EntryKind::Other;
    bool hidden = false;
#ifdef Q_OS_UNIX
    const char *rawName = nullptr;
    std::size_t folderLength = 0; // bytes of the folder's path
    // File names are UTF-8 here, as QFile::encodeName writes them. A name
    // that is not would decode to a different, non-existent path.
    QString name() const
    {
        return QString::fromUtf8(rawName);
    }
    bool nameIsUtf8() const
    {
        return isValidUtf8(QByteArray::fromRawData(rawName, qsizetype(std::strlen(rawName))));
    }
    QString shownName() const
    {
        return shownBytes(QByteArray(rawName));
    }
    // Longer paths cannot be opened by any program, pdftk included.
    bool pathTooLong() const
    {
        return folderLength + 1 + std::strlen(rawName) >= PATH_MAX;
    }
#else
    QString decodedName;
    QString name() const
    {
        return decodedName;
    }
    bool nameIsUtf8() const
    {
        return true;
    }
    QString shownName() const
    {
        return decodedName;
    }
    // Windows opens a long path by its long form.
    bool pathTooLong() const
    {
        return false;
    }
#endif
};

// Why a folder's entries could not be read. A folder that is gone has no
// failure: it vanished while the user was looking.
struct ReadFailure
{
    LeftOutReason reason;
    QString detail;
};

// A file name pattern: "*" any run of characters, "?" any one character,
// everything else itself regardless of case. "*.*" is every file, names
// without a dot included, as it always has been on Windows.
class FilePattern
{
public:
    explicit FilePattern(const QString &pattern)
        : m_pattern(pattern)
        , m_everyFile(pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
    {
        // A pattern of ASCII characters without "?" can be matched against
        // the raw name, before it is decoded: only ASCII bytes can equal its
        // characters, and "*" passes over any bytes.
        m_onRawName = !pattern.contains(QLatin1Char('?'));
        for (QChar c : pattern)
            m_onRawName = m_onRawName && c.unicode() < 0x80;
        if (m_onRawName)
            m_asciiLower = pattern.toLatin1().toLower();
    }

    bool matches(const Entry &entry) const
    {
        if (m_everyFile)
            return true;
#ifdef Q_OS_UNIX
        if (m_onRawName)
            return matchWildcard(QByteArrayView(entry.rawName), QByteArrayView(m_asciiLower),
                                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
#endif
        return matchWildcard(QStringView(entry.name()), QStringView(m_pattern),
                             [](QChar c) { return c.toCaseFolded(); });
    }

private:
    template <typename Text, typename Fold> static bool matchWildcard(Text name, Text pattern, Fold fold)
    {
        qsizetype n = 0;
        qsizetype p = 0;
        qsizetype starAt = -1;
        qsizetype resumeAt = 0;
        while (n < name.size()) {
            if (p < pattern.size() && pattern[p] == '*') {
                starAt = p++;
                resumeAt = n;
            } else if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
                ++p;
                ++n;
            } else if (starAt >= 0) {
                p = starAt + 1;
                n = ++resumeAt;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == '*')
            ++p;
        return p == pattern.size();
    }

    QString m_pattern;
    QByteArray m_asciiLower;
    bool m_everyFile = false;
    bool m_onRawName = false;
};

#ifdef Q_OS_UNIX
EntryKind kindOfStat(const struct stat &info)
{
    if (S_ISREG(info.st_mode))
        return EntryKind::File;
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

// Links count as what they point to, except that a link to a folder stays a
// link: following it could lead back up the tree.
EntryKind kindOf(int folderFd, const dirent *entry)
{
    struct stat info;
    switch (entry->d_type) {
    case DT_REG:
        return EntryKind::File;
    case DT_DIR:
        return EntryKind::Folder;
    case DT_LNK:
        break;
    case DT_UNKNOWN:
        // Some file systems leave the type to a separate look-up.
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other;
        if (!S_ISLNK(info.st_mode))
            return kindOfStat(info);
        break;
    default:
        return EntryKind::Other;
    }
    if (::fstatat(folderFd, entry->d_name, &info, 0) != 0)
        return EntryKind::Other; // leads nowhere
    const EntryKind target = kindOfStat(info);
    return target == EntryKind::Folder ? EntryKind::FolderLink : target;
}

// Reads the entries of one folder straight from the directory: a walk reads
// every entry of a large tree twice, and a QFileInfo per entry would cost
// several times what the reading itself does. `visit` returns false to stop.
template <typename Visit> std::optional<ReadFailure> forEachEntry(const QString &folder, Visit &&visit)
{
    const QByteArray path = QFile::encodeName(QDir::fromNativeSeparators(folder));
    DIR *dir = ::opendir(path.constData());
    if (!dir) {
        // Nothing to list, and the walk goes on.
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return std::nullopt;
        if (error == ENAMETOOLONG)
            return ReadFailure{LeftOutReason::PathTooLong, QString()};
        return ReadFailure{LeftOutReason::FolderUnreadable, QString::fromLocal8Bit(std::strerror(error))};
    }
    const int fd = ::dirfd(dir);
    Entry current;
    current.folderLength = std::size_t(path.size());
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        current.kind = kindOf(fd, entry);
        current.hidden = name[0] == '.';
        current.rawName = name;
        if (!visit(current))
            break;
    }
    ::closedir(dir);
    return std::nullopt;
}
#else
// Links and junctions are reparse points whose tag says they name another
// place. Wine shows the links of the file system below it as reparse points
// without a tag. Other reparse points, such as files kept in the cloud, are
// plain files and folders.
bool isLink(const WIN32_FIND_DATAW &found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        && (IsReparseTagNameSurrogate(found.dwReserved0) || found.dwReserved0 == 0);
}

EntryKind kindOf(const QString &folder, const WIN32_FIND_DATAW &found)
{
    const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (!isLink(found))
        return isFolder ? EntryKind::Folder : EntryKind::File;
    if (isFolder)
        return EntryKind::FolderLink;
    // A link to a file stands for that file; one that leads nowhere is left
    // out. (The attributes of the entry are the link's own, not its target's.)
    return QFileInfo(joinPath(folder, QString::fromWCharArray(found.cFileName))).isFile() ? EntryKind::File
                                                                                          : EntryKind::Other;
}

// The entries of one folder, straight from the directory with their
// attributes: a QFileInfo per entry would ask for them a second time. The
// path's long form opens folders whatever the length of their path.
template <typename Visit> std::optional<ReadFailure> forEachEntry(const QString &folder, Visit &&visit)
{
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
    QString pattern = native.startsWith(QLatin1String("\\\\")) ? QStringLiteral("\\\\?\\UNC\\") + native.mid(2)
                                                               : QStringLiteral("\\\\?\\") + native;
    pattern = joinPath(pattern, QStringLiteral("*"));
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(reinterpret_cast<LPCWSTR>(pattern.utf16()), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // Nothing to list, and the walk goes on.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY)
            return std::nullopt;
        if (error == ERROR_FILENAME_EXCED_RANGE)
            return ReadFailure{LeftOutReason::PathTooLong, QString()};
        return ReadFailure{LeftOutReason::FolderUnreadable, qt_error_string(int(error))};
    }
    Entry current;
    do {
        current.decodedName = QString::fromWCharArray(found.cFileName);
        if (current.decodedName == QLatin1String(".") || current.decodedName == QLatin1String(".."))
            continue;
        current.kind = kindOf(native, found);
        current.hidden = found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (!visit(current)) {
            FindClose(search);
            return std::nullopt;
        }
    } while (FindNextFileW(search, &found));
    // The listing ends with "no more files", or with the reason it broke off.
    const DWORD error = GetLastError();
    FindClose(search);
    if (error == ERROR_NO_MORE_FILES)
        return std::nullopt;
    return ReadFailure{LeftOutReason::FolderUnreadable, qt_error_string(int(error))};
}
#endif

// Left out of folder scans: companions that file managers write beside
// documents. A "._name.pdf" matches "*.pdf" but never holds a PDF.
bool isFileSystemMetadata(const QString &name)
{
    return name.startsWith(QLatin1String("._")) || name.compare(QLatin1String(".DS_Store"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("Thumbs.db"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("desktop.ini"), Qt::CaseInsensitive) == 0;
}

void note(LeftOut *leftOut, const QString &shownPath, LeftOutReason reason, const QString &detail = QString())
{
    if (leftOut)
        leftOut->add(shownPath, reason, detail);
}

// Sorts in runs, and merges them, asking `keepGoing` between the pieces: a
// folder of a hundred thousand names, sorted in one go, would hold the
// window for tens of milliseconds. False once `keepGoing` said stop.
bool sortNaturally(QStringList &names, const KeepGoing &keepGoing)
{
    constexpr qsizetype kRun = 4096;
    const qsizetype count = names.size();
    const auto at = [&names](qsizetype index) { return names.begin() + index; };
    for (qsizetype start = 0; start < count; start += kRun) {
        std::sort(at(start), at(std::min(count, start + kRun)), naturalLess);
        if (count > kRun && !goesOn(keepGoing))
            return false;
    }
    for (qsizetype width = kRun; width < count; width *= 2) {
        for (qsizetype start = 0; start + width < count; start += 2 * width) {
            std::inplace_merge(at(start), at(start + width), at(std::min(count, start + 2 * width)), naturalLess);
            if (!goesOn(keepGoing))
                return false;
        }
    }
    return true;
}

} // namespace

bool CollectSubfolders(QStringList &folders, bool recursive, const KeepGoing &keepGoing, LeftOut *leftOut)
{
    // Level by level: each pass reads the folders the previous pass found, so
    // the collection comes out breadth-first and grouped by parent.
    qsizetype levelStart = 0;
    qsizetype levelEnd = folders.size();
    QStringList found;
    QStringList names;
    while (levelStart < levelEnd) {
        found.clear();
        for (qsizetype index = levelStart; index < levelEnd; ++index) {
            const QString parent = folders.at(index);
            if (!goesOn(keepGoing))
                return false;
            names.clear();
            // Hidden folders and links to folders are not entered.
            bool complete = true;
            const auto failure = forEachEntry(parent, [&](const Entry &entry) {
                if (entry.kind == EntryKind::Folder && !entry.hidden) {
                    if (entry.nameIsUtf8())
                        names.append(entry.name());
                    else
                        note(leftOut, joinPath(parent, entry.shownName()) + QDir::separator(),
                             LeftOutReason::NameNotUtf8);
                }
                complete = goesOn(keepGoing);
                return complete;
            });
            if (failure)
                note(leftOut, parent, failure->reason, failure->detail);
            std::sort(names.begin(), names.end(), naturalLess);
            for (const QString &name : std::as_const(names))
                found.append(joinPath(parent, name) + QDir::separator());
            if (!complete) {
                folders.append(found);
                return false;
            }
        }
        folders.append(found);
        if (!recursive)
            break;
        levelStart = levelEnd;
        levelEnd = folders.size();
    }
    return true;
}

QStringList ListFolderFiles(const QString &folder, const QString &pattern, const KeepGoing &keepGoing, LeftOut *leftOut)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    // Pipes, sockets, devices and dangling links are left out: none of them
    // can be read as a document.
    const FilePattern wanted(pattern);
    bool goingOn = true;
    forEachEntry(folder, [&](const Entry &entry) {
        if (entry.kind == EntryKind::File && wanted.matches(entry)) {
            if (!entry.nameIsUtf8())
                note(leftOut, joinPath(folder, entry.shownName()), LeftOutReason::NameNotUtf8);
            else if (entry.pathTooLong())
                note(leftOut, joinPath(folder, entry.name()), LeftOutReason::PathTooLong);
            else
                names.append(entry.name());
        }
        goingOn = goesOn(keepGoing);
        return goingOn;
    });
    if (goingOn)
        sortNaturally(names, keepGoing);
    return names;
}

bool scanFolderTree(const QString &folder, const QString &pattern, const FolderFilesSink &sink,
                    const KeepGoing &keepGoing, LeftOut *leftOut)
{
    // Once the caller says stop, nothing more is asked or handed over: the
    // window (and the list behind `sink`) may be gone by then.
    bool stopped = false;
    const KeepGoing tracked = [&stopped, &keepGoing] {
        stopped = stopped || !goesOn(keepGoing);
        return !stopped;
    };
    QStringList folders{folderEntry(folder)};
    if (!CollectSubfolders(folders, true, tracked, leftOut))
        return false;
    QStringList paths;
    for (const QString &entry : std::as_const(folders)) {
        if (!tracked())
            return false;
        const QStringList names = ListFolderFiles(entry, pattern, tracked, leftOut);
        if (stopped)
            return false;
        paths.clear();
        for (const QString &name : names) {
            if (!name.startsWith(QLatin1Char('~')) && !isFileSystemMetadata(name))
                paths.append(joinPath(entry, name));
            if (!tracked())
                return false;
        }
        if (!paths.isEmpty())
            sink(paths);
    }
    return true;
}

bool isEnterableFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    return info.isDir() && !isHiddenEntry(info);
}

} // namespace corvanta
