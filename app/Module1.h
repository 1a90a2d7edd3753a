#pragma once

// Start-up: the one place that wires the windows together. The data folder, the other half of
// Module1, is in base/datafolder.h.
namespace Module1 {

// The program's start procedure: prepares the platform's controls, then hands over to the
// advertisement window, whose proceed action alone opens the main window.
void Main();

// True when the platform call raised no error.
bool initCommonControls();

} // namespace Module1
