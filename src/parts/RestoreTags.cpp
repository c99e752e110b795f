// Tags: the structure trees of the tagged inputs merged into one, so that a
// screen reader follows the joined file as it followed each input. pdftk
// copies the pages with their /StructParents and the annotations with their
// /StructParent; the tree they point into is made anew here.

#include "parts/PdfValues.h"
#include "parts/Restoring.h"

#include <qpdf/QPDFNumberTreeObjectHelper.hh>

#include <algorithm>
#include <map>

namespace corvanta {

namespace {

// Deeper than this, a structure tree is no honest document's.
constexpr int kDeepestElement = 400;

bool isElement(QPDFObjectHandle object)
{
    return object.isDictionary() && object.getKey("/S").isName() && !object.getKey("/Type").isNameAndEquals("/MCR")
        && !object.getKey("/Type").isNameAndEquals("/OBJR");
}

// What an element (or the tree's root) holds: its /K as a list.
std::vector<QPDFObjectHandle> kidsOf(QPDFObjectHandle element)
{
    QPDFObjectHandle kids = element.getKey("/K");
    return kids.isArray() ? kids.getArrayAsVector() : std::vector<QPDFObjectHandle>{kids};
}

// The structure elements under `top`, depth first, each once.
std::vector<QPDFObjectHandle> elementsUnder(QPDFObjectHandle top)
{
    std::vector<QPDFObjectHandle> elements;
    std::set<QPDFObjGen> seen;
    std::vector<std::pair<QPDFObjectHandle, int>> pending{{top, 0}};
    while (!pending.empty()) {
        auto [object, depth] = pending.back();
        pending.pop_back();
        if (depth > kDeepestElement || (object.isIndirect() && !seen.insert(object.getObjGen()).second))
            continue;
        if (object.isArray()) {
            for (int i = object.getArrayNItems() - 1; i >= 0; --i)
                pending.emplace_back(object.getArrayItem(i), depth + 1);
            continue;
        }
        if (!isElement(object))
            continue;
        elements.push_back(object);
        pending.emplace_back(object.getKey("/K"), depth + 1);
    }
    return elements;
}

// The input's top-level elements.
std::vector<QPDFObjectHandle> topElements(QPDFObjectHandle root)
{
    std::vector<QPDFObjectHandle> top;
    for (QPDFObjectHandle kid : kidsOf(root)) {
        if (isElement(kid))
            top.push_back(kid);
    }
    return top;
}

// An element's type as the standard knows it, through the file's role map.
std::string standardType(QPDFObjectHandle element, QPDFObjectHandle roleMap)
{
    std::string type = element.getKey("/S").getName();
    for (int step = 0; step < 16 && roleMap.isDictionary() && roleMap.getKey(type).isName(); ++step)
        type = roleMap.getKey(type).getName();
    return type;
}

// Counts of elements by type, to compare the merged tree with its inputs.
using Census = std::map<std::string, long long>;

using Renamed = std::map<std::string, std::string>;

// An element's type in the merged tree: a type the merge renamed counts
// under its new name.
std::string mergedType(QPDFObjectHandle element, const Renamed &renamed)
{
    const std::string type = element.getKey("/S").getName();
    const auto found = renamed.find(type);
    return found == renamed.end() ? type : found->second;
}

void count(Census &census, const std::vector<QPDFObjectHandle> &elements, const Renamed &renamed = {})
{
    for (QPDFObjectHandle element : elements)
        ++census[mergedType(element, renamed)];
}

// Entries of a map-like dictionary (/RoleMap, /ClassMap) merged in: a name
// another input took for something else gets the input's number, and
// `renamed` says so.
void mergeMap(QPDFObjectHandle into, QPDFObjectHandle own, Transplant &transplant, int index, Renamed &renamed)
{
    if (!own.isDictionary())
        return;
    for (const std::string &key : own.getKeys()) {
        QPDFObjectHandle value = transplant.copy(own.getKey(key));
        std::string name = key;
        for (int count = 1; into.hasKey(name) && into.getKey(name).unparseResolved() != value.unparseResolved();
             ++count)
            name = key + "-" + std::to_string(index + 1) + (count > 1 ? "-" + std::to_string(count) : std::string());
        if (name != key)
            renamed.emplace(key, name);
        into.replaceKey(name, value);
    }
}

// A name of `renamed` in a copied element's entry (a name, or an array of
// names and numbers), put right.
void rename(QPDFObjectHandle element, const char *key, const Renamed &renamed)
{
    QPDFObjectHandle value = element.getKey(key);
    const auto renamedName = [&renamed](QPDFObjectHandle name) {
        const auto found = name.isName() ? renamed.find(name.getName()) : renamed.end();
        return found == renamed.end() ? name : QPDFObjectHandle::newName(found->second);
    };
    if (value.isName()) {
        element.replaceKey(key, renamedName(value));
    } else if (value.isArray()) {
        for (int i = 0; i < value.getArrayNItems(); ++i)
            value.setArrayItem(i, renamedName(value.getArrayItem(i)));
    }
}

// The merged tree as it is made, input by input.
struct MergedTree
{
    QPDFObjectHandle root;
    QPDFObjectHandle document = QPDFObjectHandle::newNull(); // the one Document element, where there is one
    QPDFObjectHandle top = QPDFObjectHandle::newArray();
    QPDFObjectHandle roleMap = QPDFObjectHandle::newDictionary();
    QPDFObjectHandle classMap = QPDFObjectHandle::newDictionary();
    std::vector<QPDFObjectHandle> parents; // the parent tree's keys and values, in turn
    std::set<std::string> ids;
    std::vector<std::pair<std::string, QPDFObjectHandle>> idTree;
    long long nextKey = 0;
    Census expected;
};

// Whether every tagged input's tree is one Document element that holds
// elements alone, so that the merged tree can be one Document too.
bool oneDocumentEach(const std::vector<JoinedInput *> &tagged)
{
    for (JoinedInput *input : tagged) {
        QPDFObjectHandle root = input->pdf->getRoot().getKey("/StructTreeRoot");
        std::vector<QPDFObjectHandle> top = topElements(root);
        if (top.size() != 1 || standardType(top.front(), root.getKey("/RoleMap")) != "/Document")
            return false;
        for (QPDFObjectHandle kid : kidsOf(top.front())) {
            if (!isElement(kid))
                return false;
        }
    }
    return true;
}

// The input's parent tree, its keys moved by the keys before them.
bool addParents(MergedTree &tree, JoinedInput &input, QPDFObjectHandle root, long long offset)
{
    QPDFObjectHandle parents = root.getKey("/ParentTree");
    if (!parents.isDictionary())
        return true;
    long long last = -1;
    for (const auto &[key, value] : QPDFNumberTreeObjectHelper(parents, *input.pdf, false)) {
        tree.parents.push_back(QPDFObjectHandle::newInteger(key + offset));
        tree.parents.push_back(input.transplant->copy(value));
        if (key < last)
            return false;
        last = key;
    }
    tree.nextKey = std::max(tree.nextKey, offset + last + 1);
    return true;
}

// The keys of forms drawn by `resources` (and by forms they draw), moved by
// `offset` in pdftk's copies.
void moveFormKeys(Transplant &transplant, QPDFObjectHandle resources, long long offset, std::set<QPDFObjGen> &seen,
                  int depth)
{
    QPDFObjectHandle forms = valueAt(resources, {"/XObject"});
    if (!forms.isDictionary() || depth > kDeepestElement)
        return;
    for (const std::string &name : forms.getKeys()) {
        QPDFObjectHandle form = forms.getKey(name);
        if (!form.isStream() || !seen.insert(form.getObjGen()).second)
            continue;
        QPDFObjectHandle copy = transplant.counterpart(form);
        for (const char *key : {"/StructParent", "/StructParents"}) {
            QPDFObjectHandle own = form.getDict().getKey(key);
            if (own.isInteger() && copy.isStream())
                copy.getDict().replaceKey(key, QPDFObjectHandle::newInteger(own.getIntValue() + offset));
        }
        moveFormKeys(transplant, form.getDict().getKey("/Resources"), offset, seen, depth + 1);
    }
}

// The keys of the input's pages, annotations and forms, moved by `offset`.
void moveKeys(JoinedInput &input, long long offset)
{
    Transplant &transplant = *input.transplant;
    std::set<QPDFObjGen> seen;
    for (size_t i = 0; i < transplant.inputPages().size(); ++i) {
        moveFormKeys(transplant, transplant.inputPages()[i].getKey("/Resources"), offset, seen, 0);
        QPDFObjectHandle own = transplant.inputPages()[i].getKey("/StructParents");
        if (own.isInteger())
            transplant.resultPages()[i].replaceKey("/StructParents",
                                                   QPDFObjectHandle::newInteger(own.getIntValue() + offset));
        QPDFObjectHandle annotations = transplant.inputPages()[i].getKey("/Annots");
        for (QPDFObjectHandle annotation :
             annotations.isArray() ? annotations.getArrayAsVector() : std::vector<QPDFObjectHandle>()) {
            QPDFObjectHandle key = valueAt(annotation, {"/StructParent"});
            QPDFObjectHandle copy = transplant.counterpart(annotation);
            if (key.isInteger() && copy.isDictionary())
                copy.replaceKey("/StructParent", QPDFObjectHandle::newInteger(key.getIntValue() + offset));
        }
    }
}

// Adds one tagged input to the merged tree; false when its tree cannot be
// carried whole.
bool addInput(MergedTree &tree, JoinedInput &input, const std::string &firstLanguage, bool oneDocument)
{
    Transplant &transplant = *input.transplant;
    transplant.matchPageContents();
    QPDFObjectHandle root = input.pdf->getRoot().getKey("/StructTreeRoot");
    std::vector<QPDFObjectHandle> top = topElements(root);
    // The merged tree's elements stand where the input's tree stood.
    QPDFObjectHandle parentOfTop = oneDocument ? tree.document : tree.root;
    transplant.map(root, tree.root);
    if (oneDocument)
        transplant.map(top.front(), tree.document);
    const long long offset = tree.nextKey;
    if (!addParents(tree, input, root, offset))
        return false;
    Renamed roles, classes;
    mergeMap(tree.roleMap, root.getKey("/RoleMap"), transplant, input.index, roles);
    mergeMap(tree.classMap, root.getKey("/ClassMap"), transplant, input.index, classes);
    QPDFObjectHandle language = input.pdf->getRoot().getKey("/Lang");
    const std::vector<QPDFObjectHandle> below = oneDocument ? topElements(top.front()) : top;
    const std::vector<QPDFObjectHandle> own = elementsUnder(root.getKey("/K"));
    count(tree.expected, own, roles);
    // Its Document is the merged one.
    if (oneDocument)
        --tree.expected[mergedType(top.front(), roles)];
    for (QPDFObjectHandle element : below) {
        QPDFObjectHandle copy = transplant.copy(element);
        // Its language, where the joined file's own is another.
        if (language.isString() && language.getUTF8Value() != firstLanguage && !copy.hasKey("/Lang"))
            copy.replaceKey("/Lang", transplant.copy(language));
        (oneDocument ? tree.document.getKey("/K") : tree.top).appendItem(copy);
        copy.replaceKey("/P", parentOfTop);
    }
    for (QPDFObjectHandle element : own) {
        QPDFObjectHandle copy = transplant.counterpart(element);
        if (!copy.isDictionary())
            continue;
        rename(copy, "/S", roles);
        rename(copy, "/C", classes);
        QPDFObjectHandle id = copy.getKey("/ID");
        if (id.isString()) {
            const std::string free = freeName(id.getStringValue(), input.index, tree.ids);
            copy.replaceKey("/ID", QPDFObjectHandle::newString(free));
            tree.idTree.emplace_back(free, copy);
        }
    }
    moveKeys(input, offset);
    return !transplant.missedSomething();
}

// The merged tree's root: its elements, its parent tree and maps.
void finish(MergedTree &tree)
{
    tree.root.replaceKey("/K", tree.top);
    tree.root.replaceKey("/ParentTree", QPDFObjectHandle::newDictionary());
    tree.root.getKey("/ParentTree").replaceKey("/Nums", QPDFObjectHandle::newArray(tree.parents));
    tree.root.replaceKey("/ParentTreeNextKey", QPDFObjectHandle::newInteger(tree.nextKey));
    if (!tree.roleMap.getKeys().empty())
        tree.root.replaceKey("/RoleMap", tree.roleMap);
    if (!tree.classMap.getKeys().empty())
        tree.root.replaceKey("/ClassMap", tree.classMap);
    if (tree.idTree.empty())
        return;
    QPDFObjectHandle names = QPDFObjectHandle::newArray();
    std::sort(tree.idTree.begin(), tree.idTree.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &[id, element] : tree.idTree) {
        names.appendItem(QPDFObjectHandle::newString(id));
        names.appendItem(element);
    }
    tree.root.replaceKey("/IDTree", QPDFObjectHandle::newDictionary());
    tree.root.getKey("/IDTree").replaceKey("/Names", names);
}

// Whether each element's children name it as their parent: a reader climbs
// the tree by it, and stops at a child that names none.
bool parentsHold(QPDFObjectHandle root, std::vector<QPDFObjectHandle> elements)
{
    elements.push_back(root);
    for (QPDFObjectHandle parent : elements) {
        for (QPDFObjectHandle kid : kidsOf(parent)) {
            QPDFObjectHandle named = kid.getKey("/P");
            if (isElement(kid) && (!named.isIndirect() || named.getObjGen() != parent.getObjGen()))
                return false;
        }
    }
    return true;
}

// What the mended file's tree must show: every element's page one of its
// pages and its parent the one it hangs under, a parent-tree entry for each
// page with marked content, as many elements of each type as the inputs
// had together.
bool treeHolds(QPDF &mended, const std::vector<QPDFObjectHandle> &pages, const Census &expected)
{
    QPDFObjectHandle root = mended.getRoot().getKey("/StructTreeRoot");
    std::set<QPDFObjGen> known;
    QPDFNumberTreeObjectHelper parents(root.getKey("/ParentTree"), mended, false);
    for (QPDFObjectHandle page : pages) {
        known.insert(page.getObjGen());
        QPDFObjectHandle key = page.getKey("/StructParents");
        QPDFObjectHandle found;
        if (key.isInteger() && (!parents.findObject(key.getIntValue(), found) || !found.isArray()))
            return false;
    }
    Census found;
    const std::vector<QPDFObjectHandle> elements = elementsUnder(root.getKey("/K"));
    count(found, elements);
    for (QPDFObjectHandle element : elements) {
        QPDFObjectHandle page = element.getKey("/Pg");
        if (!page.isNull() && (!page.isIndirect() || !known.count(page.getObjGen())))
            return false;
    }
    return found == expected && parentsHold(root, elements)
        && valueAt(mended.getRoot(), {"/MarkInfo", "/Marked"}).isBool();
}

} // namespace

void restoreTags(Restoring &restoring)
{
    std::vector<JoinedInput *> tagged;
    for (JoinedInput &input : restoring.inputs) {
        if (input.has(Tags) && input.pdf->getRoot().getKey("/StructTreeRoot").isDictionary())
            tagged.push_back(&input);
    }
    if (tagged.empty())
        return;
    QPDF &result = restoring.result;
    MergedTree tree;
    tree.root = result.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>"));
    const bool oneDocument = oneDocumentEach(tagged);
    if (oneDocument) {
        tree.document = result.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /StructElem /S /Document >>"));
        tree.document.replaceKey("/P", tree.root);
        tree.document.replaceKey("/K", QPDFObjectHandle::newArray());
        tree.top.appendItem(tree.document);
    }
    QPDFObjectHandle firstLanguage = restoring.inputs.front().pdf
        ? restoring.inputs.front().pdf->getRoot().getKey("/Lang")
        : QPDFObjectHandle::newNull();
    const std::string language = firstLanguage.isString() ? firstLanguage.getUTF8Value() : std::string();
    for (JoinedInput *input : tagged) {
        if (!addInput(tree, *input, language, oneDocument)) {
            input->lost |= Tags;
            return; // keys already moved cannot be moved back: nothing is kept
        }
    }
    if (oneDocument)
        ++tree.expected["/Document"];
    finish(tree);
    result.getRoot().replaceKey("/StructTreeRoot", tree.root);
    result.getRoot().replaceKey("/MarkInfo", QPDFObjectHandle::parse("<< /Marked true >>"));
    for (JoinedInput *input : tagged)
        input->restored |= Tags;
    restoring.changed = true;
    restoring.promise([expected = tree.expected](QPDF &mended, const std::vector<QPDFObjectHandle> &pages) {
        return treeHolds(mended, pages, expected);
    });
}

} // namespace corvanta
