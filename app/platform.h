#pragma once

#include <QString>

#include <functional>

// Small platform services of the shell. Each has one production implementation; tests may
// replace the beep to observe it.
namespace platform {

// The per-user local application-data folder without a trailing separator; empty when the
// platform cannot tell.
QString localAppDataFolder();

// The platform's default beep.
void beep();
using BeepHandler = std::function<void()>;
// Replaces the beep (for tests); an empty handler restores the real one.
void setBeepHandler(BeepHandler handler);

} // namespace platform
