#pragma once

#include <QApplication>
#include <QtTest>

// Every test process runs in a world of its own: a temporary HOME with its XDG folders, and a
// fontconfig that knows only the test's fonts, so neither the machine's files nor fonts decide.
namespace testenv {

// Before QApplication exists: fontFiles (in tests/fonts) become this process's installed fonts;
// with kSeeFontsFolder fontconfig also reads the folder Install copies to, as a desktop's does.
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

// A named child; a warning names it when it is missing, so a renamed control is easy to spot.
template<typename T = QWidget>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

} // namespace testenv

// Long race and stress tests run once, in the sanitizer stage, where a race shows best, and not
// in every run: CMake registers them under the label "stress" with VEXLORA_STRESS on.
#define VEXLORA_STRESS_ONLY()                                                \
    if (!qEnvironmentVariableIsSet("VEXLORA_STRESS"))                        \
        QSKIP("a stress test: configure with -DVEXLORA_STRESS=ON, then ctest -L stress")

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
