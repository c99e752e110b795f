#pragma once

#include "check/PdfCheck.h"

#include <QString>

#include <atomic>
#include <memory>

namespace corvanta {

// pdftk follows a page tree about 3,500 levels deep at the most before its
// stack runs out; this many levels it has always copied.
inline constexpr int kDeepestPageTree = 3000;

// What a reading has got through so far. A file earns its reading time by
// this work, never by its stated size.
struct ReadingWork
{
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
