#include "process/KeptChecks.h"

#include <QFileInfo>

#include <algorithm>

namespace corvanta {

namespace {

// Files read in one go: enough that starting a batch costs little, few
// enough that a pause or a removal takes effect soon.
constexpr int kBatchFiles = 16;
// Listed paths looked at for one batch at the most, where most have been
// read or have left the list: a short turn of the event loop.
constexpr int kLookedAtOnce = 4096;

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
    if (paths.isEmpty())
        return;
    // Back on the list: read after all.
    if (!m_dropped.isEmpty()) {
        for (const QString &path : paths)
            m_dropped.remove(path);
    }
    m_pending.push_back(paths);
    readSoon();
}

void KeptChecks::unlisted(const QStringList &paths)
{
    const bool waiting = isReading();
    for (const QString &path : paths) {
        m_kept.erase(path);
        if (waiting)
            m_dropped.insert(path);
    }
    int looked = kLookedAtOnce;
    skipNeedless(looked);
    if (!isReading())
        m_dropped.clear();
}

void KeptChecks::unlistAll()
{
    ++m_listing;
    m_pending.clear();
    m_nextPending = 0;
    m_dropped.clear();
    m_kept.clear();
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

std::optional<PdfCheck> KeptChecks::find(const QString &path) const
{
    const auto kept = m_kept.find(path);
    if (kept == m_kept.end() || identityOf(path) != kept->second.identity)
        return std::nullopt;
    return kept->second;
}

qint64 KeptChecks::pagesLastFound(const QString &path) const
{
    const auto kept = m_kept.find(path);
    return kept == m_kept.end() ? 0 : std::max<qint64>(kept->second.pages, 0);
}

void KeptChecks::keep(const QString &path, const PdfCheck &check)
{
    // A file that left the list meanwhile is forgotten; a check the
    // checker could not finish within its limits is not kept, so that
    // Start reads the file again itself, and nor is one of a file that
    // could not be opened.
    if (!isCheckLimit(check.problem) && check.identity.isKnown() && !m_dropped.contains(path))
        m_kept[path] = check;
}

bool KeptChecks::skipNeedless(int &most)
{
    while (!m_pending.empty() && most > 0) {
        const QString &path = m_pending.front().at(m_nextPending);
        if (!m_dropped.contains(path) && m_kept.count(path) == 0)
            return true;
        takePending();
        --most;
    }
    return false;
}

QString KeptChecks::takePending()
{
    const QString path = m_pending.front().at(m_nextPending);
    if (++m_nextPending == m_pending.front().size()) {
        m_pending.pop_front();
        m_nextPending = 0;
    }
    return path;
}

void KeptChecks::readSoon()
{
    if (!m_paused && !m_pending.empty() && !m_checker.isBusy())
        m_next.start();
}

void KeptChecks::readNext()
{
    // Without its checker, Start says so; here nothing is tried.
    if (m_paused || m_checker.isBusy() || !QFileInfo(m_checker.program()).isExecutable())
        return;
    QStringList batch;
    QList<JoinEntry> requests;
    int looked = kLookedAtOnce;
    while (batch.size() < kBatchFiles && skipNeedless(looked)) {
        batch.append(takePending());
        requests.append({batch.last(), QString()});
    }
    const quint64 listing = m_listing;
    m_checker.begin(
        requests, 0,
        [this, batch, listing](qsizetype index, const PdfCheck &check) {
            if (listing == m_listing)
                keep(batch.at(index), check);
        },
        [this] {
            if (m_pending.empty())
                m_dropped.clear();
            // Soon, never from within begin(), so that batches do not nest.
            readSoon();
        });
}

} // namespace corvanta
