#pragma once

#include <functional>

// The platform's default beep. The start-up code installs the real one (the widget toolkit's);
// a test installs its own to count beeps. Until one is installed a beep sounds nothing.
namespace platform {

void beep();

using Beeper = std::function<void()>;
void setBeeper(Beeper beeper);

} // namespace platform
