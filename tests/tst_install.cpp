#include "support/fakeregistry.h"
#include "support/testwindows.h"

#include "base/beep.h"
#include "fonts/faces.h"
#include "fonts/install.h"
#include "fonts/regfile.h"
#include "fonts/sfnt.h"
#include "fonts/system.h"

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QToolBar>
#include <QTreeWidget>

using namespace fonts;
using testenv::entries;
using testenv::readBytes;
using testenv::writeBytes;

namespace {

const QString kFontsKey = QString::fromLatin1(kFontsRegistryKey);
const QByteArray kZeta = readBytes(QStringLiteral(VEXLORA_TEST_FONTS "/zeta.ttf"));
// A folder no process can create files in, root included (CI runs as root).
const QString kUnwritable = QStringLiteral("/proc/self/");

// A copy's source, folder and name in a fresh work folder, as a row's setup leaves them.
struct Copy
{
    QString work = testenv::freshDir(QStringLiteral("copy"));
    QString folder = work + QStringLiteral("/fonts/");
    QString source = testenv::copyFont(QStringLiteral("zeta.ttf"), work);
    QString name = QStringLiteral("old.ttf");
};
using Setup = std::function<void(Copy &)>;

// The data of a font's value in the real store, or a null string when it has none.
QString registeredFile(const QString &face)
{
    const auto doc = registry::parseRegText(QString::fromUtf8(readBytes(registry::RegFileStore().filePath(registry::RootKey::HKEY_LOCAL_MACHINE))),
                                            QStringLiteral("HKEY_LOCAL_MACHINE"));
    const registry::Value *value = doc ? registry::findValue(*doc, kFontsKey, face + QStringLiteral(" (TrueType)")) : nullptr;
    return value && std::holds_alternative<QString>(*value) ? std::get<QString>(*value) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(fonts::CopyError)
Q_DECLARE_METATYPE(fonts::InstallOutcome)

// Install: the copy, the install without a window, and the command as a person gives it.
class TestInstall : public QObject
{
    Q_OBJECT

    int beeps = 0;

private slots:
    void init()
    {
        beeps = 0;
        platform::setBeeper([this] { ++beeps; });
        QDir(fontsFolder()).removeRecursively();
        QDir(registry::RegFileStore::defaultFolder()).removeRecursively();
    }

    void copy_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<CopyError>("error");
        QTest::newRow("over an old file") << Setup([](Copy &) {}) << CopyError::None;
        QTest::newRow("missing folders are made") << Setup([](Copy &c) { c.folder = c.work + "/a/b/fonts/"; }) << CopyError::None;
        QTest::newRow("source gone") << Setup([](Copy &c) { QFile::remove(c.source); }) << CopyError::NoSource;
        QTest::newRow("plain file above the folder")
            << Setup([](Copy &c) { writeBytes(c.work + "/plain", "x"); c.folder = c.work + "/plain/fonts/"; }) << CopyError::NoFolder;
        QTest::newRow("no folder given") << Setup([](Copy &c) { c.folder.clear(); }) << CopyError::NoFolder;
        QTest::newRow("name with a separator") << Setup([](Copy &c) { c.name = "../zeta.ttf"; }) << CopyError::BadName;
        QTest::newRow("name of the parent folder") << Setup([](Copy &c) { c.name = ".."; }) << CopyError::BadName;
        QTest::newRow("name taken by a folder") << Setup([](Copy &c) { QDir().mkpath(c.folder + "dir.ttf/inside"); c.name = "dir.ttf"; })
                                                << CopyError::CannotWrite;
    }
    void copy()
    {
        QFETCH(Setup, setup);
        QFETCH(CopyError, error);
        Copy c;
        QDir().mkpath(c.folder);
        QVERIFY(writeBytes(c.folder + QStringLiteral("old.ttf"), "old"));
        setup(c);
        const QStringList before = entries(c.work) + entries(c.work + QStringLiteral("/fonts"));
        QCOMPARE(saveFontFile(readBytes(c.source), c.folder, c.name).error, error);
        if (error == CopyError::None) {
            QCOMPARE(readBytes(c.folder + c.name), kZeta);
            QCOMPARE(entries(c.folder), QStringList{c.name});
        } else { // nothing half-written anywhere, the old file whole
            QCOMPARE(entries(c.work) + entries(c.work + QStringLiteral("/fonts")), before);
            QCOMPARE(readBytes(c.work + QStringLiteral("/fonts/old.ttf")), QByteArray("old"));
        }
    }

    // A disk that fills up part-way: a child process under a file-size limit below the source's.
    void copyFailingPartWay()
    {
        const QString work = testenv::freshDir(QStringLiteral("limit"));
        const QByteArray big = QByteArray(8 * 1024, 'x').repeated(32); // 256 KiB
        QVERIFY(writeBytes(work + QStringLiteral("/big.ttf"), big));
        QDir().mkpath(work + QStringLiteral("/fonts"));
        QVERIFY(writeBytes(work + QStringLiteral("/fonts/big.ttf"), "old"));
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_child"),
                    {QStringLiteral("copy"), work + QStringLiteral("/big.ttf"), work + QStringLiteral("/fonts/"), QStringLiteral("big.ttf"), QString::number(64 * 1024)});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.readAllStandardOutput().contains("too large"), "the cause, not the cancellation's own text");
        QCOMPARE(readBytes(work + QStringLiteral("/fonts/big.ttf")), QByteArray("old"));
        QCOMPARE(entries(work + QStringLiteral("/fonts")), QStringList{QStringLiteral("big.ttf")});
    }

    // What the install does and reports, over the real store: beeps and refusals change nothing;
    // a registry that fails after the copy leaves the copy and says so.
    void installTrialFont_data()
    {
        QTest::addColumn<QString>("trial"); // saved under this name in a work folder, or ""
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("folder");   // "": the fonts folder
        QTest::addColumn<QString>("storeFolder"); // the registry store's; "": its own
        QTest::addColumn<InstallOutcome>("outcome");
        QTest::newRow("no trial file") << "" << "Zeta Display" << "" << "" << InstallOutcome::NoTrialFile;
        QTest::newRow("no face name") << "zeta.ttf" << "" << "" << "" << InstallOutcome::NoFaceName;
        QTest::newRow("invalid-file message") << "zeta.ttf" << kInvalidFontFileText << "" << "" << InstallOutcome::InvalidFont;
        QTest::newRow("a name the registry cannot hold") << "zeta.ttf" << "Zeta\aBell" << "" << "" << InstallOutcome::NameRefused;
        QTest::newRow("unwritable folder") << "zeta.ttf" << "Zeta Display" << kUnwritable << "" << InstallOutcome::CopyFailed;
        QTest::newRow("unwritable registry") << "zeta.ttf" << "Zeta Display" << "" << kUnwritable << InstallOutcome::RegistryFailed;
        QTest::newRow("the face in another letter case") << "zeta.ttf" << "ZETA DISPLAY" << "" << "" << InstallOutcome::InvalidFont;
        QTest::newRow("registered under its face, file name trimmed") << " zeta.ttf" << "Zeta Display" << "" << "" << InstallOutcome::Installed;
    }
    void installTrialFont()
    {
        QFETCH(QString, trial);
        QFETCH(QString, face);
        QFETCH(QString, folder);
        QFETCH(QString, storeFolder);
        QFETCH(InstallOutcome, outcome);
        registry::RegFileStore store(storeFolder);
        FakeRegistry reg(&store);
        const QString path = trial.isEmpty() ? QString() : testenv::copyFont("zeta.ttf", testenv::freshDir("trial"), trial);
        if (face.contains(QLatin1Char('\a'))) // a font that names itself so
            QVERIFY(writeBytes(path, sfnt::renamed(kZeta, {face})));
        const InstallResult r = fonts::installTrialFont(path, readBytes(path), face, folder.isEmpty() ? fontsFolder() : folder);
        QCOMPARE(r.outcome, outcome);
        const bool copied = outcome == InstallOutcome::Installed || outcome == InstallOutcome::RegistryFailed;
        QCOMPARE(entries(fontsFolder()), copied ? QStringList{QStringLiteral("zeta.ttf")} : QStringList());
        QCOMPARE(reg.writes.size(), copied ? 1 : 0);
        QCOMPARE(registeredFile(face), outcome == InstallOutcome::Installed ? QStringLiteral("zeta.ttf") : QString());
        QCOMPARE(r.registry.detail.isEmpty(), outcome != InstallOutcome::RegistryFailed); // the cause, for whoever asks
    }

    // A file of the name is there: another face's font is never replaced (its registry value
    // would name another font); the same face is, as a new version (and what is no font: command).
    void installOverAFile_data()
    {
        const QByteArray eta = readBytes(QStringLiteral(VEXLORA_TEST_FONTS "/eta.ttf"));
        QTest::addColumn<QByteArray>("there"); // installed as Regular.ttf first
        QTest::addColumn<QByteArray>("trial"); // then previewed from another folder's Regular.ttf
        QTest::addColumn<QString>("face");
        QTest::addColumn<InstallOutcome>("outcome");
        QTest::newRow("another font under the same file name") << kZeta << eta << "Eta Script" << InstallOutcome::NameTaken;
        QTest::newRow("a new version of the same face") << sfnt::renamed(kZeta, {"Zeta Display"}) << kZeta << "Zeta Display"
                                                         << InstallOutcome::Installed;
    }
    void installOverAFile()
    {
        QFETCH(QByteArray, there);
        QFETCH(QByteArray, trial);
        QFETCH(QString, face);
        QFETCH(InstallOutcome, outcome);
        const QString name = QStringLiteral("Regular.ttf");
        const QString thereFace = sfnt::windowsFamilies(there).value(0);
        QCOMPARE(fonts::installTrialFont("/first/" + name, there, thereFace, fontsFolder()).outcome, InstallOutcome::Installed);
        const QString second = QStringLiteral("/second/") + name; // read at the click: the path only names it

        QCOMPARE(fonts::installTrialFont(second, trial, face, fontsFolder()).outcome, outcome);
        const bool installed = outcome == InstallOutcome::Installed;
        QCOMPARE(beepsFor(outcome), !installed);
        QCOMPARE(readBytes(fontsFolder() + name), installed ? trial : there);
        QCOMPARE(entries(fontsFolder()), QStringList{name});
        QCOMPARE(registeredFile(face), installed ? name : QString());
        QCOMPARE(registeredFile(thereFace), name); // the font installed first keeps its value either way
    }

    // The toolbar button, as a person uses it. Install writes what the preview showed, though
    // the file changed after the click.
    void command_data()
    {
        QTest::addColumn<QString>("file"); // "": nothing clicked yet
        QTest::addColumn<bool>("installs");
        QTest::newRow("no file picked: beep") << "" << false;
        QTest::newRow("invalid file: beep") << "garbage.ttf" << false;
        QTest::newRow("new face") << "zeta.ttf" << true;
    }
    void command()
    {
        QFETCH(QString, file);
        QFETCH(bool, installs);
        testenv::MainWindow win;
        const QString work = testenv::freshDir(QStringLiteral("command"));
        testenv::copyFont(QStringLiteral("eta.ttf"), work);
        if (!file.isEmpty()) {
            const QString path = testenv::copyFont(file, work);
            win.listFolder(work);
            win.clickFile(file);
            QVERIFY(writeBytes(path, readBytes(QStringLiteral(VEXLORA_TEST_FONTS "/eta.ttf"))));
            // The selection moves on by keyboard: the trial file is still the one installed.
            QTest::keyClick(win.get<QListWidget>("File1"), Qt::Key_Home);
        }
        const int listed = win.get<QTreeWidget>("lstInst")->topLevelItemCount();
        for (int round = 1; round <= 2; ++round) {
            if (round == 2 && installs) // installing again overwrites whatever is there by now
                QVERIFY(writeBytes(fontsFolder() + file, "not a font"));
            QTest::mouseClick(win.get<QToolBar>("Toolbar1")->widgetForAction(win.get<QAction>("tbInstall")), Qt::LeftButton);
            QCOMPARE(beeps, installs ? 0 : round);
            QCOMPARE(entries(fontsFolder()), installs ? QStringList{file} : QStringList());
            QCOMPARE(!registeredFile(win.faceName()).isNull(), installs);
        }
        if (!installs)
            return;
        QCOMPARE(readBytes(fontsFolder() + file), kZeta);
        QCOMPARE(win.get<QTreeWidget>("lstInst")->topLevelItemCount(), listed);
    }
};

VEXLORA_TEST_MAIN(TestInstall, testenv::standardFonts())
#include "tst_install.moc"
