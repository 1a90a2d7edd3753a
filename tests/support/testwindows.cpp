#include "support/testwindows.h"

#include "fonts/FontTable.h"
#include "ui/main/TabStrip.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTreeWidget>

namespace testenv {

QStringList texts(const QListWidget *list)
{
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

QStringList texts(const QTreeWidgetItem *node)
{
    QStringList t;
    for (int i = 0; i < node->childCount(); ++i)
        t << node->child(i)->text(0);
    return t;
}

void clickTab(TabStrip *strip, int index)
{
    QTest::mouseClick(strip->tabBar(), Qt::LeftButton, {}, strip->tabBar()->tabRect(index).center());
}

void doubleClick(QWidget *viewport, QPoint at)
{
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

MainWindow::MainWindow()
    : w(new frmMain)
{
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("the main window was not shown");
    QApplication::setActiveWindow(w.get()); // the headless platform activates no window by itself
}

MainWindow::~MainWindow()
{
    if (w)
        w->close();
    FontTable::instance().notify();
}

void MainWindow::chooseDrive(const QString &root) const
{
    auto *drives = get<QComboBox>("Drive1");
    drives->addItem(root + QStringLiteral(" [TEST]"));
    drives->setCurrentIndex(drives->count() - 1);
}

QTreeWidgetItem *MainWindow::node(const QString &name) const
{
    return get<QTreeWidget>("Dir1")->findItems(name, Qt::MatchExactly).value(0);
}

void MainWindow::click(QTreeWidgetItem *node) const
{
    auto *tree = get<QTreeWidget>("Dir1");
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

void MainWindow::doubleClick(QTreeWidgetItem *node) const
{
    auto *tree = get<QTreeWidget>("Dir1");
    tree->scrollToItem(node);
    testenv::doubleClick(tree->viewport(), tree->visualItemRect(node).center());
}

void MainWindow::listFolder(const QString &dir) const
{
    chooseDrive(QFileInfo(dir).absolutePath());
    if (QTreeWidgetItem *n = node(QFileInfo(dir).fileName()))
        click(n);
}

void MainWindow::clickFile(const QString &name) const
{
    auto *files = get<QListWidget>("File1");
    if (QListWidgetItem *item = files->findItems(name, Qt::MatchExactly).value(0)) {
        files->scrollToItem(item);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(item).center());
    }
}

QString MainWindow::faceName() const { return get<QLineEdit>("txFontName")->text(); }

} // namespace testenv
