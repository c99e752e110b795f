#pragma once

#include "check/PdfCheck.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace corvanta {

// A file opened for reading, and what it was when it was opened: its bytes
// in memory (read, or for a large file mapped), or for a very large one the
// open file itself.
struct OpenedFile
{
    OpenedFile() = default;
    OpenedFile(const OpenedFile &) = delete;
    OpenedFile &operator=(const OpenedFile &) = delete;
    ~OpenedFile();

    // The bytes in memory, unless `file` is open.
    const char *bytes() const;
    size_t byteCount() const;

    std::FILE *file = nullptr;
    QByteArray description; // how the library names it in its messages
    FileIdentity identity;

private:
    friend bool openRegularFile(const QString &path, PdfCheck &check, OpenedFile &opened);
    QByteArray m_contents;
    void *m_mapped = nullptr;
    qint64 m_mappedSize = 0;
};

// Opens `path` if it is a regular file, without ever blocking on a pipe or
// a device, even one put in its place meanwhile. False when it is not, with
// the problem (and the system's words) in `check`.
bool openRegularFile(const QString &path, PdfCheck &check, OpenedFile &opened);

} // namespace corvanta
