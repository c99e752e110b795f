#pragma once

#include <optional>

namespace corvanta {

// Where the resize puts the controls, all in twips of the client area.
struct ControlLayout
{
    int listTop = 0;
    int listWidth = 0;
    int listHeight = 0;
    int frameTop = 0;
    int frameWidth = 0;
    int progressTop = 0;
    int progressWidth = 0;
    std::optional<int> columnWidth; // empty while the list has no column yet
};

// The resize rule for a window of the given outer size. Empty when the window
// is minimised, which leaves every control where it was.
std::optional<ControlLayout> computeLayout(int outerWidth, int outerHeight, bool minimized, bool hasColumn);

} // namespace corvanta
