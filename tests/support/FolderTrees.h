#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace corvanta::testing {

// Builds a real folder tree under `root`: an entry ending with "/" is a
// folder, anything else an empty file (its folders are made as needed).
void makeTree(const QString &root, const QStringList &entries);

// A path with the platform's own separators.
QString nativePath(const QString &path);

// `root` joined with each relative path, in native form.
QStringList underRoot(const QString &root, const QStringList &relative);

// Whether the folder's entries can be read by this process right now.
bool canListFolder(const QString &folder);

// While one of these lives, the calling thread does without the power of an
// administrator to read any folder whatever its permissions, so that a
// folder with mode 000 is unreadable even when the tests run as root. Where
// that power cannot be dropped, active() is false.
class WithoutFolderAccessOverride
{
public:
    WithoutFolderAccessOverride();
    ~WithoutFolderAccessOverride();
    WithoutFolderAccessOverride(const WithoutFolderAccessOverride &) = delete;
    WithoutFolderAccessOverride &operator=(const WithoutFolderAccessOverride &) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    bool m_lowered = false;
    unsigned m_savedEffective[2] = {0, 0};
};

#ifndef Q_OS_WIN
// A temporary folder whose entries may have any bytes as names (names that
// are not UTF-8 included) and paths of any length. Everything is made and
// removed relative to open folders, so neither the names nor the length of
// the paths gets in the way, and it removes itself however deep it is.
class RawTree
{
public:
    RawTree();
    ~RawTree();
    RawTree(const RawTree &) = delete;
    RawTree &operator=(const RawTree &) = delete;

    QString path() const;
    QByteArray rawPath() const { return m_root; }
    // Entries relative to the root: ending with "/" a folder, anything else
    // an empty file. Folders on the way are made as needed.
    void make(const QList<QByteArray> &entries);

private:
    QByteArray m_root;
};
#endif

} // namespace corvanta::testing
