// Makes the README's screenshot: the main window with a font file clicked in the browser.
// Usage: vexlora_screenshot OUT.png FONT_FOLDER FILE_TO_CLICK

#include <QApplication>
#include "support/testwindows.h"

#include <QDir>
#include <QListWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4) {
        qWarning("usage: %s OUT.png FONT_FOLDER FILE_TO_CLICK", argv[0]);
        return 2;
    }
    testenv::MainWindow win;
    QCoreApplication::processEvents();
    win.listFolder(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    if (win.get<QListWidget>("File1")->count() == 0) {
        qWarning("no font files in %s", argv[2]);
        return 1;
    }
    win.clickFile(QString::fromLocal8Bit(argv[3]));
    QCoreApplication::processEvents();
    return win->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
