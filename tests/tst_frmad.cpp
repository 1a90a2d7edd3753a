#include "support/testenv.h"

#include "app/Module1.h"
#include "ui/dialogs/clock.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/frmAd.h"
#include "ui/dialogs/links.h"
#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

// Stands in for the browser: every address the program opens lands here.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls << url; }
};

template <typename T = QWidget>
T *control(frmAd *ad, const char *name)
{
    T *w = ad->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("no control %s", name);
    return w;
}

QPushButton *proceedButton(frmAd *ad) { return control<QPushButton>(ad, "Command1"); }
QCheckBox *noAdBox(frmAd *ad) { return control<QCheckBox>(ad, "swiNoAd"); }
QTimer *lockTimer(frmAd *ad) { return ad->findChild<QTimer *>(QStringLiteral("tmrAds")); }

// One tick of the lock timer, as the 3-second timeout delivers it.
void tick(frmAd *ad)
{
    QMetaObject::invokeMethod(lockTimer(ad), "timeout", Qt::DirectConnection);
}

QString snoozePath()
{
    return Module1::getDataFolder() + QStringLiteral("noads.vxl");
}

QByteArray dayBytes(const QDate &day)
{
    const double value = static_cast<double>(QDate(1899, 12, 30).daysTo(day));
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray out(8, '\0');
    qToLittleEndian(bits, out.data());
    return out;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

std::optional<QByteArray> fileContent(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

const QDate kToday(2007, 1, 1);

} // namespace

class TestFrmAd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void apri_data();
    void apri();
    void makeUp_data();
    void makeUp();
    void windowKind();
    void lock();
    void lockOpensOnItsOwn();
    void contentClicks_data();
    void contentClicks();
    void clickInsidePanelOpensOnePage();
    void proceedWrites_data();
    void proceedWrites();
    void enterOnButtonProceeds();
    void proceedingKeepsTheProgramRunning();
    void closeIsRefused_data();
    void closeIsRefused();
    void activationKeepsItOnTop();

private:
    frmAd *openAd();
    UrlRecorder browser;
};

void TestFrmAd::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "openUrl");
    Clock::setToday(kToday);
}

void TestFrmAd::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestFrmAd::cleanup()
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

// The advertisement as start-up leaves it when no snooze is in force.
frmAd *TestFrmAd::openAd()
{
    frmAd *ad = frmAd::instance();
    ad->Apri();
    if (!ad->isVisible())
        qWarning("the advertisement was not shown");
    return ad;
}

void TestFrmAd::apri_data()
{
    QTest::addColumn<int>("kind"); // 0 no file, 1 file, 2 a folder in its place
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("shown");

    QTest::newRow("no file") << 0 << QByteArray() << true;
    QTest::newRow("a folder of that name") << 2 << QByteArray() << true;
    QTest::newRow("empty file") << 1 << QByteArray() << true;
    QTest::newRow("4-byte file") << 1 << dayBytes(kToday).left(4) << true;
    QTest::newRow("today") << 1 << dayBytes(kToday) << false;
    QTest::newRow("14 days before") << 1 << dayBytes(kToday.addDays(-14)) << false;
    QTest::newRow("14 days after") << 1 << dayBytes(kToday.addDays(14)) << false;
    QTest::newRow("15 days before") << 1 << dayBytes(kToday.addDays(-15)) << true;
    QTest::newRow("15 days after") << 1 << dayBytes(kToday.addDays(15)) << true;
    QTest::newRow("12 bytes, recent date") << 1 << dayBytes(kToday.addDays(-2)) + QByteArray("more") << false;
    QTest::newRow("NaN") << 1 << QByteArray::fromHex("000000000000f87f") << false;
    QTest::newRow("1e300") << 1 << QByteArray::fromHex("9c7500883ce4377e") << false;
}

