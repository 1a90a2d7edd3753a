// The Install command.
#include "frmMain.h"
#include "ui_frmMain.h"

void frmMain::installFont() {}
