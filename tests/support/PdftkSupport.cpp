#include "support/PdftkSupport.h"

#include <QFile>
#include <QProcess>
#include <QTextStream>

namespace corvanta::testing {

QByteArray pdfOfObjects(const QList<QByteArray> &objects)
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
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
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

PdftkResult runPdftk(const QStringList &arguments)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("pdftk"), arguments);
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
    QStringList arguments{pdf};
    if (!password.isEmpty())
        arguments << QStringLiteral("input_pw") << password;
    arguments << QStringLiteral("dump_data_utf8");
    const PdftkResult result = runPdftk(arguments);
    QList<QPair<int, int>> pages;
    if (result.exitCode != 0)
        return pages;
    for (const QByteArray &line : result.output.split('\n')) {
        if (!line.startsWith("PageMediaDimensions: "))
            continue;
        // pdftk writes 1000 and more with a thousands separator: "1,100".
        const QList<QByteArray> size = line.mid(21).trimmed().replace(',', "").split(' ');
        if (size.size() == 2)
            pages.append({size.at(0).toInt() - 100, size.at(1).toInt() - 100});
    }
    return pages;
}

bool encryptPdf(const QString &input, const QString &output, const QString &password)
{
    return runPdftk({input, QStringLiteral("output"), output, QStringLiteral("user_pw"), password}).exitCode == 0;
}

bool protectPdfForOwner(const QString &input, const QString &output, const QString &ownerPassword)
{
    return runPdftk({input, QStringLiteral("output"), output, QStringLiteral("owner_pw"), ownerPassword}).exitCode
        == 0;
}

bool rewriteWithQpdf(const QString &input, const QString &output, const QStringList &options)
{
    QProcess qpdf;
    qpdf.setStandardInputFile(QProcess::nullDevice());
    // Exit code 3 means warnings only.
    qpdf.start(QStringLiteral("qpdf"), options + QStringList{input, output});
    return qpdf.waitForFinished(120000) && qpdf.exitStatus() == QProcess::NormalExit
        && (qpdf.exitCode() == 0 || qpdf.exitCode() == 3);
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

QString writeFakePdftk(const QString &folder, const QString &scriptBody)
{
    const QString path = folder + QStringLiteral("/pdftk");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("#!/bin/sh\n" + scriptBody.toUtf8() + "\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return path;
}

QString writeLingeringPdftk(const QString &folder, const QString &pids, const QString &then)
{
    return writeFakePdftk(folder, QStringLiteral(R"(
eval last=\${$#}
printf '%%PDF-1.4 half' > "$last"
sleep 120 &
echo $$ $! > '%1'
%2
wait
echo "ran to its end" >> '%1')").arg(pids, then));
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
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) S ...": the state follows the last closing parenthesis.
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z" || text.mid(close + 2, 1) == "X";
}

} // namespace corvanta::testing
