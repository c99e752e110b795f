#include "support/FolderTrees.h"
#include "support/PlatformFiles.h"

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
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace corvanta::testing {

void makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = root + QLatin1Char('/') + entry;
        if (entry.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile(path).open(QIODevice::WriteOnly);
        }
        // What a dot hides elsewhere, Windows hides by an attribute.
        for (QString part = QDir::cleanPath(path); part.startsWith(root + QLatin1Char('/'));
             part = QFileInfo(part).path()) {
            if (QFileInfo(part).fileName().startsWith(QLatin1Char('.')))
                markAsHidden(part);
        }
    }
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
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

#ifndef Q_OS_WIN
namespace {

void removeContents(int folderFd)
{
    DIR *dir = ::fdopendir(::dup(folderFd));
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        if (::unlinkat(folderFd, name, 0) == 0)
            continue;
        const int child = ::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        if (child >= 0) {
            ::fchmod(child, 0700);
            removeContents(child);
            ::close(child);
        }
        ::unlinkat(folderFd, name, AT_REMOVEDIR);
    }
    ::closedir(dir);
}

} // namespace

RawTree::RawTree()
{
    QByteArray pattern = QFile::encodeName(QDir::tempPath()) + "/corvanta-raw-XXXXXX";
    if (::mkdtemp(pattern.data()))
        m_root = pattern;
}

RawTree::~RawTree()
{
    const int root = ::open(m_root.constData(), O_RDONLY | O_DIRECTORY);
    if (root < 0)
        return;
    removeContents(root);
    ::close(root);
    ::rmdir(m_root.constData());
}

QString RawTree::path() const
{
    return QFile::decodeName(m_root);
}

void RawTree::make(const QList<QByteArray> &entries)
{
    for (const QByteArray &entry : entries) {
        int folder = ::open(m_root.constData(), O_RDONLY | O_DIRECTORY);
        const QList<QByteArray> parts = entry.split('/');
        for (qsizetype index = 0; index < parts.size() && folder >= 0; ++index) {
            const QByteArray &part = parts.at(index);
            if (part.isEmpty())
                continue;
            if (index == parts.size() - 1) {
                const int file = ::openat(folder, part.constData(), O_WRONLY | O_CREAT, 0600);
                if (file >= 0)
                    ::close(file);
                break;
            }
            ::mkdirat(folder, part.constData(), 0700);
            const int next = ::openat(folder, part.constData(), O_RDONLY | O_DIRECTORY);
            ::close(folder);
            folder = next;
        }
        if (folder >= 0)
            ::close(folder);
    }
}
#endif

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
