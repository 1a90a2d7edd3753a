#include "base/beep.h"

namespace platform {
namespace {

Beeper &installed()
{
    static Beeper beeper;
    return beeper;
}

} // namespace

void beep()
{
    if (installed())
        installed()();
}

void setBeeper(Beeper beeper)
{
    installed() = std::move(beeper);
}

} // namespace platform
