#pragma once

#include <functional>

namespace corvanta {

// Asked between the steps of long work (a folder scan, the checks of a long
// list) so that the window can process its events meanwhile. Returns false
// when the work should stop early: the window is closing, or the user
// stopped it. An empty one never stops anything.
using KeepGoing = std::function<bool()>;

inline bool goesOn(const KeepGoing &ask)
{
    return !ask || ask();
}

} // namespace corvanta
