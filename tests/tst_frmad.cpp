#include "support/helpers.h"
#include "support/testenv.h"

#include "app/Module1.h"
#include "ui/dialogs/clock.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/frmAd.h"
#include "ui/dialogs/links.h"
#include "ui/dialogs/snooze.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using testenv::child;

namespace {

const QDate kToday(2007, 1, 1);

QString snoozePath()
{
    return Module1::getDataFolder() + QStringLiteral("noads.vxl");
}

QByteArray dayBytes(int daysFromToday)
{
    return snooze::encodeDate(kToday.addDays(daysFromToday));
}

QPushButton *proceedButton(frmAd *ad) { return child<QPushButton>(ad, "Command1"); }
QCheckBox *noAdBox(frmAd *ad) { return child<QCheckBox>(ad, "swiNoAd"); }
QTimer *lockTimer(frmAd *ad) { return child<QTimer>(ad, "tmrAds"); }

// One tick of the lock timer, as the 3-second timeout delivers it.
void tick(frmAd *ad)
{
    QMetaObject::invokeMethod(lockTimer(ad), "timeout", Qt::DirectConnection);
}

// The advertisement as start-up leaves it when no snooze is in force.
frmAd *openAd()
{
    frmAd *ad = frmAd::instance();
    ad->Apri();
    if (!ad->isVisible())
        qWarning("the advertisement was not shown");
    return ad;
}

} // namespace

class TestFrmAd : public QObject
{
    Q_OBJECT

    testenv::UrlRecorder browser;

private slots:
    void initTestCase() { Clock::setToday(kToday); }

    void cleanup()
    {
        if (frmAd::isLoaded())
            delete frmAd::instance();
        delete frmAd::mainWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QString path = snoozePath();
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        QFile::remove(path);
        browser.urls.clear();
    }

    // The decision itself is tested over a full table in tst_snooze; here, that the window
    // follows it and that deciding never writes.
    void apri_data()
    {
        QTest::addColumn<int>("kind"); // 0 no file, 1 file, 2 a folder in its place
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");

        QTest::newRow("no file") << 0 << QByteArray() << true;
        QTest::newRow("a folder of that name") << 2 << QByteArray() << true;
        QTest::newRow("4-byte file") << 1 << dayBytes(0).left(4) << true;
        QTest::newRow("14 days before") << 1 << dayBytes(-14) << false;
        QTest::newRow("15 days after") << 1 << dayBytes(15) << true;
        QTest::newRow("12 bytes, recent date") << 1 << dayBytes(-2) + QByteArray("more") << false;
        QTest::newRow("NaN") << 1 << QByteArray::fromHex("000000000000f87f") << false;
    }

    void apri()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        const QString path = snoozePath();
        if (kind == 1)
            QVERIFY(testenv::writeBytes(path, content));
        if (kind == 2)
            QVERIFY(QDir().mkpath(path));

