// Page labels, named destinations and the page a document opens at: what
// names or numbers pages, each input's moved to where its pages are now.

#include "parts/PdfValues.h"
#include "parts/Restoring.h"

#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>

#include <algorithm>
#include <map>
#include <tuple>

namespace corvanta {

namespace {

// A page's label as a reader shows it: style, prefix and number.
using Label = std::tuple<std::string, std::string, long long>;

Label labelOf(QPDFObjectHandle label, long long fallbackNumber)
{
    if (!label.isDictionary())
        return {"/D", "", fallbackNumber};
    QPDFObjectHandle style = label.getKey("/S");
    QPDFObjectHandle prefix = label.getKey("/P");
    QPDFObjectHandle start = label.getKey("/St");
    return {style.isName() ? style.getName() : std::string(), prefix.isString() ? prefix.getUTF8Value() : std::string(),
            start.isInteger() ? start.getIntValue() : 1};
}

} // namespace

// Each input's labels move to where its pages are; an input without labels
// of its own starts at 1 again, as it did alone.
void restorePageLabels(Restoring &restoring)
{
    bool any = false;
    for (const JoinedInput &input : restoring.inputs)
        any = any || input.has(PageLabels);
    if (!any)
        return;
    std::vector<QPDFObjectHandle> numbers;
    std::vector<Label> expected;
    for (JoinedInput &input : restoring.inputs) {
        if (input.pages == 0)
            continue;
        if (!input.has(PageLabels)) {
            numbers.push_back(QPDFObjectHandle::newInteger(input.firstPage));
            numbers.push_back(QPDFObjectHandle::parse("<< /S /D >>"));
            for (long long page = 0; page < input.pages; ++page)
                expected.push_back({"/D", "", page + 1});
            continue;
        }
        QPDFPageLabelDocumentHelper labels(*input.pdf);
        std::vector<QPDFObjectHandle> own;
        labels.getLabelsForPageRange(0, input.pages - 1, input.firstPage, own);
        // Pages before its first label have none of their own, and show as
        // plain numbers, as they did in the input.
        if (labels.getLabelForPage(0).isNull() && own.size() >= 2)
            own[1] = QPDFObjectHandle::parse("<< /S /D >>");
        for (QPDFObjectHandle &item : own)
            numbers.push_back(item.isDictionary() ? input.transplant->copy(item) : item);
        for (long long page = 0; page < input.pages; ++page)
            expected.push_back(labelOf(labels.getLabelForPage(page), page + 1));
        input.restored |= PageLabels;
    }
    QPDFObjectHandle labels = QPDFObjectHandle::newDictionary();
    labels.replaceKey("/Nums", QPDFObjectHandle::newArray(numbers));
    restoring.result.getRoot().replaceKey("/PageLabels", labels);
    restoring.changed = true;
    restoring.promise([expected](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
        QPDFPageLabelDocumentHelper labels(mended);
        for (size_t page = 0; page < expected.size(); ++page) {
            if (labelOf(labels.getLabelForPage((long long)page), (long long)page + 1) != expected[page])
                return false;
        }
        return true;
    });
}

namespace {

// The page a destination names, in the input, and the destination itself.
QPDFObjectHandle explicitDestination(QPDFObjectHandle value)
{
    QPDFObjectHandle destination = value.isDictionary() ? value.getKey("/D") : value;
    return destination.isArray() && destination.getArrayNItems() > 0 ? destination : QPDFObjectHandle::newNull();
}

// Every named destination of an input: its /Dests and its name tree.
std::vector<std::pair<std::string, QPDFObjectHandle>> namedDestinations(QPDF &pdf)
{
    std::vector<std::pair<std::string, QPDFObjectHandle>> named;
    QPDFObjectHandle dests = pdf.getRoot().getKey("/Dests");
    if (dests.isDictionary()) {
        for (const std::string &key : dests.getKeys())
            named.emplace_back(key.substr(1), dests.getKey(key));
    }
    QPDFObjectHandle tree = valueAt(pdf.getRoot(), {"/Names", "/Dests"});
    if (tree.isDictionary()) {
        for (const auto &[name, value] : QPDFNameTreeObjectHelper(tree, pdf, false))
            named.emplace_back(name, value);
    }
    return named;
}

// Where each of a file's pages stands among them.
using PageIndex = std::map<QPDFObjGen, long long>;

PageIndex indexOf(const std::vector<QPDFObjectHandle> &pages)
{
    PageIndex index;
    for (size_t i = 0; i < pages.size(); ++i)
        index.emplace(pages[i].getObjGen(), (long long)i);
    return index;
}

// A destination's page among a file's pages, or -1.
long long pageOf(QPDFObjectHandle destination, const PageIndex &pages)
{
    QPDFObjectHandle page = destination.isArray() ? destination.getArrayItem(0) : QPDFObjectHandle::newNull();
    const auto found = page.isIndirect() ? pages.find(page.getObjGen()) : pages.end();
    return found == pages.end() ? -1 : found->second;
}

// A name tree of `entries`, built at once: the names in the order the
// format wants (by their bytes as written), in leaves of a bounded size.
QPDFObjectHandle nameTreeOf(QPDF &pdf, const std::vector<std::pair<std::string, QPDFObjectHandle>> &entries)
{
    constexpr size_t kLeafNames = 128;
    std::vector<std::pair<QPDFObjectHandle, QPDFObjectHandle>> sorted;
    for (const auto &[name, value] : entries)
        sorted.emplace_back(QPDFObjectHandle::newUnicodeString(name), value);
    std::sort(sorted.begin(), sorted.end(),
              [](auto &a, auto &b) { return a.first.getStringValue() < b.first.getStringValue(); });
    const auto leaf = [&sorted](size_t from, size_t to) {
        QPDFObjectHandle names = QPDFObjectHandle::newArray();
        for (size_t i = from; i < to; ++i) {
            names.appendItem(sorted[i].first);
            names.appendItem(sorted[i].second);
        }
        QPDFObjectHandle node = QPDFObjectHandle::newDictionary();
        node.replaceKey("/Names", names);
        return node;
    };
    if (sorted.size() <= kLeafNames)
        return leaf(0, sorted.size());
    QPDFObjectHandle kids = QPDFObjectHandle::newArray();
    for (size_t from = 0; from < sorted.size(); from += kLeafNames) {
        const size_t to = std::min(from + kLeafNames, sorted.size());
        QPDFObjectHandle node = leaf(from, to);
        node.replaceKey("/Limits", QPDFObjectHandle::newArray({sorted[from].first, sorted[to - 1].first}));
        kids.appendItem(pdf.makeIndirectObject(node));
    }
    QPDFObjectHandle root = QPDFObjectHandle::newDictionary();
    root.replaceKey("/Kids", kids);
    return root;
}

// A destination of the input, to the same place of its page in the joined
// file; null when its page is none of the input's.
QPDFObjectHandle movedDestination(JoinedInput &input, QPDFObjectHandle destination, long long &page)
{
    page = input.transplant->pageIndex(destination.getArrayItem(0));
    if (page < 0)
        return QPDFObjectHandle::newNull();
    page += input.firstPage;
    return input.transplant->copy(destination);
}

// What a destination names besides its page, as text, to compare.
std::string viewOf(QPDFObjectHandle destination)
{
    std::string view;
    for (int i = 1; i < destination.getArrayNItems(); ++i)
        view += destination.getArrayItem(i).unparse() + " ";
    return view;
}

// The page the first input opens at, as a destination of the joined file.
void restoreOpeningPlace(Restoring &restoring, JoinedInput &first, std::map<std::string, QPDFObjectHandle> &named)
{
    if (!first.has(OpeningPlace))
        return;
    QPDFObjectHandle action = first.pdf->getRoot().getKey("/OpenAction");
    QPDFObjectHandle destination = action.isDictionary() ? action.getKey("/D") : action;
    if (destination.isString() || destination.isName()) {
        const std::string name = destination.isName() ? destination.getName().substr(1) : destination.getUTF8Value();
        destination = named.count(name) ? named[name] : QPDFObjectHandle::newNull();
    }
    long long page = -1;
    QPDFObjectHandle moved = destination.isArray() && destination.getArrayNItems() > 0
        ? movedDestination(first, destination, page)
        : QPDFObjectHandle::newNull();
    if (moved.isNull()) {
        first.lost |= OpeningPlace;
        return;
    }
    restoring.result.getRoot().replaceKey("/OpenAction", moved);
    first.restored |= OpeningPlace;
    restoring.changed = true;
    restoring.promise([page](QPDF &mended, const std::vector<QPDFObjectHandle> &pages) {
        return pageOf(mended.getRoot().getKey("/OpenAction"), indexOf(pages)) == page;
    });
}

} // namespace

// Every input's named destinations, to the same places of their pages; a
// name an earlier input has taken gets the input's number.
void restoreDestinations(Restoring &restoring)
{
    std::set<std::string> taken;
    std::vector<std::tuple<std::string, long long, std::string>> expected; // name, page, view
    std::vector<std::pair<std::string, QPDFObjectHandle>> tree;
    for (JoinedInput &input : restoring.inputs) {
        if (!input.has(NamedDestinations) && !(input.index == 0 && input.has(OpeningPlace)))
            continue;
        // The first input's opening place may be one of its names.
        std::map<std::string, QPDFObjectHandle> own;
        for (auto &[name, value] : namedDestinations(*input.pdf)) {
            QPDFObjectHandle destination = explicitDestination(value);
            if (!destination.isNull())
                own.emplace(name, destination);
        }
        if (input.index == 0)
            restoreOpeningPlace(restoring, input, own);
        if (!input.has(NamedDestinations))
            continue;
        for (auto &[name, destination] : own) {
            long long page = -1;
            QPDFObjectHandle moved = movedDestination(input, destination, page);
            if (moved.isNull())
                continue; // it leads nowhere in the input either
            const std::string free = freeName(name, input.index, taken);
            tree.emplace_back(free, moved);
            expected.emplace_back(free, page, viewOf(moved));
        }
        input.restored |= NamedDestinations;
    }
    if (expected.empty())
        return;
    restoring.names().replaceKey("/Dests", restoring.result.makeIndirectObject(nameTreeOf(restoring.result, tree)));
    restoring.changed = true;
    restoring.promise([expected](QPDF &mended, const std::vector<QPDFObjectHandle> &pages) {
        std::map<std::string, QPDFObjectHandle> found;
        for (auto &[name, destination] : namedDestinations(mended))
            found.emplace(name, destination);
        const PageIndex index = indexOf(pages);
        for (const auto &[name, page, view] : expected) {
            const auto destination = found.find(name);
            if (destination == found.end() || pageOf(destination->second, index) != page
                || viewOf(destination->second) != view)
                return false;
        }
        return true;
    });
}

} // namespace corvanta
