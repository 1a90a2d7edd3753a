#include "frmAd.h"

#include "ui/main/frmMain.h"

#include <QGuiApplication>
#include <QPointer>

namespace {
frmAd *theInstance = nullptr;
QPointer<frmMain> theMainWindow;
} // namespace

frmAd *frmAd::instance()
{
    if (!theInstance)
        theInstance = new frmAd;
    return theInstance;
}

bool frmAd::isLoaded()
{
    return theInstance != nullptr;
}

frmMain *frmAd::mainWindow()
{
    return theMainWindow;
}

frmAd::frmAd(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAd"));
    setAttribute(Qt::WA_DeleteOnClose);
}

frmAd::~frmAd()
{
    if (theInstance == this)
        theInstance = nullptr;
}

void frmAd::Apri()
{
    // The advertisement itself is not built yet: proceed at once.
    Command1_Click();
}

void frmAd::Command1_Click()
{
    // Closing what may be the only window must not end the program before the main
    // window is up: hold the quit back until both steps are done.
    const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    close();
    if (theInstance == this) {
        theInstance = nullptr;
        deleteLater();
    }
    auto *main = new frmMain;
    theMainWindow = main;
    main->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);
}
