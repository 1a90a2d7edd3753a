// Makes the README's screenshot: the main window with a font file clicked in the browser.
// Usage: vexlora_screenshot OUT.png FONT_FOLDER FILE_TO_CLICK
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4) {
        qWarning("usage: %s OUT.png FONT_FOLDER FILE_TO_CLICK", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QString folder = QString::fromLocal8Bit(argv[2]);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    frmMain w;
    w.show();
    QCoreApplication::processEvents();
    w.listFontFiles(folder);
    auto *files = w.findChild<QListWidget *>(QStringLiteral("File1"));
    if (!files || files->count() == 0) {
        qWarning("no font files in %s", qPrintable(folder));
        return 1;
    }
    const QList<QListWidgetItem *> found =
        files->findItems(QString::fromLocal8Bit(argv[3]), Qt::MatchExactly);
    QListWidgetItem *item = found.isEmpty() ? files->item(0) : found.first();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(item).center());
    QCoreApplication::processEvents();
    if (!w.grab().save(out))
        return 1;
    return 0;
}
