#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace corvanta::testing {

// A PDF of these objects (object n is objects[n - 1], object 1 the catalog)
// with its cross-reference table.
QByteArray pdfOfObjects(const QList<QByteArray> &objects);

// Writes a real PDF whose pages tell where they came from: page p of a file
// with mark m measures (100 + m) x (100 + p) points. Nothing but geometry is
// needed to check a joined file's page order.
void writeMarkedPdf(const QString &path, int mark, int pages);

struct PdftkResult
{
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};
// Runs the real pdftk from PATH and waits for it.
PdftkResult runPdftk(const QStringList &arguments);

// (mark, page) of every page of a PDF written by writeMarkedPdf or joined
// from such files, read back through pdftk; empty when pdftk cannot read it.
QList<QPair<int, int>> markedPages(const QString &pdf, const QString &password = QString());

// Encrypts `input` into `output` with a user password, through pdftk.
bool encryptPdf(const QString &input, const QString &output, const QString &password);
// Protects `input` into `output` with an owner password only: it opens
// without a password, but asks for one to be changed.
bool protectPdfForOwner(const QString &input, const QString &output, const QString &ownerPassword);

// Runs the qpdf tool on `input` into `output` with the given options, for
// what pdftk cannot make: object streams, AES-256, passwords pdftk refuses.
bool rewriteWithQpdf(const QString &input, const QString &output, const QStringList &options);

// Like writeMarkedPdf, with the cross-reference table out of place: a reader
// has to rebuild it, as pdftk does.
void writeRepairablePdf(const QString &path, int mark, int pages);

// Puts an executable shell script named "pdftk" in `folder` and returns its path.
QString writeFakePdftk(const QString &folder, const QString &scriptBody);

// A stand-in shaped like Debian's wrapper, a shell that starts the real work
// without exec: it starts writing its output (the last argument), starts a
// worker that outlives it unless stopped, writes "<its id> <worker's id>" to
// `pids`, runs the shell text `then`, and waits for the worker.
QString writeLingeringPdftk(const QString &folder, const QString &pids, const QString &then = QString());

// The lines of a text file, without their line ends.
QStringList readLines(const QString &path);

// True once a process no longer exists (or is only a zombie left for init).
bool processGone(qint64 pid);

} // namespace corvanta::testing
