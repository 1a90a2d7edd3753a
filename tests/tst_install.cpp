#include "support/fakeregistry.h"
#include "support/helpers.h"
#include "support/testenv.h"

#include "app/platform.h"
#include "fonts/FontTable.h"
#include "fonts/folders.h"
#include "fonts/install.h"
#include "fonts/regfile.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QToolBar>
#include <QTreeWidget>

using namespace fonts;
using registry::RegFileStore;
using testenv::entries;
using testenv::freshDir;
using testenv::readBytes;
using testenv::writeBytes;

Q_DECLARE_METATYPE(fonts::CopyError)

namespace {

const QString kFontsKey = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\");
const QString kInvalid = QStringLiteral("(The selected font file is invalid.)");

QByteArray committed(const QString &font)
{
    return readBytes(testenv::committedFontsDir() + QLatin1Char('/') + font);
}

// Whether permission bits stop this process from creating a file in dir (they don't for root).
bool permissionsBind(const QString &dir)
{
    QFile probe(dir + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.close();
    probe.remove();
    return false;
}

// Records what reaches the font table and passes it on to the real one.
class WatchedFontTable : public FontTable
{
public:
    WatchedFontTable()
        : real_(FontTable::instance())
    {
        FontTable::setInstance(this);
    }
    ~WatchedFontTable() override { FontTable::setInstance(nullptr); }
    int count() const override { return real_.count(); }
    QString face(int index) const override { return real_.face(index); }
    void add(const QString &path) override { calls << QStringLiteral("add"); real_.add(path); }
    void remove(const QString &path) override { calls << QStringLiteral("remove"); real_.remove(path); }
    void notify() override { calls << QStringLiteral("notify"); real_.notify(); }
    QStringList calls;

private:
    FontTable &real_;
};

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    int beeps = 0;
    std::unique_ptr<testenv::MainWindow> win;
    frmMain *window = nullptr;

    void openWindow()
    {
        win = std::make_unique<testenv::MainWindow>();
        window = win->w.get();
    }

    QListWidget *fileList() { return win->get<QListWidget>("File1"); }
    QString faceShown() { return win->get<QLineEdit>("txFontName")->text(); }

    // Lists a folder in the file list and clicks the file of that name, as a person would.
    void clickFile(const QString &folder, const QString &name)
    {
        window->listFontFiles(folder + QLatin1Char('/'));
        QListWidget *list = fileList();
        const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
        QCOMPARE(window->trialFontFile, folder + QLatin1Char('/') + name);
    }

    void clickInstall()
    {
        QWidget *button = win->get<QToolBar>("Toolbar1")->widgetForAction(win->get<QAction>("tbInstall"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static bool messageShown()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(w) && w->isVisible())
                return true;
        }
        return QApplication::activeModalWidget() != nullptr;
    }

    static QString registryFile() { return RegFileStore().filePath(registry::RootKey::HKEY_LOCAL_MACHINE); }

private slots:
    void init()
    {
        beeps = 0;
        platform::setBeepHandler([this] { ++beeps; });
        QDir(fonts::fontsFolder()).removeRecursively();
        QFile::remove(registryFile());
    }

    void cleanup()
    {
        win.reset();
        window = nullptr;
        platform::setBeepHandler({});
        QDir(fonts::fontsFolder()).removeRecursively();
    }

    // ---- the copy ----

    // Overwriting is in goodInstall.
    void copyCreatesTheFolder()
    {
        const QString work = freshDir(QStringLiteral("copy"));
        const QString source = testenv::copyFont(QStringLiteral("zeta.ttf"), work);
        const QString folder = work + QStringLiteral("/a/b/fonts");
        const CopyResult r = copyFontFile(source, folder + QLatin1Char('/'), QStringLiteral("zeta.ttf"));
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(readBytes(folder + QStringLiteral("/zeta.ttf")), committed(QStringLiteral("zeta.ttf")));
        QCOMPARE(entries(folder), QStringList{QStringLiteral("zeta.ttf")});
        // Readable by the font services, whoever they run as.
        QVERIFY(QFileInfo(folder + QStringLiteral("/zeta.ttf")).permissions() & QFileDevice::ReadOwner);
    }

    void copyOfItselfLeavesFileIntact_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("same path") << 0;
        QTest::newRow("folder reached through a link") << 1;
        QTest::newRow("destination is a link to the source") << 2;
    }

