#include "check/FileIdentity.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#include <io.h>
#else
#include <sys/stat.h>
#endif

namespace corvanta {

namespace {

#ifdef Q_OS_WIN
// 100 ns steps since 1601, moved to nanoseconds since 1970.
qint64 sinceUnixEpoch(qint64 ticks)
{
    return (ticks - 116444736000000000LL) * 100;
}

FileIdentity identityOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information))
        return {};
    const auto wide = [](DWORD high, DWORD low) { return (quint64(high) << 32) | quint64(low); };
    FileIdentity identity;
    identity.size = qint64(wide(information.nFileSizeHigh, information.nFileSizeLow));
    identity.modified = sinceUnixEpoch(
        qint64(wide(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime)));
    FILE_BASIC_INFO basic;
    if (GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic))
        identity.changed = sinceUnixEpoch(basic.ChangeTime.QuadPart);
    identity.volume = information.dwVolumeSerialNumber;
    identity.file = wide(information.nFileIndexHigh, information.nFileIndexLow);
    return identity;
}
#else
FileIdentity identityOfStatus(const struct stat &status)
{
    FileIdentity identity;
    identity.size = qint64(status.st_size);
    identity.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    identity.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    identity.volume = quint64(status.st_dev);
    identity.file = quint64(status.st_ino);
    return identity;
}
#endif

} // namespace

FileIdentity identityOf(const QString &path)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(path);
    // Attributes alone: a file another program holds open is still looked up.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const FileIdentity identity = identityOfHandle(handle);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return identity;
#else
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return identityOfStatus(status);
#endif
}

FileIdentity identityOf(std::FILE *file)
{
#ifdef Q_OS_WIN
    return identityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
#else
    struct stat status;
    if (::fstat(fileno(file), &status) != 0)
        return {};
    return identityOfStatus(status);
#endif
}

} // namespace corvanta
