// Embedded files: each input's, under their names, or with the input's
// number where an earlier input has taken a name; links into them follow.

#include "parts/PdfValues.h"
#include "parts/Restoring.h"

#include <QCryptographicHash>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>

#include <map>

namespace corvanta {

namespace {

class DigestPipeline : public Pipeline
{
public:
    DigestPipeline()
        : Pipeline("attachment", nullptr)
    {
    }
    void write(unsigned char const *data, size_t length) override
    {
        m_hash.addData(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(length)));
    }
    void finish() override {}
    QByteArray result() const { return m_hash.result(); }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

// What an attachment holds, unpacked; empty when it cannot be read.
QByteArray digestOf(QPDFFileSpecObjectHelper &file)
{
    QPDFObjectHandle stream = file.getEmbeddedFileStream();
    DigestPipeline digest;
    if (!stream.isStream() || !stream.pipeStreamData(&digest, nullptr, 0, qpdf_dl_generalized, true, false))
        return QByteArray();
    return digest.result();
}

// Links of the input's pages that open one of its attachments by a name
// that changed, now open it by its new name.
void followRenamed(JoinedInput &input, const std::map<std::string, std::string> &renamed)
{
    if (renamed.empty())
        return;
    input.transplant->matchPageContents();
    for (QPDFObjectHandle page : input.transplant->inputPages()) {
        QPDFObjectHandle annotations = page.getKey("/Annots");
        if (!annotations.isArray())
            continue;
        for (QPDFObjectHandle annotation : annotations.getArrayAsVector()) {
            QPDFObjectHandle target = valueAt(annotation, {"/A", "/T"});
            QPDFObjectHandle name = valueAt(target, {"/N"});
            if (!valueAt(annotation, {"/A", "/S"}).isNameAndEquals("/GoToE") || !name.isString())
                continue;
            const auto moved = renamed.find(name.getUTF8Value());
            QPDFObjectHandle copy = input.transplant->counterpart(annotation);
            if (moved != renamed.end() && copy.isDictionary())
                valueAt(copy, {"/A", "/T"}).replaceKey("/N", QPDFObjectHandle::newUnicodeString(moved->second));
        }
    }
}

} // namespace

void restoreAttachments(Restoring &restoring)
{
    std::set<std::string> taken;
    std::vector<std::pair<std::string, QByteArray>> expected;
    QPDFEmbeddedFileDocumentHelper joined(restoring.result);
    QPDFObjectHandle associated = QPDFObjectHandle::newArray();
    for (JoinedInput &input : restoring.inputs) {
        if (!input.has(Attachments))
            continue;
        std::map<std::string, std::string> renamed;
        for (auto &[name, file] : QPDFEmbeddedFileDocumentHelper(*input.pdf).getEmbeddedFiles()) {
            const QByteArray digest = digestOf(*file);
            const std::string free = freeName(name, input.index, taken);
            if (free != name)
                renamed.emplace(name, free);
            joined.replaceEmbeddedFile(free, QPDFFileSpecObjectHelper(input.transplant->copy(file->getObjectHandle())));
            expected.emplace_back(free, digest);
        }
        QPDFObjectHandle own = input.pdf->getRoot().getKey("/AF");
        if (own.isArray()) {
            for (QPDFObjectHandle file : own.getArrayAsVector())
                associated.appendItem(input.transplant->copy(file));
        }
        followRenamed(input, renamed);
        input.restored |= Attachments;
        restoring.changed = true;
    }
    if (associated.getArrayNItems() > 0)
        restoring.result.getRoot().replaceKey("/AF", associated);
    if (expected.empty())
        return;
    restoring.promise([expected](QPDF &mended, const std::vector<QPDFObjectHandle> &) {
        QPDFEmbeddedFileDocumentHelper found(mended);
        for (const auto &[name, digest] : expected) {
            std::shared_ptr<QPDFFileSpecObjectHelper> file = found.getEmbeddedFile(name);
            if (!file || digestOf(*file) != digest)
                return false;
        }
        return true;
    });
}

} // namespace corvanta
