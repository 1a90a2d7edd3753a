#include "support/testenv.h"

#include "ui/dialogs/fit.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/links.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QUrlQuery>

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

const QString kPlea = QStringLiteral("This program is provided for free. Please consider donating to support "
                                     "the development of new features and bug fixes!");

QLabel *label(QWidget *box, const char *name)
{
    return box->findChild<QLabel *>(QLatin1String(name));
}

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void makeUp_data();
    void makeUp();
    void window();
    void label5Text();
    void closes_data();
    void closes();
    void links_data();
    void links();
    void toolbarOpensAFreshBoxEachTime();
    void narrowing_data();
    void narrowing();

private:
    UrlRecorder browser;
};

void TestFrmAbout::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "openUrl");
}

void TestFrmAbout::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestFrmAbout::init()
{
    browser.urls.clear();
}

void TestFrmAbout::makeUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height

    QTest::newRow("Shape1") << "Shape1" << QRect(0, 0, 4875, 2775);
    QTest::newRow("Label1") << "Label1" << QRect(0, 0, 4815, 615);
    QTest::newRow("Image3") << "Image3" << QRect(2055, 540, 720, 720);
    QTest::newRow("Label5") << "Label5" << QRect(60, 1320, 4695, 615);
    QTest::newRow("Image2") << "Image2" << QRect(120, 1980, 930, 465);
    QTest::newRow("Label2") << "Label2" << QRect(120, 2460, 2595, 270);
    QTest::newRow("Command1") << "Command1" << QRect(1568, 2820, 1695, 375);
    // The two lines of the separator, one pixel high, one under the other.
    QTest::newRow("Line1") << "Line1" << QRect(0, 2760, 4860, 15);
    QTest::newRow("Line2") << "Line2" << QRect(0, 2775, 4965, 15);
}

void TestFrmAbout::makeUp()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    frmAbout box(nullptr);
    QWidget *w = box.findChild<QWidget *>(name);
    QVERIFY(w);
    auto px = [](int t) { return qRound(t / 15.0); };
    QCOMPARE(w->geometry(), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
}

void TestFrmAbout::window()
{
    QWidget owner;
    frmAbout box(&owner);
    QCOMPARE(box.windowTitle(), QStringLiteral("About..."));
    QCOMPARE(box.size(), QSize(322, 216)); // 4830 x 3240 twips
    QCOMPARE(box.minimumSize(), box.maximumSize());
    const Qt::WindowFlags flags = box.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
    QCOMPARE(box.parentWidget(), &owner);
    QVERIFY(!box.windowIcon().isNull());

    const QColor green(0, 192, 0);
    QLabel *title = label(&box, "Label1");
    QCOMPARE(title->text(), QStringLiteral("Vexlora 1.3"));
    QCOMPARE(title->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(title->font().pointSizeF(), 20.25);
    QVERIFY(title->font().bold());
    QCOMPARE(title->palette().color(QPalette::WindowText), green);
    QVERIFY(title->alignment() & Qt::AlignHCenter);

    QWidget *shape = box.findChild<QWidget *>(QStringLiteral("Shape1"));
    QVERIFY(shape->autoFillBackground());
    QCOMPARE(shape->palette().color(QPalette::Window), QColor(Qt::white));
    // Shape1 lies behind everything else in the white area: the first child is drawn first.
    QCOMPARE(box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).value(0), shape);

    QCOMPARE(label(&box, "Image3")->pixmap().size(), QSize(48, 48));
    QLabel *donate = label(&box, "Image2");
    QCOMPARE(donate->pixmap().size(), QSize(62, 31));
    QCOMPARE(donate->toolTip(), QStringLiteral("Donate with PayPal - It's fast, free and secure!"));

    QLabel *site = label(&box, "Label2");
    QCOMPARE(site->font().family(), QStringLiteral("Arial"));
    QCOMPARE(site->font().pointSizeF(), 12.0);
    QVERIFY(site->font().bold());
    QVERIFY(site->font().italic());
    QCOMPARE(site->palette().color(QPalette::WindowText), green);
    // The bare address of the site: no page, no query.
    QCOMPARE(site->text(), links::siteText());
    QVERIFY(!site->text().contains(QStringLiteral(".php")));
    QVERIFY(!site->text().contains(QLatin1Char('?')));
    QVERIFY(!site->text().contains(QStringLiteral("://")));
    QVERIFY(!site->text().endsWith(QLatin1Char('/')));

    for (QWidget *w : {static_cast<QWidget *>(donate), static_cast<QWidget *>(site)}) {
        QCOMPARE(w->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(w->cursor().hotSpot(), QPoint(14, 5));
    }
    auto *ok = box.findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));
    QVERIFY(ok->isDefault());
}