    void copyOfItselfLeavesFileIntact()
    {
        QFETCH(int, how);
        const QString work = freshDir(QStringLiteral("self"));
        const QString fontsDir = work + QStringLiteral("/fonts");
        QDir().mkpath(fontsDir);
        QString source = testenv::copyFont(QStringLiteral("zeta.ttf"), fontsDir);
        QString folder = fontsDir;
        if (how == 1) {
            QVERIFY(QFile::link(fontsDir, work + QStringLiteral("/linked")));
            folder = work + QStringLiteral("/linked");
        } else if (how == 2) {
            source = testenv::copyFont(QStringLiteral("zeta.ttf"), work);
            QFile::remove(fontsDir + QStringLiteral("/zeta.ttf"));
            QVERIFY(QFile::link(source, fontsDir + QStringLiteral("/zeta.ttf")));
        }
        const QStringList before = entries(fontsDir);

        const CopyResult r = copyFontFile(source, folder + QLatin1Char('/'), QStringLiteral("zeta.ttf"));
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(readBytes(source), committed(QStringLiteral("zeta.ttf")));
        QCOMPARE(entries(fontsDir), before);
    }

    // A folder path that is a file and a destination name taken by a folder are tested through
    // the command in unwritableFontsFolder.
    void copyFailureLeavesOldFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<CopyError>("error");

        QTest::newRow("source gone") << QStringLiteral("source gone") << CopyError::NoSource;
        QTest::newRow("plain file above the folder") << QStringLiteral("parent is file") << CopyError::NoFolder;
        QTest::newRow("no folder given") << QStringLiteral("empty folder") << CopyError::NoFolder;
        QTest::newRow("name with a separator") << QStringLiteral("name with separator") << CopyError::BadName;
        QTest::newRow("name of the parent folder") << QStringLiteral("dot dot") << CopyError::BadName;
    }

    void copyFailureLeavesOldFile()
    {
        QFETCH(QString, setup);
        QFETCH(CopyError, error);

        const QString work = freshDir(QStringLiteral("fail"));
        QString source = testenv::copyFont(QStringLiteral("zeta.ttf"), work);
        QString folder = work + QStringLiteral("/fonts");
        QString name = QStringLiteral("zeta.ttf");
        QDir().mkpath(folder);
        const QByteArray old = committed(QStringLiteral("alpha.ttf"));
        QVERIFY(writeBytes(folder + QStringLiteral("/zeta.ttf"), old));

        if (setup == QLatin1String("source gone")) {
            QFile::remove(source);
        } else if (setup == QLatin1String("parent is file")) {
            QVERIFY(writeBytes(work + QStringLiteral("/plain"), "x"));
            folder = work + QStringLiteral("/plain/fonts");
        } else if (setup == QLatin1String("empty folder")) {
            folder.clear();
        } else if (setup == QLatin1String("name with separator")) {
            name = QStringLiteral("../zeta.ttf");
        } else if (setup == QLatin1String("dot dot")) {
            name = QStringLiteral("..");
        }
        const QStringList workBefore = entries(work);
        const QStringList fontsBefore = entries(work + QStringLiteral("/fonts"));

        const CopyResult r = copyFontFile(source, folder.isEmpty() ? folder : folder + QLatin1Char('/'), name);
        QCOMPARE(r.error, error);
        QCOMPARE(readBytes(work + QStringLiteral("/fonts/zeta.ttf")), old);
        QCOMPARE(entries(work), workBefore);
        QCOMPARE(entries(work + QStringLiteral("/fonts")), fontsBefore);
    }

    void copyFailingPartWay_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("copied");
        QTest::newRow("file-size limit below the source's size") << 64 * 1024 << false;
        QTest::newRow("limit above it") << 1024 * 1024 << true;
    }

    void copyFailingPartWay()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs setrlimit");
