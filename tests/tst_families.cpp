#include "support/testwindows.h"

#include "fonts/system.h"
#include "ui/main/TabStrip.h"

#include <QAction>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableWidget>
#include <QToolBar>

#include <fontconfig/fontconfig.h>

#include <csignal>

using testenv::MainWindow;

namespace {

const QString kInvalid = QStringLiteral("(The selected font file is invalid.)");

// Fonts as real families come: one family in four files, weights that name themselves apart,
// a style of an installed family, a font that lacks letters the others have.
const QList<std::pair<QString, QString>> kFiles{
    {"kappa-regular.ttf", "Kappa Text"},   {"kappa-bold.ttf", "Kappa Text"},
    {"kappa-italic.ttf", "Kappa Text"},    {"kappa-bolditalic.ttf", "Kappa Text"},
    {"lambda-regular.ttf", "Lambda"},      {"lambda-hairline.ttf", "Lambda Hairline"},
    {"lambda-black.ttf", "Lambda Black"},  {"lambda-blackitalic.ttf", "Lambda Black"},
    {"mu-sparse.ttf", "Mu Sparse"},        {"alpha-oblique.ttf", kInvalid}, // Alpha Sans is installed
    {"garbage.ttf", kInvalid}};

const QString kSample = QStringLiteral("Hamburg\nfonts \u00DF\u00E4\u00E9");

QString familyFolder()
{
    static const QString dir = [] {
        const QString d = testenv::freshDir(QStringLiteral("families"));
        for (const auto &[file, face] : kFiles)
            testenv::copyFont(file, d);
        return d;
    }();
    return dir;
}

// The preview as a person sees it after clicking `file`, in the text view or the map.
QImage preview(MainWindow &win, const QString &file, bool map = false)
{
    win.clickFile(file);
    return win.get(map ? "flxPreview" : "txPreview")->grab().toImage();
}

void prepareWindow(MainWindow &win, bool bold = false, bool map = false)
{
    win.get<QPlainTextEdit>("txPreview")->setPlainText(kSample);
    if (bold)
        win.get<QAction>("tbBold")->trigger();
    if (map)
        testenv::clickTab(win.get<TabStrip>("tsPreview"), 1);
    win.listFolder(familyFolder());
}

// Makes fontconfig, and then Qt, read the font folders again, as they do by themselves once
// fontconfig's rescan interval has passed.
void rescanFonts()
{
    FcInitReinitialize();
    QFontDatabase::removeApplicationFont(QFontDatabase::addApplicationFont(testenv::committedFontsDir() + QStringLiteral("/eta.ttf")));
}

} // namespace

// Real font families through the real click path: the face each file is listed under, and what
// its preview draws, whatever was clicked or installed before.
class TestFamilies : public QObject
{
    Q_OBJECT

private slots:
    // The faces of real families, each file after each other one, at start and once some were
    // installed and fontconfig and Qt see them: still new, never taken for another file's face.
    void faceNames()
    {
        for (const bool afterInstalling : {false, true}) {
            MainWindow win;
            win.listFolder(familyFolder());
            for (const auto &[before, faceBefore] : kFiles) {
                for (const auto &[file, face] : kFiles) {
                    win.clickFile(before);
                    QCOMPARE(win.faceName(), faceBefore);
                    win.clickFile(file);
                    QCOMPARE(win.faceName(), face);
                }
            }
            if (afterInstalling)
                break;
            for (const char *file : {"kappa-regular.ttf", "lambda-black.ttf", "lambda-hairline.ttf"}) {
                win.clickFile(QLatin1String(file));
                QTest::mouseClick(win.get<QToolBar>("Toolbar1")->widgetForAction(win.get<QAction>("tbInstall")), Qt::LeftButton);
            }
            rescanFonts();
            QVERIFY(QFontDatabase::families().contains(QStringLiteral("Kappa Text")));
        }
    }