        frmAd::instance()->Apri();
        QCOMPARE(frmAd::isLoaded(), shown);
        if (shown)
            QVERIFY(frmAd::instance()->isVisible());
        QCOMPARE(frmAd::mainWindow() && frmAd::mainWindow()->isVisible(), !shown);
        if (kind == 1)
            QCOMPARE(testenv::readBytes(path), content);
        if (kind == 0)
            QVERIFY(!QFileInfo::exists(path));
    }

    void lock()
    {
        frmAd *ad = openAd();
        QPushButton *button = proceedButton(ad);
        QCheckBox *box = noAdBox(ad);
        auto *lockLine = child<QLabel>(ad, "lbLock");
        QTimer *timer = lockTimer(ad);
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(timer->isActive());

        // Every text is whole within its box, whatever face stands in for Tahoma.
        for (QLabel *label : ad->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                QVERIFY2(textFits(label), qPrintable(label->objectName()));
        }

        // Locked: the button cannot be pressed, the box is not there.
        QVERIFY(!button->isEnabled());
        QVERIFY(lockLine->isVisible());
        QVERIFY(!box->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY(frmAd::isLoaded());
        QVERIFY(!frmAd::mainWindow());

        tick(ad);
        QVERIFY(button->isEnabled());
        QVERIFY(!lockLine->isVisible());
        QVERIFY(box->isVisible());
        QVERIFY(!box->isChecked());

        // Later ticks change nothing, not even the box the user ticked, and the timer runs on.
        QTest::mouseClick(box, Qt::LeftButton);
        tick(ad);
        tick(ad);
        QVERIFY(button->isEnabled());
        QVERIFY(!lockLine->isVisible());
        QVERIFY(box->isChecked());
        QVERIFY(timer->isActive());
        QCOMPARE(lockLine->text(), QStringLiteral("Unlocking in 3 seconds..."));
    }

    void contentClicks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("unlocked");
        for (const char *name : {"Picture1", "Image1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
            QTest::addRow("%s, locked", name) << QString::fromLatin1(name) << false;
            QTest::addRow("%s, unlocked", name) << QString::fromLatin1(name) << true;
        }
    }

    void contentClicks()
    {
        QFETCH(QString, name);
        QFETCH(bool, unlocked);
        frmAd *ad = openAd();
        if (unlocked)
            tick(ad);
        QWidget *w = ad->findChild<QWidget *>(name);
        QVERIFY(w);
        // Image1 reaches 16 pixels left of the panel: click where it is seen.
        const QPoint at(w->width() / 2 + 8, w->height() / 2);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QCOMPARE(browser.urls, QList<QUrl>{links::productPage()});
        QTest::mouseClick(w, Qt::RightButton, {}, at); // other buttons are not clicks
        QCOMPARE(browser.urls.size(), 1);
        // Nothing else changes.
        QVERIFY(ad->isVisible());
        QCOMPARE(proceedButton(ad)->isEnabled(), unlocked);
        QCOMPARE(noAdBox(ad)->isVisible(), unlocked);
        QVERIFY(!frmAd::mainWindow());
    }

    void clickInsidePanelOpensOnePage()
    {
        frmAd *ad = openAd();
        QVERIFY(QTest::qWaitForWindowExposed(ad));
        for (const char *name : {"Label2", "Label6"}) {
            QWidget *label = child(ad, name);
            QTest::mouseClick(ad->windowHandle(), Qt::LeftButton, {}, label->mapTo(ad, label->rect().center()));
        }
        QCOMPARE(browser.urls, (QList<QUrl>{links::productPage(), links::productPage()}));
    }

    void proceedWrites_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QByteArray>("after"); // null: no file

        const QByteArray newYear = QByteArray::fromHex("000000006015e340");
        const QByteArray old = snooze::encodeDate(QDate(2006, 6, 1));
        const QByteArray tail("\0keep", 5);
        QTest::newRow("ticked, no file") << false << QByteArray() << true << newYear;
        QTest::newRow("ticked, old date") << true << old << true << newYear;
        QTest::newRow("ticked, longer file") << true << old + tail << true << newYear + tail;
        QTest::newRow("ticked, short file") << true << QByteArray("ab") << true << newYear;
        QTest::newRow("unticked, longer file") << true << old + tail << false << old + tail;
        QTest::newRow("unticked, no file") << false << QByteArray() << false << QByteArray();
    }

    void proceedWrites()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(bool, ticked);
        QFETCH(QByteArray, after);
        const QString path = snoozePath();
        if (exists)
            QVERIFY(testenv::writeBytes(path, before));

        frmAd *ad = openAd();
        tick(ad);
        if (ticked)
            QTest::mouseClick(noAdBox(ad), Qt::LeftButton);
        QCOMPARE(noAdBox(ad)->isChecked(), ticked);
        QTest::mouseClick(proceedButton(ad), Qt::LeftButton);

        QVERIFY(!frmAd::isLoaded());
        QVERIFY(frmAd::mainWindow() && frmAd::mainWindow()->isVisible());
        QCOMPARE(QFileInfo::exists(path), !after.isNull());
        QCOMPARE(testenv::readBytes(path), after);
    }

    void enterOnButtonProceeds()
    {
        frmAd *ad = openAd();
        tick(ad);
        QTest::keyClick(proceedButton(ad), Qt::Key_Return);
        QVERIFY(!frmAd::isLoaded());
        QVERIFY(frmAd::mainWindow());
    }

    void proceedingKeepsTheProgramRunning()
    {
        QPointer<frmAd> ad = openAd();
        bool mainShown = false;
        bool adGone = false;
        QTimer::singleShot(0, this, [&] {
            tick(ad);
            QTest::mouseClick(proceedButton(ad), Qt::LeftButton);
        });
        QTimer::singleShot(500, this, [&] {
            mainShown = frmAd::mainWindow() && frmAd::mainWindow()->isVisible();
            adGone = ad.isNull();
            QCoreApplication::exit(42);
        });
        // Closing the advertisement, the only window, must not end the loop: it still runs to be
        // stopped by the test.
        QCOMPARE(QApplication::exec(), 42);
        QVERIFY(mainShown);
        QVERIFY(adGone);
    }

    void closeIsRefused_data()
    {
        QTest::addColumn<int>("how"); // 0 the system's close request, 1 close(), 2 Escape
        QTest::addColumn<bool>("unlocked");
        for (bool unlocked : {false, true}) {
            const char *state = unlocked ? "unlocked" : "locked";
            QTest::addRow("system close request, %s", state) << 0 << unlocked;
            QTest::addRow("close(), %s", state) << 1 << unlocked;
            QTest::addRow("Escape, %s", state) << 2 << unlocked;
        }
    }

    void closeIsRefused()
    {
        QFETCH(int, how);
        QFETCH(bool, unlocked);
        frmAd *ad = openAd();
        QVERIFY(QTest::qWaitForWindowExposed(ad));
        if (unlocked)
            tick(ad);
        if (how == 0)
            QVERIFY(!ad->windowHandle()->close());
        else if (how == 1)
            QVERIFY(!ad->close());
        else
            QTest::keyClick(ad, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(frmAd::isLoaded());
        QVERIFY(ad->isVisible());
        QVERIFY(!frmAd::mainWindow());
        QCOMPARE(proceedButton(ad)->isEnabled(), unlocked);
    }

    void activationKeepsItOnTop()
    {
        frmAd *ad = openAd();
        QVERIFY(QTest::qWaitForWindowExposed(ad));
        QVERIFY(ad->windowHandle()->flags() & Qt::WindowStaysOnTopHint); // from the first show
        const QRect where = ad->geometry();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        // Something took the hint away meanwhile; the next activation puts it back.
        ad->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, false);
        ad->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ad));
        QVERIFY(ad->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QVERIFY(ad->isVisible());
        QCOMPARE(ad->geometry(), where);
    }
};

VEXLORA_TEST_MAIN(TestFrmAd, testenv::standardFonts())
#include "tst_frmad.moc"