#endif
        QFETCH(int, limit);
        QFETCH(bool, copied);

        const QString work = freshDir(QStringLiteral("limit"));
        const QString folder = work + QStringLiteral("/fonts");
        QDir().mkpath(folder);
        QByteArray big(256 * 1024, Qt::Uninitialized);
        QRandomGenerator gen(5);
        for (char &c : big)
            c = static_cast<char>(gen.bounded(256));
        const QString source = work + QStringLiteral("/big.ttf");
        QVERIFY(writeBytes(source, big));
        const QByteArray old = committed(QStringLiteral("zeta.ttf"));
        QVERIFY(writeBytes(folder + QStringLiteral("/big.ttf"), old));

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_copylimited"),
                    {source, folder + QLatin1Char('/'), QStringLiteral("big.ttf"), QString::number(limit)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), copied ? 0 : 1);
        QCOMPARE(readBytes(folder + QStringLiteral("/big.ttf")), copied ? big : old);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("big.ttf")});
    }

    // ---- the command ----

    void installStopsBeforeCopy_data()
    {
        QTest::addColumn<QString>("file"); // empty: no file picked
        QTest::addColumn<bool>("emptyFace");
        QTest::addColumn<int>("beepCount");
        QTest::newRow("no file picked: beep") << QString() << false << 1;
        QTest::newRow("invalid file: beep") << QStringLiteral("garbage.ttf") << false << 1;
        QTest::newRow("copy of an installed font: beep") << QStringLiteral("alpha.ttf") << false << 1;
        QTest::newRow("empty face name: no beep") << QStringLiteral("zeta.ttf") << true << 0;
    }

    void installStopsBeforeCopy()
    {
        QFETCH(QString, file);
        QFETCH(bool, emptyFace);
        QFETCH(int, beepCount);

        // A fonts folder and a registry that already hold something, to see both stay as they were.
        RegFileStore store;
        FakeRegistry reg(&store);
        QVERIFY(store.setValue(registry::RootKey::HKEY_LOCAL_MACHINE, kFontsKey, QStringLiteral("Beta Serif (TrueType)"),
                               registry::Value::sz(QStringLiteral("beta.ttf"))).ok());
        reg.writes.clear();
        const QByteArray registryBefore = readBytes(registryFile());

        openWindow();
        QDir().mkpath(window->fontFolder);
        testenv::copyFont(QStringLiteral("beta.ttf"), window->fontFolder);
        if (!file.isEmpty()) {
            const QString work = freshDir(QStringLiteral("stop"));
            testenv::copyFont(file, work);
            clickFile(work, file);
            if (emptyFace)
                win->get<QLineEdit>("txFontName")->clear();
            else
                QCOMPARE(faceShown(), kInvalid);
        }

        clickInstall();
        QCOMPARE(beeps, beepCount);
        QVERIFY(reg.writes.isEmpty());
        QCOMPARE(readBytes(registryFile()), registryBefore);
        QCOMPARE(entries(window->fontFolder), QStringList{QStringLiteral("beta.ttf")});
        QVERIFY(!messageShown());
    }

    void goodInstall()
    {
        RegFileStore store;
        FakeRegistry reg(&store);
        WatchedFontTable table;
        openWindow();
        const QString work = freshDir(QStringLiteral("good"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), work);
        clickFile(work, QStringLiteral("zeta.ttf"));
        QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));

        auto *lstInst = win->get<QTreeWidget>("lstInst");
        const int listed = lstInst->topLevelItemCount();
        const int known = window->installedFontNames().count();
        const QString trial = window->trialFontFile;
        const QString previewFamily = win->get("txPreview")->font().family();
        table.calls.clear();

        const QString installed = fonts::fontsFolder() + QStringLiteral("zeta.ttf");
        for (int round = 1; round <= 2; ++round) {
            if (round == 2) // the second install overwrites whatever is there by now
                QVERIFY(writeBytes(installed, "not a font"));
            clickInstall();

            QCOMPARE(readBytes(installed), committed(QStringLiteral("zeta.ttf")));
            QCOMPARE(entries(fonts::fontsFolder()), QStringList{QStringLiteral("zeta.ttf")});
            // Written again each time, to the registry of the machine's fonts.
            QCOMPARE(reg.writes.size(), round);
            const auto doc = registry::parseRegText(QString::fromUtf8(readBytes(registryFile())),
                                                    QStringLiteral("HKEY_LOCAL_MACHINE")).document;
            QVERIFY(doc);
            const registry::Value *v = registry::findValue(*doc, kFontsKey, QStringLiteral("Zeta Display (TrueType)"));
            QVERIFY(v);
            QCOMPARE(*v, registry::Value::sz(QStringLiteral("zeta.ttf")));

            // Nothing else changes.
            QCOMPARE(beeps, 0);
            QVERIFY(!messageShown());
            QVERIFY(table.calls.isEmpty());
            QCOMPARE(window->trialFontFile, trial);
            QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));
            QCOMPARE(win->get("txPreview")->font().family(), previewFamily);
            QCOMPARE(lstInst->topLevelItemCount(), listed);
            QCOMPARE(window->installedFontNames().count(), known);
        }

        // To the trial loading the font installed in this run is still new, its copy in the
        // fonts folder too, and lstInst doesn't list it.
        testenv::copyFont(QStringLiteral("eta.ttf"), work);
        clickFile(work, QStringLiteral("eta.ttf"));
        clickFile(QDir(window->fontFolder).absolutePath(), QStringLiteral("zeta.ttf"));
        QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));
        QVERIFY(!window->installedFontNames().contains(QStringLiteral("Zeta Display")));
        QVERIFY(lstInst->findItems(QStringLiteral("Zeta Display"), Qt::MatchFixedString).isEmpty());
    }

    // Whatever the list shows by then, the trial-loaded file is the one copied and registered,
    // under its own name without surrounding blanks.
    void installCopiesTheTrialFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("selection moved with the keyboard") << QStringLiteral("keyboard");
        QTest::newRow("another folder listed since") << QStringLiteral("other folder");
        QTest::newRow("name with leading blanks") << QStringLiteral("blanks");
        QTest::newRow("trial file inside the fonts folder") << QStringLiteral("inside");
    }

    void installCopiesTheTrialFile()
    {
        QFETCH(QString, how);
        FakeRegistry reg;
        openWindow();
        QString work = freshDir(QStringLiteral("trial"));
        QString name = QStringLiteral("zeta.ttf");
        if (how == QLatin1String("blanks")) {
            name = QStringLiteral("  zeta.ttf");
        } else if (how == QLatin1String("inside")) {
            QDir().mkpath(window->fontFolder);
            work = QDir(window->fontFolder).absolutePath();
        }
        testenv::copyFont(QStringLiteral("zeta.ttf"), work, name);
        testenv::copyFont(QStringLiteral("eta.ttf"), work);
        clickFile(work, name);
        QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));

        QListWidget *list = fileList();
        if (how == QLatin1String("other folder")) {
            const QString other = freshDir(QStringLiteral("other"));
            testenv::copyFont(QStringLiteral("eta.ttf"), other);
            window->listFontFiles(other + QLatin1Char('/'));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Home);
        } else if (how == QLatin1String("keyboard")) {
            list->setFocus();
            QTest::keyClick(list, list->item(0)->text() == QLatin1String("zeta.ttf") ? Qt::Key_Down : Qt::Key_Up);
        }
        if (how == QLatin1String("keyboard") || how == QLatin1String("other folder")) {
            QCOMPARE(list->selectedItems().size(), 1);
            QCOMPARE(list->selectedItems().first()->text(), QStringLiteral("eta.ttf"));
            QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));
        }

        clickInstall();
        QStringList expected{QStringLiteral("zeta.ttf")};
        if (how == QLatin1String("inside"))
            expected.prepend(QStringLiteral("eta.ttf"));
        QCOMPARE(entries(window->fontFolder), expected);
        QCOMPARE(readBytes(window->fontFolder + QStringLiteral("zeta.ttf")), committed(QStringLiteral("zeta.ttf")));
        QCOMPARE(reg.writes.size(), 1);
        QCOMPARE(reg.writes.first().name, QStringLiteral("Zeta Display (TrueType)"));
        QCOMPARE(reg.writes.first().value.text(), QStringLiteral("zeta.ttf"));
    }

    void unwritableFontsFolder_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("read-only folder") << QStringLiteral("read-only");
        QTest::newRow("folder path is a plain file") << QStringLiteral("folder is file");
        QTest::newRow("destination name taken by a folder") << QStringLiteral("destination is folder");
    }

    void unwritableFontsFolder()
    {
        QFETCH(QString, setup);
        FakeRegistry reg;
        openWindow();
        const QString work = freshDir(QStringLiteral("unwritable"));
        testenv::copyFont(QStringLiteral("zeta.ttf"), work);
        clickFile(work, QStringLiteral("zeta.ttf"));

        const QString base = freshDir(QStringLiteral("target"));
        QString folder = base + QStringLiteral("/fonts");
        QString watched = base; // the folder where a temporary file would show
        bool restore = false;
        if (setup == QLatin1String("read-only")) {
            QDir().mkpath(folder);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            restore = true;
            watched = folder;
            if (!permissionsBind(folder)) {
                // Running as root: permission bits stop nothing. /proc/self is a folder that
                // nobody, root included, can create files in.
                if (!QFileInfo(QStringLiteral("/proc/self")).isDir())
                    QSKIP("running as root without /proc: no folder here that root cannot write");
                folder = QStringLiteral("/proc/self");
                watched = folder;
            }
        } else if (setup == QLatin1String("folder is file")) {
            QVERIFY(writeBytes(folder, "x"));
        } else if (setup == QLatin1String("destination is folder")) {
            QDir().mkpath(folder + QStringLiteral("/zeta.ttf/inside"));
            watched = folder;
        }
        window->fontFolder = folder + QLatin1Char('/');
        const QStringList before = entries(watched);

        clickInstall();
        if (restore)
            QFile::setPermissions(base + QStringLiteral("/fonts"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(reg.writes.isEmpty());
        QCOMPARE(entries(watched), before);
        QCOMPARE(beeps, 0);
        QVERIFY(!messageShown());

        // The program goes on: the same file installs once the folder is one it can write.
        QVERIFY(window->isVisible());
        QCOMPARE(faceShown(), QStringLiteral("Zeta Display"));
        window->fontFolder = fonts::fontsFolder();
        clickInstall();
        QCOMPARE(reg.writes.size(), 1);
        QCOMPARE(readBytes(fonts::fontsFolder() + QStringLiteral("zeta.ttf")), committed(QStringLiteral("zeta.ttf")));
    }
};

VEXLORA_TEST_MAIN(TestInstall, testenv::standardFonts())
#include "tst_install.moc"
