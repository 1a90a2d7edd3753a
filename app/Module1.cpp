#include "app/Module1.h"

#include "base/beep.h"
#include "base/system.h"
#include "ui/dialogs/frmAd.h"
#include "ui/main/frmMain.h"

#include <QApplication>

namespace Module1 {

void Main()
{
    platform::setBeeper([] { QApplication::beep(); });
    initCommonControls();
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
