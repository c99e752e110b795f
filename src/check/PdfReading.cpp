#include "check/PdfReading.h"

#include <QCryptographicHash>
#include <QFile>
#include <QScopeGuard>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QUtil.hh>

#include <atomic>
#include <cerrno>
#include <new>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>

#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// Files up to this size are parsed from memory, which is several times
// faster for the long cross-reference tables of files with many pages.
constexpr qint64 kParsedInMemory = 32 * 1024 * 1024;

// Opens `path` for reading if it is a regular file, and tells its size;
// otherwise sets the problem and returns nullptr.
#ifdef Q_OS_WIN
FILE *openRegularFile(const QString &path, PdfCheck &check, qint64 &size)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        check.problem = PdfProblem::Missing;
        return nullptr;
    }
    if (!info.isFile()) {
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    size = info.size();
    const QString native = QDir::toNativeSeparators(path);
    FILE *file = _wfopen(reinterpret_cast<const wchar_t *>(native.utf16()), L"rb");
    if (!file) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    // Names such as NUL or \\.\pipe\… open devices and pipes; opening one
    // does not block, but reading might.
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
        std::fclose(file);
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    return file;
}
#else
FILE *openRegularFile(const QString &path, PdfCheck &check, qint64 &size)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0) {
        const int error = errno;
        check.problem = error == ENOENT || error == ENOTDIR ? PdfProblem::Missing : PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(error));
        return nullptr;
    }
    if (!S_ISREG(status.st_mode)) {
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    // Non-blocking, and checked again once open: the name may have been
    // replaced by a pipe since the stat.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        check.problem = PdfProblem::NotRegularFile;
        return nullptr;
    }
    size = status.st_size;
    FILE *file = ::fdopen(fd, "rb");
    if (!file) {
        check.problem = PdfProblem::Unreadable;
        check.detail = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
    }
    return file;
}
#endif

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

// Feeds a stream's bytes, as the file holds them (decrypted, still
// compressed), into a hash: pdftk copies those bytes unchanged.
class HashPipeline : public Pipeline
{
public:
    explicit HashPipeline(QCryptographicHash &hash)
        : Pipeline("fingerprint", nullptr)
        , m_hash(hash)
    {
    }
    void write(unsigned char const *data, size_t length) override
    {
        m_hash.addData(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(length)));
    }
    void finish() override {}

private:
    QCryptographicHash &m_hash;
};

// What a page takes from the nodes above it, unless it has its own.
struct Inherited
{
    QPDFObjectHandle mediaBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle cropBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle rotate = QPDFObjectHandle::newNull();
};

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

// The fingerprint of one page: its effective boxes and rotation and the
// bytes of its content streams. pdftk copies inherited values onto the
// page and writes a rotation modulo 360, so both are compared that way.
bool fingerprintPage(QPDFObjectHandle page, const Inherited &inherited, QByteArray &out)
{
    const auto own = [&page](const char *key, const QPDFObjectHandle &fallback) {
        return page.hasKey(key) ? page.getKey(key) : fallback;
    };
    double media[4] = {0, 0, 0, 0};
    double crop[4] = {0, 0, 0, 0};
    if (!readBox(own("/MediaBox", inherited.mediaBox), media))
        return false;
    QPDFObjectHandle cropBox = own("/CropBox", inherited.cropBox);
    if (cropBox.isNull())
        std::copy(std::begin(media), std::end(media), std::begin(crop));
    else if (!readBox(cropBox, crop))
        return false;
    QPDFObjectHandle rotateValue = own("/Rotate", inherited.rotate);
    const qint64 rotate = rotateValue.isInteger() ? ((rotateValue.getIntValue() % 360) + 360) % 360 : 0;

    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(media), sizeof media));
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(crop), sizeof crop));
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&rotate), sizeof rotate));
    QPDFObjectHandle contents = page.getKey("/Contents");
    std::vector<QPDFObjectHandle> streams;
    if (contents.isArray())
        streams = contents.getArrayAsVector();
    else
        streams.push_back(contents);
    for (QPDFObjectHandle &stream : streams) {
        // Each stream ends with a mark, so that bytes moved from one stream
        // of an array to the next change the fingerprint.
        if (stream.isStream()) {
            HashPipeline pipeline(hash);
            stream.pipeStreamData(&pipeline, 0, qpdf_dl_none, true);
        }
        hash.addData(QByteArrayView("\0", 1));
    }
    out.append(hash.result().left(kFingerprintBytes));
    return true;
}

