// Child process for the damaged-font tests: clicks every font file of a folder through the main
// window, as Enter on the file list does, and paints the free text and the character map after
// each click. Prints "ok <file> <face>" after each, so the parent sees which file hung or crashed.
// Arguments: the folder, and the map's size ("8", "72").
#include "support/testenv.h"

#include "ui/main/TabStrip.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    testenv::MainWindow win;
    auto *size = win.get<QComboBox>("cmbSize");
    size->setEditText(QString::fromLocal8Bit(argv[2]));
    testenv::clickTab(win.get<TabStrip>("tsPreview"), 1); // the map, filled at that size
    win.listFolder(QString::fromLocal8Bit(argv[1]));
    auto *files = win.get<QListWidget>("File1");
    files->setFocus();
    for (int i = 0; i < files->count(); ++i) {
        files->setCurrentRow(i);
        QTest::keyClick(files, Qt::Key_Return);
        win.get("txPreview")->grab();
        win.get("flxPreview")->grab();
        std::printf("ok %s %s\n", qPrintable(files->item(i)->text()), qPrintable(win.faceName()));
        std::fflush(stdout);
    }
    return 0;
}
