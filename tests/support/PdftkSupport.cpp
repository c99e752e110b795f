#include "support/PdftkSupport.h"
#include "support/PlatformFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>
#include <sys/types.h>
#endif

namespace corvanta::testing {

QByteArray pdfOfObjects(const QList<QByteArray> &objects, const QByteArray &trailer)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R "
        + (trailer.isEmpty() ? QByteArray() : trailer + ' ') + ">>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray streamObject(const QByteArray &dictionary, const QByteArray &data)
{
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data
        + "\nendstream";
}

QList<QByteArray> formPageObjects(const QByteArray &text)
{
    return {"<< /Type /Catalog /Pages 2 0 R >>",
            "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R "
            "/Resources << /XObject << /X0 5 0 R >> >> >>",
            streamObject("", "q /X0 Do Q"),
            streamObject("/Type /XObject /Subtype /Form /BBox [0 0 200 200] /Resources << /Font << /F1 6 0 R >> >>",
                         "BT /F1 12 Tf 10 10 Td (" + text + ") Tj ET"),
            "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
}

void writeMarkedPdf(const QString &path, int mark, int pages)
{
    QList<QByteArray> objects;
    QByteArray kids;
    for (int page = 0; page < pages; ++page)
        kids += QByteArray::number(3 + 2 * page) + " 0 R ";
    objects.append("<< /Type /Catalog /Pages 2 0 R >>");
    objects.append("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>");
    for (int page = 1; page <= pages; ++page) {
        const QByteArray text = "BT 10 10 Td (file " + QByteArray::number(mark) + " page "
            + QByteArray::number(page) + ") Tj ET";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + QByteArray::number(100 + mark)
                       + " " + QByteArray::number(100 + page) + "] /Contents "
                       + QByteArray::number(4 + 2 * (page - 1)) + " 0 R >>");
        objects.append("<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text
                       + "\nendstream");
    }
    const QByteArray pdf = pdfOfObjects(objects);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(pdf);
}

// A program built with the tests, in their build folder.
QString builtWithTheTests(const QString &name)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../tests/") + name);
}

QString realPdftk()
{
    const QString named = qEnvironmentVariable("CORVANTA_TEST_PDFTK");
    if (!named.isEmpty())
        return named;
#ifdef Q_OS_WIN
    return builtWithTheTests(QStringLiteral("pdftk/pdftk.exe"));
#else
    return QStandardPaths::findExecutable(QStringLiteral("pdftk"));
#endif
}

void useRealPdftk()
{
    const QString pdftk = realPdftk();
    qputenv("CORVANTA_TEST_PDFTK", pdftk.toUtf8());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftk")) != pdftk) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(pdftk).absolutePath());
        qputenv("PATH", (folder + QDir::listSeparator() + qEnvironmentVariable("PATH")).toUtf8());
    }
}

PdftkResult runPdftk(const QStringList &arguments)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(realPdftk(), arguments);
    PdftkResult result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAllStandardOutput();
    result.error = process.readAllStandardError();
    return result;
}

QList<QPair<int, int>> markedPages(const QString &pdf, const QString &password)
{
    QList<QPair<int, int>> pages;
    try {
        QPDF reader;
        reader.setSuppressWarnings(true);
        reader.processFile(pdf.toStdString().c_str(), pdfDocBytes(password).constData());
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(reader).getAllPages()) {
            const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
            pages.append({qRound(box.urx - box.llx) - 100, qRound(box.ury - box.lly) - 100});
        }
    } catch (const std::exception &) {
        pages.clear();
    }
    return pages;
}

QByteArray pdfDocBytes(const QString &password)
{
    return QByteArray::fromStdString(QUtil::utf8_to_pdf_doc(password.toStdString()));
}

