#pragma once

#include "ui/main/frmMain.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QUrl>

#include <memory>

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TabStrip;

// Small helpers the tests share: files and folders, the font table, finding and driving
// controls, and a stand-in for the browser.
namespace testenv {

// A file's bytes; empty when it cannot be read.
QByteArray readBytes(const QString &path);
// Writes the whole file; false when any of it could not be written.
bool writeBytes(const QString &path, const QByteArray &bytes);
// Everything in a folder, hidden entries included, sorted by name.
QStringList entries(const QString &dir);
// A new folder below home() on every call: stem-1, stem-2, ...
QString freshDir(const QString &stem);

// The faces the program's font table enumerates now.
QStringList tableFaces();

// The texts of a list's items, of a tree's top-level items, or of a node's children.
QStringList texts(const QListWidget *list);
QStringList texts(const QTreeWidget *tree);
QStringList texts(const QTreeWidgetItem *node);

// A named child; a warning names it when it is missing, so a renamed control is easy to spot.
template<typename T = QWidget>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

// A left click on a tab, as the mouse gives it.
void clickTab(TabStrip *strip, int index);
// A double-click as a real mouse gives it: a click, then the double-click and its release.
void doubleClick(QWidget *viewport, QPoint at);

// A shown main window that the test owns. Closed as a person closes it at the end, so the
// trial font leaves the table; closing sends no font-change notification, so the enumeration
// is then brought up to date for the next window, which takes it as the installed fonts.
struct MainWindow
{
    std::unique_ptr<frmMain> w;
    MainWindow();
    ~MainWindow();
    frmMain *operator->() const { return w.get(); }
    template<typename T = QWidget>
    T *get(const char *name) const { return child<T>(w.get(), name); }
};

// Stands in for the browser while it lives: every http(s) address the program opens lands
// in urls.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    UrlRecorder();
    ~UrlRecorder() override;
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls << url; }
};

} // namespace testenv
