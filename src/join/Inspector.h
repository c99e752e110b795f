#pragma once

#include "inspect/PdfCheck.h"
#include "inspect/Protocol.h"

#include <QList>
#include <QString>

#include <memory>

class QEventLoop;

namespace corvanta {

// The limits each inspector process reads files under.
struct InspectionLimits
{
    // Address space (on Windows, the job's memory).
    qint64 memoryBytes = qint64(1) << 30;
    // A file may take this long, and longer by one second for every
    // `bytesPerSecond` of its size.
    int fileMilliseconds = 3000;
    qint64 bytesPerSecond = 2 * 1024 * 1024;
    // To start and take the first file.
    int startMilliseconds = 15000;
    // Inspectors working side by side; 0 for one per core, two at the most.
    int workers = 0;
};

// Reads PDF files in inspector processes of their own (corvanta-inspect),
// never in this one: a hostile file can make the PDF library take memory
// and time without end, or overflow its stack. Each inspector serves many
// files in a row and answers each as soon as it has read it. A file that
// crashes an inspector or passes a limit is given that problem, and a new
// inspector goes on with the files that remain. The event loop runs all the
// while; cancel() ends every inspector at once.
class Inspector
{
public:
    explicit Inspector(QString program, InspectionLimits limits = {});
    ~Inspector();
    Inspector(const Inspector &) = delete;
    Inspector &operator=(const Inspector &) = delete;

    // What each request found, in the requests' order. After a cancel, or
    // when the application is told to exit, the files not yet read keep an
    // empty check; isCancelled() then says so.
    QList<PdfCheck> inspect(const QList<InspectionRequest> &requests);
    bool isCancelled() const { return m_cancelled; }
    void cancel();

private:
    class Worker;
    friend class Worker;

    void found(qsizetype index, const PdfCheck &check);
    void workerDone();

    QString m_program;
    InspectionLimits m_limits;
    QList<InspectionRequest> m_requests;
    QList<PdfCheck> m_results;
    std::vector<std::unique_ptr<Worker>> m_workers;
    int m_busyWorkers = 0;
    QEventLoop *m_loop = nullptr;
    bool m_cancelled = false;
};

} // namespace corvanta
