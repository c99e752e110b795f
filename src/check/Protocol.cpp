#include "check/Protocol.h"

#include <QDataStream>
#include <QIODevice>

namespace corvanta {

namespace {

constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

template <typename Write> QByteArray frame(CheckFrame::Kind kind, Write &&write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << quint32(0) << quint8(kind);
    write(out);
    out.device()->seek(0);
    out << quint32(bytes.size() - sizeof(quint32));
    return bytes;
}

} // namespace

QByteArray requestFrame(const QString &path, const QString &password, qint64 cpuMilliseconds, qint64 firstPage,
                        qint64 pageCount)
{
    return frame(CheckFrame::Kind::Request,
                 [&](QDataStream &out) { out << path << password << cpuMilliseconds << firstPage << pageCount; });
}

QByteArray mendFrame(const MendRequest &request, qint64 cpuMilliseconds)
{
    return frame(CheckFrame::Kind::MendRequest, [&](QDataStream &out) {
        out << request.written << request.mended << cpuMilliseconds << qint64(request.inputs.size());
        for (const MendInput &input : request.inputs)
            out << input.path << input.password << input.pages << input.parts;
    });
}

QByteArray mendedFrame(const MendReport &report)
{
    return frame(CheckFrame::Kind::Mended,
                 [&](QDataStream &out) { out << report.mended << report.lost << report.putBack << report.detail; });
}

QByteArray begunFrame()
{
    return frame(CheckFrame::Kind::Begun, [](QDataStream &) {});
}

QByteArray foundFrame(const PdfCheck &check)
{
    return frame(CheckFrame::Kind::Found, [&](QDataStream &out) {
        out << qint32(check.problem) << check.pages << check.encrypted << check.detail << check.fingerprints
            << check.repairedPages << check.parts << check.cpuMilliseconds << check.identity.size
            << check.identity.modified << check.identity.changed << check.identity.volume << check.identity.file;
    });
}

void FrameReader::append(const QByteArray &bytes)
{
    m_pending.append(bytes);
}

bool FrameReader::next(CheckFrame &frame)
{
    if (m_broken || m_pending.size() < qsizetype(sizeof(quint32)))
        return false;
    QDataStream in(m_pending);
    in.setVersion(kStreamVersion);
    quint32 length = 0;
    in >> length;
    if (length > kLongestFrame) {
        m_broken = true;
        return false;
    }
    if (m_pending.size() < qsizetype(sizeof(quint32) + length))
        return false;
    quint8 kind = 0;
    qint32 problem = 0;
    in >> kind;
    frame = CheckFrame();
    frame.kind = CheckFrame::Kind(kind);
    switch (frame.kind) {
    case CheckFrame::Kind::Request:
        in >> frame.path >> frame.password >> frame.cpuMilliseconds >> frame.firstPage >> frame.pageCount;
        break;
    case CheckFrame::Kind::MendRequest: {
        qint64 count = 0;
        in >> frame.mend.written >> frame.mend.mended >> frame.cpuMilliseconds >> count;
        for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            MendInput input;
            in >> input.path >> input.password >> input.pages >> input.parts;
            frame.mend.inputs.append(input);
        }
        break;
    }
    case CheckFrame::Kind::Mended:
        in >> frame.mended.mended >> frame.mended.lost >> frame.mended.putBack >> frame.mended.detail;
        break;
    case CheckFrame::Kind::Begun:
        break;
    case CheckFrame::Kind::Found:
        in >> problem >> frame.check.pages >> frame.check.encrypted >> frame.check.detail >> frame.check.fingerprints
            >> frame.check.repairedPages >> frame.check.parts >> frame.check.cpuMilliseconds
            >> frame.check.identity.size >> frame.check.identity.modified >> frame.check.identity.changed
            >> frame.check.identity.volume >> frame.check.identity.file;
        if (problem < 0 || problem > qint32(kLastProblem))
            in.setStatus(QDataStream::ReadCorruptData);
        frame.check.problem = PdfProblem(problem);
        break;
    default:
        m_broken = true;
        return false;
    }
    m_broken = in.status() != QDataStream::Ok;
    m_pending.remove(0, sizeof(quint32) + length);
    return !m_broken;
}

} // namespace corvanta
