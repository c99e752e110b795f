#include "support/PlatformFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corvanta::testing {

#ifdef Q_OS_WIN
namespace {

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Wine's own path for a file, through the function Wine adds to kernel32.
QString unixPath(const QString &path)
{
    using UnixFileName = char *(CDECL *)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char *name = unixFileName ? unixFileName(native(QFileInfo(path).absoluteFilePath()).c_str()) : nullptr;
    if (!name)
        return QString();
    const QString result = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Wine 8 makes no link and says it did, and removing one removes its target.
// It shows the links of the file system below it as folders and files,
// though, and starts Unix programs, without waiting for them: the change is
// looked for until it is seen.
bool runUnix(const QString &program, const QStringList &arguments, const QString &link, bool linkWanted)
{
    if (!QProcess::startDetached(program, arguments))
        return false;
    QDeadlineTimer deadline(10000);
    while (QFileInfo::exists(link) != linkWanted && !deadline.hasExpired())
        QThread::msleep(5);
    return QFileInfo::exists(link) == linkWanted;
}

// Wine keeps its drives as links in the prefix's "dosdevices" folder, beside
// "c:", and takes no others.
QString wineDriveLink(const QString &drive)
{
    const QString driveC = unixPath(QStringLiteral("C:/"));
    return driveC.isEmpty() ? QString() : QFileInfo(QDir::cleanPath(driveC)).path() + QLatin1Char('/') + drive.toLower();
}

// Runs Wine's "ln -s", when both paths are known.
bool makeUnixLink(const QString &unixTarget, const QString &unixLink, const QString &link)
{
    return !unixTarget.isEmpty() && !unixLink.isEmpty()
        && runUnix(QStringLiteral("Z:/bin/ln"), {QStringLiteral("-s"), unixTarget, unixLink}, link, true);
}

} // namespace

TestLink::TestLink(const QString &target, const QString &link)
    : m_link(link)
{
    if (runsUnderWine()) {
        // A link that leads nowhere Wine would not show.
        m_made = QFileInfo::exists(target) && makeUnixLink(unixPath(target), unixPath(link), link);
        return;
    }
    const DWORD kind = QFileInfo(target).isDir() ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    m_made = CreateSymbolicLinkW(native(link).c_str(), native(target).c_str(),
                                 kind | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
}

TestLink::~TestLink()
{
    if (!m_made)
        return;
    if (runsUnderWine())
        runUnix(QStringLiteral("Z:/bin/rm"), {QStringLiteral("-f"), unixPath(m_link)}, m_link, false);
    else if (GetFileAttributesW(native(m_link).c_str()) & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryW(native(m_link).c_str());
    else
        DeleteFileW(native(m_link).c_str());
}

TestDrive::TestDrive(const QString &folder)
    : m_folder(QDir::toNativeSeparators(folder))
{
    // From the end of the alphabet, where the letters of disks seldom reach.
    const DWORD used = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'D' && m_letter.isEmpty(); --letter) {
        const QString drive = QStringLiteral("%1:").arg(QLatin1Char(letter));
        if (used & (1u << (letter - 'A')))
            continue;
        const bool made = runsUnderWine()
            ? makeUnixLink(unixPath(folder), wineDriveLink(drive), drive + QLatin1Char('/'))
            : DefineDosDeviceW(0, native(drive).c_str(), native(m_folder).c_str());
        if (made)
            m_letter = drive;
    }
}

TestDrive::~TestDrive()
{
    if (m_letter.isEmpty())
        return;
    if (runsUnderWine())
        runUnix(QStringLiteral("Z:/bin/rm"), {QStringLiteral("-f"), wineDriveLink(m_letter)}, m_letter + QLatin1Char('/'),
                false);
    else
        DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, native(m_letter).c_str(),
                         native(m_folder).c_str());
}

static bool addAttribute(const QString &path, DWORD attribute)
{
    const DWORD attributes = GetFileAttributesW(native(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
        && SetFileAttributesW(native(path).c_str(), attributes | attribute);
}

bool markAsSystem(const QString &path)
{
    return addAttribute(path, FILE_ATTRIBUTE_SYSTEM);
}

bool markAsHidden(const QString &path)
{
    return addAttribute(path, FILE_ATTRIBUTE_HIDDEN);
}

bool passesThroughLink(const QString &path)
{
    for (QString part = QDir::cleanPath(QFileInfo(path).absoluteFilePath()); part != QFileInfo(part).path();
         part = QFileInfo(part).path()) {
        const DWORD attributes = GetFileAttributesW(native(part).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
    }
    return false;
}

bool runsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
#else
TestLink::TestLink(const QString &target, const QString &link)
    : m_link(link)
    , m_made(QFile::link(target, link))
{
}

TestLink::~TestLink()
{
    if (m_made)
        QFile::remove(m_link);
}

TestDrive::TestDrive(const QString &folder)
    : m_folder(folder)
{
}

TestDrive::~TestDrive() = default;

bool markAsSystem(const QString &)
{
    return false;
}

bool markAsHidden(const QString &)
{
    return false;
}

bool passesThroughLink(const QString &)
{
    return false;
}

bool runsUnderWine()
{
    return false;
}
#endif

} // namespace corvanta::testing
