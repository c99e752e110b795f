#pragma once

#include "check/FileIdentity.h"
#include "parts/DocumentParts.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace corvanta {

// What keeps a file from being joined, as a check finds it.
enum class PdfProblem : qint32 {
    None,
    Missing,
    NotRegularFile, // a folder, pipe, socket or device
    Unreadable,     // the system refused to open it
    NotPdf,         // no PDF header at all
    Damaged,        // a PDF that does not parse cleanly; pdftk may still repair it
    NeedsPassword,  // no password was given, and the file cannot be opened without one
    WrongPassword,  // the given password opens nothing
    // What pdftk cannot open or copy, found before it runs.
    UnsupportedEncryption,  // AES-256, or a security handler other than the standard one
    PageTreeTooDeep,        // nested deeper than pdftk can follow
    PageTreeLoop,           // a branch of the page tree refers back up, or is used twice
    MalformedPage,          // a page whose size is not four numbers
    UnsupportedCompression, // a stream packed with a filter that neither the library nor pdftk can unpack
    CrossReferenceLoop,     // its cross-reference tables lead back to themselves, which pdftk follows without end
    DynamicXfa,             // its pages are made by an XFA form, which pdftk does not copy
    // The file could not be checked within the checker's limits.
    NeedsTooMuchMemory,
    TakesTooLong,
    CheckFailed, // the checker died on it
};
inline constexpr PdfProblem kLastProblem = PdfProblem::CheckFailed;

// Whether the problem is one of the checker's limits rather than the file's own.
inline bool isCheckLimit(PdfProblem problem)
{
    return problem == PdfProblem::NeedsTooMuchMemory || problem == PdfProblem::TakesTooLong
        || problem == PdfProblem::CheckFailed;
}

// One page's fingerprint: what pdftk keeps of a page when it copies it,
// hashed. The first kWholePageBytes stand for the whole page; then a short
// tag for each of its parts (its boxes and rotation, its content streams,
// the resources they draw with, what its annotations show), which tells a
// reader which of them differs when two fingerprints do.
enum class PagePart : int { Geometry, Content, Resources, Annotations };
inline constexpr int kPageParts = 4;
inline constexpr int kWholePageBytes = 16;
inline constexpr int kPartTagBytes = 4;
inline constexpr int kFingerprintBytes = kWholePageBytes + kPageParts * kPartTagBytes;

// The fingerprint of a page that could not be read whole (nested too deeply,
// a stream that cannot be read): it stands for any page.
inline QByteArray uncheckedPage()
{
    return QByteArray(kFingerprintBytes, '\0');
}
inline bool isUncheckedPage(QByteArrayView fingerprint)
{
    return fingerprint == QByteArrayView(uncheckedPage());
}

struct PdfCheck
{
    PdfProblem problem = PdfProblem::None;
    // Counted by walking the page tree, never taken from what the file
    // states; -1 when the pages could not be walked.
    qint64 pages = -1;
    bool encrypted = false; // also true for a file that opens without a password
    QString detail;         // the system's or the PDF library's own words, when it has some
    // kFingerprintBytes per page, in page order, of the pages the reading
    // was to fingerprint (every page, unless it asked for a range); empty
    // when the pages are unknown.
    QByteArray fingerprints;
    // One byte a page, 1 where the library had to repair something to read
    // it: pdftk may have repaired it otherwise. Empty when no page needed that.
    QByteArray repairedPages;
    quint32 parts = 0;          // DocumentPart flags
    qint64 cpuMilliseconds = 0; // what reading it cost the checker
    // The file as it was opened for this reading; unknown when it was not opened.
    FileIdentity identity;
};

} // namespace corvanta
