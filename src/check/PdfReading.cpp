#include "check/PdfReading.h"

#include <QCryptographicHash>
#include <QFile>
#include <QScopeGuard>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <new>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
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

// The value at `keys` below `object`, or null; asks nothing of an object
// that is not a dictionary, which the library would note as damage.
QPDFObjectHandle valueAt(QPDFObjectHandle object, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        if (!object.isDictionary())
            return QPDFObjectHandle::newNull();
        object = object.getKey(key);
    }
    return object;
}

// Feeds a stream's bytes, as the file holds them (decrypted, still
// compressed), into a hash: pdftk copies those bytes unchanged. White space
// at the end of a content stream draws nothing, and repairs of a stream
// whose length is wrong keep more or less of it, so that is left out.
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
        m_space.clear();
        m_hash.addData(bytes.first(end));
        m_space = bytes.sliced(end).toByteArray();
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

// The canonical form of what a page draws, hashed: references followed,
// object numbers and key order left out, streams' bytes included. Objects
// that many pages share, such as fonts, are hashed once per file.
class DrawnObjects
{
public:
    explicit DrawnObjects(ReadingWork *work)
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
        hash.addData(digestOf(object, depth, content));
    }

    QByteArray digestOf(QPDFObjectHandle object, int depth, bool content)
    {
        const QPDFObjGen id = object.getObjGen();
        const auto known = m_known.find(id);
        if (known != m_known.end())
            return known->second;
        // A structure that leads back to itself is followed once.
        if (!m_open.insert(id).second)
            return QByteArrayLiteral("cycle");
        QCryptographicHash own(QCryptographicHash::Sha256);
        writeDirect(own, object, depth, content);
        m_open.erase(id);
        return m_known.emplace(id, own.result()).first->second;
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
            writeDictionary(hash, object, depth);
            break;
        case ::ot_stream:
            writeStream(hash, object, depth, content);
            break;
        default:
            hash.addData("null");
            break;
        }
    }

    // Back references (to a page, a parent field) are left out: pdftk
    // rebuilds them, and they lead out of what the page draws.
    void writeDictionary(QCryptographicHash &hash, QPDFObjectHandle dictionary, int depth)
    {
        hash.addData("<<");
        for (const std::string &key : dictionary.getKeys()) {
            if (key == "/Parent" || key == "/P" || key == "/Length")
                continue;
            writeText(hash, "", key);
            write(hash, dictionary.getKey(key), depth + 1, false);
        }
        hash.addData(">>");
    }

    void writeStream(QCryptographicHash &hash, QPDFObjectHandle stream, int depth, bool content)
    {
        QPDFObjectHandle dictionary = stream.getDict();
        writeDictionary(hash, dictionary, depth);
        const bool drawing = content || dictionary.getKey("/Subtype").isNameAndEquals("/Form");
        HashPipeline pipeline(hash, drawing);
        hash.addData("stream");
        bool unpacked = false;
        if (!stream.pipeStreamData(&pipeline, &unpacked, 0, qpdf_dl_none, true))
            m_unreadable = true;
        if (m_work)
            m_work->bytes += pipeline.bytes();
    }

    static void writeText(QCryptographicHash &hash, const char *kind, const std::string &text)
    {
        const quint64 length = text.size();
        hash.addData(kind);
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&length), sizeof length));
        hash.addData(QByteArrayView(text.data(), qsizetype(text.size())));
    }

    ReadingWork *m_work;
    std::map<QPDFObjGen, QByteArray> m_known;
    std::set<QPDFObjGen> m_open;
    bool m_unreadable = false;
};

