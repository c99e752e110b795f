#pragma once

#include <QString>
#include <QStringList>

namespace corvanta::testing {

// Builds a real folder tree under `root`: an entry ending with "/" is a
// folder, anything else an empty file (its folders are made as needed).
void makeTree(const QString &root, const QStringList &entries);

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

} // namespace corvanta::testing
