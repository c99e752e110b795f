#pragma once

#include "check/PdfCheck.h"

#include <QString>

#include <atomic>

namespace corvanta {

// pdftk follows a page tree about 3,500 levels deep at the most before its
// stack runs out; this many levels it has always copied.
inline constexpr int kDeepestPageTree = 3000;

// Objects nested deeper than this, through arrays, dictionaries and
// references, are not followed; the page that holds them is not checked.
inline constexpr int kDeepestObject = 1000;

// What a reading has got through so far. A file earns its reading time by
// this work, never by its stated size.
struct ReadingWork
{
    std::atomic<qint64> pages{0};
    std::atomic<qint64> objects{0};
    std::atomic<qint64> bytes{0}; // of streams hashed
};

// Opens `path` with `password` ("" for none) and walks its pages: their
// number and fingerprints, the parts pdftk may leave behind, and whatever
// would keep pdftk from opening or copying the file. Only regular files are
// opened, so a pipe or a device cannot block the caller. A file that does
// not read cleanly is read again with repairs, as pdftk reads it, and stays
// Damaged when that finds its pages. Runs only in the checker process,
// under its limits: a hostile file can take memory and time without end.
PdfCheck readPdf(const QString &path, const QString &password = QString(), ReadingWork *work = nullptr);

} // namespace corvanta
