#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace corvanta {

// Which file a path names, and in which state: a file written to since, or
// replaced by another under the same name, has another identity. The
// modification time can be set back by anyone who writes the file; the
// change time cannot, and also moves when a file is made anew under an
// inode that an earlier one had.
struct FileIdentity
{
    qint64 size = -1;    // -1 when the file could not be looked up
    qint64 modified = 0; // the last write, in nanoseconds since 1970 (100 ns steps on Windows)
    qint64 changed = 0;  // the last change of its contents or its entry, in the same units
    quint64 volume = 0;  // the device, or the volume's serial number
    quint64 file = 0;    // the inode, or the file's id on its volume

    bool isKnown() const { return size >= 0; }
    friend bool operator==(const FileIdentity &a, const FileIdentity &b)
    {
        return a.size == b.size && a.modified == b.modified && a.changed == b.changed && a.volume == b.volume
            && a.file == b.file;
    }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};

// What `path` names now, links followed.
FileIdentity identityOf(const QString &path);
// What an open file is, whatever its name names by now.
FileIdentity identityOf(std::FILE *file);

} // namespace corvanta