// What a page takes from the nodes above it, unless it has its own.
struct Inherited
{
    QPDFObjectHandle mediaBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle cropBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle rotate = QPDFObjectHandle::newNull();
    QPDFObjectHandle resources = QPDFObjectHandle::newNull();
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

// The appearances its annotations draw, in the order the page lists them.
bool addAppearances(QCryptographicHash &hash, QPDFObjectHandle page, DrawnObjects &drawn)
{
    QPDFObjectHandle annotations = valueAt(page, {"/Annots"});
    if (!annotations.isArray())
        return true;
    bool whole = true;
    for (QPDFObjectHandle annotation : annotations.getArrayAsVector()) {
        if (annotation.isDictionary() && annotation.hasKey("/AP"))
            whole = drawn.add(hash, annotation.getKey("/AP")) && whole;
    }
    return whole;
}

enum class PageRead { Read, Unchecked, Malformed };

// The fingerprint of one page: its effective boxes and rotation, its content
// streams' bytes, its resources and its annotations' appearances. pdftk
// copies inherited values onto the page and writes a rotation modulo 360,
// so both are compared that way.
PageRead fingerprintPage(QPDFObjectHandle page, const Inherited &inherited, DrawnObjects &drawn, QByteArray &out)
{
    const auto own = [&page](const char *key, const QPDFObjectHandle &fallback) {
        return page.hasKey(key) ? page.getKey(key) : fallback;
    };
    double media[4] = {0, 0, 0, 0};
    double crop[4] = {0, 0, 0, 0};
    QPDFObjectHandle mediaBox = own("/MediaBox", inherited.mediaBox);
    // pdftk gives a page without any size one of its own.
    if (mediaBox.isNull()) {
        out.append(uncheckedPage());
        return PageRead::Unchecked;
    }
    if (!readBox(mediaBox, media))
        return PageRead::Malformed;
    QPDFObjectHandle cropBox = own("/CropBox", inherited.cropBox);
    if (cropBox.isNull())
        std::copy(std::begin(media), std::end(media), std::begin(crop));
    else if (!readBox(cropBox, crop))
        return PageRead::Malformed;
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
    bool whole = true;
    for (QPDFObjectHandle &stream : streams) {
        // Each stream ends with a mark, so that bytes moved from one stream
        // of an array to the next change the fingerprint.
        if (stream.isStream())
            whole = drawn.add(hash, stream, true) && whole;
        hash.addData(QByteArrayView("\0", 1));
    }
    whole = drawn.add(hash, own("/Resources", inherited.resources)) && whole;
    whole = addAppearances(hash, page, drawn) && whole;
    out.append(whole ? hash.result().left(kFingerprintBytes) : uncheckedPage());
    return whole ? PageRead::Read : PageRead::Unchecked;
}

// What a walk of the page tree has found so far.
struct PagesFound
{
    qint64 pages = 0;
    QByteArray fingerprints;
    QByteArray repaired; // see PdfCheck::repairedPages
    bool unchecked = false;
};

// Adds a leaf of the page tree; false when it is no page pdftk can copy.
bool addPage(QPDF &pdf, QPDFObjectHandle &page, const Inherited &inherited, DrawnObjects &drawn, PagesFound &found,
             ReadingWork *work)
{
    ++found.pages;
    if (work)
        ++work->pages;
    const size_t warningsBefore = pdf.numWarnings();
    const PageRead read = fingerprintPage(page, inherited, drawn, found.fingerprints);
    if (pdf.numWarnings() > warningsBefore) {
        found.repaired.resize(qsizetype(found.pages), '\0');
        found.repaired[qsizetype(found.pages) - 1] = '\1';
    }
    found.unchecked = found.unchecked || read == PageRead::Unchecked;
    return read != PageRead::Malformed;
}

// What a branch hands down to its kids: its own values over those it inherited.
Inherited handedDown(QPDFObjectHandle &branch, Inherited inherited)
{
    for (auto [key, value] : {std::pair{"/MediaBox", &inherited.mediaBox}, std::pair{"/CropBox", &inherited.cropBox},
                              std::pair{"/Rotate", &inherited.rotate},
                              std::pair{"/Resources", &inherited.resources}}) {
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
    DrawnObjects drawn(work);
    PagesFound found;
    while (!pending.empty()) {
        Node node = std::move(pending.back());
        pending.pop_back();
        // A kid the library could not read at all (nested too deeply, say)
        // is a page to pdftk, which reads it; here it goes unchecked.
        if (!node.object.isDictionary()) {
            ++found.pages;
            found.fingerprints.append(uncheckedPage());
            found.unchecked = true;
            continue;
        }
        QPDFObjectHandle kids = node.object.getKey("/Kids");
        if (!kids.isArray()) {
            if (!addPage(pdf, node.object, node.inherited, drawn, found, work)) {
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
    check.pages = found.pages;
    check.fingerprints = found.fingerprints;
    if (!found.repaired.isEmpty()) {
        found.repaired.resize(qsizetype(found.pages), '\0');
        check.repairedPages = found.repaired;
    }
    if (found.unchecked)
        check.problem = PdfProblem::Damaged;
}

// The parts of the document, beyond its pages, that change how it shows.
quint32 documentParts(QPDF &pdf)
{
    QPDFObjectHandle root = pdf.getRoot();
    quint32 parts = 0;
    QPDFObjectHandle off = valueAt(root, {"/OCProperties", "/D", "/OFF"});
    if ((off.isArray() && off.getArrayNItems() > 0)
        || valueAt(root, {"/OCProperties", "/D", "/BaseState"}).isNameAndEquals("/OFF"))
        parts |= HiddenLayers;
    QPDFObjectHandle needAppearances = valueAt(root, {"/AcroForm", "/NeedAppearances"});
    if (needAppearances.isBool() && needAppearances.getBoolValue())
        parts |= NeedsAppearances;
    if (valueAt(root, {"/PageLabels"}).isDictionary())
        parts |= PageLabels;
    QPDFObjectHandle mode = valueAt(root, {"/PageMode"});
    for (const char *view : {"/UseOutlines", "/UseThumbs", "/FullScreen", "/UseOC", "/UseAttachments"}) {
        if (mode.isNameAndEquals(view))
            parts |= OpeningView;
    }
    return parts;
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

// A file to read: its bytes, or for a large one the file itself.
struct Source
{
    FILE *file = nullptr;
    QByteArray contents;
    QByteArray description; // how the library names it in its messages
    FileIdentity identity;

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
    source.identity = identityOf(source.file);
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
Next readOnce(const Source &source, const std::string &password, bool lastPassword, bool repair, PdfCheck &check,
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
            pdf.processMemoryFile(source.description.constData(), source.contents.constData(),
                                  size_t(source.contents.size()), password.c_str());
        }
        check.encrypted = pdf.isEncrypted();
        if (!pdftkOpensEncryption(pdf)) {
            check.problem = PdfProblem::UnsupportedEncryption;
            return Next::Done;
        }
        walkPages(pdf, check, work);
        check.parts = documentParts(pdf);
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

PdfCheck readSource(const Source &source, const QString &password, ReadingWork *work)
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

PdfCheck readOpened(const QString &path, const QString &password, ReadingWork *work)
{
    PdfCheck check;
    Source source;
    if (!openSource(path, check, source))
        return check;
    check = readSource(source, password, work);
    check.identity = source.identity;
    return check;
}

} // namespace

PdfCheck readPdf(const QString &path, const QString &password, ReadingWork *work)
{
    g_ranOutOfMemory = false;
    const std::new_handler previous = std::set_new_handler(noteRunningOut);
    const auto restore = qScopeGuard([previous] { std::set_new_handler(previous); });
    PdfCheck check = readOpened(path, password, work);
    if (g_ranOutOfMemory) {
        check = PdfCheck();
        check.problem = PdfProblem::NeedsTooMuchMemory;
    }
    return check;
}

} // namespace corvanta
