#include "app/Layout.h"

#include <cstdlib>

namespace corvanta {

std::optional<ControlLayout> computeLayout(int outerWidth, int outerHeight, bool minimized, bool hasColumn)
{
    if (minimized)
        return std::nullopt;
    ControlLayout layout;
    layout.listTop = 1660;
    layout.listWidth = outerWidth - 360;
    // Below 3600 twips the list grows again as the window gets shorter.
    layout.listHeight = std::abs(outerHeight - 3600);
    layout.frameTop = outerHeight - 1900;
    layout.frameWidth = layout.listWidth;
    layout.progressTop = outerHeight - 1030;
    layout.progressWidth = layout.listWidth;
    if (hasColumn)
        layout.columnWidth = layout.listWidth - 500;
    return layout;
}

} // namespace corvanta
