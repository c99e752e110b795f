// What the joined document takes from its first input: its language, how
// it opens, its document information and its XMP description, the latter
// made true of the joined file.

#include "parts/FindParts.h"
#include "parts/PdfValues.h"
#include "parts/Restoring.h"
#include "parts/Xmp.h"

#include <qpdf/Pl_Buffer.hh>

#include <memory>

namespace corvanta {

namespace {

const char *const kInformation[] = {"/Title", "/Author", "/Subject", "/Keywords"};

// Whether the panel a page mode opens has something to show in the file.
bool opensSomething(QPDFObjectHandle mode, QPDFObjectHandle root)
{
    if (mode.isNameAndEquals("/UseOutlines"))
        return valueAt(root, {"/Outlines", "/First"}).isDictionary();
    if (mode.isNameAndEquals("/UseOC"))
        return root.getKey("/OCProperties").isDictionary();
    if (mode.isNameAndEquals("/UseAttachments"))
        return valueAt(root, {"/Names", "/EmbeddedFiles"}).isDictionary();
    return true;
}

QByteArray unpacked(QPDFObjectHandle stream)
{
    Pl_Buffer buffer("xmp");
    if (!stream.isStream() || !stream.pipeStreamData(&buffer, nullptr, 0, qpdf_dl_generalized, true, false))
        return QByteArray();
    const std::unique_ptr<Buffer> bytes(buffer.getBuffer());
    return QByteArray(reinterpret_cast<const char *>(bytes->getBuffer()), qsizetype(bytes->getSize()));
}

QString textOf(QPDFObjectHandle value)
{
    return value.isString() ? QString::fromStdString(value.getUTF8Value()) : QString();
}

XmpFacts factsOf(QPDFObjectHandle info)
{
    const auto date = [&info](const char *key) {
        QPDFObjectHandle value = valueAt(info, {key});
        return value.isString() ? xmpDate(value.getStringValue()) : QString();
    };
    return {date("/CreationDate"), date("/ModDate"), textOf(valueAt(info, {"/Producer"})),
            textOf(valueAt(info, {"/Creator"})), textOf(valueAt(info, {"/Title"}))};
}

QPDFObjectHandle informationOf(QPDF &pdf)
{
    QPDFObjectHandle trailer = pdf.getTrailer();
    if (!trailer.getKey("/Info").isDictionary())
        trailer.replaceKey("/Info", pdf.makeIndirectObject(QPDFObjectHandle::newDictionary()));
    return trailer.getKey("/Info");
}

// The XMP description, made true of the joined file, or left out.
void restoreDescription(Restoring &restoring, JoinedInput &first)
{
    QPDFObjectHandle info = informationOf(restoring.result);
    const QByteArray own = unpacked(first.pdf->getRoot().getKey("/Metadata"));
    // A title only the description gives becomes the document's title too.
    const QString title = xmpFacts(own).title;
    if (!info.getKey("/Title").isString() && !title.isEmpty())
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title.toStdString()));
    const XmpFacts facts = factsOf(info);
    const QByteArray rewritten = rewrittenXmp(own, facts);
    if (rewritten.isEmpty()) {
        first.lost |= Metadata;
        return;
    }
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&restoring.result, rewritten.toStdString());
    stream.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    stream.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    restoring.result.getRoot().replaceKey("/Metadata", stream);
    first.restored |= Metadata;
    restoring.promise([facts](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
        QPDFObjectHandle made = mended.getRoot().getKey("/Metadata");
        return !claimsConformance(made) && xmpFacts(unpacked(made)) == facts
            && factsOf(mended.getTrailer().getKey("/Info")) == facts;
    });
}

} // namespace

void restoreDocument(Restoring &restoring)
{
    if (restoring.inputs.empty() || !restoring.inputs.front().transplant)
        return;
    JoinedInput &first = restoring.inputs.front();
    QPDFObjectHandle own = first.pdf->getRoot();
    QPDFObjectHandle root = restoring.result.getRoot();
    std::vector<std::pair<std::string, std::string>> expected; // catalog key, value
    const auto carry = [&](quint32 part, const char *key) {
        if (!first.has(part))
            return;
        QPDFObjectHandle copy = first.transplant->copy(own.getKey(key));
        root.replaceKey(key, copy);
        expected.emplace_back(key, copy.unparseResolved());
        first.restored |= part;
    };
    carry(Language, "/Lang");
    carry(PageLayout, "/PageLayout");
    carry(ViewerPreferences, "/ViewerPreferences");
    if (first.has(OpeningView)) {
        // A panel with nothing to show is no loss.
        if (opensSomething(own.getKey("/PageMode"), root))
            carry(OpeningView, "/PageMode");
        first.restored |= OpeningView;
    }
    std::vector<std::pair<std::string, std::string>> information;
    if (first.has(DocumentInfo)) {
        QPDFObjectHandle info = informationOf(restoring.result);
        for (const char *key : kInformation) {
            QPDFObjectHandle value = valueAt(first.pdf->getTrailer(), {"/Info", key});
            if (value.isString()) {
                info.replaceKey(key, QPDFObjectHandle::newString(value.getStringValue()));
                information.emplace_back(key, value.getStringValue());
            }
        }
        first.restored |= DocumentInfo;
    }
    if (first.has(Metadata))
        restoreDescription(restoring, first);
    if (expected.empty() && information.empty() && !(first.restored & Metadata))
        return;
    restoring.changed = true;
    restoring.promise([expected, information](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
        for (const auto &[key, value] : expected) {
            if (mended.getRoot().getKey(key).unparseResolved() != value)
                return false;
        }
        for (const auto &[key, value] : information) {
            QPDFObjectHandle found = valueAt(mended.getTrailer(), {"/Info", key.c_str()});
            if (!found.isString() || found.getStringValue() != value)
                return false;
        }
        return true;
    });
}

} // namespace corvanta