void TestFrmAd::apri()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    QFETCH(bool, shown);
    const QString path = snoozePath();
    if (kind == 1)
        QVERIFY(writeFile(path, content));
    if (kind == 2)
        QVERIFY(QDir().mkpath(path));

    frmAd *ad = frmAd::instance();
    ad->Apri();
    if (shown) {
        QVERIFY(frmAd::isLoaded());
        QVERIFY(ad->isVisible());
        QVERIFY(!frmAd::mainWindow());
    } else {
        QVERIFY(!frmAd::isLoaded());
        QVERIFY(frmAd::mainWindow());
        QVERIFY(frmAd::mainWindow()->isVisible());
    }
    // Deciding never writes.
    if (kind == 1)
        QCOMPARE(fileContent(path), std::optional<QByteArray>(content));
    if (kind == 0)
        QVERIFY(!QFileInfo::exists(path));
}

void TestFrmAd::makeUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("textColour"); // invalid: the default
    QTest::addColumn<QString>("text");

    const QColor none;
    QTest::newRow("Label5") << "Label5" << QRect(60, 60, 7935, 375) << 8.25 << false << QColor(192, 192, 192)
                            << "  Advertisement";
    QTest::newRow("Picture1") << "Picture1" << QRect(60, 420, 7935, 4395) << 8.25 << false << none << "";
    QTest::newRow("Image1") << "Image1" << QRect(-240, 0, 4200, 4200) << 8.25 << false << none << "";
    QTest::newRow("Label2") << "Label2" << QRect(3780, 180, 4035, 435) << 14.25 << true << QColor(0, 192, 0) << "";
    QTest::newRow("Label3") << "Label3" << QRect(3720, 720, 4095, 1335) << 8.25 << false << none << "";
    QTest::newRow("Label4") << "Label4" << QRect(3720, 2100, 4095, 1335) << 8.25 << false << none << "";
    QTest::newRow("Label6") << "Label6" << QRect(3780, 3960, 3975, 315) << 9.75 << false << QColor(0, 0, 192) << "";
    QTest::newRow("lbLock") << "lbLock" << QRect(60, 4920, 3855, 315) << 8.25 << false << none
                            << "Unlocking in 3 seconds...";
    QTest::newRow("swiNoAd") << "swiNoAd" << QRect(60, 4860, 2415, 315) << 8.25 << false << none
                             << "Do not show ads for 15 days";
    QTest::newRow("Command1") << "Command1" << QRect(5940, 4920, 2055, 555) << 14.25 << true << none
                              << "Proceed >";
}

