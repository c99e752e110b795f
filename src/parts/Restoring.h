#pragma once

#include "parts/DocumentParts.h"
#include "parts/Transplant.h"

#include <qpdf/QPDF.hh>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace corvanta {

// One input of the join being mended.
struct JoinedInput
{
    int index = 0;           // in the list, from 0
    long long firstPage = 0; // of its pages in the joined file, from 0
    long long pages = 0;
    quint32 carried = 0; // the DocumentParts the join must put back or name
    // Opened when one of its parts is to be put back; null otherwise.
    std::shared_ptr<QPDF> pdf;
    std::unique_ptr<Transplant> transplant;
    quint32 restored = 0;
    quint32 lost = 0; // found lost on the way, beside what was not restored

    bool has(quint32 part) const { return (carried & part) && transplant; }
};

// What the mended file must show for a part to count as put back, asked
// once it has been written and read back.
using Promise = std::function<bool(QPDF &mended, const std::vector<QPDFObjectHandle> &pages)>;

// The mending of one join: pdftk's result, its inputs, and what the parts
// put back promise.
struct Restoring
{
    QPDF &result;
    std::vector<QPDFObjectHandle> resultPages;
    std::vector<JoinedInput> &inputs;
    std::vector<Promise> promises;
    bool changed = false;

    void promise(Promise check) { promises.push_back(std::move(check)); }
    // The document catalog's /Names, made where it is missing.
    QPDFObjectHandle names();
};

// A name not yet `taken` for an entry of input `index` that had `name`:
// the name itself, else the name with the input's number, and then a count.
std::string freeName(const std::string &name, int index, std::set<std::string> &taken);

// Each part's restoration. Each marks what it put back in `restored`, what
// it could not in `lost`, and promises what the mended file shows.
void restorePageLabels(Restoring &restoring);
void restoreDestinations(Restoring &restoring); // and the first input's opening place
void restoreAttachments(Restoring &restoring);
void restoreLayers(Restoring &restoring);
void restoreForm(Restoring &restoring);
void restoreDocument(Restoring &restoring); // the first input's view, language, information, XMP
void restoreTags(Restoring &restoring);

} // namespace corvanta
