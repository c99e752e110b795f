#include "support/FolderTrees.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#ifndef Q_OS_WIN
#include <dirent.h>
#endif

namespace corvanta::testing {

void makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = root + QLatin1Char('/') + entry;
        if (entry.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path);
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
    }
}

QStringList underRoot(const QString &root, const QStringList &relative)
{
    QStringList result;
    for (const QString &path : relative)
        result.append(QDir::toNativeSeparators(root + QLatin1Char('/') + path));
    return result;
}

bool canListFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    return QDir(folder).isReadable();
#else
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
#endif
}

#ifdef Q_OS_LINUX
namespace {
constexpr unsigned kFolderAccessOverride = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
}

WithoutFolderAccessOverride::WithoutFolderAccessOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    m_savedEffective[0] = data[0].effective;
    m_savedEffective[1] = data[1].effective;
    if (data[0].effective & kFolderAccessOverride) {
        data[0].effective &= ~kFolderAccessOverride;
        if (::syscall(SYS_capset, &header, data) != 0)
            return;
        m_lowered = true;
    }
    m_active = true;
}

WithoutFolderAccessOverride::~WithoutFolderAccessOverride()
{
    if (!m_lowered)
        return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    data[0].effective = m_savedEffective[0];
    data[1].effective = m_savedEffective[1];
    ::syscall(SYS_capset, &header, data);
}
#else
WithoutFolderAccessOverride::WithoutFolderAccessOverride()
    : m_active(true)
{
}
WithoutFolderAccessOverride::~WithoutFolderAccessOverride() = default;
#endif

} // namespace corvanta::testing
