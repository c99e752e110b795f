#pragma once

#include "check/PdfCheck.h"

#include <QString>

#include <atomic>
#include <memory>

namespace corvanta {

// pdftk follows a page tree about 3,500 levels deep at the most before its
// stack runs out; this many levels it has always copied.
inline constexpr int kDeepestPageTree = 3000;

// Which of a file's pages a reading fingerprints: a checker may take one
// share of a large file's pages, another checker the rest. Every page is
// counted all the same.
struct PageRange
{
    qint64 first = 0;
    qint64 count = -1; // -1: to the last page

    bool contains(qint64 page) const { return page >= first && (count < 0 || page < first + count); }
};

// What a reading is to get through, and has got through so far. A file
// earns its reading time by this work, never by its stated size.
struct ReadingWork
{
    PageRange fingerprinted;
    std::atomic<qint64> pages{0};
    std::atomic<qint64> objects{0};
    std::atomic<qint64> bytes{0}; // of streams hashed
    // The library's hold of the file last read, left for the caller to
    // free once it has answered: freeing takes a fifth of the reading.
    std::shared_ptr<void> structures;
};

// Opens `path` with `password` ("" for none) and reports its pages (their
// number and fingerprints), the parts pdftk may leave behind and whatever
// would keep pdftk from opening or copying it. Only regular files are
// opened. A file that reads only with repairs, as pdftk makes them, comes
// back Damaged. Call it only in the checker process, under its limits: a
// hostile file can take memory and time without end.
PdfCheck readPdf(const QString &path, const QString &password = QString(), ReadingWork *work = nullptr);

} // namespace corvanta