void TestFrmAbout::label5Text()
{
    frmAbout box(nullptr);
    const QString text = label(&box, "Label5")->text();
    QCOMPARE(text, frmAbout::copyrightLine() + QStringLiteral("\r\n") + kPlea);
    QVERIFY(frmAbout::copyrightLine().startsWith(QStringLiteral("Copyright")));
    QVERIFY(label(&box, "Label5")->wordWrap());
    // Whole, within its box, whatever face stands in for Tahoma.
    QVERIFY(textFits(label(&box, "Label5")));
    QVERIFY(textFits(label(&box, "Label2")));
}

void TestFrmAbout::closes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
    QTest::newRow("Alt+O") << int(Qt::Key_O) << int(Qt::AltModifier);
}

void TestFrmAbout::closes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QWidget owner;
    owner.show();
    frmAbout box(&owner);
    bool stillOpen = true;
    QTimer press;
    press.setSingleShot(true);
    connect(&press, &QTimer::timeout, this, [&] {
        // The Alt key's mnemonic needs the box to be the active window.
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        // Through the window, as the keyboard delivers keys, so that shortcuts take part.
        QTest::keyClick(box.windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // A mnemonic presses the button visibly, so the click comes a moment later.
        stillOpen = !QTest::qWaitFor([&] { return !box.isVisible(); }, 5000);
        if (stillOpen)
            box.done(99);
    });
    press.start(0);
    box.exec();
    QVERIFY(!stillOpen);
    QVERIFY(!box.isVisible());
    QVERIFY(owner.isVisible());
}

void TestFrmAbout::links_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("page");
    QTest::newRow("donation picture") << "Image2" << "donate.php";
    QTest::newRow("site address") << "Label2" << "index.php";
}

void TestFrmAbout::links()
{
    QFETCH(QString, name);
    QFETCH(QString, page);
    frmAbout box(nullptr);
    box.show();
    QWidget *w = box.findChild<QWidget *>(name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(browser.urls.size(), 1);
    const QUrl url = browser.urls.first();
    QCOMPARE(url, name == QLatin1String("Image2") ? links::donationPage() : links::homePage());
    // On the site the label shows, with the referrer field.
    QVERIFY(url.path().endsWith(QLatin1Char('/') + page));
    QVERIFY(!url.host().isEmpty());
    QVERIFY(links::siteText().startsWith(url.host()));
    QVERIFY(!QUrlQuery(url).queryItemValue(QStringLiteral("from")).isEmpty());
    // The box stays as it was.
    QVERIFY(box.isVisible());
}

void TestFrmAbout::toolbarOpensAFreshBoxEachTime()
{
    frmMain main;
    QAction *about = main.findChild<QAction *>(QStringLiteral("tbAbout"));
    QVERIFY(about);
    QStringList seen;
    QList<bool> modalOwned;
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!box)
            return;
        look.stop();
        modalOwned << (box->isModal() && box->parentWidget() == &main);
        QLabel *text = label(box, "Label5");
        seen << text->text();
        text->setText(QStringLiteral("changed"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    for (int i = 0; i < 2; ++i) {
        look.start(10);
        main.Toolbar1_ButtonClick(about);
        QVERIFY(!QApplication::activeModalWidget());
    }
    QCOMPARE(modalOwned, (QList<bool>{true, true}));
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(1), seen.at(0));
    QVERIFY(seen.at(0).endsWith(kPlea));
}

void TestFrmAbout::narrowing_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<double>("widthShare"); // box width as a share of the text's natural width
    QTest::addColumn<bool>("narrowed");
    QTest::addColumn<bool>("fits");

    QTest::newRow("fits already") << false << 1.2 << false << true;
    QTest::newRow("a little too wide") << false << 0.95 << true << true;
    QTest::newRow("far too wide: narrowed as far as it goes") << false << 0.5 << true << false;
    QTest::newRow("wrapped, fits already") << true << 1.2 << false << true;
    QTest::newRow("wrapped, one line too many") << true << 0.95 << true << true;
}

void TestFrmAbout::narrowing()
{
    QFETCH(bool, wrap);
    QFETCH(double, widthShare);
    QFETCH(bool, narrowed);
    QFETCH(bool, fits);
    QLabel label(QStringLiteral("Please consider donating to support the development"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(8.25);
    label.setFont(f);
    const int natural = label.sizeHint().width();
    const int width = qRound(natural * widthShare);
    // Wrapped: room for one line, so a text wider than the box needs a second one.
    const int height = label.sizeHint().height();
    label.setWordWrap(wrap);
    label.resize(width, height);
    narrowToFit(&label);
    QCOMPARE(label.font().stretch() != QFont::AnyStretch && label.font().stretch() != QFont::Unstretched, narrowed);
    QCOMPARE(textFits(&label), fits);
    QCOMPARE(label.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(label.font().pointSizeF(), 8.25);
}

VEXLORA_TEST_MAIN(TestFrmAbout, testenv::standardFonts())
#include "tst_frmabout.moc"
