#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace corvanta::testing {

// A PDF of these objects (object n is objects[n - 1], object 1 the catalog)
// with its cross-reference table; `trailer` adds entries to the trailer.
QByteArray pdfOfObjects(const QList<QByteArray> &objects, const QByteArray &trailer = {});

// A stream object: `dictionary`'s entries, its length, then `data`.
QByteArray streamObject(const QByteArray &dictionary, const QByteArray &data);

// The objects of a one-page PDF whose page draws a form XObject (object 5)
// that shows `text`: 1 catalog, 2 pages, 3 page, 4 content, 5 the form, 6 its font.
QList<QByteArray> formPageObjects(const QByteArray &text);

// Writes a real PDF whose pages tell where they came from: page p of a file
// with mark m measures (100 + m) x (100 + p) points. Nothing but geometry is
// needed to check a joined file's page order.
void writeMarkedPdf(const QString &path, int mark, int pages);

// The pdftk that joins for real in the tests: Debian's, found on the PATH;
// on Windows, where there is none to install, the stand-in built beside the
// tests (helpers/pdftk_stand_in.cpp). CORVANTA_TEST_PDFTK names another.
QString realPdftk();
// Puts realPdftk() where the program looks for pdftk (first on the PATH),
// and tells the fakes that run it. Called once, as the test program starts.
void useRealPdftk();

struct PdftkResult
{
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};
// Runs realPdftk() and waits for it.
PdftkResult runPdftk(const QStringList &arguments);

// (mark, page) of every page of a PDF written by writeMarkedPdf or joined
// from such files; empty when it cannot be read.
QList<QPair<int, int>> markedPages(const QString &pdf, const QString &password = QString());

// A password as pdftk stores it in a file: in the PDF's own 8-bit encoding.
QByteArray pdfDocBytes(const QString &password);

// How rewriteWithQpdf writes a file again. Passwords are the bytes the file
// keeps; RC4 128 bits is what pdftk itself writes.
struct QpdfRewrite
{
    enum class Encryption { None, Rc4_128, Aes128, Aes256 };
    Encryption encryption = Encryption::None;
    QByteArray userPassword;
    QByteArray ownerPassword;
    bool objectStreams = false;
    // Streams that can be unpacked written unpacked; or Flate streams packed
    // anew, at zlib's fastest level, in other bytes.
    bool unpacked = false;
    bool repacked = false;
};
bool rewriteWithQpdf(const QString &input, const QString &output, const QpdfRewrite &how);

// Encrypts `input` into `output` with a user password, as pdftk would.
bool encryptPdf(const QString &input, const QString &output, const QString &password);
// Protects `input` into `output` with an owner password only: it opens
// without a password, but asks for one to be changed.
bool protectPdfForOwner(const QString &input, const QString &output, const QString &ownerPassword);

// Like writeMarkedPdf, with the cross-reference table out of place: a reader
// has to rebuild it, as pdftk does.
void writeRepairablePdf(const QString &path, int mark, int pages);

// What a scripted child does, a step a list: {"stderr", "boom"}, {"exit", "3"}.
// helpers/scripted_child.cpp lists the steps.
using Steps = QList<QStringList>;
// A copy of the scripted child, built for this platform, as `name` (".exe"
// added on Windows) in `folder`, with its steps beside it; returns its path.
QString scriptedChild(const QString &folder, const QString &name, const Steps &steps);
// The same, named as the program looks for pdftk.
QString writeFakePdftk(const QString &folder, const Steps &steps);

// A stand-in shaped like Debian's wrapper, which starts the real work
// without exec: it starts writing its output (the last argument), starts a
// worker that outlives it unless its whole tree is ended, writes "<its id>
// <worker's id>" to `pids`, takes the steps `then`, and waits for the worker.
Steps lingeringPdftk(const QString &pids, const Steps &then = {});

// The lines of a text file, without their line ends.
QStringList readLines(const QString &path);

// True once a process no longer exists (or is only a zombie left for init).
bool processGone(qint64 pid);
// Ends a process from outside, as a user's kill or Task Manager does.
void killProcess(qint64 pid);

// Whether a child's memory limit holds: Wine accepts a job's memory limit,
// but does not enforce it.
bool childMemoryLimitsHold();

// Whether the file is hidden from a file manager: by the leading dot of its
// name, on Windows by its hidden attribute.
bool isHiddenFile(const QString &path);

} // namespace corvanta::testing
