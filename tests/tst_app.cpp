#include "support/testwindows.h"

#include "app/Module1.h"
#include "base/clock.h"
#include "base/datafolder.h"
#include "base/snooze.h"
#include "ui/dialogs/frmAd.h"

#include <QPushButton>
#include <QTimer>

namespace {

frmMain *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<frmMain *>(w); main && main->isVisible())
            return main;
    }
    return nullptr;
}

void proceed()
{
    QPointer<frmAd> ad = frmAd::instance();
    QVERIFY(ad->isVisible() && !mainWindow());
    QMetaObject::invokeMethod(ad->findChild<QTimer *>(QStringLiteral("tmrAds")), "timeout", Qt::DirectConnection);
    QTest::mouseClick(ad->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(mainWindow()); // within the proceed handler
    QVERIFY(!ad->isVisible());
}

} // namespace

// Start-up as the program runs it: the advertisement or its snooze, then the main window, and
// the end when that closes. Each test runs the event loop to its end: the program's own.
class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Clock::setToday(QDate(2007, 1, 1)); }

    void snoozeInForce()
    {
        QVERIFY(snooze::writeDate(Module1::getDataFolder() + QStringLiteral("noads.vxl"), Clock::today()));
        QVERIFY(Module1::initCommonControls());
        Module1::Main();
        QVERIFY(mainWindow()); // before Main returned
        // with the faces the windows are drawn for chosen before them (the tests' fonts.conf
        // gives Beta Serif for MS Sans Serif)
        const QString driveFace = mainWindow()->findChild<QWidget *>(QStringLiteral("Drive1"))->font().family();
        QTimer::singleShot(0, mainWindow(), &QWidget::close);
        QCOMPARE(QApplication::exec(), 0); // closing the main window ends the program
        QFile::remove(Module1::getDataFolder() + QStringLiteral("noads.vxl"));
        QCOMPARE(driveFace, QStringLiteral("Beta Serif"));
    }

    // With a data folder that cannot be made there is no snooze: the advertisement shows, and
    // proceeding past it, the only window, keeps the program running.
    void proceedKeepsTheProgramRunning()
    {
        const QString base = testenv::freshDir(QStringLiteral("xdg"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base));
        QVERIFY(testenv::writeBytes(base + QStringLiteral("/vexlora"), "in the way"));
        Module1::Main();
        bool ranOn = false;
        QTimer::singleShot(0, this, [&] {
            proceed(); // the advertisement, the only window, closes here
            // A program that ended meanwhile leaves its event loop before this comes round.
            QTimer::singleShot(0, this, [&] { ranOn = mainWindow() && mainWindow()->close(); });
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(ranOn);
    }
};

VEXLORA_TEST_MAIN(TestApp, testenv::standardFonts())
#include "tst_app.moc"
