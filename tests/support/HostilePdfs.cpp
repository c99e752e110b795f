#include "support/HostilePdfs.h"

#include "support/PdftkSupport.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <zlib.h>

namespace corvanta::testing {

namespace {

void save(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// `head` followed by `megabytes` MiB of zero bytes, compressed as a zlib
// stream. After a full flush the compressor starts afresh, so every MiB of
// zeros compresses to the same bytes: one is compressed and repeated, and
// the checksum at the end is worked out for the whole.
QByteArray deflatedZeros(const QByteArray &head, int megabytes)
{
    z_stream stream = {};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    const auto compress = [&](const QByteArray &input, int flush) {
        QByteArray out;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
        stream.avail_in = uInt(input.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            out.append(buffer.constData(), buffer.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0);
        return out;
    };
    const QByteArray megabyte(1 << 20, '\0');
    QByteArray packed = compress(head, Z_FULL_FLUSH);
    const QByteArray packedMegabyte = compress(megabyte, Z_FULL_FLUSH);
    QByteArray end = compress(QByteArray(), Z_FINISH);
    deflateEnd(&stream);
    for (int i = 0; i < megabytes; ++i)
        packed += packedMegabyte;
    uLong checksum = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef *>(head.constData()), uInt(head.size()));
    const uLong megabyteChecksum = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef *>(megabyte.constData()),
                                           uInt(megabyte.size()));
    for (int i = 0; i < megabytes; ++i)
        checksum = adler32_combine(checksum, megabyteChecksum, megabyte.size());
    end.chop(4);
    for (int shift = 24; shift >= 0; shift -= 8)
        end += char((checksum >> shift) & 0xFF);
    return packed + end;
}

} // namespace

void writeDeepPageTree(const QString &path, int levels)
{
    // 1: catalog; 2 .. levels + 1: the nested nodes; then the page.
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
    for (int node = 2; node <= levels + 1; ++node)
        objects.append("<< /Type /Pages /Kids [" + QByteArray::number(node + 1) + " 0 R] >>");
    objects.append("<< /Type /Page /MediaBox [0 0 100 100] >>");
    save(path, pdfOfObjects(objects));
}

void writeObjectStreamBomb(const QString &path, int unpackedMegabytes)
{
    // Object 2, the page tree, lives in object stream 3; a cross-reference
    // stream (object 4) is the only way to say so.
    const QByteArray inside = "2 0 << /Type /Pages /Kids [] /Count 0 >>";
    const QByteArray packed = deflatedZeros(inside, unpackedMegabytes);
    QByteArray pdf = "%PDF-1.5\n";
    QList<qint64> offsets;
    offsets.append(pdf.size());
    pdf += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    offsets.append(pdf.size());
    pdf += "3 0 obj\n<< /Type /ObjStm /N 1 /First 4 /Filter /FlateDecode /Length " + QByteArray::number(packed.size())
        + " >>\nstream\n" + packed + "\nendstream\nendobj\n";
    offsets.append(pdf.size());
    // Entries of 1 + 4 + 2 bytes: type, offset or object stream, generation or index.
    const auto entry = [](int type, qint64 field, int index) {
        QByteArray bytes(7, '\0');
        bytes[0] = char(type);
        for (int i = 0; i < 4; ++i)
            bytes[1 + i] = char((field >> (8 * (3 - i))) & 0xFF);
        bytes[5] = char((index >> 8) & 0xFF);
        bytes[6] = char(index & 0xFF);
        return bytes;
    };
    const QByteArray table = entry(0, 0, 0) + entry(1, offsets.at(0), 0) + entry(2, 3, 0) + entry(1, offsets.at(1), 0)
        + entry(1, offsets.at(2), 0);
    pdf += "4 0 obj\n<< /Type /XRef /Size 5 /W [1 4 2] /Root 1 0 R /Length " + QByteArray::number(table.size())
        + " >>\nstream\n" + table + "\nendstream\nendobj\nstartxref\n" + QByteArray::number(offsets.at(2))
        + "\n%%EOF\n";
    save(path, pdf);
}

} // namespace corvanta::testing
