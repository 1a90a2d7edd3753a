#include "support/helpers.h"
#include "support/testenv.h"

#include "ui/dialogs/fit.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/links.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>

using testenv::child;

namespace {

const QString kPlea = QStringLiteral("This program is provided for free. Please consider donating to support "
                                     "the development of new features and bug fixes!");

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

    testenv::UrlRecorder browser;

private slots:
    void init() { browser.urls.clear(); }

    // What the user reads and can do: the texts, the pictures, the default button.
    void content()
    {
        QWidget owner;
        frmAbout box(&owner);
        QCOMPARE(box.windowTitle(), QStringLiteral("About..."));
        QCOMPARE(box.parentWidget(), &owner);
        QCOMPARE(child<QLabel>(&box, "Label1")->text(), QStringLiteral("Vexlora 1.3"));
        QCOMPARE(child<QLabel>(&box, "Image3")->pixmap().size(), QSize(48, 48));
        auto *donate = child<QLabel>(&box, "Image2");
        QCOMPARE(donate->pixmap().size(), QSize(62, 31));
        QCOMPARE(donate->toolTip(), QStringLiteral("Donate with PayPal - It's fast, free and secure!"));
        // The bare address of the site: no scheme, page or query.
        const QString site = child<QLabel>(&box, "Label2")->text();
        QCOMPARE(site, links::siteText());
        for (const char *part : {".php", "?", "://"})
            QVERIFY2(!site.contains(QLatin1String(part)), part);
        QVERIFY(child<QPushButton>(&box, "Command1")->isDefault());
        QCOMPARE(child<QPushButton>(&box, "Command1")->text(), QStringLiteral("&Ok"));
    }

    void label5Text()
    {
        frmAbout box(nullptr);
        auto *label = child<QLabel>(&box, "Label5");
        QCOMPARE(label->text(), frmAbout::copyrightLine() + QStringLiteral("\r\n") + kPlea);
        QVERIFY(frmAbout::copyrightLine().startsWith(QStringLiteral("Copyright")));
        // Whole, within its box, whatever face stands in for Tahoma.
        QVERIFY(textFits(label));
        QVERIFY(textFits(child<QLabel>(&box, "Label2")));
    }

    void closes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
        QTest::newRow("Alt+O") << int(Qt::Key_O) << int(Qt::AltModifier);
    }

    void closes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QWidget owner;
        owner.show();
        frmAbout box(&owner);
        bool stillOpen = true;
        QTimer::singleShot(0, this, [&] {
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
        box.exec();
        QVERIFY(!stillOpen);
        QVERIFY(owner.isVisible());
    }

    void links_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("page");
        QTest::newRow("donation picture") << "Image2" << "donate.php";
        QTest::newRow("site address") << "Label2" << "index.php";
    }

    void links()
    {
        QFETCH(QString, name);
        QFETCH(QString, page);
        frmAbout box(nullptr);
        box.show();
        QTest::mouseClick(box.findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(browser.urls.size(), 1);
        const QUrl url = browser.urls.first();
        QCOMPARE(url, name == QLatin1String("Image2") ? links::donationPage() : links::homePage());
        // On the site the label shows, with the referrer field.
        QVERIFY(url.path().endsWith(QLatin1Char('/') + page));
        QVERIFY(!url.host().isEmpty());
        QVERIFY(links::siteText().startsWith(url.host()));
        QVERIFY(!QUrlQuery(url).queryItemValue(QStringLiteral("from")).isEmpty());
        QVERIFY(box.isVisible());
    }

    void toolbarOpensAFreshBoxEachTime()
    {
        frmMain main;
        auto *about = child<QAction>(&main, "tbAbout");
        QStringList seen;
        QList<bool> modalOwned;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            if (!box)
                return;
            look.stop();
            modalOwned << (box->isModal() && box->parentWidget() == &main);
            auto *text = child<QLabel>(box, "Label5");
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

    void narrowing_data()
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

    void narrowing()
    {
        QFETCH(bool, wrap);
        QFETCH(double, widthShare);
        QFETCH(bool, narrowed);
        QFETCH(bool, fits);
        QLabel label(QStringLiteral("Please consider donating to support the development"));
        QFont f(QStringLiteral("Tahoma"));
        f.setPointSizeF(8.25);
        label.setFont(f);
        // Wrapped: room for one line, so a text wider than the box needs a second one.
        label.resize(qRound(label.sizeHint().width() * widthShare), label.sizeHint().height());
        label.setWordWrap(wrap);
        narrowToFit(&label);
        const int stretch = label.font().stretch();
        QCOMPARE(stretch != QFont::AnyStretch && stretch != QFont::Unstretched, narrowed);
        QCOMPARE(textFits(&label), fits);
        QCOMPARE(label.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(label.font().pointSizeF(), 8.25);
    }
};

VEXLORA_TEST_MAIN(TestFrmAbout, testenv::standardFonts())
#include "tst_frmabout.moc"
