#include "support/testwindows.h"

#include "base/clock.h"
#include "base/datafolder.h"
#include "base/snooze.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmAd.h"
#include "ui/dialogs/links.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFocusFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QUrlQuery>
#include <QWindow>

using testenv::child;

namespace {

const QDate kToday(2007, 1, 1);

QString snoozePath()
{
    return Module1::getDataFolder() + QStringLiteral("noads.vxl");
}

// The advertisement as start-up leaves it, with a watch on its proceed action.
struct Ad
{
    QPointer<frmAd> w = frmAd::instance();
    QSignalSpy proceeded{w.data(), &frmAd::proceeded};
    QPushButton *button = child<QPushButton>(w, "Command1");
    QCheckBox *noAds = child<QCheckBox>(w, "swiNoAd");

    Ad() { w->Apri(); }
    ~Ad()
    {
        delete w.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // One tick of the lock timer, as the 3-second timeout delivers it.
    void tick() const { QMetaObject::invokeMethod(child<QTimer>(w, "tmrAds"), "timeout", Qt::DirectConnection); }
};

// A shown window's stops, once round with Tab from the named one, pressing Enter and Space on each link.
QStringList tabRound(QWidget *window, const char *first)
{
    QApplication::setActiveWindow(window);
    child(window, first)->setFocus();
    QStringList stops;
    for (QWidget *f = QApplication::focusWidget(); f && !stops.contains(f->objectName()); f = QApplication::focusWidget()) {
        stops << f->objectName();
        for (Qt::Key k : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab})
            if (k == Qt::Key_Tab || !qobject_cast<QAbstractButton *>(f))
                QTest::keyClick(f, k);
    }
    return stops;
}

} // namespace

// The advertisement with its lock and snooze, and the About box.
class TestDialogs : public QObject
{
    Q_OBJECT

