#include "core/WorkCount.h"

#include <utility>

namespace corvanta {

WorkCount::WorkCount(std::function<void(bool)> changed)
    : m_state(std::make_shared<State>(State{0, std::move(changed)}))
{
}

WorkCount::Hold::Hold(WorkCount &count)
    : m_state(count.m_state)
{
    if (++count.m_state->pieces == 1 && count.m_state->changed)
        count.m_state->changed(true);
}

WorkCount::Hold::~Hold()
{
    const auto state = m_state.lock();
    if (state && --state->pieces == 0 && state->changed)
        state->changed(false);
}

} // namespace corvanta
