#include "support/fakefonttable.h"
#include "support/helpers.h"
#include "support/testenv.h"

#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>

using testenv::child;
using testenv::clickTab;

// The main window as the user first meets it and its own commands: the style toggles, the
// mode switch and closing. Install without a file is in tst_install, the geometry in tst_layout.
class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void firstSight()
    {
        frmMain w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vexlora 1.3"));
        QCOMPARE(w.size(), QSize(640, 514)); // 9600 x 7710 twips
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(child(&w, "picBrowse")->isVisible());
        QVERIFY(!child(&w, "picInst")->isVisible());
        QVERIFY(child(&w, "txPreview")->isVisible());
        QVERIFY(!child(&w, "flxPreview")->isVisible());
        QTabBar *type = child<TabStrip>(&w, "tsType")->tabBar();
        QTabBar *preview = child<TabStrip>(&w, "tsPreview")->tabBar();
        QCOMPARE(type->tabText(0), QStringLiteral("Font Browser"));
        QCOMPARE(type->tabText(1), QStringLiteral("Installed fonts"));
        QCOMPARE(preview->tabText(0), QStringLiteral("Free text"));
        QCOMPARE(preview->tabText(1), QStringLiteral("Charchter Map"));
        QCOMPARE(child<QAction>(&w, "mnuCopy")->text(), QStringLiteral("&Copy"));
        const std::pair<const char *, const char *> tips[] = {
            {"tbInstall", "Install the selected font"}, {"tbBold", "Bold"}, {"tbItalic", "Italic"}, {"tbAbout", "About"}};
        for (const auto &[name, tip] : tips)
            QCOMPARE(child<QAction>(&w, name)->toolTip(), QLatin1String(tip));
        // The toolbar stays where it is: not movable, no context menu to hide it.
        auto *bar = child<QToolBar>(&w, "Toolbar1");
        QVERIFY(!bar->isMovable());
        QCOMPARE(bar->contextMenuPolicy(), Qt::PreventContextMenu);
    }

    void sampleTextInTheFaceActuallyUsed()
    {
        frmMain w;
        w.show();
        auto *text = child<QPlainTextEdit>(&w, "txPreview");
        QCOMPARE(text->toPlainText(), QStringLiteral("The Quick \nBrown Fox \nJumps over the \nlazy dog\n"));
        const QFontInfo used(text->font());
        QCOMPARE(used.family(), QStringLiteral("Arial"));
        QCOMPARE(used.pointSizeF(), 36.0);
        QVERIFY(!used.bold());
        QVERIFY(!used.italic());
        QCOMPARE(QFontInfo(w.font()).family(), QStringLiteral("Tahoma"));
    }

    void focusOrder()
    {
        frmMain w;
        w.show();
        // Controls that take the focus, in the window's order.
        const QStringList expected{"txPreview", "cmbSize", "txFontName", "File1", "Dir1", "Drive1", "lstInst", "flxPreview"};
        QStringList seen;
        QWidget *next = child(&w, "txPreview");
        for (int i = 0; i < 500 && seen.size() < expected.size(); ++i) {
            const QString name = next->objectName();
            if (expected.contains(name) && !seen.contains(name))
                seen << name;
            next = next->nextInFocusChain();
        }
        QCOMPARE(seen, expected);
    }

    void boldAndItalicAreIndependent()
    {
        frmMain w;
        w.show();
        auto *text = child<QPlainTextEdit>(&w, "txPreview");
        auto *grid = child<QTableWidget>(&w, "flxPreview");
        QAction *bold = child<QAction>(&w, "tbBold");
        QAction *italic = child<QAction>(&w, "tbItalic");
        struct Step { QAction *button; bool bold; bool italic; };
        const Step steps[] = {{bold, true, false}, {italic, true, true}, {bold, false, true}, {italic, false, false}};
        for (const Step &s : steps) {
            s.button->trigger();
            QCOMPARE(bold->isChecked(), s.bold);
            QCOMPARE(italic->isChecked(), s.italic);
            QCOMPARE(text->font().bold(), s.bold);
            QCOMPARE(text->font().italic(), s.italic);
            QCOMPARE(QFontInfo(text->font()).pointSizeF(), 36.0);
            QVERIFY(!grid->font().bold());
            QVERIFY(!grid->font().italic());
        }
    }

    void modeSwitchKeepsTheBrowser()
    {
        frmMain w;
        w.show();
        auto *files = child<QListWidget>(&w, "File1");
        files->addItem(QStringLiteral("kept.ttf"));
        files->setCurrentRow(0);
        w.trialFontFile = QStringLiteral("/somewhere/kept.ttf");
        child<QLineEdit>(&w, "txFontName")->setText(QStringLiteral("Kept Face"));
        auto *tabs = child<TabStrip>(&w, "tsType");
        QWidget *browse = child(&w, "picBrowse");
        QWidget *inst = child(&w, "picInst");

        clickTab(tabs, 1);
        QCOMPARE(tabs->selectedIndex(), 2);
        QVERIFY(!browse->isVisible());
        QVERIFY(inst->isVisible());
        clickTab(tabs, 1); // the current tab again: same state
        QVERIFY(inst->isVisible());
        tabs->tabBar()->setFocus();
        QTest::keyClick(tabs->tabBar(), Qt::Key_Left);
        QCOMPARE(tabs->selectedIndex(), 1);
        QVERIFY(browse->isVisible());
        QVERIFY(!inst->isVisible());

        QCOMPARE(files->count(), 1);
        QCOMPARE(files->currentRow(), 0);
        QCOMPARE(w.trialFontFile, QStringLiteral("/somewhere/kept.ttf"));
        QCOMPARE(child<QLineEdit>(&w, "txFontName")->text(), QStringLiteral("Kept Face"));
    }

    void closingReleasesTheTrialFont_data()
    {
        QTest::addColumn<QString>("trial");
        QTest::newRow("never picked") << QString();
        QTest::newRow("picked") << QStringLiteral("/fonts/zeta.ttf");
    }
    void closingReleasesTheTrialFont()
    {
        QFETCH(QString, trial);
        FakeFontTable table({QStringLiteral("Alpha Sans")});
        QPointer<frmMain> w = new frmMain;
        w->show();
        w->installedFontNames().add(QStringLiteral("Extra"), QStringLiteral("Extra"));
        w->trialFontFile = trial;
        table.calls.clear();
        w->close();
        QCOMPARE(table.calls, QStringList{QStringLiteral("remove:") + trial});
        QVERIFY(!w || w->installedFontNames().count() == 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w); // the window is unloaded, not just hidden
    }

    // Last: it runs the application's event loop until the last window closes.
    void closingTheWindowEndsTheProgram()
    {
        for (QWidget *tl : QApplication::topLevelWidgets())
            tl->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *w = new frmMain;
        w->show();
        bool timedOut = false;
        QTimer::singleShot(50, w, &QWidget::close);
        QTimer::singleShot(10000, qApp, [&] { timedOut = true; QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!timedOut);
    }
};

VEXLORA_TEST_MAIN(TestShell, testenv::standardFonts())
#include "tst_shell.moc"
