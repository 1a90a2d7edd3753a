#pragma once

#include "support/testenv.h"

#include "ui/main/frmMain.h"

#include <memory>

class QListWidget;
class QTreeWidgetItem;
class TabStrip;

// Helpers to drive the windows as a person does.
namespace testenv {

QStringList texts(const QListWidget *list);   // the items' texts
QStringList texts(const QTreeWidgetItem *node); // the children's texts

void clickTab(TabStrip *strip, int index);
void doubleClick(QWidget *viewport, QPoint at); // as a mouse gives it: a click, the double-click, a release

// A shown main window driven as a person drives it. Closed as a person closes it at the end;
// closing sends no font-change notification, so the enumeration is then brought up to date.
struct MainWindow
{
    std::unique_ptr<frmMain> w;
    MainWindow();
    ~MainWindow();
    frmMain *operator->() const { return w.get(); }
    template<typename T = QWidget>
    T *get(const char *name) const { return child<T>(w.get(), name); }

    void chooseDrive(const QString &root) const; // a folder in the drive list as if it were a drive
    QTreeWidgetItem *node(const QString &name) const; // the top-level node of that name
    void click(QTreeWidgetItem *node) const;
    void doubleClick(QTreeWidgetItem *node) const;
    void listFolder(const QString &dir) const; // as a click on its node lists it, its parent the drive
    void clickFile(const QString &name) const;
    QString faceName() const; // what txFontName shows
};

} // namespace testenv