void TestFrmAd::makeUp()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(QColor, textColour);
    QFETCH(QString, text);

    frmAd *ad = openAd();
    QCOMPARE(ad->size(), QSize(538, 372)); // 8070 x 5580 twips
    QWidget *w = ad->findChild<QWidget *>(name);
    QVERIFY(w);
    auto px = [](int t) { return qRound(t / 15.0); };
    const QRect design(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    if (name == QLatin1String("swiNoAd")) {
        // The box may grow to the right so that its text is never cut.
        QCOMPARE(w->pos(), design.topLeft());
        QCOMPARE(w->height(), design.height());
        QVERIFY(w->width() >= design.width());
        QVERIFY(w->width() >= w->sizeHint().width());
        QVERIFY(w->geometry().right() < ad->findChild<QWidget *>(QStringLiteral("Command1"))->x());
    } else {
        QCOMPARE(w->geometry(), design);
    }
    QCOMPARE(w->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(w->font().bold(), bold);
    if (textColour.isValid())
        QCOMPARE(w->palette().color(QPalette::WindowText), textColour);
    if (!text.isEmpty()) {
        if (auto *label = qobject_cast<QLabel *>(w))
            QCOMPARE(label->text(), text);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            QCOMPARE(button->text(), text);
    }
}

void TestFrmAd::windowKind()
{
    frmAd *ad = openAd();
    const Qt::WindowFlags flags = ad->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // no taskbar button
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(ad->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    const QRect screen = ad->screen()->availableGeometry();
    QVERIFY(qAbs(ad->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(ad->frameGeometry().center().y() - screen.center().y()) <= 1);

    // Every text is whole within its box, whatever face stands in for Tahoma.
    for (QLabel *label : ad->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            QVERIFY2(textFits(label), qPrintable(label->objectName()));
    }

    // White behind the heading and the panel.
    for (const char *name : {"Label5", "Picture1"}) {
        QWidget *w = control(ad, name);
        QVERIFY(w->autoFillBackground());
        QCOMPARE(w->palette().color(QPalette::Window), QColor(Qt::white));
    }
    // The product picture at its own size.
    auto *image = control<QLabel>(ad, "Image1");
    QCOMPARE(image->pixmap().size(), QSize(280, 280));

    // The pointing hand on the panel (and so on what it holds) and the heading.
    for (const char *name : {"Picture1", "Label5", "Label3"}) {
        const QCursor c = control(ad, name)->cursor();
        QCOMPARE(c.shape(), Qt::BitmapCursor);
        QCOMPARE(c.hotSpot(), QPoint(14, 5));
        QCOMPARE(c.pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(control(ad, "Command1")->cursor().shape(), Qt::ArrowCursor);

    // Labels and the panel take no focus: the keyboard knows only the button and the box.
    QStringList tabStops;
    for (QWidget *w = ad->nextInFocusChain(); w != ad; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            tabStops << w->objectName();
    }
    tabStops.sort();
    QCOMPARE(tabStops, (QStringList{QStringLiteral("Command1"), QStringLiteral("swiNoAd")}));
}

void TestFrmAd::lock()
{
    frmAd *ad = openAd();
    QPushButton *button = proceedButton(ad);
    QCheckBox *box = noAdBox(ad);
    QWidget *lockLine = control(ad, "lbLock");
    QTimer *timer = lockTimer(ad);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isActive());
    QVERIFY(!timer->isSingleShot());

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

    // Later ticks change nothing, not even the box the user ticked.
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(box->isChecked());
    tick(ad);
    tick(ad);
    QVERIFY(button->isEnabled());
    QVERIFY(!lockLine->isVisible());
    QVERIFY(box->isVisible());
    QVERIFY(box->isChecked());
    QVERIFY(timer->isActive());
    QCOMPARE(control<QLabel>(ad, "lbLock")->text(), QStringLiteral("Unlocking in 3 seconds..."));
}

void TestFrmAd::lockOpensOnItsOwn()
{
    frmAd *ad = openAd();
    QPointer<QPushButton> button = proceedButton(ad);
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 15000);
    QVERIFY(noAdBox(ad)->isVisible());
}

void TestFrmAd::contentClicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("unlocked");
    for (const char *name : {"Picture1", "Image1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
        QTest::addRow("%s, locked", name) << QString::fromLatin1(name) << false;
        QTest::addRow("%s, unlocked", name) << QString::fromLatin1(name) << true;
    }
}

void TestFrmAd::contentClicks()
{
    QFETCH(QString, name);
    QFETCH(bool, unlocked);
    frmAd *ad = openAd();
    if (unlocked)
        tick(ad);
    QWidget *w = ad->findChild<QWidget *>(name);
    QVERIFY(w);
    // Image1 reaches 16 pixels left of the panel: click where it is seen.
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2 + 8, w->height() / 2));
    QCOMPARE(browser.urls, QList<QUrl>{links::productPage()});
    // Other buttons are not clicks.
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(w->width() / 2 + 8, w->height() / 2));
    QCOMPARE(browser.urls.size(), 1);
    // Nothing else changes.
    QVERIFY(ad->isVisible());
    QCOMPARE(proceedButton(ad)->isEnabled(), unlocked);
    QCOMPARE(noAdBox(ad)->isVisible(), unlocked);
    QVERIFY(!frmAd::mainWindow());
}

