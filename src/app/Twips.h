#pragma once

#include <cmath>

namespace corvanta {

// Positions and sizes are designed in twips; Qt's pixels are device
// independent, so one logical pixel is always 15 twips.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

inline double pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace corvanta
