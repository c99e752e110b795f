#pragma once

#include "core/KeepGoing.h"

#include <QElapsedTimer>

namespace corvanta {

// Lets the application process its pending events, but not more often than
// once per interval: long work asks at every small step, and a full turn of
// the event loop per step would cost more than the work itself. The first
// call always processes events. `keepGoing` is asked after each call.
class EventTurns
{
public:
    // How often a scan or a join lets the window breathe.
    static constexpr int kStandardInterval = 10;

    explicit EventTurns(int intervalMilliseconds = kStandardInterval, KeepGoing keepGoing = {});

    bool operator()();
    KeepGoing asKeepGoing()
    {
        return [this] { return (*this)(); };
    }

private:
    int m_interval;
    KeepGoing m_keepGoing;
    QElapsedTimer m_sinceTurn;
};

} // namespace corvanta
