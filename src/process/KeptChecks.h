#pragma once

#include "process/Checker.h"

#include <QSet>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <optional>
#include <unordered_map>

namespace corvanta {

// Reads the listed files ahead of Start, while the user builds the list: a
// checker at low priority reads each file once, and what it found is kept
// under the identity the file had when it was opened. Start takes a kept
// check while the file is still that file, and reads any other itself.
// Nothing here ever waits, and nothing is said: only Start speaks.
class KeptChecks
{
public:
    KeptChecks(QString program, CheckLimits limits);

    // Items that joined the list or left it. A file that left is not read,
    // and what was found of it is forgotten, even while another item still
    // lists it: Start then reads that file itself.
    void listed(const QStringList &paths);
    void unlisted(const QStringList &paths);
    void unlistAll();

    // While paused, no more reading begins; what is under way ends.
    void pause();
    void resume();

    // The check kept for `path`, if the file is still as it was read.
    std::optional<PdfCheck> find(const QString &path) const;
    // The pages the listed file had when it was read, changed since or not;
    // 0 where it was not read.
    qint64 pagesLastFound(const QString &path) const;
    // What was found of a listed file, here or by a join.
    void keep(const QString &path, const PdfCheck &check);
    // Whether listed files still wait to be read, or are being read.
    bool isReading() const { return !m_pending.empty() || m_checker.isBusy(); }

private:
    struct PathHash
    {
        size_t operator()(const QString &path) const { return qHash(path); }
    };

    // Moves past the waiting files that need no reading, looking at `most`
    // at the most (less what it looked at); whether one that does is next.
    bool skipNeedless(int &most);
    QString takePending();
    void readSoon();
    void readNext();

    // Listed and not read yet, in the lists they came in: a folder of a
    // hundred thousand files is one list, taken as it is.
    std::deque<QStringList> m_pending;
    qsizetype m_nextPending = 0; // in the first list
    QSet<QString> m_dropped;     // left the list while waiting or being read
    // A node table: growing it relinks what is kept, where a flat one would
    // move every check at once.
    std::unordered_map<QString, PdfCheck, PathHash> m_kept;
    quint64 m_listing = 0; // counts the times the whole list was cleared
    Checker m_checker;
    QTimer m_next;
    bool m_paused = false;
};

} // namespace corvanta
