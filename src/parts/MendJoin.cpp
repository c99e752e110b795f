#include "parts/Mending.h"

#include "parts/Restoring.h"

#include <QFile>
#include <QScopeGuard>

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <cstdio>
#include <new>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <QDir>
#else
#include <unistd.h>
#endif

namespace corvanta {

namespace {

std::vector<QPDFObjectHandle> pagesOf(QPDF &pdf)
{
    std::vector<QPDFObjectHandle> pages;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
        pages.push_back(page.getObjectHandle());
    return pages;
}

// A file read from its mapping, with the password in each encoding pdftk
// may have taken it in, repaired where it must be, as pdftk reads it.
class OpenedPdf
{
public:
    OpenedPdf(const QString &path, const QString &password)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            throw std::runtime_error(m_file.errorString().toStdString());
        m_bytes = m_file.map(0, m_file.size());
        if (!m_bytes && m_file.size() > 0)
            throw std::runtime_error(m_file.errorString().toStdString());
        const std::vector<std::string> passwords = password.isEmpty()
            ? std::vector<std::string>{std::string()}
            : QUtil::possible_repaired_encodings(password.toStdString());
        const QByteArray name = path.toUtf8();
        for (size_t tried = 0;; ++tried) {
            m_pdf = std::make_shared<QPDF>();
            m_pdf->setSuppressWarnings(true);
            try {
                m_pdf->processMemoryFile(name.constData(), reinterpret_cast<const char *>(m_bytes),
                                         size_t(m_file.size()), passwords[tried].c_str());
                return;
            } catch (const QPDFExc &error) {
                if (error.getErrorCode() != qpdf_e_password || tried + 1 == passwords.size())
                    throw;
            }
        }
    }

    std::shared_ptr<QPDF> pdf() const { return m_pdf; }

private:
    QFile m_file;
    uchar *m_bytes = nullptr;
    std::shared_ptr<QPDF> m_pdf;
};

std::FILE *openForWriting(const QString &path)
{
#ifdef Q_OS_WIN
    return _wfopen(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), L"wb");
#else
    return std::fopen(QFile::encodeName(path).constData(), "wb");
#endif
}

// The mended file as the library writes it: every stream as pdftk or the
// input had it, so that nothing a page draws changes.
void write(QPDF &pdf, const QString &path)
{
    std::FILE *file = openForWriting(path);
    if (!file)
        throw std::runtime_error("cannot write " + path.toStdString());
    QPDFWriter writer(pdf, path.toUtf8().constData(), file, true);
    writer.setStreamDataMode(qpdf_s_preserve);
    writer.setObjectStreamMode(qpdf_o_preserve);
    writer.write();
}

bool carriesSomething(const MendRequest &request)
{
    QList<quint32> parts;
    for (const MendInput &input : request.inputs)
        parts.append(input.parts);
    return needsMending(parts);
}

} // namespace

QPDFObjectHandle Restoring::names()
{
    QPDFObjectHandle root = result.getRoot();
    if (!root.getKey("/Names").isDictionary())
        root.replaceKey("/Names", result.makeIndirectObject(QPDFObjectHandle::newDictionary()));
    return root.getKey("/Names");
}

std::string freeName(const std::string &name, int index, std::set<std::string> &taken)
{
    std::string free = name;
    for (int count = 1; !taken.insert(free).second; ++count)
        free = name + "-" + std::to_string(index + 1) + (count > 1 ? "-" + std::to_string(count) : std::string());
    return free;
}