void TestFrmAd::clickInsidePanelOpensOnePage()
{
    frmAd *ad = openAd();
    QVERIFY(QTest::qWaitForWindowExposed(ad));
    for (const char *name : {"Label2", "Label6"}) {
        QWidget *label = control(ad, name);
        const QPoint at = label->mapTo(ad, label->rect().center());
        QTest::mouseClick(ad->windowHandle(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(browser.urls, (QList<QUrl>{links::productPage(), links::productPage()}));
}

void TestFrmAd::proceedWrites_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("existsAfter");
    QTest::addColumn<QByteArray>("after");

    const QByteArray newYear = QByteArray::fromHex("000000006015e340");
    const QByteArray old = dayBytes(QDate(2006, 6, 1));
    QTest::newRow("ticked, no file") << false << QByteArray() << true << true << newYear;
    QTest::newRow("ticked, old date") << true << old << true << true << newYear;
    QTest::newRow("ticked, longer file") << true << old + QByteArray("\0keep", 5) << true << true
                                         << newYear + QByteArray("\0keep", 5);
    QTest::newRow("ticked, short file") << true << QByteArray("ab") << true << true << newYear;
    QTest::newRow("unticked, old date") << true << old << false << true << old;
    QTest::newRow("unticked, longer file") << true << old + QByteArray("rest") << false << true
                                           << old + QByteArray("rest");
    QTest::newRow("unticked, no file") << false << QByteArray() << false << false << QByteArray();
}

void TestFrmAd::proceedWrites()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(bool, ticked);
    QFETCH(bool, existsAfter);
    QFETCH(QByteArray, after);
    const QString path = snoozePath();
    if (exists)
        QVERIFY(writeFile(path, before));

    frmAd *ad = openAd();
    QVERIFY(ad->isVisible());
    tick(ad);
    if (ticked)
        QTest::mouseClick(noAdBox(ad), Qt::LeftButton);
    QCOMPARE(noAdBox(ad)->isChecked(), ticked);
    QTest::mouseClick(proceedButton(ad), Qt::LeftButton);

    QVERIFY(!frmAd::isLoaded());
    QVERIFY(frmAd::mainWindow());
    QVERIFY(frmAd::mainWindow()->isVisible());
    QCOMPARE(QFileInfo::exists(path), existsAfter);
    if (existsAfter)
        QCOMPARE(fileContent(path), std::optional<QByteArray>(after));
}

void TestFrmAd::enterOnButtonProceeds()
{
    frmAd *ad = openAd();
    tick(ad);
    QTest::keyClick(proceedButton(ad), Qt::Key_Return);
    QVERIFY(!frmAd::isLoaded());
    QVERIFY(frmAd::mainWindow());
}

void TestFrmAd::proceedingKeepsTheProgramRunning()
{
    QPointer<frmAd> ad = openAd();
    bool mainShown = false;
    bool adGone = false;
    QTimer proceed;
    proceed.setSingleShot(true);
    connect(&proceed, &QTimer::timeout, this, [&] {
        tick(ad);
        QTest::mouseClick(proceedButton(ad), Qt::LeftButton);
    });
    QTimer look;
    look.setSingleShot(true);
    connect(&look, &QTimer::timeout, this, [&] {
        mainShown = frmAd::mainWindow() && frmAd::mainWindow()->isVisible();
        adGone = ad.isNull();
        QCoreApplication::exit(42);
    });
    proceed.start(0);
    look.start(500);
    // Closing the advertisement, the only window, must not end the loop: it still runs to be
    // stopped by the test.
    QCOMPARE(QApplication::exec(), 42);
    QVERIFY(mainShown);
    QVERIFY(adGone);
}

void TestFrmAd::closeIsRefused_data()
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

void TestFrmAd::closeIsRefused()
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

void TestFrmAd::activationKeepsItOnTop()
{
    frmAd *ad = openAd();
    QVERIFY(QTest::qWaitForWindowExposed(ad));
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

VEXLORA_TEST_MAIN(TestFrmAd, testenv::standardFonts())
#include "tst_frmad.moc"
