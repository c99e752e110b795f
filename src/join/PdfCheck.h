#pragma once

#include <QString>

namespace corvanta {

// What keeps a file from being read as a PDF.
enum class PdfProblem {
    None,
    Missing,
    NotRegularFile, // a folder, pipe, socket or device
    Unreadable,     // the system refused to open it
    NotPdf,         // no PDF header at all
    Damaged,        // a PDF that does not parse cleanly; pdftk may still repair it
    NeedsPassword,  // no password was given, and the file cannot be opened without one
    WrongPassword,  // the given password opens nothing
};

struct PdfCheck
{
    PdfProblem problem = PdfProblem::None;
    int pages = -1;         // known when `problem` is None
    bool encrypted = false; // also true for a file that opens without a password
    QString detail;         // the system's or the PDF library's own words, when it has some
};

// Opens `path` with `password` ("" for none) only as far as needed to count
// its pages. Only regular files are opened, so a pipe or a device named like
// a PDF cannot block the caller. Nothing is printed and nothing is repaired.
// How pages are counted: as the page tree states, which is quick, or by
// walking the tree, which counts the pages really there.
enum class PageCount { Stated, Walked };

PdfCheck checkPdf(const QString &path, const QString &password = QString(),
                  PageCount counting = PageCount::Stated);

} // namespace corvanta
