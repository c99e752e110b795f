#pragma once

#include "check/PdfCheck.h"
#include "check/Protocol.h"
#include "core/KeepGoing.h"
#include "process/JoinEntry.h"

#include <QList>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QEventLoop;

namespace corvanta {

// The limits each checker process reads files under.
struct CheckLimits
{
    // Address space (on Windows, the job's memory).
    qint64 memoryBytes = qint64(1) << 30;
    // The CPU time a file may take, before the work it gets through earns
    // it more; a request may grant its own.
    qint64 cpuMilliseconds = 3000;
    // A checker that answers nothing for this long, using its CPU time or
    // not, is given up: it waits on something that does not come.
    int stallMilliseconds = 5 * 60 * 1000;
    // To start and take the first file.
    int startMilliseconds = 15000;
    // Checkers working side by side; 0 for one per core, two at the most.
    int workers = 0;
    // For reading ahead of need: the checkers then get the CPU only when
    // nothing else wants it.
    bool lowPriority = false;
};

// Reads PDF files in checker processes of their own (corvanta-check),
// never in this one: a hostile file can make the PDF library take memory
// and time without end, or overflow its stack. Each checker serves many
// files in a row and answers each as soon as it has read it. A file that
// crashes a checker or passes a limit is given that problem, and a new
// checker goes on with the files that remain. The same checkers serve the
// calls that follow, and end when none has come for a few seconds. The
// event loop runs all the while; cancel() ends every checker at once.
class Checker
{
public:
    explicit Checker(QString program, CheckLimits limits = {});
    ~Checker();
    Checker(const Checker &) = delete;
    Checker &operator=(const Checker &) = delete;

    // Reads the file of each entry that `wanted` picks (each entry, where
    // it is not given) with its password, each file and password once
    // however often they come, and puts what was found in the entry's check.
    // Each may take `cpuMilliseconds` (0 for the limits' own) before its work
    // earns it more; `keepGoing` is asked for each entry. False when it, a
    // cancel or the application's exit stopped the reading: the entries not
    // read then keep the checks they had.
    using Wanted = std::function<bool(const JoinEntry &)>;
    bool check(QList<JoinEntry> &entries, const Wanted &wanted = {}, qint64 cpuMilliseconds = 0,
               const KeepGoing &keepGoing = {});
    // What one file, without a password, was found to be; an empty check
    // after a cancel. A file expected to have many pages is shared out
    // between two checkers, and read again whole where the shares do not
    // fit together.
    PdfCheck checkFile(const QString &path, qint64 cpuMilliseconds = 0, qint64 expectedPages = 0);
    bool isCancelled() const { return m_cancelled; }
    // Mends a join's result (see mendJoin) in a checker, which may take
    // `cpuMilliseconds` before its work earns it more. Nothing is mended
    // when the checker fails on it or is cancelled.
    MendReport mend(const MendRequest &request, qint64 cpuMilliseconds);

    // The same without waiting: `found` hears of each entry (by its index)
    // as it is read, then `done` once all are, unless cancel() comes first.
    // Nothing else may be asked while the checker is busy.
    using Found = std::function<void(qsizetype index, const PdfCheck &check)>;
    void begin(const QList<JoinEntry> &entries, qint64 cpuMilliseconds, Found found, std::function<void()> done);
    bool isBusy() const { return m_busyWorkers > 0; }
    // Starts the checkers for the next call while there is other work to
    // wait for, so that the call need not wait for them to start.
    void warmUp();
    const QString &program() const { return m_program; }
    const CheckLimits &limits() const { return m_limits; }
    void cancel();

private:
    class Worker;
    friend class Worker;

    static constexpr int kIdleMilliseconds = 10000;

    // The pages a request is to fingerprint.
    struct Share
    {
        qint64 first = 0;
        qint64 count = -1;
    };

    QList<PdfCheck> read(const QList<JoinEntry> &requests, qint64 cpuMilliseconds);
    int mostWorkers() const;
    int stallMilliseconds() const;
    void found(qsizetype index, const PdfCheck &check);
    void workerDone();
    void endCheckers();

    QString m_program;
    CheckLimits m_limits;
    QList<JoinEntry> m_entries;
    qint64 m_cpuMilliseconds = 0;
    QList<Share> m_shares;             // by request, where a file is shared out
    std::optional<MendRequest> m_mend; // asked instead of reading the one entry
    std::optional<MendReport> m_mended;
    Found m_found;
    std::function<void()> m_done;
    std::vector<std::unique_ptr<Worker>> m_workers;
    int m_busyWorkers = 0;
    QEventLoop *m_loop = nullptr;
    bool m_cancelled = false;
    QTimer m_idle;
};

} // namespace corvanta
