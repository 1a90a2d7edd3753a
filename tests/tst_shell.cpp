#include "support/fakefonttable.h"
#include "support/testenv.h"

#include "app/platform.h"
#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

// The main window's make-up and its own commands: install without a file, the style toggles,
// the mode switch and closing.
class TestShell : public QObject
{
    Q_OBJECT

    template<typename T>
    static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no %s", name);
        return c;
    }

    static void clickTab(TabStrip *strip, int index)
    {
        QTabBar *bar = strip->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

private slots:
    void makeUp()
    {
        frmMain w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vexlora 1.3"));
        QCOMPARE(w.size(), QSize(640, 514));
        QVERIFY(!w.windowIcon().isNull());
        const char *controls[] = {"Toolbar1", "cmbSize", "tsType", "picBrowse", "Drive1", "Dir1",
                                  "File1", "txFontName", "picInst", "lstInst", "tsPreview",
                                  "txPreview", "flxPreview"};
        for (const char *name : controls) {
            QWidget *c = child<QWidget>(w, name);
            QVERIFY2(c, name);
            QCOMPARE(c->window(), &w);
        }
        for (const char *name : {"ImageList1", "ImageList2", "mnuPopup", "mnuCopy", "tbInstall",
                                 "tbBold", "tbItalic", "tbAbout"})
            QVERIFY2(w.findChild<QObject *>(QLatin1String(name)), name);

        QVERIFY(child<QWidget>(w, "picBrowse")->isVisible());
        QVERIFY(!child<QWidget>(w, "picInst")->isVisible());
        QVERIFY(child<QWidget>(w, "txPreview")->isVisible());
        QVERIFY(!child<QWidget>(w, "flxPreview")->isVisible());
        QCOMPARE(child<TabStrip>(w, "tsType")->tabBar()->tabText(0), QStringLiteral("Font Browser"));
        QCOMPARE(child<TabStrip>(w, "tsType")->tabBar()->tabText(1), QStringLiteral("Installed fonts"));
        QCOMPARE(child<TabStrip>(w, "tsPreview")->tabBar()->tabText(0), QStringLiteral("Free text"));
        QCOMPARE(child<TabStrip>(w, "tsPreview")->tabBar()->tabText(1), QStringLiteral("Charchter Map"));
        QCOMPARE(child<QComboBox>(w, "cmbSize")->currentText(), QStringLiteral("36"));
        QCOMPARE(child<QLineEdit>(w, "txFontName")->text(), QString());
        QCOMPARE(w.findChild<QMenu *>(QStringLiteral("mnuPopup"))->title(), QStringLiteral("(popup)"));
        QCOMPARE(w.findChild<QAction *>(QStringLiteral("mnuCopy"))->text(), QStringLiteral("&Copy"));

        // Toolbar: 36 pixels high, fixed, with its tooltips, Bold and Italic not pressed.
        auto *bar = child<QToolBar>(w, "Toolbar1");
        QCOMPARE(bar->height(), 36);
        QVERIFY(!bar->isMovable());
        QCOMPARE(bar->contextMenuPolicy(), Qt::PreventContextMenu);
        QCOMPARE(w.findChild<QAction *>(QStringLiteral("tbInstall"))->toolTip(),
                 QStringLiteral("Install the selected font"));
        QCOMPARE(w.findChild<QAction *>(QStringLiteral("tbAbout"))->toolTip(), QStringLiteral("About"));
        QVERIFY(!w.findChild<QAction *>(QStringLiteral("tbBold"))->isChecked());
        QVERIFY(!w.findChild<QAction *>(QStringLiteral("tbItalic"))->isChecked());
        QCOMPARE(child<QWidget>(w, "tbSizeHolder")->width(), 53); // 800 twips
    }

    void sampleTextInTheFaceActuallyUsed()
    {
        frmMain w;
        w.show();
        auto *text = child<QPlainTextEdit>(w, "txPreview");
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
        QStringList expected{"txPreview", "cmbSize", "txFontName", "File1", "Dir1", "Drive1", "lstInst", "flxPreview"};
        QStringList seen;
        QWidget *start = child<QWidget>(w, "txPreview");
        QWidget *next = start;
        for (int i = 0; i < 500 && seen.size() < expected.size(); ++i) {
            const QString name = next->objectName();
            if (expected.contains(name) && !seen.contains(name))
                seen << name;
            next = next->nextInFocusChain();
        }
        QCOMPARE(seen, expected);
    }

    void installWithoutAFileBeeps()
    {
        FakeFontTable table;
        int beeps = 0;
        platform::setBeepHandler([&] { ++beeps; });
        frmMain w;
        w.show();
        w.findChild<QAction *>(QStringLiteral("tbInstall"))->trigger();
        platform::setBeepHandler({});
        QCOMPARE(beeps, 1);
        QVERIFY(w.trialFontFile.isEmpty());
        QCOMPARE(table.calls.filter(QStringLiteral("add:")), QStringList());
        QVERIFY(!QFileInfo::exists(w.fontFolder) || QDir(w.fontFolder).isEmpty());
    }

    void boldAndItalicAreIndependent()
    {
        frmMain w;
        w.show();
        auto *text = child<QPlainTextEdit>(w, "txPreview");
        auto *grid = child<QTableWidget>(w, "flxPreview");
        QAction *bold = w.findChild<QAction *>(QStringLiteral("tbBold"));
        QAction *italic = w.findChild<QAction *>(QStringLiteral("tbItalic"));
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
        auto *files = child<QListWidget>(w, "File1");
        files->addItem(QStringLiteral("kept.ttf"));
        files->setCurrentRow(0);
        w.trialFontFile = QStringLiteral("/somewhere/kept.ttf");
        child<QLineEdit>(w, "txFontName")->setText(QStringLiteral("Kept Face"));
        auto *tabs = child<TabStrip>(w, "tsType");
        auto *browse = child<QWidget>(w, "picBrowse");
        auto *inst = child<QWidget>(w, "picInst");

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
        QCOMPARE(child<QLineEdit>(w, "txFontName")->text(), QStringLiteral("Kept Face"));
        QVERIFY(w.findChild<QAction *>(QStringLiteral("tbInstall"))->isEnabled());
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
        auto *w = new frmMain;
        w->show();
        QCOMPARE(w->installedFontNames().count() >= 0, true);
        w->installedFontNames().add(QStringLiteral("Extra"), QStringLiteral("Extra"));
        w->trialFontFile = trial;
        QPointer<frmMain> guard(w);
        table.calls.clear();
        w->close();
        QCOMPARE(table.calls, QStringList{QStringLiteral("remove:") + trial});
        QVERIFY(!guard || guard->installedFontNames().count() == 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard); // the window is unloaded, not just hidden
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
