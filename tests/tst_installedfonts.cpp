#include "support/fakefonttable.h"
#include "support/testenv.h"

#include "fonts/FontTable.h"
#include "ui/main/ImageList.h"
#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

#include <memory>

// The installed-fonts list and collection filled at load, a click on an entry, and the search
// for the face a trial file added.
class TestInstalledFonts : public QObject
{
    Q_OBJECT

    static std::unique_ptr<frmMain> openWindow()
    {
        std::unique_ptr<frmMain> w(new frmMain);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        return w;
    }

    static QTreeWidget *lstInst(frmMain &w) { return w.findChild<QTreeWidget *>(QStringLiteral("lstInst")); }

    static QStringList entries(frmMain &w)
    {
        QStringList list;
        QTreeWidget *l = lstInst(w);
        for (int i = 0; i < l->topLevelItemCount(); ++i)
            list << l->topLevelItem(i)->text(0);
        return list;
    }

    static QStringList collection(frmMain &w)
    {
        QStringList list;
        for (int i = 0; i < w.installedFontNames().count(); ++i)
            list << w.installedFontNames().item(i);
        return list;
    }

private slots:
    void realFaces()
    {
        auto w = openWindow();
        const QStringList expected{"Alpha Sans", "Arial", "Beta Serif", "Gamma Mono", "Tahoma"};
        QCOMPARE(entries(*w), expected); // no "Sans Serif", "Serif" or "Monospace" of Qt's own
        QCOMPARE(collection(*w), expected);

        QTreeWidget *l = lstInst(*w);
        QCOMPARE(l->columnCount(), 1);
        QCOMPARE(l->headerItem()->text(0), QString());
        const QIcon fontPage = w->findChild<ImageList *>(QStringLiteral("ImageList2"))->icon(2);
        for (int i = 0; i < l->topLevelItemCount(); ++i) {
            QCOMPARE(l->topLevelItem(i)->icon(0).cacheKey(), fontPage.cacheKey());
            QCOMPARE(l->topLevelItem(i)->childCount(), 0);
        }
        QVERIFY(l->selectedItems().isEmpty());
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
        auto w = openWindow();
        QCOMPARE(entries(*w), faces);
        QCOMPARE(collection(*w), kept);
    }

    void clickShowsTheFace()
    {
        auto w = openWindow();
        auto *txPreview = w->findChild<QPlainTextEdit *>(QStringLiteral("txPreview"));
        auto *flxPreview = w->findChild<QTableWidget *>(QStringLiteral("flxPreview"));
        auto *txFontName = w->findChild<QLineEdit *>(QStringLiteral("txFontName"));
        txFontName->setText(QStringLiteral("untouched"));
        QFont bold = txPreview->font();
        bold.setBold(true);
        txPreview->setFont(bold);
        txPreview->setPlainText(QStringLiteral("typed"));

        QTreeWidget *l = lstInst(*w);
        // The list lives on the second tab.
        QTabBar *tabs = w->findChild<TabStrip *>(QStringLiteral("tsType"))->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(l->isVisible());
        QTreeWidgetItem *gamma = l->findItems(QStringLiteral("Gamma Mono"), Qt::MatchExactly).value(0);
        QVERIFY(gamma);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(gamma).center());
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Gamma Mono"));
        QCOMPARE(QFontInfo(flxPreview->font()).family(), QStringLiteral("Gamma Mono"));
        QVERIFY(txPreview->font().bold());
        QCOMPARE(txPreview->font().pointSizeF(), 36.0);
        QCOMPARE(txPreview->toPlainText(), QStringLiteral("typed"));
        QCOMPARE(txFontName->text(), QStringLiteral("untouched"));

        // The keyboard alone: move to another entry, Enter shows it.
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Up);
        QCOMPARE(l->currentItem()->text(0), QStringLiteral("Beta Serif"));
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Gamma Mono"));
        QTest::keyClick(l, Qt::Key_Return);
        QCOMPARE(QFontInfo(txPreview->font()).family(), QStringLiteral("Beta Serif"));
    }

    void clickWithNothingSelectedDoesNothing()
    {
        auto w = openWindow();
        auto *txPreview = w->findChild<QPlainTextEdit *>(QStringLiteral("txPreview"));
        const QFont before = txPreview->font();
        w->lstInst_ItemClick(nullptr);
        QCOMPARE(txPreview->font(), before);
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
        std::unique_ptr<frmMain> w;
        {
            FakeFontTable atLoad({QStringLiteral("Arial"), QStringLiteral("Tahoma")});
            w = openWindow();
        }
        FakeFontTable afterTrial(now);
        QCOMPARE(w->getNewFontName(), face);
    }
};

VEXLORA_TEST_MAIN(TestInstalledFonts, testenv::standardFonts())
#include "tst_installedfonts.moc"
