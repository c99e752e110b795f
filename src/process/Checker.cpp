#include "process/Checker.h"

#include "process/ChildTree.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace corvanta {

// One checker process at a time for a share of the files, in order. When
// a checker ends before it has answered for all of them, the file it was
// reading is given the reason, and a new checker goes on with the rest.
// A checker that has answered for its share stays, for the next share.
class Checker::Worker
{
public:
    explicit Worker(Checker &owner)
        : m_owner(owner)
    {
        m_deadline.setSingleShot(true);
        QObject::connect(&m_deadline, &QTimer::timeout, [this] { giveUpOnCurrent(PdfProblem::TakesTooLong); });
    }

    ~Worker() { stop(); }

    // Reads `files` (indexes of the owner's requests) in the checker it
    // has, or in a new one.
    void take(QList<qsizetype> files)
    {
        m_files = std::move(files);
        m_next = 0;
        if (!m_process) {
            launch();
            return;
        }
        sendRequests();
        m_deadline.start(m_owner.stallMilliseconds());
    }

    // Starts a checker for the next share, unless one is there.
    void warmUp()
    {
        if (!m_process)
            take({});
    }

    // Ends the checker at once.
    void stop()
    {
        m_deadline.stop();
        if (!m_process)
            return;
        m_process->disconnect();
        m_tree->end(*m_process);
        m_process.release()->deleteLater();
    }

private:
    bool done() const { return m_next >= m_files.size(); }

    void launch()
    {
        m_reader = FrameReader();
        m_tree = std::make_unique<ChildTree>();
        m_process = std::make_unique<QProcess>();
        QProcess &process = *m_process;
        process.setProgram(m_owner.m_program);
        process.setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] { readFrames(); });
        QObject::connect(&process, &QProcess::finished, [this] { ended(); });
        QObject::connect(&process, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                failedToStart();
        });
        m_tree->prepare(process, kHiddenWindow, m_owner.m_limits.memoryBytes, m_owner.m_limits.lowPriority);
        process.start();
        if (!m_process)
            return; // it failed to start, and that is dealt with
        m_tree->started(process);
        if (done())
            return; // started ahead of its share
        sendRequests();
        m_deadline.start(m_owner.m_limits.startMilliseconds);
    }

    void sendRequests()
    {
        QByteArray requests;
        const qint64 granted =
            m_owner.m_cpuMilliseconds > 0 ? m_owner.m_cpuMilliseconds : m_owner.m_limits.cpuMilliseconds;
        for (qsizetype i = m_next; i < m_files.size(); ++i) {
            const JoinEntry &entry = m_owner.m_entries.at(m_files.at(i));
            const Share share = m_owner.m_shares.value(m_files.at(i));
            requests += m_owner.m_mend ? mendFrame(*m_owner.m_mend, granted)
                                       : requestFrame(entry.Path, entry.Password, granted, share.first, share.count);
        }
        m_process->write(requests);
    }

    void readFrames()
    {
        m_reader.append(m_process->readAllStandardOutput());
        CheckFrame frame;
        while (m_process && m_reader.next(frame)) {
            m_deadline.start(m_owner.stallMilliseconds());
            if (frame.kind == CheckFrame::Kind::Begun)
                continue;
            if (frame.kind == CheckFrame::Kind::Mended)
                m_owner.m_mended = frame.mended;
            m_owner.found(m_files.at(m_next++), frame.check);
            if (done()) {
                finish();
                return;
            }
        }
        if (m_process && m_reader.broken())
            giveUpOnCurrent(PdfProblem::CheckFailed);
    }

    // The checker ended before it had answered for every file: a crash,
    // the end it makes after running out of memory (the file has its
    // answer then), or a file that used up its CPU time.
    void ended()
    {
        readFrames();
        if (!m_process)
            return;
        if (done()) { // an idle checker, with nothing owed
            stop();
            return;
        }
        const int code = m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
        if (code == kCheckerRanOutOfMemory)
            relaunch();
        else
            giveUpOnCurrent(code == kCheckerOutOfTime ? PdfProblem::TakesTooLong : PdfProblem::CheckFailed);
    }

    void failedToStart()
    {
        PdfCheck check;
        check.problem = PdfProblem::CheckFailed;
        check.detail = m_process->errorString();
        while (!done())
            m_owner.found(m_files.at(m_next++), check);
        stop();
        finish();
    }

    void giveUpOnCurrent(PdfProblem problem)
    {
        PdfCheck check;
        check.problem = problem;
        m_owner.found(m_files.at(m_next++), check);
        relaunch();
    }

    void relaunch()
    {
        stop();
        if (done())
            finish();
        else
            launch();
    }

    void finish()
    {
        m_deadline.stop();
        m_owner.workerDone();
    }

    Checker &m_owner;
    QList<qsizetype> m_files; // indexes of the owner's requests
    qsizetype m_next = 0;     // the first not answered yet
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<ChildTree> m_tree;
    FrameReader m_reader;
    QTimer m_deadline;
};

