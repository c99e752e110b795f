#include "check/PageFingerprint.h"

#include "check/PdfReading.h"

#include <QCryptographicHash>

#include <qpdf/Pipeline.hh>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace corvanta {

namespace {

// Fast on the short pieces a page is made of, and no easier to forge than
// SHA-256.
constexpr QCryptographicHash::Algorithm kHash = QCryptographicHash::Blake2b_256;
constexpr int kDigestBytes = 32;
using Digest = std::array<char, kDigestBytes>;

// Feeds a stream's bytes into a hash. White space at the end of a drawing
// draws nothing, and repairs of a stream whose length is wrong keep more or
// less of it, so that is left out.
class HashPipeline : public Pipeline
{
public:
    HashPipeline(QCryptographicHash &hash, bool trimEnd)
        : Pipeline("fingerprint", nullptr)
        , m_hash(hash)
        , m_trimEnd(trimEnd)
    {
    }
    void write(unsigned char const *data, size_t length) override
    {
        m_bytes += qint64(length);
        const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(length));
        if (!m_trimEnd) {
            m_hash.addData(bytes);
            return;
        }
        qsizetype end = bytes.size();
        while (end > 0 && isWhiteSpace(bytes.at(end - 1)))
            --end;
        if (end == 0) {
            m_space += bytes;
            return;
        }
        m_hash.addData(m_space);
        m_hash.addData(bytes.first(end));
        m_space.clear();
        m_space.append(bytes.sliced(end));
    }
    void finish() override {}
    qint64 bytes() const { return m_bytes; }

private:
    static bool isWhiteSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == 0; }

    QCryptographicHash &m_hash;
    const bool m_trimEnd;
    QByteArray m_space; // held back until more than white space follows
    qint64 m_bytes = 0;
};

void writeText(QCryptographicHash &hash, const char *kind, const std::string &text)
{
    const quint64 length = text.size();
    hash.addData(kind);
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&length), sizeof length));
    hash.addData(QByteArrayView(text.data(), qsizetype(text.size())));
}

// Back references (to a page, a parent field) are left out: pdftk
// rebuilds them, and they lead out of what the page draws. So are the keys
// into the structure tree, which a join renumbers.
bool isBackReference(const std::string &key)
{
    return key == "/Parent" || key == "/P" || key == "/StructParent" || key == "/StructParents";
}

// What says how a stream's data is packed, rather than what it holds.
bool isPackingKey(const std::string &key)
{
    return key == "/Filter" || key == "/DecodeParms" || key == "/DL";
}

// What every annotation shows: where, whether, in which state and how.
const char *const kShownKeys[] = {"/Subtype", "/Rect", "/F", "/AS", "/AP", "/OC", "/CA", "/ca", "/BM"};
// Without an appearance of its own, a reader draws an annotation from
// these: its text, its colours and borders, its shape, a field's value.
const char *const kDrawnFromKeys[] = {
    "/Contents", "/DA",       "/DS",   "/RC", "/C",  "/IC",  "/BS",  "/BE",    "/Border", "/QuadPoints",
    "/InkList",  "/Vertices", "/L",    "/LE", "/LL", "/LLE", "/RD",  "/Q",     "/Name",   "/MK",
    "/CL",       "/IT",       "/Path", "/V",  "/FT", "/Ff",  "/Opt", "/MaxLen"};

} // namespace

// The canonical form of what a page draws, hashed.
class PageFingerprints::Drawn
{
public:
    explicit Drawn(ReadingWork *work)
        : m_work(work)
    {
    }

    // Adds `object` to `hash`; false when it could not be followed whole:
    // nested too deeply, or a stream that cannot be read.
    bool add(QCryptographicHash &hash, QPDFObjectHandle object, bool content = false)
    {
        m_unreadable = false;
        write(hash, object, 0, content);
        return !m_unreadable;
    }

private:
    void write(QCryptographicHash &hash, QPDFObjectHandle object, int depth, bool content)
    {
        if (depth > kDeepestObject) {
            m_unreadable = true;
            return;
        }
        // A page's own content streams are seldom shared: they go into its
        // hash as they are, without a digest of their own to keep.
        if (!object.isIndirect() || content) {
            writeDirect(hash, object, depth, content);
            return;
        }
        hash.addData("R");
        const QPDFObjGen id = object.getObjGen();
        const auto known = m_known.find(id);
        if (known != m_known.end()) {
            hash.addData(QByteArrayView(known->second.data(), kDigestBytes));
            return;
        }
        // A structure that leads back to itself is followed once.
        if (!m_open.insert(id).second) {
            hash.addData("cycle");
            return;
        }
        QCryptographicHash own(kHash);
        writeDirect(own, object, depth, false);
        m_open.erase(id);
        hash.addData(keep(m_known[id], own));
    }

