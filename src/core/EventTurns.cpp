#include "core/EventTurns.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace corvanta {

EventTurns::EventTurns(int intervalMilliseconds, KeepGoing keepGoing)
    : m_interval(std::max(0, intervalMilliseconds))
    , m_keepGoing(std::move(keepGoing))
{
}

bool EventTurns::operator()()
{
    if (!m_sinceTurn.isValid() || m_sinceTurn.elapsed() >= m_interval) {
        QCoreApplication::processEvents();
        m_sinceTurn.start();
    }
    return goesOn(m_keepGoing);
}

} // namespace corvanta
