#pragma once

// The drive list as Windows shows it. Standard C++ and the Win32 API only, so this builds and
// runs its tests with a cross-compiler and wine, without Qt.
#include <string>
#include <vector>

namespace win32 {

struct DriveTexts
{
    std::vector<std::wstring> texts; // "c: [SYSTEM]", "d:", "z: [\\server\share]", in letter order
    int current = -1;                // index of the current directory's drive; -1 when none is
};

// One drive's text: the letter in lower case and a colon, then a blank and the bracketed
// label (volume label or network name) when there is one.
std::wstring driveText(wchar_t letter, const std::wstring &label);

// Every logical drive with its label. A drive without media, or one that does not answer,
// shows its letter alone; no system error box appears for it. Floppy drives are not asked
// for a label, which would make them spin.
DriveTexts driveTexts();

} // namespace win32