// Walks the page tree from its root without recursion, so that a tree of
// any depth cannot exhaust the stack, and never trusts the /Count it
// states: pdftk follows /Kids too. Values that pages inherit are carried
// down as the walk goes.
void walkPages(QPDF &pdf, PdfCheck &check)
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
    QByteArray fingerprints;
    qint64 pages = 0;
    while (!pending.empty()) {
        Node node = std::move(pending.back());
        pending.pop_back();
        if (!node.object.isDictionary())
            continue;
        QPDFObjectHandle kids = node.object.getKey("/Kids");
        if (!kids.isArray()) {
            ++pages;
            if (!fingerprintPage(node.object, node.inherited, fingerprints)) {
                check.problem = PdfProblem::MalformedPage;
                check.detail = QString::number(pages);
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
        Inherited inherited = node.inherited;
        for (auto [key, value] : {std::pair{"/MediaBox", &inherited.mediaBox},
                                  std::pair{"/CropBox", &inherited.cropBox}, std::pair{"/Rotate", &inherited.rotate}}) {
            if (node.object.hasKey(key))
                *value = node.object.getKey(key);
        }
        // Pushed last to first, so the first kid is walked first.
        for (int kid = kids.getArrayNItems() - 1; kid >= 0; --kid)
            pending.push_back({kids.getArrayItem(kid), inherited, node.depth + 1});
    }
    check.pages = pages;
    check.fingerprints = fingerprints;
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
    QPDFObjectHandle version = pdf.getTrailer().getKey("/Encrypt").getKey("/V");
    return version.isInteger() ? version.getIntValue() : 0;
}

// A file to read: its bytes, or for a large one the file itself.
struct Source
{
    FILE *file = nullptr;
    QByteArray contents;
    QByteArray description; // how the library names it in its messages

    ~Source()
    {
        if (file)
            std::fclose(file);
    }
};

bool openSource(const QString &path, PdfCheck &check, Source &source)
{
    qint64 size = 0;
    source.file = openRegularFile(path, check, size);
    if (!source.file)
        return false;
    source.description = path.toUtf8();
    if (size <= kParsedInMemory) {
        source.contents.resize(size);
        source.contents.resize(qsizetype(std::fread(source.contents.data(), 1, size_t(size), source.file)));
        std::fclose(source.file);
        source.file = nullptr;
    }
    return true;
}

// What one reading of a file calls for next.
enum class Next { Done, OtherPassword, Repair };

// Reads the file once with one password, repaired or not, into `check`.
Next readOnce(const Source &source, const std::string &password, bool lastPassword, bool repair, PdfCheck &check)
{
    QPDF pdf;
    try {
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(repair);
        if (source.file) {
            std::rewind(source.file);
            pdf.processFile(source.description.constData(), source.file, false, password.c_str());
        } else {
            pdf.processMemoryFile(source.description.constData(), source.contents.constData(),
                                  size_t(source.contents.size()), password.c_str());
        }
        check.encrypted = pdf.isEncrypted();
        if (!pdftkOpensEncryption(pdf)) {
            check.problem = PdfProblem::UnsupportedEncryption;
            return Next::Done;
        }
        walkPages(pdf, check);
        if (repair && check.problem == PdfProblem::None)
            check.problem = PdfProblem::Damaged;
        return Next::Done;
    } catch (const QPDFExc &error) {
        const bool passwordRefused = error.getErrorCode() == qpdf_e_password;
        check.encrypted = passwordRefused;
        check.detail = QString::fromStdString(error.getMessageDetail());
        if (passwordRefused && statedEncryptionVersion(pdf) >= 5)
            check.problem = PdfProblem::UnsupportedEncryption;
        else if (passwordRefused && !lastPassword)
            return Next::OtherPassword;
        else if (passwordRefused)
            check.problem = password.empty() ? PdfProblem::NeedsPassword : PdfProblem::WrongPassword;
        else if (error.getErrorCode() == qpdf_e_unsupported)
            check.problem = PdfProblem::UnsupportedEncryption;
        else
            check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
    } catch (const std::bad_alloc &) {
        check.problem = PdfProblem::NeedsTooMuchMemory;
    } catch (const std::exception &error) {
        check.problem = lacksPdfHeader(pdf) ? PdfProblem::NotPdf : PdfProblem::Damaged;
        check.detail = QString::fromUtf8(error.what());
    }
    return check.problem == PdfProblem::Damaged && !repair ? Next::Repair : Next::Done;
}

PdfCheck readOpened(const QString &path, const QString &password)
{
    PdfCheck check;
    Source source;
    if (!openSource(path, check, source))
        return check;
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
        switch (readOnce(source, passwords[tried], tried + 1 == passwords.size(), repair, check)) {
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

} // namespace

PdfCheck readPdf(const QString &path, const QString &password)
{
    g_ranOutOfMemory = false;
    const std::new_handler previous = std::set_new_handler(noteRunningOut);
    const auto restore = qScopeGuard([previous] { std::set_new_handler(previous); });
    PdfCheck check = readOpened(path, password);
    if (g_ranOutOfMemory) {
        check = PdfCheck();
        check.problem = PdfProblem::NeedsTooMuchMemory;
    }
    return check;
}

} // namespace corvanta
