#include "join/Checker.h"

#include "join/ChildTree.h"
#include "join/ProcessRunner.h"

#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace corvanta {

// One checker process at a time for a share of the files, in order. When
// a checker ends before it has answered for all of them, the file it was
// reading is given the reason, and a new checker goes on with the rest.
class Checker::Worker
{
public:
    Worker(Checker &owner, QList<qsizetype> files)
        : m_owner(owner)
        , m_files(std::move(files))
    {
        m_deadline.setSingleShot(true);
        QObject::connect(&m_deadline, &QTimer::timeout, [this] { giveUpOnCurrent(PdfProblem::TakesTooLong); });
    }

    ~Worker() { stop(); }

    void start() { launch(); }

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
        m_tree->prepare(process, kHiddenWindow, m_owner.m_limits.memoryBytes);
        process.start();
        if (!m_process)
            return; // it failed to start, and that is dealt with
        m_tree->started(process);
        QByteArray requests;
        for (qsizetype i = m_next; i < m_files.size(); ++i) {
            CheckRequest request = m_owner.m_requests.at(m_files.at(i));
            if (request.cpuMilliseconds <= 0)
                request.cpuMilliseconds = m_owner.m_limits.cpuMilliseconds;
            requests += requestFrame(request);
        }
        process.write(requests);
        m_deadline.start(m_owner.m_limits.startMilliseconds);
    }

    void readFrames()
    {
        m_reader.append(m_process->readAllStandardOutput());
        CheckFrame frame;
        while (m_process && m_reader.next(frame)) {
            m_deadline.start(m_owner.m_limits.stallMilliseconds);
            if (frame.kind == CheckFrame::Kind::Begun)
                continue;
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
        stop();
        m_owner.workerDone();
    }

    Checker &m_owner;
    const QList<qsizetype> m_files; // indexes of the owner's requests
    qsizetype m_next = 0;           // the first not answered yet
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<ChildTree> m_tree;
    FrameReader m_reader;
    QTimer m_deadline;
};

Checker::Checker(QString program, CheckLimits limits)
    : m_program(std::move(program))
    , m_limits(limits)
{
}

Checker::~Checker()
{
    cancel();
}

QList<PdfCheck> Checker::check(const QList<CheckRequest> &requests)
{
    m_requests = requests;
    m_results = QList<PdfCheck>(requests.size());
    m_cancelled = false;
    if (requests.isEmpty())
        return m_results;
    // A second checker costs a few milliseconds to start, and halves the
    // time of a few thick files as of many thin ones.
    const int workers = int(std::min<qsizetype>(
        requests.size(), m_limits.workers > 0 ? m_limits.workers : std::clamp(QThread::idealThreadCount(), 1, 2)));
    const qsizetype share = (requests.size() + workers - 1) / workers;
    for (qsizetype first = 0; first < requests.size(); first += share) {
        QList<qsizetype> files;
        for (qsizetype i = first; i < std::min(first + share, requests.size()); ++i)
            files.append(i);
        m_workers.push_back(std::make_unique<Worker>(*this, files));
    }
    m_busyWorkers = int(m_workers.size());
    QEventLoop loop;
    m_loop = &loop;
    for (const auto &worker : m_workers)
        worker->start();
    // Workers that cannot start at all are done before the loop runs.
    if (m_busyWorkers > 0)
        loop.exec();
    m_loop = nullptr;
    // Also reached when the whole application is told to exit.
    if (m_busyWorkers > 0)
        cancel();
    m_workers.clear();
    return m_results;
}

void Checker::cancel()
{
    if (m_workers.empty())
        return;
    m_cancelled = true;
    for (const auto &worker : m_workers)
        worker->stop();
    if (m_loop)
        m_loop->quit();
}

void Checker::found(qsizetype index, const PdfCheck &check)
{
    m_results[index] = check;
}

void Checker::workerDone()
{
    if (--m_busyWorkers == 0 && m_loop)
        m_loop->quit();
}

} // namespace corvanta
