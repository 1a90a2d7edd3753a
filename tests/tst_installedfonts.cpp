#include "support/fakefonttable.h"
#include "support/helpers.h"
#include "support/testenv.h"

#include "ui/main/ImageList.h"
#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTreeWidget>

#include <memory>

using testenv::MainWindow;

// The installed-fonts list and collection filled at load, a click on an entry, and the search
// for the face a trial file added.
class TestInstalledFonts : public QObject
{
    Q_OBJECT

    static QStringList collection(const MainWindow &w)
    {
        QStringList list;
        for (int i = 0; i < w->installedFontNames().count(); ++i)
            list << w->installedFontNames().item(i);
        return list;
    }

private slots:
    void realFaces()
    {
        MainWindow w;
        auto *lstInst = w.get<QTreeWidget>("lstInst");
        const QStringList expected{"Alpha Sans", "Arial", "Beta Serif", "Gamma Mono", "Tahoma"};
        QCOMPARE(testenv::texts(lstInst), expected); // no "Sans Serif", "Serif" or "Monospace" of Qt's own
        QCOMPARE(collection(w), expected);
        QCOMPARE(lstInst->columnCount(), 1);
        QCOMPARE(lstInst->headerItem()->text(0), QString());
        const QIcon fontPage = w.get<ImageList>("ImageList2")->icon(2);
        for (int i = 0; i < lstInst->topLevelItemCount(); ++i)
            QCOMPARE(lstInst->topLevelItem(i)->icon(0).cacheKey(), fontPage.cacheKey());
        QVERIFY(lstInst->selectedItems().isEmpty());
    }

    void fill_data()
    {
        QTest::addColumn<QStringList>("faces");
        QTest::addColumn<QStringList>("kept"); // the collection's elements

        QTest::newRow("in table order, unsorted") << QStringList{"Zed", "alpha", "Mid"}
                                                  << QStringList{"Zed", "alpha", "Mid"};
        QTest::newRow("case variants: two entries, first one kept")
            << QStringList{"Alpha Sans", "ALPHA SANS", "Beta"} << QStringList{"Alpha Sans", "Beta"};
        QTest::newRow("no fonts") << QStringList{} << QStringList{};
        QStringList many;
        for (int i = 0; i < 1000; ++i)
            many << QStringLiteral("Face %1").arg(i);
        QTest::newRow("many") << many << many;
    }

    void fill()
    {
        QFETCH(QStringList, faces);
        QFETCH(QStringList, kept);
        FakeFontTable fake(faces);
        MainWindow w;
        QCOMPARE(testenv::texts(w.get<QTreeWidget>("lstInst")), faces);
        QCOMPARE(collection(w), kept);
    }

    void clickShowsTheFace()
    {
        MainWindow w;
        auto *txPreview = w.get<QPlainTextEdit>("txPreview");
        auto *txFontName = w.get<QLineEdit>("txFontName");
        txFontName->setText(QStringLiteral("untouched"));
        QFont bold = txPreview->font();
        bold.setBold(true);
        txPreview->setFont(bold);
        txPreview->setPlainText(QStringLiteral("typed"));

        auto *lstInst = w.get<QTreeWidget>("lstInst");
        testenv::clickTab(w.get<TabStrip>("tsType"), 1); // the list lives on the second tab
        QVERIFY(lstInst->isVisible());
        QTreeWidgetItem *gamma = lstInst->findItems(QStringLiteral("Gamma Mono"), Qt::MatchExactly).value(0);
        QVERIFY(gamma);
        QTest::mouseClick(lstInst->viewport(), Qt::LeftButton, {}, lstInst->visualItemRect(gamma).center());
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Gamma Mono"));
        QCOMPARE(QFontInfo(w.get<QTableWidget>("flxPreview")->font()).family(), QStringLiteral("Gamma Mono"));
        QVERIFY(txPreview->font().bold());
        QCOMPARE(txPreview->font().pointSizeF(), 36.0);
        QCOMPARE(txPreview->toPlainText(), QStringLiteral("typed"));
        QCOMPARE(txFontName->text(), QStringLiteral("untouched"));

        // The keyboard alone: move to another entry, Enter shows it.
        lstInst->setFocus();
        QTest::keyClick(lstInst, Qt::Key_Up);
        QCOMPARE(lstInst->currentItem()->text(0), QStringLiteral("Beta Serif"));
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Gamma Mono"));
        QTest::keyClick(lstInst, Qt::Key_Return);
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Beta Serif"));
    }

    void clickWithNothingSelectedDoesNothing()
    {
        MainWindow w;
        const QFont before = w.get("txPreview")->font();
        w->lstInst_ItemClick(nullptr);
        QCOMPARE(w.get("txPreview")->font(), before);
    }

    void getNewFontName_data()
    {
        QTest::addColumn<QStringList>("now"); // the enumeration after the trial file went in
        QTest::addColumn<QString>("face");
        QTest::newRow("first new face") << QStringList{"Arial", "New One", "Tahoma", "New Two"} << "New One";
        QTest::newRow("none") << QStringList{"Arial", "Tahoma"} << "";
        QTest::newRow("other case counts as installed") << QStringList{"ARIAL", "tahoma"} << "";
        QTest::newRow("other case, then a new one") << QStringList{"arial", "Zeta"} << "Zeta";
        QTest::newRow("empty table") << QStringList{} << "";
    }

    void getNewFontName()
    {
        QFETCH(QStringList, now);
        QFETCH(QString, face);
        std::unique_ptr<MainWindow> w;
        {
            FakeFontTable atLoad({QStringLiteral("Arial"), QStringLiteral("Tahoma")});
            w = std::make_unique<MainWindow>();
        }
        FakeFontTable afterTrial(now);
        QCOMPARE((*w)->getNewFontName(), face);
    }
};

VEXLORA_TEST_MAIN(TestInstalledFonts, testenv::standardFonts())
#include "tst_installedfonts.moc"
