#pragma once

#include <QObject>

class QSocketNotifier;

namespace corvanta {

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered by the event
// loop. A program told to stop can then close as its window does, ending a
// running join and removing its files: work that no signal handler may do.
// The handler only writes the signal's number into a pipe. One instance at a
// time takes the signals; it gives back the previous handlers when it goes.
// Elsewhere than on POSIX systems it does nothing.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace corvanta
