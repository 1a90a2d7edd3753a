#include <QApplication>

#include "app/Module1.h"
#include "base/version.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral(VEXLORA_APP_NAME));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXLORA_VERSION));
    // Lets the desktop match the running window to its launcher, and so to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VEXLORA_APP_ID));
    Module1::Main();
    return app.exec();
}
