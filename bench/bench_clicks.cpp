// What many clicks cost: memory over 10,000 clicks on font files in one window, and what the
// click path makes of a great many damaged fonts, each clicked through the window in a child
// process (this program again, with --child-click FOLDER SIZE), with the slowest file.
//
//   bench_clicks [--clicks N] [--damaged N]        (defaults 10000 and 20000)
//
// Figures are printed, never asserted. Resident memory is read from /proc/self/statm.
#include "support/testwindows.h"

#include "ui/main/TabStrip.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>

#include <cstdio>
#include <unistd.h>

namespace {

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

QString sourceRoot()
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absolutePath() + QStringLiteral("/..");
}

// The child: every font file of `folder` clicked through the main window (Enter on the file
// list), the free text and the map at `size` painted after each; prints "ok <file> <ms> <face>"
// after each, so the parent sees which one hung or crashed, and how long each took.
int clickEach(const QString &folder, const QString &size)
{
    testenv::MainWindow win;
    win.get<QComboBox>("cmbSize")->setEditText(size);
    testenv::clickTab(win.get<TabStrip>("tsPreview"), 1); // the map, filled at that size
    win.listFolder(folder);
    auto *files = win.get<QListWidget>("File1");
    files->setFocus();
    QElapsedTimer took;
    for (int i = 0; i < files->count(); ++i) {
        took.start();
        files->setCurrentRow(i);
        QTest::keyClick(files, Qt::Key_Return);
        win.get("txPreview")->grab();
        win.get("flxPreview")->grab();
        std::printf("ok %s %lld %s\n", qPrintable(files->item(i)->text()), took.elapsed(), qPrintable(win.faceName()));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child-click") == 0) { // in the parent's private world
        QApplication app(argc, argv);
        return clickEach(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    int clicks = 10000;
    int damaged = 20000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (qstrcmp(argv[i], "--clicks") == 0)
            clicks = atoi(argv[i + 1]);
        else if (qstrcmp(argv[i], "--damaged") == 0)
            damaged = atoi(argv[i + 1]);
    }
    testenv::prepare(testenv::standardFonts());
    QApplication app(argc, argv);

    // Memory: two new faces clicked in turn, the preview painted after each click.
    if (clicks > 0) {
        testenv::MainWindow win;
        const QString dir = testenv::freshDir(QStringLiteral("memory"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        testenv::copyFont(QStringLiteral("eta.ttf"), dir);
        win.listFolder(dir);
        auto *files = win.get<QListWidget>("File1");
        files->setFocus();
        double at500 = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 1; i <= clicks; ++i) {
            files->setCurrentRow(i % 2);
            QTest::keyClick(files, Qt::Key_Return);
            win.get("txPreview")->grab();
            if (i == 500)
                at500 = residentMiB();
        }
        std::printf("memory over %d clicks: %.1f MiB resident at click 500, %.1f MiB at click %d (%+.1f MiB); %.2f ms a click\n",
                    clicks, at500, residentMiB(), clicks, residentMiB() - at500, timer.elapsed() / double(clicks));
    }

    // Damaged fonts, in batches of 500 per child process.
    if (damaged > 0) {
        const QString dir = testenv::freshDir(QStringLiteral("damaged"));
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                              {sourceRoot() + QStringLiteral("/tests/fuzz/make_damaged_fonts.py"), QString::number(damaged), dir}) != 0)
            return 1;
        int accepted = 0, refused = 0, crashes = 0, batches = 0;
        qint64 slowest = 0;
        QString slowestFile;
        const QString helper = QCoreApplication::applicationFilePath();
        for (int first = 0; first < damaged; first += 500, ++batches) {
            const QString part = dir + QStringLiteral("/part%1").arg(batches);
            QDir().mkpath(part);
            for (int i = first; i < qMin(first + 500, damaged); ++i)
                QFile::rename(dir + QStringLiteral("/damaged-%1.ttf").arg(i, 5, 10, QChar('0')), part + QStringLiteral("/%1.ttf").arg(i));
            QProcess child;
            child.start(helper, {QStringLiteral("--child-click"), part, batches % 2 ? QStringLiteral("72") : QStringLiteral("8")});
            while (child.waitForReadyRead(30000) || child.canReadLine()) {
                while (child.canReadLine()) {
                    const QList<QByteArray> words = child.readLine().trimmed().split(' ');
                    if (words.value(0) != "ok") // the rest of a face name that holds a line break
                        continue;
                    if (words.value(2).toLongLong() > slowest) {
                        slowest = words.value(2).toLongLong();
                        slowestFile = QString::fromUtf8(words.value(1));
                    }
                    ++(words.value(3).startsWith("(The") ? refused : accepted);
                }
            }
            child.waitForFinished(-1);
            if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
                std::fprintf(stderr, "child %s: %s, exit code %d, last words:\n%s\n", qPrintable(part), qPrintable(child.errorString()),
                             child.exitCode(), child.readAllStandardError().right(2000).constData());
            crashes += child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
        }
        std::printf("damaged fonts: %d files in %d children: %d accepted, %d refused, %d crashed children; "
                    "slowest file %s, %lld ms\n", damaged, batches, accepted, refused, crashes, qPrintable(slowestFile), slowest);
    }
    return 0;
}
