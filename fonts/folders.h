#pragma once

#include <QString>

// Folders the font subsystem works with, one platform rule each.
namespace fonts {

// Where Install copies fonts to, ending in the path separator: "windir" + "\Fonts\" on
// Windows ("\Fonts\" when the variable is unset); elsewhere the per-user font folder that
// fontconfig reads ($XDG_DATA_HOME/fonts/).
QString fontsFolder();

// The folder the browser shows when the window opens: "C:\" on Windows, "/" elsewhere.
QString startFolder();

} // namespace fonts
