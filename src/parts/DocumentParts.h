#pragma once

#include <QtGlobal>

namespace corvanta {

// What a document holds beyond its pages. pdftk copies pages, bookmarks,
// links and form fields into a new document and leaves the rest behind;
// most of it is put back after pdftk, the rest is named. Flags of a file,
// or of what one input lost in a join.
enum DocumentPart : quint32 {
    HiddenLayers = 1u << 0,      // layers that are off unless the reader turns them on
    NeedsAppearances = 1u << 1,  // form fields whose appearance the reader must draw anew
    PageLabels = 1u << 2,        // page numbers of its own, such as i, ii (not a plain 1, 2, 3)
    OpeningView = 1u << 3,       // opens with a side panel or full screen
    NamedDestinations = 1u << 4, // places in it that other files and addresses (file.pdf#name) name
    Attachments = 1u << 5,       // embedded files
    Layers = 1u << 6,            // optional content and its settings
    FormDefaults = 1u << 7,      // the form's default text style and alignment, its calculation order
    Language = 1u << 8,
    PageLayout = 1u << 9,
    ViewerPreferences = 1u << 10,
    OpeningPlace = 1u << 11,     // the page it opens at
    DocumentInfo = 1u << 12,     // title, author, subject, keywords
    Metadata = 1u << 13,         // its XMP description
    Tags = 1u << 14,             // the structure that screen readers follow
    Signature = 1u << 15,        // a digital signature
    Scripts = 1u << 16,          // JavaScript run by the document itself
    ConformanceClaim = 1u << 17, // a claim to meet PDF/A or PDF/UA
    XfaForm = 1u << 18,          // XFA form data beside the form fields
    FormFields = 1u << 19,
    RenamedFields = 1u << 20, // its form fields were renamed in the join, another file using their names
    DynamicXfa = 1u << 21,    // pages that only an XFA form holds, which pdftk cannot copy
};

// What the joined document takes from its first input alone: it has one of each.
inline constexpr quint32 kFirstInputParts =
    OpeningView | Language | PageLayout | ViewerPreferences | OpeningPlace | DocumentInfo | Metadata;

// What is put back after pdftk, from every input that has it.
inline constexpr quint32 kEveryInputParts =
    HiddenLayers | NeedsAppearances | PageLabels | NamedDestinations | Attachments | Layers | FormDefaults | Tags;

// What no join keeps: named when an input has it.
inline constexpr quint32 kNeverKeptParts = Signature | Scripts | ConformanceClaim | XfaForm;

// The parts of input `index` (from 0) that the join must put back, or name.
inline quint32 partsToCarry(quint32 parts, qsizetype index)
{
    return parts & (kEveryInputParts | kNeverKeptParts | (index == 0 ? kFirstInputParts : 0u));
}

} // namespace corvanta
