#pragma once

#include "ui/main/frmMain.h"

#include <QApplication>
#include <QtTest>

#include <memory>

class QListWidget;
class QTreeWidgetItem;
class TabStrip;

// Every test process runs in a world of its own: a temporary HOME with its XDG folders, and a
// fontconfig set-up that knows only the test fonts the test chose, so neither the developer's
// files nor the machine's fonts decide a result. Helpers to drive the windows come with it.
namespace testenv {

// Before QApplication exists (fontconfig and Qt read the environment once): fontFiles, names in
// the committed tests/fonts folder, become the installed fonts of this process. With
// kSeeFontsFolder, fontconfig also reads the folder Install copies to, as a desktop's does.
inline constexpr bool kSeeFontsFolder = true;
void prepare(const QStringList &fontFiles, bool seeFontsFolder = false);
QString home();
QString committedFontsDir();
QStringList standardFonts(); // Arial and Tahoma, which the windows name, and three others

QString freshDir(const QString &stem);      // home()/work/stem-N, new on every call
QString copyFont(const QString &fontFile, const QString &dir, const QString &newName = {});
QByteArray readBytes(const QString &path);  // empty when it cannot be read
bool writeBytes(const QString &path, const QByteArray &bytes);
QStringList entries(const QString &dir);    // hidden ones too, sorted by name
QStringList texts(const QListWidget *list);   // the items' texts
QStringList texts(const QTreeWidgetItem *node); // the children's texts

// A named child; a warning names it when it is missing, so a renamed control is easy to spot.
template<typename T = QWidget>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

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
    QString faceName() const;  // what txFontName shows
    QString shownFace() const; // the face the free text is actually drawn with
};

// Stands in for the browser while it lives: every http(s) address the program opens lands in urls.
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

// Like QTEST_MAIN, but with the private environment set up first. Pass the installed fonts.
#define VEXLORA_TEST_MAIN(TestObject, ...)                                   \
    int main(int argc, char *argv[])                                         \
    {                                                                        \
        testenv::prepare(__VA_ARGS__);                                       \
        QApplication app(argc, argv);                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                             \
        TestObject tc;                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                           \
        return QTest::qExec(&tc, argc, argv);                                \
    }