Checker::Checker(QString program, CheckLimits limits)
    : m_program(std::move(program))
    , m_limits(limits)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(kIdleMilliseconds);
    QObject::connect(&m_idle, &QTimer::timeout, [this] { endCheckers(); });
}

Checker::~Checker()
{
    cancel();
}

bool Checker::check(QList<JoinEntry> &entries, const Wanted &wanted, qint64 cpuMilliseconds, const KeepGoing &keepGoing)
{
    // Each file and password once, however often they come.
    QList<JoinEntry> requests;
    QHash<QPair<QString, QString>, qsizetype> requestOf;
    QList<qsizetype> requestOfEntry(entries.size(), -1);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!goesOn(keepGoing))
            return false;
        if (wanted && !wanted(entries.at(i)))
            continue;
        const QPair<QString, QString> key{entries.at(i).Path, entries.at(i).Password};
        auto known = requestOf.constFind(key);
        if (known == requestOf.constEnd()) {
            known = requestOf.insert(key, requests.size());
            requests.append({key.first, key.second});
        }
        requestOfEntry[i] = *known;
    }
    const QList<PdfCheck> found = read(requests, cpuMilliseconds);
    for (qsizetype i = 0; i < entries.size() && !m_cancelled; ++i) {
        if (!goesOn(keepGoing))
            return false;
        if (requestOfEntry.at(i) >= 0)
            entries[i].check = found.at(requestOfEntry.at(i));
    }
    return !m_cancelled;
}

int Checker::mostWorkers() const
{
    return m_limits.workers > 0 ? m_limits.workers : std::clamp(QThread::idealThreadCount(), 1, 2);
}

namespace {

// A file of this many pages is shared out between two checkers: each walks
// the whole page tree, and fingerprints its share of the pages.
constexpr qint64 kSharedFromPages = 200;

// One check of a file made from the checks of its two shares of pages;
// none where the two do not fit together: the file has fewer pages than
// the first share, or it changed between the two readings.
std::optional<PdfCheck> joinedShares(const PdfCheck &first, const PdfCheck &second, qint64 firstCount)
{
    // What keeps a file from being read at all holds for the whole file.
    const auto read = [](const PdfCheck &check) {
        return check.problem == PdfProblem::None || check.problem == PdfProblem::Damaged;
    };
    if (!read(first))
        return first;
    if (!read(second))
        return second;
    if (first.identity != second.identity || first.pages != second.pages
        || first.fingerprints.size() != firstCount * kFingerprintBytes
        || second.fingerprints.size() != (second.pages - firstCount) * kFingerprintBytes)
        return std::nullopt;
    PdfCheck check = first;
    check.cpuMilliseconds += second.cpuMilliseconds;
    check.parts |= second.parts; // widgets are seen on the pages of each share
    if (second.problem == PdfProblem::Damaged)
        check.problem = PdfProblem::Damaged;
    check.fingerprints += second.fingerprints;
    if (!first.repairedPages.isEmpty() || !second.repairedPages.isEmpty()) {
        check.repairedPages.resize(firstCount, '\0');
        QByteArray rest = second.repairedPages;
        rest.resize(second.pages - firstCount, '\0');
        check.repairedPages += rest;
    }
    return check;
}

} // namespace

PdfCheck Checker::checkFile(const QString &path, qint64 cpuMilliseconds, qint64 expectedPages)
{
    if (expectedPages >= kSharedFromPages && mostWorkers() >= 2) {
        const qint64 half = expectedPages / 2;
        m_shares = {{0, half}, {half, -1}};
        const QList<PdfCheck> shares = read({JoinEntry(path, QString()), JoinEntry(path, QString())}, cpuMilliseconds);
        m_shares.clear();
        if (m_cancelled)
            return PdfCheck();
        if (const std::optional<PdfCheck> joined = joinedShares(shares.at(0), shares.at(1), half))
            return *joined;
    }
    return read({JoinEntry(path, QString())}, cpuMilliseconds).constFirst();
}

