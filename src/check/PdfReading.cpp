#include "check/PdfReading.h"

#include "check/OpenFile.h"
#include "check/PageFingerprint.h"
#include "parts/FindParts.h"

#include <QScopeGuard>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <atomic>
#include <new>
#include <set>
#include <vector>

namespace corvanta {

namespace {

// Whether qpdf found no PDF header in the file. Without one the file is
// not a PDF at all (a picture or a text named .pdf) rather than a damaged
// PDF that pdftk might still repair.
bool lacksPdfHeader(QPDF &pdf)
{
    for (const QPDFExc &warning : pdf.getWarnings()) {
        if (warning.getMessageDetail() == "can't find PDF header")
            return true;
    }
    return false;
}

// What a walk of the page tree has found so far, of the pages in `range`.
struct PagesFound
{
    PageRange range;
    qint64 pages = 0; // all of them
    qint64 fingerprinted = 0;
    QByteArray fingerprints;
    QByteArray repaired; // see PdfCheck::repairedPages
    bool unchecked = false;

    // What the walk found, said in `check`.
    void tell(PdfCheck &check)
    {
        check.pages = pages;
        check.fingerprints = fingerprints;
        if (!repaired.isEmpty()) {
            repaired.resize(qsizetype(fingerprinted), '\0');
            check.repairedPages = repaired;
        }
        if (unchecked)
            check.problem = PdfProblem::Damaged;
    }
};

// A kid the library could not read at all (nested too deeply, say) is a
// page to pdftk, which reads it; here it goes unchecked.
void addUnreadPage(PagesFound &found)
{
    if (!found.range.contains(found.pages++))
        return;
    ++found.fingerprinted;
    found.fingerprints.append(uncheckedPage());
    found.unchecked = true;
}

// Adds a leaf of the page tree; false when it is no page pdftk can copy.
bool addPage(QPDF &pdf, QPDFObjectHandle &page, const Inherited &inherited, PageFingerprints &fingerprints,
             PagesFound &found, ReadingWork *work)
{
    if (work)
        ++work->pages;
    if (!found.range.contains(found.pages++))
        return true;
    ++found.fingerprinted;
    const size_t warningsBefore = pdf.numWarnings();
    const PageFingerprints::Read read = fingerprints.add(page, inherited, found.fingerprints);
    if (pdf.numWarnings() > warningsBefore) {
        found.repaired.resize(qsizetype(found.fingerprinted), '\0');
        found.repaired[qsizetype(found.fingerprinted) - 1] = '\1';
    }
    found.unchecked = found.unchecked || read == PageFingerprints::Read::Unchecked;
    return read != PageFingerprints::Read::Malformed;
}

// What a branch hands down to its kids: its own values over those it inherited.
Inherited handedDown(QPDFObjectHandle &branch, Inherited inherited)
{
    for (auto [key, value] : {std::pair{"/MediaBox", &inherited.mediaBox}, std::pair{"/CropBox", &inherited.cropBox},
                              std::pair{"/Rotate", &inherited.rotate}, std::pair{"/Resources", &inherited.resources}}) {
        if (branch.hasKey(key))
            *value = branch.getKey(key);
    }
    return inherited;
}

// Walks the page tree from its root without recursion, so that a tree of
// any depth cannot exhaust the stack, and never trusts the /Count it
// states: pdftk follows /Kids too. Values that pages inherit are carried
// down as the walk goes. A file with pages that could not be read whole is
// damaged.
void walkPages(QPDF &pdf, PdfCheck &check, ReadingWork *work)
{
    struct Node
    {
        QPDFObjectHandle object;
        Inherited inherited;
        int depth;
    };
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    if (!root.isDictionary()) {
        check.problem = PdfProblem::Damaged;
        return;
    }
    std::vector<Node> pending{{root, Inherited(), 1}};
    std::set<QPDFObjGen> branches;
    PageFingerprints fingerprints(work);
    PagesFound found;
    if (work)
        found.range = work->fingerprinted;
    while (!pending.empty()) {
        Node node = std::move(pending.back());
        pending.pop_back();
        if (!node.object.isDictionary()) {
            addUnreadPage(found);
            continue;
        }
        QPDFObjectHandle kids = node.object.getKey("/Kids");
        if (!kids.isArray()) {
            if (!addPage(pdf, node.object, node.inherited, fingerprints, found, work)) {
                check.problem = PdfProblem::MalformedPage;
                check.detail = QString::number(found.pages);
                return;
            }
            continue;
        }
        if (node.depth > kDeepestPageTree) {
            check.problem = PdfProblem::PageTreeTooDeep;
            return;
        }
        if (node.object.isIndirect() && !branches.insert(node.object.getObjGen()).second) {
            check.problem = PdfProblem::PageTreeLoop;
            return;
        }
        const Inherited inherited = handedDown(node.object, node.inherited);
        // Pushed last to first, so the first kid is walked first.
        for (int kid = kids.getArrayNItems() - 1; kid >= 0; --kid)
            pending.push_back({kids.getArrayItem(kid), inherited, node.depth + 1});
    }
    found.tell(check);
    if (fingerprints.sawWidgets())
        check.parts |= FormFields;
}

// The PDF library catches some of its failures to get memory, when it
// unpacks a stream, and reads on as if the stream were empty: a failure is
// noted here first, wherever it happens.
std::atomic<bool> g_ranOutOfMemory{false};

void noteRunningOut()
{
    g_ranOutOfMemory = true;
    throw std::bad_alloc();
}

// Encryption that pdftk cannot open: AES-256 (V 5, with R 5 or 6). A
// security handler other than the standard one libqpdf refuses already.
bool pdftkOpensEncryption(QPDF &pdf)
{
    int revision = 0;
    int permissions = 0;
    int version = 0;
    QPDF::encryption_method_e stream = QPDF::e_none;
    QPDF::encryption_method_e string = QPDF::e_none;
    QPDF::encryption_method_e file = QPDF::e_none;
    return !pdf.isEncrypted(revision, permissions, version, stream, string, file) || version < 5;
}

// The encryption dictionary's /V, read before any password is tried.
qint64 statedEncryptionVersion(QPDF &pdf)
{
    QPDFObjectHandle version = valueAt(pdf.getTrailer(), {"/Encrypt", "/V"});
    return version.isInteger() ? version.getIntValue() : 0;
}

// What one reading of a file calls for next.
enum class Next { Done, OtherPassword, Repair };

// What a failure of the library to read the file at all says of it.
Next readingFailed(QPDF &pdf, const QPDFExc &error, const std::string &password, bool lastPassword, PdfCheck &check)
{
    const bool passwordRefused = error.getErrorCode() == qpdf_e_password;
    check.encrypted = passwordRefused;
    check.detail = QString::fromStdString(error.getMessageDetail());
    if (passwordRefused && statedEncryptionVersion(pdf) >= 5)
        check.problem = PdfProblem::UnsupportedEncryption;
    else if (passwordRefused && !lastPassword)
        return Next::OtherPassword;
    else if (passwordRefused)
        check.problem = password.empty() ? PdfProblem::NeedsPassword : PdfProblem::WrongPassword;
    else if (error.getMessageDetail() == "loop detected following xref tables")
        check.problem = PdfProblem::CrossReferenceLoop;
    else if (error.getErrorCode() == qpdf_e_unsupported)
        // The library says so of encryption it does not know, and of a
        // stream it must unpack but has no filter for.
        check.problem = valueAt(pdf.getTrailer(), {"/Encrypt"}).isNull() ? PdfProblem::UnsupportedCompression
                                                                         : PdfProblem::UnsupportedEncryption;
    else
        check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
    return Next::Done;
}

// Reads the file once with one password, repaired or not, into `check`.
// Whatever the strict reading had to pass over (a stream whose length is
// wrong, an object it could not parse) is damage, which pdftk repairs: the
// file is read again as pdftk reads it, or its pages would seem empty.
Next readOnce(const OpenedFile &source, const std::string &password, bool lastPassword, bool repair, PdfCheck &check,
              ReadingWork *work)
{
    const auto structures = std::make_shared<QPDF>();
    QPDF &pdf = *structures;
    if (work)
        work->structures = structures;
    try {
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(repair);
        if (source.file) {
            std::rewind(source.file);
            pdf.processFile(source.description.constData(), source.file, false, password.c_str());
        } else {
            pdf.processMemoryFile(source.description.constData(), source.bytes(), source.byteCount(), password.c_str());
        }
        check.encrypted = pdf.isEncrypted();
        if (!pdftkOpensEncryption(pdf)) {
            check.problem = PdfProblem::UnsupportedEncryption;
            return Next::Done;
        }
        walkPages(pdf, check, work);
        check.parts |= documentParts(pdf);
        if ((check.parts & DynamicXfa) && (check.problem == PdfProblem::None || check.problem == PdfProblem::Damaged))
            check.problem = PdfProblem::DynamicXfa;
        const std::vector<QPDFExc> warnings = pdf.getWarnings();
        if (!check.encrypted && std::any_of(warnings.begin(), warnings.end(), [](const QPDFExc &warning) {
                return warning.getErrorCode() == qpdf_e_unsupported;
            }))
            check.problem = PdfProblem::UnsupportedCompression; // objects packed with a filter nobody has
        else if (check.problem == PdfProblem::None && (repair || !warnings.empty()))
            check.problem = PdfProblem::Damaged;
    } catch (const QPDFExc &error) {
        if (readingFailed(pdf, error, password, lastPassword, check) == Next::OtherPassword)
            return Next::OtherPassword;
    } catch (const std::bad_alloc &) {
        check.problem = PdfProblem::NeedsTooMuchMemory;
    } catch (const std::exception &error) {
        check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
        check.detail = QString::fromUtf8(error.what());
    }
    return check.problem == PdfProblem::Damaged && !repair ? Next::Repair : Next::Done;
}

// Reads an opened file with the password as typed and in the encodings
// pdftk may take it in, and repaired where it must be.
PdfCheck readWithPasswords(const OpenedFile &source, const QString &password, ReadingWork *work)
{
    PdfCheck check;
    // Older encryption keeps a password in a single-byte encoding, which
    // pdftk accepts as typed: the same password in those encodings is tried
    // too, so a password with "é" in it is not called wrong.
    const std::vector<std::string> passwords = password.isEmpty()
        ? std::vector<std::string>{std::string()}
        : QUtil::possible_repaired_encodings(password.toStdString());
    // A file that does not parse cleanly is read once more as pdftk reads
    // it, repaired, to find its pages.
    bool repair = false;
    for (size_t tried = 0; tried < passwords.size();) {
        switch (readOnce(source, passwords[tried], tried + 1 == passwords.size(), repair, check, work)) {
        case Next::Done:
            return check;
        case Next::OtherPassword:
            ++tried;
            break;
        case Next::Repair:
            repair = true;
            check = PdfCheck();
            break;
        }
    }
    return check;
}

// Opens the file, and says which file it was.
PdfCheck readFile(const QString &path, const QString &password, ReadingWork *work)
{
    PdfCheck check;
    OpenedFile source;
    if (!openRegularFile(path, check, source))
        return check;
    check = readWithPasswords(source, password, work);
    check.identity = source.identity;
    return check;
}

} // namespace

PdfCheck readPdf(const QString &path, const QString &password, ReadingWork *work)
{
    g_ranOutOfMemory = false;
    const std::new_handler previous = std::set_new_handler(noteRunningOut);
    const auto restore = qScopeGuard([previous] { std::set_new_handler(previous); });
    PdfCheck check = readFile(path, password, work);
    if (g_ranOutOfMemory) {
        check = PdfCheck();
        check.problem = PdfProblem::NeedsTooMuchMemory;
    }
    return check;
}

} // namespace corvanta