bool rewriteWithQpdf(const QString &input, const QString &output, const QpdfRewrite &how)
{
    using Encryption = QpdfRewrite::Encryption;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(input.toStdString().c_str());
        QPDFWriter writer(pdf, output.toStdString().c_str());
        if (how.objectStreams)
            writer.setObjectStreamMode(qpdf_o_generate);
        if (how.unpacked)
            writer.setStreamDataMode(qpdf_s_uncompress);
        Pl_Flate::setCompressionLevel(how.repacked ? 1 : -1);
        writer.setRecompressFlate(how.repacked);
        const char *user = how.userPassword.constData();
        const char *owner = how.ownerPassword.constData();
        switch (how.encryption) {
        case Encryption::None:
            break;
        case Encryption::Rc4_128:
            writer.setR3EncryptionParametersInsecure(user, owner, true, true, true, true, true, true, qpdf_r3p_full);
            break;
        case Encryption::Aes128:
            writer.setR4EncryptionParametersInsecure(user, owner, true, true, true, true, true, true, qpdf_r3p_full,
                                                     true, true);
            break;
        case Encryption::Aes256:
            writer.setR6EncryptionParameters(user, owner, true, true, true, true, true, true, qpdf_r3p_full, true);
            break;
        }
        writer.write();
        return true;
    } catch (const std::exception &error) {
        qWarning("rewriteWithQpdf: %s", error.what());
        return false;
    }
}

bool encryptPdf(const QString &input, const QString &output, const QString &password)
{
    return rewriteWithQpdf(input, output,
                           {QpdfRewrite::Encryption::Rc4_128, pdfDocBytes(password), "owner " + pdfDocBytes(password)});
}

bool protectPdfForOwner(const QString &input, const QString &output, const QString &ownerPassword)
{
    return rewriteWithQpdf(input, output, {QpdfRewrite::Encryption::Rc4_128, QByteArray(), pdfDocBytes(ownerPassword)});
}

void writeRepairablePdf(const QString &path, int mark, int pages)
{
    writeMarkedPdf(path, mark, pages);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    QByteArray pdf = file.readAll();
    const qsizetype at = pdf.lastIndexOf("startxref\n") + 10;
    pdf.replace(at, pdf.indexOf('\n', at) - at, "7");
    file.resize(0);
    file.write(pdf);
}

QString scriptedChild(const QString &folder, const QString &name, const Steps &steps)
{
    QByteArray script;
    for (const QStringList &step : steps)
        script += step.join(QLatin1Char('\t')).toUtf8() + '\n';
#ifdef Q_OS_WIN
    const QString suffix = QStringLiteral(".exe");
#else
    const QString suffix;
#endif
    const QString path = QDir(folder).filePath(name + suffix);
    const QString built = builtWithTheTests(QStringLiteral("scripted_child") + suffix);
    QFile::remove(path);
    if (!QFile::copy(built, path)) {
        qWarning("scriptedChild: cannot copy %s to %s", qPrintable(built), qPrintable(path));
        return QString();
    }
    QFile file(QDir(folder).filePath(name + QStringLiteral(".steps")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(script) != script.size())
        return QString();
    return QDir::toNativeSeparators(path);
}

QString writeFakePdftk(const QString &folder, const Steps &steps)
{
    return scriptedChild(folder, QStringLiteral("pdftk"), steps);
}

Steps lingeringPdftk(const QString &pids, const Steps &then)
{
    return Steps{{"output", "%PDF-1.4 half"}, {"linger", pids}} + then + Steps{{"wait-worker"}};
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool processGone(qint64 pid)
{
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) S ...": the state follows the last closing parenthesis.
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z" || text.mid(close + 2, 1) == "X";
#endif
}

void killProcess(qint64 pid)
{
#ifdef Q_OS_WIN
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid))) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
#else
    ::kill(pid_t(pid), SIGKILL);
#endif
}

bool childMemoryLimitsHold()
{
    return !runsUnderWine();
}

bool isHiddenFile(const QString &path)
{
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
#else
    return QFileInfo(path).fileName().startsWith(QLatin1Char('.'));
#endif
}

} // namespace corvanta::testing
