#pragma once

#include "join/Checker.h"

#include <QHash>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <optional>

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

    // Items that joined the list or left it: a file listed twice is kept
    // until both of its items are gone. A file that left is not read.
    void listed(const QStringList &paths);
    void unlisted(const QStringList &paths);
    void unlistAll();

    // While paused, no more reading begins; what is under way ends.
    void pause();
    void resume();

    // The check kept for `path`, if the file is still as it was read.
    std::optional<PdfCheck> find(const QString &path);
    // What a join found of a listed file itself.
    void keep(const QString &path, const PdfCheck &check);
    // Whether listed files still wait to be read, or are being read.
    bool isReading() const { return !m_arrived.empty() || !m_queue.empty() || m_checker.isBusy(); }

private:
    struct Entry
    {
        int items = 0;
        PdfCheck check;
        bool isKept() const { return check.identity.isKnown(); }
    };

    // Takes in up to `most` listed paths (all, when negative).
    void takeInArrived(qsizetype most);
    void readSoon();
    void readNext();
    void found(const QString &path, const PdfCheck &check);

    std::deque<QStringList> m_arrived; // listed, not yet taken in
    qsizetype m_taken = 0;             // of the first of them
    QHash<QString, Entry> m_entries;
    std::deque<QString> m_queue; // may still name files that left the list
    Checker m_checker;
    QTimer m_next;
    bool m_paused = false;
};

} // namespace corvanta
