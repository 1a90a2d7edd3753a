#include "base/units.h"

#include <QtGlobal>

#include <cmath>

namespace units {

int twipsToPixels(int twips)
{
    return qRound(twips / static_cast<double>(kTwipsPerPixel));
}

double roundHalfEven(double value)
{
    // Worked out from floor and exact differences, so no rounding mode the process may be in
    // (and no compiler that assumes the default one) can change the result.
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below; // exact: both lie within one unit of each other
    if (fraction != 0.5)
        return fraction < 0.5 ? below : below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace units
