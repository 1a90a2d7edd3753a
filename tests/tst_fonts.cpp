#include "support/fakefonttable.h"
#include "support/testwindows.h"

#include "fonts/QtFontTable.h"
#include "fonts/TrialLoader.h"
#include "fonts/drives.h"
#include "fonts/faces.h"
#include "fonts/sfnt.h"
#include "fonts/system.h"
#include "ui/dialogs/look.h"
#include "ui/main/TabStrip.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QProcess>
#include <QRawFont>

#include <sys/stat.h>

using Damage = std::function<void(const QString &path)>;
Q_DECLARE_METATYPE(Damage)

namespace {

const QStringList kInstalled{"Alpha Sans", "Arial", "Beta Serif", "Gamma Mono", "Tahoma"};

QStringList tableFaces()
{
    QStringList faces;
    for (int i = 0; i < FontTable::instance().count(); ++i)
        faces << FontTable::instance().face(i);
    return faces;
}

} // namespace

// The font subsystem without a window: the faces it enumerates, trial loading over the real
// font table, the listings and the drive rules.
class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    // The face each file is listed under, as Windows names it: name ID 1, never the typographic
    // family. And the database's copy: each face renamed, as FreeType, an independent reader,
    // sees it; weight and slant kept; no copy of what is no font, nor with a name short.
    void windowsFamilies_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("families");
        QTest::newRow("plain") << "eta.ttf" << QStringList{"Eta Script"};
        QTest::newRow("a style of a four-file family") << "kappa-bolditalic.ttf" << QStringList{"Kappa Text"};
        QTest::newRow("a weight named apart") << "lambda-hairline.ttf" << QStringList{"Lambda Hairline"};
        QTest::newRow("letter case kept") << "ALPHA-case.ttf" << QStringList{"ALPHA SANS"};
        QTest::newRow("a collection") << "collection.ttf" << QStringList{"Eta Script", "Kappa Text"};
        QTest::newRow("no name") << "noname.ttf" << QStringList{""};
        QTest::newRow("a blank name") << "blank.ttf" << QStringList{""};
        QTest::newRow("cut short") << "truncated.ttf" << QStringList{""};
        QTest::newRow("empty") << "empty.ttf" << QStringList{};
        QTest::newRow("no font") << "garbage.ttf" << QStringList{};
    }
    void windowsFamilies()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, families);
        const QByteArray bytes = testenv::readBytes(testenv::committedFontsDir() + '/' + file);
        QCOMPARE(sfnt::windowsFamilies(bytes), families); // reads past the end: fuzz_sfnt's to find

        QStringList names; // one for what is no font, which must give no copy all the same
        for (qsizetype k = 0; k < qMax(families.size(), qsizetype(1)); ++k)
            names << QStringLiteral("Vexlora Trial 1 %1").arg(k);
        QVERIFY(sfnt::renamed(bytes, names.mid(1)).isEmpty());
        const QByteArray copy = sfnt::renamed(bytes, names);
        QVERIFY2(!families.isEmpty() || copy.isEmpty(), "a copy of what is no font");
        if (families.join(QString()).isEmpty())
            return; // a face without a name never goes into the font database
        QCOMPARE(sfnt::windowsFamilies(copy), names);
        const QRawFont before(bytes, 12), after(copy, 12);
        QCOMPARE(after.familyName(), names.first());
        QCOMPARE(after.weight(), before.weight());
        QCOMPARE(after.style(), before.style());
    }

    // A click's trial loading over the real font table, with the standard fonts installed.
    void trialLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QString>("face"); // "": the invalid-file message
        QTest::addColumn<Damage>("damage");
        const Damage none = [](const QString &) {};
        QTest::newRow("new face, non-ASCII path") << "eta.ttf" << QStringLiteral("Écriture ✓ 日本.ttf") << "Eta Script" << none;
        QTest::newRow("an installed face in other letter case") << "ALPHA-case.ttf" << "" << "" << none;
        QTest::newRow("empty") << "empty.ttf" << "" << "" << none;
        QTest::newRow("larger than any font") << "eta.ttf" << "" << "" << Damage([](const QString &path) {
            QFile(path).resize(fonts::kMaxFontFileBytes + 1); // sparse: nothing is read
        });
        QTest::newRow("a pipe, whose reading would never end") << "eta.ttf" << "" << "" << Damage([](const QString &path) {
            QFile::remove(path);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        });
    }
    void trialLoad()
    {
        QFETCH(QString, file);
        QFETCH(QString, saveAs);
        QFETCH(QString, face);
        QFETCH(Damage, damage);
        const QString dir = testenv::freshDir(QStringLiteral("Ordner ß"));
        const QString path = testenv::copyFont(file, dir, saveAs);
        damage(path);
        fonts::TrialLoader trial;
        QCOMPARE(trial.recordInstalledFaces(), kInstalled);
        const auto click = [&trial](const QString &file) { // the quick answer, where the full scan agrees
            const QString quick = file.isEmpty() ? trial.reload() : trial.load(file);
            return fonts::firstNewFace(FontTable::instance(), trial.installedFontNames()) == quick ? quick : "<differs>";
        };
        const QString zeta = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        QCOMPARE(click(zeta), QStringLiteral("Zeta Display"));
        QCOMPARE(click(path), face);
        // The installed faces as they were at start, and the trial file's own, if new.
        QCOMPARE(tableFaces(), fonts::sortedFaces(kInstalled + QStringList(face).filter(QRegularExpression(".+"))));
        QCOMPARE(click(QString()), face); // no selection: the same file again
        QCOMPARE(click(zeta), QStringLiteral("Zeta Display")); // back from memory, where it was kept
        QCOMPARE(click(path), face); // and kept aside again, then changed: read anew
        QVERIFY(testenv::writeBytes(zeta, testenv::readBytes(QStringLiteral(VEXLORA_TEST_FONTS "/alpha-light.ttf"))));
        QCOMPARE(click(zeta), QStringLiteral("Alpha Sans Light"));
        trial.unload();
        FontTable::instance().notify();
        QCOMPARE(tableFaces(), kInstalled);
    }

    // What draws a face the windows name: an installed one itself (a missing one, fontconfig's
    // alias: tst_app's to check), and one that nothing stands in for is left to Qt.
    void standIns()
    {
        chooseDesignFaces();
        QCOMPARE(fonts::standIn(QStringLiteral("Tahoma")), QStringLiteral("Tahoma"));
        for (const QString &match : {QString(), QStringLiteral("Not Installed")})
            QCOMPARE(fonts::standInFor(QStringLiteral("Verdana"), match, QFontDatabase::families()), QStringLiteral("Verdana"));
    }

    // Damaged files, made afresh from the committed fonts by a seeded script, clicked through
    // the window and painted at a small and a large size: none may crash, hang or trip a sanitizer.
    void damagedFontsNeverCrash()
    {
        const QString dir = testenv::freshDir(QStringLiteral("damaged"));
        QCOMPARE(QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                   {QStringLiteral(VEXLORA_TEST_FONTS "/../fuzz/make_damaged_fonts.py"), QStringLiteral("1000"), dir}), 0);
        testenv::MainWindow win;
        win.listFolder(dir);
        auto *files = win.get<QListWidget>("File1");
        for (int i = 0; i < files->count(); ++i) {
            if (i % 500 == 0) { // the map, filled at that size
                win.get<QComboBox>("cmbSize")->setEditText(i ? QStringLiteral("72") : QStringLiteral("8"));
                testenv::clickTab(win.get<TabStrip>("tsPreview"), 1);
                files->setFocus();
            }
            files->setCurrentRow(i);
            QTest::keyClick(files, Qt::Key_Return);
            win.get("txPreview")->grab();
            win.get("flxPreview")->grab();
        }
        QCOMPARE(files->count(), 1000);
    }

    // A file cut to nothing and written back in place, again and again, while it is clicked:
    // the bytes are read once, so nothing faults on pages that are gone.
    void fileChangedWhileClicked()
    {
        VEXLORA_STRESS_ONLY();
        const QString dir = testenv::freshDir(QStringLiteral("changing"));
        const QString path = testenv::copyFont(QStringLiteral("zeta.ttf"), dir);
        QProcess writer;
        writer.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("while :; do : > '%1'; sleep 0.002; cat '%2' > '%1'; done")
                                                                            .arg(path, QStringLiteral(VEXLORA_TEST_FONTS "/zeta.ttf"))});
        QVERIFY(writer.waitForStarted());
        testenv::MainWindow win;
        win.listFolder(dir);
        auto *files = win.get<QListWidget>("File1");
        files->setCurrentRow(0);
        for (int i = 0; i < 1500; ++i) {
            QTest::keyClick(files, Qt::Key_Return);
            win.get("txPreview")->grab();
            win.get("flxPreview")->grab();
        }
        writer.kill();
        writer.waitForFinished();
    }

    void hiddenTrialFontsBounds_data()
    {
        QTest::addColumn<int>("fonts");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QStringList>("clicks"); // test fonts, each written afresh before its click
        QTest::addColumn<QList<int>>("loaded");  // trial fonts in Qt's database after each click
        const QStringList four{"zeta", "eta", "kappa-bold", "lambda-black"};
        const qint64 plenty = qint64(1) << 30;
        QTest::newRow("past the count all go") << 2 << plenty << four << QList<int>{1, 2, 3, 1};
        QTest::newRow("past the size all go") << 32 << qint64(0) << four << QList<int>{1, 1, 1, 1};
        QTest::newRow("a hidden file shown again") << 32 << plenty << QStringList{"zeta", "eta", "zeta"} << QList<int>{1, 2, 2};
    }
    void hiddenTrialFontsBounds()
    {
        QFETCH(int, fonts);
        QFETCH(qint64, bytes);
        QFETCH(QList<int>, loaded);
        QFETCH(QStringList, clicks);
        const QString dir = testenv::freshDir(QStringLiteral("bounds"));
        const auto trialFamilies = [] {
            return QFontDatabase::families().filter(QRegularExpression(QStringLiteral("^") + kTrialFamilyPrefix)).size();
        };
        const qsizetype before = trialFamilies();
        QList<int> counts;
        {
            fonts::QtFontTable table({fonts, bytes});
            fonts::TrialLoader trial(&table);
            trial.recordInstalledFaces();
            for (const QString &click : clicks) {
                const QString path = dir + QLatin1Char('/') + click + QStringLiteral(".ttf");
                QVERIFY(testenv::writeBytes(path, testenv::readBytes(QStringLiteral(VEXLORA_TEST_FONTS "/") + click + QStringLiteral(".ttf"))));
                QVERIFY(!trial.load(path).isEmpty());
                counts.append(int(trialFamilies() - before));
            }
            trial.unload();
        }
        QCOMPARE(counts, loaded);
    }

    // The face a trial file gives: of those it brings, the first new one in the table's order,
    // whatever the file's order; letter case aside, also among the installed faces' variants.
    void getNewFontName()
    {
        const QStringList atStart{"Arial", "ARIAL", "Tahoma"};
        FakeFontTable table(atStart);
        fonts::TrialLoader trial(&table);
        QCOMPARE(trial.recordInstalledFaces(), atStart);
        table.setFaces(QStringLiteral("/x.ttf"), {"arial", "New Two", "Tahoma", "new one"});
        QCOMPARE(trial.load(QStringLiteral("/x.ttf")), QStringLiteral("new one"));
    }

    void listing()
    {
        const QString dir = testenv::freshDir(QStringLiteral("listing"));
        for (const char *f : {"a_b.ttf", "abd.TTF", "ABC.ttf", "Ab.ttf", ".hid.ttf", "c.txt", "d.ttf.bak", "ttf", "e.otf"})
            QVERIFY(testenv::writeBytes(dir + '/' + QLatin1String(f), {}));
        QVERIFY(QDir(dir).mkdir(QStringLiteral("x.ttf"))); // folders never, whatever their names
        QVERIFY(QFile::link(dir + QStringLiteral("/Ab.ttf"), dir + QStringLiteral("/link.ttf")));
        QVERIFY(QFile::link(dir + QStringLiteral("/gone"), dir + QStringLiteral("/broken.ttf")));
        QVERIFY(QFile::link(testenv::home(), dir + QStringLiteral("/folderlink.ttf")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir + QStringLiteral("/pipe.ttf")).constData(), 0600), 0);
        // In the order of the Windows file system: upper-cased, so '_' comes after the letters.
        QCOMPARE(fonts::fontFileNames(dir + '/'), (QStringList{".hid.ttf", "Ab.ttf", "ABC.ttf", "abd.TTF", "a_b.ttf", "link.ttf"}));
        QCOMPARE(fonts::subfolderNames(dir + '/'), (QStringList{"folderlink.ttf", "x.ttf"}));
    }

    // The drive list: the volumes worth browsing, each with its label, and the folder each
    // entry leads back to (no doubled separator; a bracket in a label is no end of it).
    void volumes()
    {
        using V = fonts::Volume;
        const QList<V> mounted{{"/", "ext4", "System", true}, {"/proc", "proc", "", true}, {"/sys/fs/cgroup", "cgroup2", "", true},
                               {"/dev/shm", "tmpfs", "", true}, {"/run/user/1000/gvfs", "fuse.gvfsd-fuse", "", true},
                               {"/home", "ext4", "Home", true}, {"/home", "ext4", "Home", true}, {"/etc/hosts", "ext4", "", false},
                               {"/run/media/ann/CARD", "exfat", "CARD [2]", true}, {"/mnt/share", "nfs4", "", true},
                               {"/snap/core/123", "squashfs", "", true}, {"/tmp", "tmpfs", "", true}};
        QStringList texts, roots;
        for (const V &v : fonts::browsableVolumes(mounted)) {
            texts << fonts::volumeText(v);
            roots << fonts::driveRoot(texts.last(), QLatin1Char('/'));
        }
        QCOMPARE(texts, (QStringList{"/ [System]", "/home [Home]", "/mnt/share", "/run/media/ann/CARD [CARD [2]]"}));
        QCOMPARE(roots, (QStringList{"/", "/home/", "/mnt/share/", "/run/media/ann/CARD/"}));
        QCOMPARE(fonts::driveRoot(QString(), QLatin1Char('\\')), QStringLiteral("\\")); // never a relative path
        QCOMPARE(fonts::browsableVolumes({{"/", "overlay", "", true}}).size(), 1); // the root, whatever holds it
        const QList<V> nested{{"/", "ext4", "", true}, {"/home", "ext4", "", true}, {"/home/ann/usb", "vfat", "", true}};
        QCOMPARE(fonts::volumeOf(nested, QStringLiteral("/homely")), 0); // a prefix of a name is no parent
        QCOMPARE(fonts::volumeOf(nested, QStringLiteral("/home")), 1);
        QCOMPARE(fonts::volumeOf(nested, QStringLiteral("/home/ann/usb/x")), 2);
        QCOMPARE(fonts::volumeOf({{"/home", "ext4", "", true}}, QStringLiteral("/etc")), -1);
    }
};

VEXLORA_TEST_MAIN(TestFonts, testenv::standardFonts())
#include "tst_fonts.moc"