QList<PdfCheck> Checker::read(const QList<JoinEntry> &requests, qint64 cpuMilliseconds)
{
    QList<PdfCheck> results(requests.size());
    m_cancelled = false;
    QEventLoop loop;
    begin(
        requests, cpuMilliseconds, [&results](qsizetype index, const PdfCheck &check) { results[index] = check; },
        [&loop] { loop.quit(); });
    // Workers that cannot start at all are done before the loop runs.
    if (isBusy()) {
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    // Also reached when the whole application is told to exit.
    if (isBusy())
        cancel();
    return results;
}

namespace {

// Mending holds the whole joined file in memory, some fifty times its size
// on disk for a manual full of links (870 MB for 1,611 pages in 18 MB),
// beside the checker's own: a large joined file gets that much, up to a
// bound that leaves a common machine room to work.
constexpr qint64 kMendingBase = qint64(256) << 20;
constexpr qint64 kMendingBytesPerByte = 56;
constexpr qint64 kMostMendingMemory = qint64(4) << 30;

qint64 mendingMemory(const MendRequest &request, qint64 usual)
{
    const qint64 needed = kMendingBase + kMendingBytesPerByte * QFileInfo(request.written).size();
    return std::max(usual, std::min(needed, kMostMendingMemory));
}

} // namespace

MendReport Checker::mend(const MendRequest &request, qint64 cpuMilliseconds)
{
    const qint64 usual = m_limits.memoryBytes;
    const qint64 needed = mendingMemory(request, usual);
    if (needed > usual) {
        endCheckers(); // a checker keeps the limit it started with
        m_limits.memoryBytes = needed;
    }
    m_mend = request;
    m_mended.reset();
    read({JoinEntry(request.written, QString())}, cpuMilliseconds);
    m_mend.reset();
    // Checkers started from now on get the usual limit; the one that
    // mended keeps its own for the mended file's check, which reads as much.
    m_limits.memoryBytes = usual;
    // Without an answer the checker died on it or passed a limit.
    return m_mended ? *std::exchange(m_mended, std::nullopt) : nothingMended(request);
}

void Checker::begin(const QList<JoinEntry> &requests, qint64 cpuMilliseconds, Found found, std::function<void()> done)
{
    m_idle.stop();
    m_entries = requests;
    m_cpuMilliseconds = cpuMilliseconds;
    m_found = std::move(found);
    m_done = std::move(done);
    if (requests.isEmpty()) {
        workerDone();
        return;
    }
    // A second checker costs a few milliseconds to start, and halves the
    // time of a few thick files as of many thin ones.
    const int workers = int(std::min<qsizetype>(requests.size(), mostWorkers()));
    while (m_workers.size() < size_t(workers))
        m_workers.push_back(std::make_unique<Worker>(*this));
    const qsizetype share = (requests.size() + workers - 1) / workers;
    m_busyWorkers = workers;
    for (int worker = 0; worker < workers; ++worker) {
        QList<qsizetype> files;
        for (qsizetype i = worker * share; i < std::min((worker + 1) * share, requests.size()); ++i)
            files.append(i);
        m_workers.at(size_t(worker))->take(files);
    }
}

void Checker::warmUp()
{
    if (isBusy())
        return;
    while (m_workers.size() < size_t(mostWorkers()))
        m_workers.push_back(std::make_unique<Worker>(*this));
    for (const auto &worker : m_workers)
        worker->warmUp();
    m_idle.start();
}

void Checker::cancel()
{
    endCheckers();
    if (!isBusy())
        return;
    m_cancelled = true;
    m_busyWorkers = 0;
    m_found = nullptr;
    m_done = nullptr;
    if (m_loop)
        m_loop->quit();
}

void Checker::endCheckers()
{
    for (const auto &worker : m_workers)
        worker->stop();
}

int Checker::stallMilliseconds() const
{
    // A file granted much CPU time, such as a join of many large files, may
    // work that long between two answers; twice its grant covers a machine
    // that gives it half a core.
    return int(std::clamp<qint64>(2 * m_cpuMilliseconds, m_limits.stallMilliseconds, std::numeric_limits<int>::max()));
}

void Checker::found(qsizetype index, const PdfCheck &check)
{
    if (m_found)
        m_found(index, check);
}

void Checker::workerDone()
{
    if (m_busyWorkers > 0 && --m_busyWorkers > 0)
        return;
    m_idle.start();
    m_found = nullptr;
    // Last: it may begin the next requests.
    if (const std::function<void()> done = std::exchange(m_done, nullptr))
        done();
}

} // namespace corvanta
