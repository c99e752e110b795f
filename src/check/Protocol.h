#pragma once

#include "check/PdfCheck.h"
#include "parts/Mending.h"

#include <QByteArray>
#include <QString>

namespace corvanta {

// The window and the checker process talk in frames: a 32-bit length,
// then that many bytes. The window sends one request per file; the
// checker answers each, in order, with a frame that it has begun the
// file, then a frame with what it found.

// How a checker ends when it cannot go on with the next file: its state
// after running out of memory cannot be trusted, and a file that used up
// its CPU time is given up in the middle.
inline constexpr int kCheckerRanOutOfMemory = 3;
inline constexpr int kCheckerOutOfTime = 4;

// The CPU time that reading one file may earn by its work at the most; a
// request that grants more keeps what it grants.
inline constexpr qint64 kCheckCeilingMilliseconds = 120000;

struct CheckFrame
{
    // A request to read a file, or to mend a join's result; then the
    // checker's frames that it has begun, and what it found or mended.
    enum class Kind : quint8 { Request = 'Q', MendRequest = 'M', Begun = 'B', Found = 'F', Mended = 'D' };
    Kind kind = Kind::Request;
    // Request: the file, its password, and the CPU time it may take before
    // it has earned more by the pages and objects it gets through (0 for
    // the checker's own default).
    QString path;
    QString password;
    qint64 cpuMilliseconds = 0;
    qint64 firstPage = 0;  // Request: the pages to fingerprint, the first
    qint64 pageCount = -1; // and how many; -1 for the rest
    MendRequest mend;      // MendRequest: the join; `cpuMilliseconds` as above
    PdfCheck check;        // Found
    MendReport mended;     // Mended
};

// A whole frame, length included, ready to be written.
QByteArray requestFrame(const QString &path, const QString &password, qint64 cpuMilliseconds, qint64 firstPage = 0,
                        qint64 pageCount = -1);
QByteArray mendFrame(const MendRequest &request, qint64 cpuMilliseconds);
QByteArray begunFrame();
QByteArray foundFrame(const PdfCheck &check);
QByteArray mendedFrame(const MendReport &report);

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
