#pragma once

#include "check/PdfCheck.h"

#include <QString>

namespace corvanta {

// pdftk follows a page tree about 3,500 levels deep at the most before its
// stack runs out; this many levels it has always copied.
inline constexpr int kDeepestPageTree = 3000;

// Opens `path` with `password` ("" for none) and walks its pages: their
// number and fingerprints, and whatever would keep pdftk from opening or
// copying the file. Only regular files are opened, so a pipe or a device
// named like a PDF cannot block the caller, and nothing is printed. A file
// that does not parse cleanly is read again with repairs, as pdftk reads
// it, and stays Damaged when that finds its pages. This runs only in the
// checker process, under its limits: a hostile file can take memory and
// time without end.
PdfCheck readPdf(const QString &path, const QString &password = QString());

} // namespace corvanta
