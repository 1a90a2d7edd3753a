#include "base/units.h"

#include <QtGlobal>

#include <cfenv>
#include <cmath>

namespace units {

int twipsToPixels(int twips)
{
    return qRound(twips / static_cast<double>(kTwipsPerPixel));
}

double roundHalfEven(double value)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
}

} // namespace units
