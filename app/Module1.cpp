#include "app/Module1.h"

#include "app/language.h"
#include "base/beep.h"
#include "base/system.h"
#include "ui/dialogs/frmAd.h"
#include "ui/dialogs/look.h"
#include "ui/main/frmMain.h"

#include <QApplication>

namespace Module1 {

void Main()
{
    language::install(); // before the first window, which reads its texts as it is made
    platform::setBeeper([] { QApplication::beep(); });
    initCommonControls();
    chooseDesignFaces(); // before any window asks Qt for them
    frmAd *ad = frmAd::instance();
    // Direct: the main window is up before the proceed action returns, inside Apri when the
    // snooze is in force, so the program never runs without a window.
    QObject::connect(ad, &frmAd::proceeded, ad, [] { (new frmMain)->show(); }, Qt::DirectConnection);
    ad->Apri();
}

bool initCommonControls()
{
    return platform::initCommonControls();
}

} // namespace Module1
