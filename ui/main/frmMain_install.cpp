// The Install command.
#include "frmMain.h"
#include "ui_frmMain.h"

#include "app/platform.h"
#include "fonts/install.h"

void frmMain::installFont()
{
    // Nothing else follows an install: the trial font stays loaded and the lists stay as they are.
    const fonts::InstallResult r = fonts::installTrialFont(trialFontFile, ui->txFontName->text(), fontFolder);
    if (fonts::beepsFor(r.outcome))
        platform::beep();
}