    // The digest of `hash`, kept in `into`.
    static QByteArrayView keep(Digest &into, const QCryptographicHash &hash)
    {
        const QByteArrayView digest = hash.resultView();
        std::copy(digest.begin(), digest.end(), into.begin());
        return digest;
    }

    void writeDirect(QCryptographicHash &hash, QPDFObjectHandle object, int depth, bool content)
    {
        if (m_work)
            ++m_work->objects;
        switch (object.getTypeCode()) {
        case ::ot_boolean:
            hash.addData(object.getBoolValue() ? "t" : "f");
            break;
        case ::ot_integer:
        case ::ot_real: {
            const double value = object.getNumericValue();
            hash.addData("#");
            hash.addData(QByteArrayView(reinterpret_cast<const char *>(&value), sizeof value));
            break;
        }
        case ::ot_name:
            writeText(hash, "/", object.getName());
            break;
        case ::ot_string:
            writeText(hash, "(", object.getStringValue());
            break;
        case ::ot_array:
            hash.addData("[");
            for (QPDFObjectHandle item : object.getArrayAsVector())
                write(hash, item, depth + 1, false);
            hash.addData("]");
            break;
        case ::ot_dictionary:
            writeDictionary(hash, object, depth, false);
            break;
        case ::ot_stream:
            writeStream(hash, object, depth, content);
            break;
        default:
            hash.addData("null");
            break;
        }
    }

    void writeDictionary(QCryptographicHash &hash, QPDFObjectHandle dictionary, int depth, bool unpacked)
    {
        hash.addData("<<");
        for (const std::string &key : dictionary.getKeys()) {
            if (isBackReference(key) || key == "/Length" || (unpacked && isPackingKey(key)))
                continue;
            writeText(hash, "", key);
            write(hash, dictionary.getKey(key), depth + 1, false);
        }
        hash.addData(">>");
    }

    // pdftk packs some streams anew (fonts, colour profiles, forms) and
    // writes some content streams unpacked: a stream counts by what it
    // holds. Images pdftk leaves as they are, and unpacking them would
    // cost the most, so they count as packed; so does a stream the library
    // cannot unpack.
    void writeStream(QCryptographicHash &hash, QPDFObjectHandle stream, int depth, bool content)
    {
        QPDFObjectHandle dictionary = stream.getDict();
        const bool drawing = content || dictionary.getKey("/Subtype").isNameAndEquals("/Form");
        const bool image = dictionary.getKey("/Subtype").isNameAndEquals("/Image");
        Digest data;
        bool unpacked = !image && digestOfData(stream, qpdf_dl_generalized, drawing, data);
        if (!unpacked && !digestOfData(stream, qpdf_dl_none, drawing, data))
            m_unreadable = true;
        writeDictionary(hash, dictionary, depth, unpacked);
        hash.addData(unpacked ? "unpacked" : "stream");
        hash.addData(QByteArrayView(data.data(), kDigestBytes));
    }

    // The digest of a stream's data, unpacked as far as `level` allows;
    // false when that is not as far as it goes, or the data cannot be read.
    bool digestOfData(QPDFObjectHandle stream, qpdf_stream_decode_level_e level, bool drawing, Digest &digest)
    {
        QCryptographicHash data(kHash);
        HashPipeline pipeline(data, drawing);
        bool filtered = false;
        const bool read = stream.pipeStreamData(&pipeline, &filtered, 0, level, true, level != qpdf_dl_none);
        if (m_work)
            m_work->bytes += pipeline.bytes();
        keep(digest, data);
        return read && (filtered || level == qpdf_dl_none);
    }

    ReadingWork *m_work;
    std::map<QPDFObjGen, Digest> m_known;
    std::set<QPDFObjGen> m_open;
    bool m_unreadable = false;
};

namespace {

// A page box as pdftk reads it: four numbers, or nothing at all.
bool readBox(QPDFObjectHandle box, double (&corners)[4])
{
    if (!box.isArray() || box.getArrayNItems() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        QPDFObjectHandle number = box.getArrayItem(i);
        if (!number.isNumber())
            return false;
        corners[i] = number.getNumericValue();
    }
    return true;
}

template <typename Value> void addValue(QCryptographicHash &hash, const Value &value)
{
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&value), sizeof value));
}

} // namespace

PageFingerprints::PageFingerprints(ReadingWork *work)
    : m_drawn(std::make_unique<Drawn>(work))
{
}

PageFingerprints::~PageFingerprints() = default;

