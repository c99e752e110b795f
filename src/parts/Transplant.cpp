#include "parts/Transplant.h"

#include <utility>

namespace corvanta {

namespace {

// Deeper than this, a structure is no honest document's.
constexpr int kDeepest = 500;

bool isPageNode(QPDFObjectHandle object)
{
    QPDFObjectHandle type = object.getKey("/Type");
    return type.isNameAndEquals("/Page") || type.isNameAndEquals("/Pages");
}

} // namespace

Transplant::Transplant(QPDF &result, QPDF &input, std::vector<QPDFObjectHandle> inputPages,
                       std::vector<QPDFObjectHandle> resultPages)
    : m_result(result)
    , m_input(input)
    , m_inputPages(std::move(inputPages))
    , m_resultPages(std::move(resultPages))
{
    for (size_t i = 0; i < m_inputPages.size() && i < m_resultPages.size(); ++i) {
        m_pageIndex.emplace(m_inputPages[i].getObjGen(), int(i));
        m_copies.emplace(m_inputPages[i].getObjGen(), m_resultPages[i]);
    }
}

void Transplant::matchPageContents()
{
    if (m_matched)
        return;
    m_matched = true;
    for (size_t i = 0; i < m_inputPages.size() && i < m_resultPages.size(); ++i) {
        for (const char *key : {"/Resources", "/Annots"})
            walk(m_inputPages[i].getKey(key), m_resultPages[i].getKey(key), 0);
    }
}

// pdftk copies what a page holds as it is, but for what leads back to the
// page tree; the two copies are walked in step while they agree.
void Transplant::walk(QPDFObjectHandle input, QPDFObjectHandle result, int depth)
{
    if (depth > kDeepest || input.getTypeCode() != result.getTypeCode())
        return;
    if (input.isIndirect()) {
        if (!m_walked.insert(input.getObjGen()).second)
            return;
        if (result.isIndirect())
            m_copies.emplace(input.getObjGen(), result);
    }
    if (input.isArray()) {
        const int items = input.getArrayNItems();
        if (items != result.getArrayNItems())
            return;
        for (int i = 0; i < items; ++i)
            walk(input.getArrayItem(i), result.getArrayItem(i), depth + 1);
        return;
    }
    QPDFObjectHandle dictionary = input.isStream() ? input.getDict() : input;
    QPDFObjectHandle other = result.isStream() ? result.getDict() : result;
    if (!dictionary.isDictionary())
        return;
    const bool pageNode = isPageNode(dictionary);
    for (const std::string &key : dictionary.getKeys()) {
        if (key == "/P" || (pageNode && key == "/Parent"))
            continue;
        if (other.hasKey(key))
            walk(dictionary.getKey(key), other.getKey(key), depth + 1);
    }
}

QPDFObjectHandle Transplant::counterpart(QPDFObjectHandle inputObject) const
{
    if (!inputObject.isIndirect())
        return QPDFObjectHandle::newNull();
    const auto found = m_copies.find(inputObject.getObjGen());
    return found == m_copies.end() ? QPDFObjectHandle::newNull() : found->second;
}

void Transplant::map(QPDFObjectHandle inputObject, QPDFObjectHandle resultObject)
{
    if (inputObject.isIndirect())
        m_copies[inputObject.getObjGen()] = resultObject;
}

int Transplant::pageIndex(QPDFObjectHandle inputObject) const
{
    if (!inputObject.isIndirect())
        return -1;
    const auto found = m_pageIndex.find(inputObject.getObjGen());
    return found == m_pageIndex.end() ? -1 : found->second;
}

QPDFObjectHandle Transplant::copy(QPDFObjectHandle object)
{
    return copyAt(object, 0);
}

QPDFObjectHandle Transplant::copyAt(QPDFObjectHandle object, int depth)
{
    if (depth > kDeepest) {
        m_missed = true;
        return QPDFObjectHandle::newNull();
    }
    if (!object.isIndirect())
        return copyDirect(object, depth);
    const auto known = m_copies.find(object.getObjGen());
    if (known != m_copies.end())
        return known->second;
    // A page pdftk did not copy: whatever points at it, points nowhere now.
    if (object.isDictionary() && isPageNode(object)) {
        m_missed = true;
        return QPDFObjectHandle::newNull();
    }
    if (object.isStream()) {
        // The library copies a stream's data only as the file is written.
        QPDFObjectHandle stream = m_result.copyForeignObject(object);
        m_copies.emplace(object.getObjGen(), stream);
        return stream;
    }
    // Held first, so that a structure leading back to itself ends here. Held
    // as an empty one of its kind: the library drops a key whose value is
    // null, and a child would lose the /P or /Parent that leads back to it.
    QPDFObjectHandle held = m_result.makeIndirectObject(object.isArray() ? QPDFObjectHandle::newArray()
                                                                         : QPDFObjectHandle::newDictionary());
    m_copies.emplace(object.getObjGen(), held);
    m_result.replaceObject(held.getObjGen(), copyDirect(object, depth));
    return m_result.getObject(held.getObjGen());
}

QPDFObjectHandle Transplant::copyDirect(QPDFObjectHandle object, int depth)
{
    switch (object.getTypeCode()) {
    case ::ot_boolean:
        return QPDFObjectHandle::newBool(object.getBoolValue());
    case ::ot_integer:
        return QPDFObjectHandle::newInteger(object.getIntValue());
    case ::ot_real:
        return QPDFObjectHandle::newReal(object.getRealValue());
    case ::ot_name:
        return QPDFObjectHandle::newName(object.getName());
    case ::ot_string:
        return QPDFObjectHandle::newString(object.getStringValue());
    case ::ot_array: {
        QPDFObjectHandle array = QPDFObjectHandle::newArray();
        for (QPDFObjectHandle item : object.getArrayAsVector())
            array.appendItem(copyAt(item, depth + 1));
        return array;
    }
    case ::ot_dictionary: {
        QPDFObjectHandle dictionary = QPDFObjectHandle::newDictionary();
        for (const std::string &key : object.getKeys())
            dictionary.replaceKey(key, copyAt(object.getKey(key), depth + 1));
        return dictionary;
    }
    default:
        return QPDFObjectHandle::newNull();
    }
}

} // namespace corvanta