namespace {

// The inputs as the join placed them: where each one's pages start, and
// what the join must carry of it.
std::vector<JoinedInput> placed(const MendRequest &request)
{
    std::vector<JoinedInput> inputs;
    long long firstPage = 0;
    for (qsizetype i = 0; i < request.inputs.size(); ++i) {
        const MendInput &asked = request.inputs.at(i);
        JoinedInput input;
        input.index = int(i);
        input.firstPage = firstPage;
        input.pages = asked.pages;
        input.carried = partsToCarry(asked.parts, i) | (asked.parts & FormFields);
        firstPage += input.pages;
        inputs.push_back(std::move(input));
    }
    return inputs;
}

// Opens each input that has a part to put back, and pairs its pages with
// theirs in the joined file.
std::vector<std::unique_ptr<OpenedPdf>> openInputs(const MendRequest &request, std::vector<JoinedInput> &inputs,
                                                   QPDF &result, const std::vector<QPDFObjectHandle> &pages)
{
    std::vector<std::unique_ptr<OpenedPdf>> opened;
    for (JoinedInput &input : inputs) {
        if (!(input.carried & ~kNeverKeptParts))
            continue;
        const MendInput &asked = request.inputs.at(input.index);
        opened.push_back(std::make_unique<OpenedPdf>(asked.path, asked.password));
        input.pdf = opened.back()->pdf();
        std::vector<QPDFObjectHandle> own = pagesOf(*input.pdf);
        if ((long long)own.size() != input.pages)
            throw std::runtime_error("an input has another number of pages than its check found");
        input.transplant =
            std::make_unique<Transplant>(result, *input.pdf, own,
                                         std::vector<QPDFObjectHandle>(pages.begin() + input.firstPage,
                                                                       pages.begin() + input.firstPage + input.pages));
    }
    return opened;
}

// Writes the mended file and reads it back: it must hold what every part
// put back promised.
void writeAndReread(Restoring &restoring, const QString &mended, std::vector<std::shared_ptr<void>> &held)
{
    write(restoring.result, mended);
    auto reread = std::make_shared<OpenedPdf>(mended, QString());
    held.push_back(reread);
    const std::vector<QPDFObjectHandle> pages = pagesOf(*reread->pdf());
    if (pages.size() != restoring.resultPages.size())
        throw std::runtime_error("the mended file has another number of pages");
    for (const Promise &promise : restoring.promises) {
        if (!promise(*reread->pdf(), pages))
            throw std::runtime_error("a part put back does not hold in the mended file");
    }
}

QList<quint32> lostParts(const std::vector<JoinedInput> &inputs, bool restored)
{
    QList<quint32> lost;
    for (const JoinedInput &input : inputs)
        lost.append((input.carried & ~(restored ? input.restored : 0u) & ~FormFields) | input.lost);
    return lost;
}

} // namespace

MendReport mendJoin(const MendRequest &request, std::atomic<qint64> *work,
                    std::vector<std::shared_ptr<void>> *structures)
{
    MendReport report;
    std::vector<JoinedInput> inputs = placed(request);
    if (!carriesSomething(request)) {
        report.lost = lostParts(inputs, false);
        return report;
    }
    // What the library holds of the files is freed by the caller, or else
    // on the way out.
    std::vector<std::shared_ptr<void>> held;
    const auto hand = qScopeGuard([&] {
        if (structures)
            structures->insert(structures->end(), held.begin(), held.end());
    });
    try {
        auto written = std::make_shared<OpenedPdf>(request.written, QString());
        held.push_back(written);
        QPDF &result = *written->pdf();
        const std::vector<QPDFObjectHandle> pages = pagesOf(result);
        if (pages.empty() || (long long)pages.size() != inputs.back().firstPage + inputs.back().pages)
            throw std::runtime_error("the joined file has another number of pages than its inputs");
        for (auto &opened : openInputs(request, inputs, result, pages))
            held.push_back(std::shared_ptr<OpenedPdf>(std::move(opened)));
        Restoring restoring{result, pages, inputs, {}, false};
        for (const auto restore : {restorePageLabels, restoreDestinations, restoreAttachments, restoreLayers,
                                   restoreForm, restoreTags, restoreDocument})
            restore(restoring);
        if (work)
            *work += qint64(pages.size()) * 10;
        if (restoring.changed) {
            writeAndReread(restoring, request.mended, held);
            report.mended = true;
            for (const JoinedInput &input : inputs)
                report.putBack.append(input.restored & ~FormFields);
        }
        report.lost = lostParts(inputs, true);
    } catch (const std::bad_alloc &) {
        QFile::remove(request.mended);
        throw; // the library's state cannot be trusted any more
    } catch (const std::exception &error) {
        report.mended = false;
        report.detail = QString::fromUtf8(error.what());
        QFile::remove(request.mended);
        report.lost = lostParts(inputs, false);
    }
    return report;
}

} // namespace corvanta