namespace {

// A page's effective boxes and rotation. pdftk copies inherited values
// onto the page and writes a rotation modulo 360, so both are compared
// that way. Unchecked: pdftk gives a page without any size one of its own.
PageFingerprints::Read addGeometry(QPDFObjectHandle page, const Inherited &inherited, QCryptographicHash &hash)
{
    const auto own = [&page](const char *key, const QPDFObjectHandle &fallback) {
        return page.hasKey(key) ? page.getKey(key) : fallback;
    };
    double media[4] = {0, 0, 0, 0};
    double crop[4] = {0, 0, 0, 0};
    QPDFObjectHandle mediaBox = own("/MediaBox", inherited.mediaBox);
    if (mediaBox.isNull())
        return PageFingerprints::Read::Unchecked;
    if (!readBox(mediaBox, media))
        return PageFingerprints::Read::Malformed;
    QPDFObjectHandle cropBox = own("/CropBox", inherited.cropBox);
    if (cropBox.isNull())
        std::copy(std::begin(media), std::end(media), std::begin(crop));
    else if (!readBox(cropBox, crop))
        return PageFingerprints::Read::Malformed;
    QPDFObjectHandle rotateValue = own("/Rotate", inherited.rotate);
    const qint64 rotate = rotateValue.isInteger() ? ((rotateValue.getIntValue() % 360) + 360) % 360 : 0;
    addValue(hash, media);
    addValue(hash, crop);
    addValue(hash, rotate);
    return PageFingerprints::Read::Whole;
}

} // namespace

PageFingerprints::Read PageFingerprints::add(QPDFObjectHandle page, const Inherited &inherited, QByteArray &out)
{
    constexpr auto kind = kHash;
    static_assert(kPageParts == 4);
    QCryptographicHash parts[kPageParts] = {QCryptographicHash(kind), QCryptographicHash(kind),
                                            QCryptographicHash(kind), QCryptographicHash(kind)};
    const Read geometry = addGeometry(page, inherited, parts[int(PagePart::Geometry)]);
    if (geometry == Read::Malformed)
        return geometry;
    bool whole = geometry == Read::Whole;
    QPDFObjectHandle contents = page.getKey("/Contents");
    std::vector<QPDFObjectHandle> streams;
    if (contents.isArray())
        streams = contents.getArrayAsVector();
    else
        streams.push_back(contents);
    for (QPDFObjectHandle &stream : streams) {
        // Each stream ends with a mark, so that bytes moved from one stream
        // of an array to the next change the fingerprint.
        if (stream.isStream())
            whole = m_drawn->add(parts[int(PagePart::Content)], stream, true) && whole;
        parts[int(PagePart::Content)].addData(QByteArrayView("\0", 1));
    }
    QPDFObjectHandle resources = page.hasKey("/Resources") ? page.getKey("/Resources") : inherited.resources;
    whole = m_drawn->add(parts[int(PagePart::Resources)], resources) && whole;
    whole = addAnnotations(page, parts[int(PagePart::Annotations)]) && whole;
    if (!whole) {
        out.append(uncheckedPage());
        return Read::Unchecked;
    }
    QCryptographicHash all(kind);
    char tags[kPageParts * kPartTagBytes];
    for (int part = 0; part < kPageParts; ++part) {
        const QByteArrayView digest = parts[part].resultView();
        all.addData(digest);
        std::copy_n(digest.begin(), kPartTagBytes, tags + part * kPartTagBytes);
    }
    out.append(all.resultView().first(kWholePageBytes));
    out.append(tags, sizeof tags);
    return Read::Whole;
}

// What each annotation shows, in the order the page lists them: where,
// whether and how it is drawn. One without an appearance of its own is
// drawn by the reader from what it holds, which then counts too. Links and
// back references, which pdftk rewrites, do not.
bool PageFingerprints::addAnnotations(QPDFObjectHandle page, QCryptographicHash &hash)
{
    QPDFObjectHandle annotations = valueAt(page, {"/Annots"});
    if (!annotations.isArray())
        return true;
    bool whole = true;
    const auto addKey = [&](QPDFObjectHandle &annotation, const char *key) {
        if (!annotation.hasKey(key))
            return;
        writeText(hash, "", key);
        whole = m_drawn->add(hash, annotation.getKey(key)) && whole;
    };
    for (QPDFObjectHandle annotation : annotations.getArrayAsVector()) {
        if (!annotation.isDictionary())
            continue;
        hash.addData("annotation");
        m_widgets = m_widgets || annotation.getKey("/Subtype").isNameAndEquals("/Widget");
        for (const char *key : kShownKeys)
            addKey(annotation, key);
        if (valueAt(annotation, {"/AP", "/N"}).isNull()) {
            // A signature's value is no text to draw, and pdftk changes it.
            const bool signature = annotation.getKey("/FT").isNameAndEquals("/Sig");
            for (const char *key : kDrawnFromKeys) {
                if (!signature || std::strcmp(key, "/V") != 0)
                    addKey(annotation, key);
            }
        }
    }
    return whole;
}

} // namespace corvanta