    // Whatever was clicked before, and with Bold pressed or not, a file's preview is the one it
    // has when it is clicked first in a fresh window.
    void eachFileDrawsItself_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("map");
        QTest::newRow("text") << false << false;
        QTest::newRow("bold text") << true << false;
        QTest::newRow("map") << false << true;
    }
    void eachFileDrawsItself()
    {
        QFETCH(bool, bold);
        QFETCH(bool, map);
        QStringList files;
        for (const auto &[file, face] : kFiles)
            if (face != kInvalid)
                files << file;
        QHash<QString, QImage> first;
        for (const QString &file : files) {
            MainWindow fresh;
            prepareWindow(fresh, bold, map);
            first.insert(file, preview(fresh, file, map));
        }
        for (const QString &a : files) // no two files look alike
            for (const QString &b : files)
                QVERIFY2(a == b || first[a] != first[b], qPrintable(a + " looks like " + b));
        MainWindow win;
        prepareWindow(win, bold, map);
        for (const QString &before : files) {
            for (const QString &file : files) {
                preview(win, before, map);
                QVERIFY2(preview(win, file, map) == first[file], qPrintable(file + " after " + before));
            }
        }
    }

    // A character the face lacks is its own missing glyph, never one borrowed from an installed
    // font or from a font previewed earlier that has it.
    void lackedLettersDrawTheMissingGlyph()
    {
        MainWindow win;
        win.listFolder(familyFolder());
        win.clickFile(QStringLiteral("kappa-regular.ttf"));
        win.clickFile(QStringLiteral("mu-sparse.ttf"));
        auto *text = win.get<QPlainTextEdit>("txPreview");
        const auto drawn = [text](const QString &s) {
            text->setPlainText(s);
            return text->grab().toImage();
        };
        QCOMPARE(drawn(QStringLiteral("\u00DF")), drawn(QStringLiteral("\u00E4")));
        QVERIFY(drawn(QStringLiteral("Q")) != drawn(QStringLiteral("\u00E4")));

        // The map's cells likewise: "a" and "b" (codes 97 and 98) are both the missing glyph.
        testenv::clickTab(win.get<TabStrip>("tsPreview"), 1);
        auto *grid = win.get<QTableWidget>("flxPreview");
        const auto cell = [grid](int code) {
            const QTableWidgetItem *item = grid->item(code / 15 + 1, code % 15 + 1);
            grid->scrollToItem(item);
            return grid->viewport()->grab(grid->visualItemRect(item).adjusted(1, 1, -1, -1)).toImage();
        };
        QCOMPARE(cell('a'), cell('b'));
        QVERIFY(cell('A') != cell('a'));
    }

    // A process killed outright leaves its trial copies; the next start removes them, only them.
    void killedProcessLeavesNoTrialCopy()
    {
        const auto copies = [] {
            return QDir(fonts::trialCopiesRoot()).entryList({QStringLiteral("vexlora-trial-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
        };
        const auto start = [](QProcess &child, const char *how) {
            child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_child"),
                        {QLatin1String(how), familyFolder(), QStringLiteral("mu-sparse.ttf")});
        };
        MainWindow win; // this process's own copies, which must stay
        win.listFolder(familyFolder());
        win.clickFile(QStringLiteral("kappa-bold.ttf"));
        const QStringList mine = copies();
        QCOMPARE(mine.size(), 1);
        QProcess killed, next;
        start(killed, "trial-and-wait");
        QVERIFY(killed.waitForReadyRead(60000));
        QCOMPARE(killed.readAllStandardOutput().trimmed(), QByteArray("Mu Sparse"));
        ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(60000));
        QCOMPARE(copies().size(), 2); // nothing could run in the killed process
        start(next, "trial-and-exit"); // a later start, which trial-loads a file and ends
        QVERIFY(next.waitForFinished(60000));
        QCOMPARE(copies(), mine);
    }
};

VEXLORA_TEST_MAIN(TestFamilies, testenv::standardFonts(), testenv::kSeeFontsFolder)
#include "tst_families.moc"
