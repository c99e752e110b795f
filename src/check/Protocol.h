#pragma once

#include "check/PdfCheck.h"

#include <QByteArray>
#include <QString>

namespace corvanta {

// The window and the checker process talk in frames: a 32-bit length,
// then that many bytes. The window sends one request per file; the
// checker answers each, in order, with a frame that it has begun the
// file (and how large the file is, for the time it may take), then a frame
// with what it found.
struct CheckRequest
{
    QString path;
    QString password;
};

struct CheckFrame
{
    enum class Kind : quint8 { Request = 'Q', Begun = 'B', Found = 'F' };
    Kind kind = Kind::Request;
    CheckRequest request; // Request
    qint64 size = 0;           // Begun: the file's size in bytes
    PdfCheck check;            // Found
};

// A whole frame, length included, ready to be written.
QByteArray requestFrame(const CheckRequest &request);
QByteArray begunFrame(qint64 size);
QByteArray foundFrame(const PdfCheck &check);

// Takes bytes as they arrive and hands out whole frames.
class FrameReader
{
public:
    // Frames longer than this are not ours: fingerprints of four million pages.
    static constexpr quint32 kLongestFrame = 64 * 1024 * 1024;

    void append(const QByteArray &bytes);
    // The next whole frame; false when there is none yet, or when the
    // stream is broken (see broken()).
    bool next(CheckFrame &frame);
    bool broken() const { return m_broken; }

private:
    QByteArray m_pending;
    bool m_broken = false;
};

} // namespace corvanta
