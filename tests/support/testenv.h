#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QtTest>

// Every test process runs in a world of its own: a temporary HOME with its XDG folders, and a
// fontconfig set-up that knows only the test fonts the test chose, so neither the developer's
// files nor the machine's fonts decide a result.
namespace testenv {

// Must run before QApplication exists: fontconfig and Qt read the environment once.
// fontFiles are file names inside the committed tests/fonts folder; they become the
// "installed" fonts of this process.
void prepare(const QStringList &fontFiles);

// The temporary root that HOME points at, and the folder of the committed test fonts.
QString home();
QString committedFontsDir();

// A fresh temporary folder below home(), for a test's own files.
QString makeDir(const QString &name);

// Copies a committed test font to dir/newName (or its own name) and returns the new path.
QString copyFont(const QString &fontFile, const QString &dir, const QString &newName = {});

// The fonts most tests take as installed: two faces the preview names at start, and three others.
QStringList standardFonts();

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
