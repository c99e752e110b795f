#include "join/KeptChecks.h"

#include <QFileInfo>

namespace corvanta {

namespace {

// Files read in one go: enough that starting a batch costs little, few
// enough that a pause or a removal takes effect soon.
constexpr int kBatchFiles = 16;
// Listed paths taken in per turn of the event loop: a few milliseconds' work.
constexpr qsizetype kTakenInAtOnce = 4096;

} // namespace

KeptChecks::KeptChecks(QString program, CheckLimits limits)
    : m_checker(std::move(program), limits)
{
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    QObject::connect(&m_next, &QTimer::timeout, [this] { readNext(); });
}

void KeptChecks::listed(const QStringList &paths)
{
    // A folder of a hundred thousand files comes in one list; taking it in
    // is left to the turns of the event loop, a share at a time.
    if (!paths.isEmpty())
        m_arrived.push_back(paths);
    readSoon();
}

void KeptChecks::unlisted(const QStringList &paths)
{
    takeInArrived(-1);
    for (const QString &path : paths) {
        const auto entry = m_entries.find(path);
        if (entry != m_entries.end() && --entry->items <= 0)
            m_entries.erase(entry);
    }
    if (m_entries.isEmpty())
        m_queue.clear();
}

void KeptChecks::unlistAll()
{
    m_arrived.clear();
    m_taken = 0;
    m_entries.clear();
    m_queue.clear();
}

void KeptChecks::pause()
{
    m_paused = true;
}

void KeptChecks::resume()
{
    m_paused = false;
    readSoon();
}

std::optional<PdfCheck> KeptChecks::find(const QString &path)
{
    takeInArrived(-1);
    const auto entry = m_entries.constFind(path);
    if (entry == m_entries.constEnd() || !entry->isKept() || identityOf(path) != entry->check.identity)
        return std::nullopt;
    return entry->check;
}

void KeptChecks::keep(const QString &path, const PdfCheck &check)
{
    takeInArrived(-1);
    found(path, check);
}

void KeptChecks::takeInArrived(qsizetype most)
{
    while (!m_arrived.empty() && most != 0) {
        const QStringList &paths = m_arrived.front();
        for (; m_taken < paths.size() && most != 0; ++m_taken, --most) {
            Entry &entry = m_entries[paths.at(m_taken)];
            if (entry.items++ == 0)
                m_queue.push_back(paths.at(m_taken));
        }
        if (m_taken == paths.size()) {
            m_arrived.pop_front();
            m_taken = 0;
        }
    }
}

void KeptChecks::readSoon()
{
    if (!m_paused && (!m_arrived.empty() || (!m_queue.empty() && !m_checker.isBusy())))
        m_next.start();
}

void KeptChecks::readNext()
{
    takeInArrived(kTakenInAtOnce);
    // Without its checker, Start says so; here nothing is tried.
    if (m_paused || m_checker.isBusy() || !QFileInfo(m_checker.program()).isExecutable()) {
        if (!m_paused && !m_arrived.empty())
            m_next.start();
        return;
    }
    QStringList batch;
    QList<JoinEntry> requests;
    while (!m_queue.empty() && batch.size() < kBatchFiles) {
        const QString path = m_queue.front();
        m_queue.pop_front();
        const auto entry = m_entries.constFind(path);
        if (entry == m_entries.constEnd() || entry->isKept())
            continue;
        batch.append(path);
        requests.append({path, QString()});
    }
    m_checker.begin(
        requests, 0, [this, batch](qsizetype index, const PdfCheck &check) { found(batch.at(index), check); },
        // Never from within begin(), so that batches do not nest.
        [this] { readSoon(); });
}

void KeptChecks::found(const QString &path, const PdfCheck &check)
{
    // A file that left the list meanwhile is forgotten; a check the
    // checker could not finish within its limits is not kept, so that
    // Start reads the file again itself.
    const auto entry = m_entries.find(path);
    if (entry != m_entries.end() && !isCheckLimit(check.problem))
        entry->check = check;
}

} // namespace corvanta