    QList<QUrl> browser; // every address the program opened

public slots:
    // Stands in for the browser for http(s) addresses.
    void openUrl(const QUrl &url) { browser << url; }

private slots:
    void initTestCase()
    {
        Clock::setToday(kToday);
        for (const char *scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
    }
    void cleanupTestCase()
    {
        for (const char *scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    void cleanup()
    {
        QDir(snoozePath()).removeRecursively();
        QFile::remove(snoozePath());
        browser.clear();
    }

    // Whether the window shows, and what proceeding leaves in the snooze file: deciding never
    // writes, and a snooze that cannot be stored is simply not stored (the decision: tst_base).
    void snoozeFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file; "folder": a folder in its place
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("ticked"); // the box, before proceeding with Enter (else Space)
        QTest::addColumn<QByteArray>("after"); // null: no file
        const QByteArray recent = snooze::encodeDate(kToday.addDays(-14));
        const QByteArray tail("\0keep", 5);
        QTest::newRow("no file, unticked") << QByteArray() << true << false << QByteArray();
        QTest::newRow("expired, ticked") << snooze::encodeDate(QDate(2006, 6, 1)) + tail << true << true
                                         << QByteArray::fromHex("000000006015e340") + tail; // 1 Jan 2007
        QTest::newRow("a folder in its place, ticked") << QByteArray("folder") << true << true << QByteArray();
        QTest::newRow("14 days before") << recent << false << false << recent;
    }
    void snoozeFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, shown);
        QFETCH(bool, ticked);
        QFETCH(QByteArray, after);
        if (before == "folder")
            QVERIFY(QDir().mkpath(snoozePath()));
        else if (!before.isNull())
            QVERIFY(testenv::writeBytes(snoozePath(), before));
        Ad ad;
        QCOMPARE(ad.proceeded.count(), shown ? 0 : 1); // within Apri, before it returned
        QCOMPARE(ad.w && ad.w->isVisible(), shown);
        if (shown) {
            ad.tick();
            if (ticked)
                QTest::mouseClick(ad.noAds, Qt::LeftButton);
            QTest::keyClick(ad.button, ticked ? Qt::Key_Return : Qt::Key_Space);
        }
        QCOMPARE(testenv::readBytes(snoozePath()), after);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!ad.w); // unloaded
    }

    // Locked, the button is dead and the box out of reach; the first tick unlocks, later ones
    // change nothing, not even the ticked box. The content is one link to the product page.
    void lockThenUnlock()
    {
        Ad ad;
        auto *timer = child<QTimer>(ad.w, "tmrAds");
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(!ad.button->isEnabled() && child(ad.w, "lbLock")->isVisible() && !ad.noAds->isVisible());
        // One page per double click, none for other buttons, and a label over the panel is not
        // a second click.
        for (const char *name : {"Picture1", "Image1", "Label3", "Label5"}) {
            QWidget *w = child(ad.w, name);
            const QPoint at(w->width() / 2 + 8, w->height() / 2); // Image1 reaches 16 pixels left of its panel
            testenv::doubleClick(w, at);
            QTest::mouseClick(w, Qt::RightButton, {}, at);
            if (name == QByteArrayView("Image1"))
                ad.tick();
        }
        QCOMPARE(ad.proceeded.count(), 0);
        QVERIFY(ad.button->isEnabled() && !child(ad.w, "lbLock")->isVisible() && ad.noAds->isVisible());
        QCOMPARE(browser, QList<QUrl>(4, links::productPage()));
        QTest::mouseClick(ad.noAds, Qt::LeftButton);
        ad.tick();
        QVERIFY(ad.button->isEnabled() && ad.noAds->isChecked() && timer->isActive());
    }

    // The reflex keys of a start-up window open no page: the focus starts on no control, Enter
    // proceeds once unlocked, and a link opens by key (and draws its frame) only after a Tab.
    void keyboard_data()
    {
        QTest::addColumn<QList<int>>("keys"); // 0: the lock timer ticks
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("proceeds");
        QTest::addColumn<QString>("focus"); // where the last key went
        using K = QList<int>;
        const int ret = Qt::Key_Return, space = Qt::Key_Space, tab = Qt::Key_Tab;
        QTest::newRow("locked: Enter, Space; Tab, Enter, Space") << K{ret, space, Qt::Key_Enter, tab, ret, space} << 2 << false << "Picture1";
        QTest::newRow("unlocked: Space") << K{0, space} << 0 << true << "Command1";
        QTest::newRow("Tab while locked stays after unlocking") << K{tab, 0, 0, ret} << 1 << false << "Picture1";
        QTest::newRow("unlocked: Enter on the check box") << K{0, tab, tab, space, ret} << 0 << true << "swiNoAd";
        QTest::newRow("unlocked: Space on the panel, Enter on the button") << K{0, tab, space, tab, tab, ret} << 1 << true << "Command1";
    }
    void keyboard()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, pages);
        QFETCH(bool, proceeds);
        QFETCH(QString, focus);
        Ad ad;
        QVERIFY(QTest::qWaitForWindowExposed(ad.w));
        QApplication::setActiveWindow(ad.w);
        QTRY_COMPARE(QApplication::focusWidget(), ad.w.data());
        auto *panel = child(ad.w, "Picture1");
        auto frameShown = [&] {
            const auto frames = ad.w->findChildren<QFocusFrame *>();
            return std::any_of(frames.begin(), frames.end(), [](QFocusFrame *f) { return f->isVisible(); });
        };
        QString lastKeyWent;
        for (int key : keys) {
            if (key == 0) {
                ad.tick();
            } else {
                QWidget *to = QApplication::focusWidget();
                lastKeyWent = to ? to->objectName() : QString();
                QTest::keyClick(to, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
                if (ad.proceeded.count())
                    break;
            }
            QCOMPARE(frameShown(), panel->hasFocus());
        }
        QCOMPARE(lastKeyWent, focus);
        QCOMPARE(browser, QList<QUrl>(pages, links::productPage()));
        QCOMPARE(ad.proceeded.count(), proceeds ? 1 : 0);
    }

    // Proceed is the only way on: the system's close request and Escape are refused. The window
    // is above every other from the first show, and again whenever it is activated.
    void staysUntilProceeded()
    {
        Ad ad;
        QVERIFY(QTest::qWaitForWindowExposed(ad.w));
        QVERIFY(ad.w->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        ad.tick();
        ad.w->windowHandle()->close();
        QTest::keyClick(ad.w, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(ad.w && ad.w->isVisible());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        ad.w->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, false); // something took it away
        ad.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ad.w));
        QVERIFY(ad.w->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    }

    // A fixed dialog with only a close box (without the customize hint the platform adds its
    // own). Fitting a text to the faces that stand in (tst_app checks each is whole) keeps a
    // label's place and width; a one-line label may grow down to the separator. Its two links
    // are reached with Tab.
    void aboutBox()
    {
        frmAbout box(nullptr);
        QMap<QLabel *, QRect> made;
        for (QLabel *l : box.findChildren<QLabel *>())
            made.insert(l, l->geometry());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const Qt::WindowFlags wanted = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
        QCOMPARE(box.windowHandle()->flags() & (wanted | Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint), wanted);
        QCOMPARE(QList<QSize>({box.minimumSize(), box.maximumSize()}), QList<QSize>(2, QSize(322, 216))); // 4830 x 3240 twips
        for (QLabel *l : box.findChildren<QLabel *>()) {
            const QRect was = made.value(l);
            QCOMPARE(QList<int>({l->x(), l->y(), l->width()}), QList<int>({was.x(), was.y(), was.width()}));
            QVERIFY(l->height() == was.height() || (!l->wordWrap() && l->geometry().bottom() < child(&box, "Line1")->y()));
        }
        QCOMPARE(tabRound(&box, "Command1"), (QStringList{"Command1", "Image2", "Label2"}));
        QCOMPARE(browser, (QList<QUrl>{links::donationPage(), links::donationPage(), links::homePage(), links::homePage()}));
        // On the site the label shows as a bare address, with the referrer field.
        for (const QUrl &url : browser) {
            QVERIFY(!url.host().isEmpty() && links::siteText().startsWith(url.host()));
            QVERIFY(!QUrlQuery(url).queryItemValue(QStringLiteral("from")).isEmpty());
        }
        QVERIFY(!links::siteText().contains(QLatin1String(".php")) && !links::siteText().contains(QLatin1String("://")));
    }

    void toolbarOpensAFreshModalBoxEachTime()
    {
        testenv::MainWindow win;
        QStringList seen;
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, this, [&] {
                auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
                QVERIFY(box && box->parentWidget() == win.w.get());
                QCOMPARE(child<QLabel>(box, "Label1")->text(), QStringLiteral("Vexlora 1.3"));
                auto *text = child<QLabel>(box, "Label5");
                seen << text->text();
                text->setText(QStringLiteral("changed"));
                QTest::keyClick(box, Qt::Key_Escape);
                QCOMPARE(box->focusWidget(), child(box, "Command1")); // where it opened
            });
            i == 0 ? QTest::keyClick(win.w.get(), Qt::Key_F1)
                   : QTest::mouseClick(win.get<QToolBar>("Toolbar1")->widgetForAction(win.get<QAction>("tbAbout")), Qt::LeftButton);
            QVERIFY(!QApplication::activeModalWidget());
        }
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(1), seen.at(0));
    }

    // What a screen reader announces a control as, where translations_complete would not see its
    // name go (every other control's is a text of its form's own): a combo box, whose name on
    // Linux is its text, so the label that names it; the toolbar's buttons and the installed
    // list, whose texts their tooltips and a tab repeat; the product's name, no text to translate.
    void accessibleNames()
    {
        testenv::MainWindow win;
        Ad ad;
        QList<QWidget *> controls{win.get("Drive1"), win.get("cmbSize"), win.get("lstInst"), child(ad.w, "Label2")};
        for (const char *name : {"tbInstall", "tbBold", "tbItalic", "tbAbout"})
            controls << win.get<QToolBar>("Toolbar1")->widgetForAction(win.get<QAction>(name));
        for (QWidget *w : controls) {
            QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
            const auto labels = i->relations(QAccessible::Label);
            const QString name = (labels.isEmpty() ? i : labels.first().first)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name != w->property("currentText").toString(), qPrintable(w->objectName()));
        }
    }
};

VEXLORA_TEST_MAIN(TestDialogs, testenv::standardFonts())
#include "tst_dialogs.moc"
