#include "support/helpers.h"
#include "support/testenv.h"

#include "app/Module1.h"

#include <QDir>
#include <QFileInfo>

// The per-user data folder: found, created on demand, and never a reason to stop.
class TestDataFolder : public QObject
{
    Q_OBJECT

    QString base;

private slots:
    void init()
    {
        static int n = 0;
        base = testenv::makeDir(QStringLiteral("xdg%1").arg(++n));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base));
    }

    void missingFolderIsCreatedOnce()
    {
        QVERIFY(!QFileInfo::exists(base + QStringLiteral("/vexlora")));
        const QString path = Module1::getDataFolder();
        QCOMPARE(path, base + QStringLiteral("/vexlora/"));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(path).isEmpty());
        QCOMPARE(Module1::getDataFolder(), path);
    }

    void presentFolderIsLeftAlone()
    {
        QDir(base).mkpath(QStringLiteral("vexlora"));
        QVERIFY(testenv::writeBytes(base + QStringLiteral("/vexlora/noads.vxl"), "12345678"));
        QCOMPARE(testenv::entries(Module1::getDataFolder()), QStringList{QStringLiteral("noads.vxl")});
        QCOMPARE(testenv::readBytes(base + QStringLiteral("/vexlora/noads.vxl")), QByteArray("12345678"));
    }

    void missingParentsAreCreated()
    {
        const QString deep = base + QStringLiteral("/not/yet/there");
        qputenv("XDG_DATA_HOME", QFile::encodeName(deep));
        QVERIFY(QFileInfo(Module1::getDataFolder()).isDir());
    }

    void fileInTheWayDoesNotStop()
    {
        const QString blocker = base + QStringLiteral("/vexlora");
        QVERIFY(testenv::writeBytes(blocker, "not a folder"));
        QVERIFY(!Module1::folderExists(base + QStringLiteral("/vexlora/")));
        const QString path = Module1::getDataFolder();
        QCOMPARE(path, base + QStringLiteral("/vexlora/"));
        QCOMPARE(testenv::readBytes(blocker), QByteArray("not a folder")); // the file is not touched

        // Start-up goes on and opens a window.
        Module1::Main();
        QCoreApplication::processEvents();
        bool shown = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            shown = shown || w->isVisible();
        QVERIFY(shown);
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void folderTest_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("exists");
        QTest::newRow("empty folder") << QStringLiteral("empty") << true;
        QTest::newRow("empty folder with separator") << QStringLiteral("empty/") << true;
        QTest::newRow("missing") << QStringLiteral("missing") << false;
        QTest::newRow("missing with separator") << QStringLiteral("missing/") << false;
        QTest::newRow("plain file") << QStringLiteral("file") << false;
        QTest::newRow("plain file with separator") << QStringLiteral("file/") << false;
    }
    void folderTest()
    {
        QFETCH(QString, relative);
        QFETCH(bool, exists);
        QDir(base).mkpath(QStringLiteral("empty"));
        QVERIFY(testenv::writeBytes(base + QStringLiteral("/file"), {}));
        QCOMPARE(Module1::folderExists(base + QLatin1Char('/') + relative), exists);
    }

    void initCommonControlsSucceeds() { QVERIFY(Module1::initCommonControls()); }
};

VEXLORA_TEST_MAIN(TestDataFolder, testenv::standardFonts())
#include "tst_datafolder.moc"
