#include "helpers.h"
#include "testenv.h"

#include "fonts/FontTable.h"
#include "ui/main/TabStrip.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTabBar>
#include <QTreeWidget>

namespace testenv {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString freshDir(const QString &stem)
{
    static int n = 0;
    return makeDir(QStringLiteral("%1-%2").arg(stem).arg(++n));
}

QStringList tableFaces()
{
    const FontTable &table = FontTable::instance();
    QStringList faces;
    for (int i = 0; i < table.count(); ++i)
        faces << table.face(i);
    return faces;
}

QStringList texts(const QListWidget *list)
{
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

QStringList texts(const QTreeWidget *tree)
{
    return texts(tree->invisibleRootItem());
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
    QTabBar *bar = strip->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
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
}

MainWindow::~MainWindow()
{
    w->close();
    FontTable::instance().notify();
}

UrlRecorder::UrlRecorder()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

} // namespace testenv
