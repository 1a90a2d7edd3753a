#include "support/helpers.h"
#include "support/testenv.h"

#include "preview/FlexGrid.h"
#include "preview/charmap.h"
#include "preview/numbers.h"
#include "ui/main/TabStrip.h"
#include "ui/main/frmMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>

#include <memory>

// The preview as the user drives it: the size box's three paths, the view switch, the face
// hand-over and the style toggles, the character map with its context menu and Copy.
class TestPreview : public QObject
{
    Q_OBJECT

    frmMain *w = nullptr;
    QComboBox *box = nullptr;
    QPlainTextEdit *tx = nullptr;
    QTableWidget *flx = nullptr;
    FlexGrid *grid = nullptr;
    TabStrip *ts = nullptr;
    QMenu *popup = nullptr;
    std::unique_ptr<QSignalSpy> cellSpy;
    static inline QtMessageHandler previousHandler = nullptr;

    // Every fill makes each of the 225 cells current in turn; only the very first one starts
    // on a cell it then makes current again (1, 1), so it reports one change fewer.
    int fills() const { return int((cellSpy->count() + 224) / 225); }

    double textSize() const { return tx->font().pointSizeF(); }

    void focus(QWidget *target, Qt::FocusReason reason)
    {
        target->setFocus(reason);
        QTRY_COMPARE(QApplication::focusWidget(), target);
    }

    // The user selects the box's text and types over it.
    void typeIntoBox(const QString &text)
    {
        focus(box, Qt::MouseFocusReason);
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QCOMPARE(box->currentText(), text);
    }

    void clickTab(int index) { testenv::clickTab(ts, index); }

    QPoint cellCentre(int row, int col)
    {
        flx->scrollToItem(flx->item(row, col));
        return flx->visualItemRect(flx->item(row, col)).center();
    }

    void pickEntry(const QString &entry)
    {
        const int index = box->findText(entry);
        QVERIFY(index >= 0);
        box->showPopup();
        QAbstractItemView *view = box->view();
        QTRY_VERIFY(view->isVisible());
        // The list ignores a release that comes within a double-click time of its opening.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect r = view->visualRect(view->model()->index(index, 0));
        QTest::mouseMove(view->viewport(), r.center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTRY_VERIFY(!view->isVisible());
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        // The headless platform says so each time a list or menu pops up; nothing to see.
        previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                                    const QString &message) {
            if (message == QLatin1String("This plugin does not support raise()")
                || message == QLatin1String("This plugin does not support grabbing the keyboard"))
                return;
            previousHandler(type, context, message);
        });
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(previousHandler);
    }

    void init()
    {
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        QApplication::setActiveWindow(w);
        box = w->findChild<QComboBox *>(QStringLiteral("cmbSize"));
        tx = w->findChild<QPlainTextEdit *>(QStringLiteral("txPreview"));
        flx = w->findChild<QTableWidget *>(QStringLiteral("flxPreview"));
        grid = w->findChild<FlexGrid *>();
        ts = w->findChild<TabStrip *>(QStringLiteral("tsPreview"));
        popup = w->findChild<QMenu *>(QStringLiteral("mnuPopup"));
        QVERIFY(box && tx && flx && grid && ts && popup);
        cellSpy = std::make_unique<QSignalSpy>(flx, &QTableWidget::currentCellChanged);
        focus(tx, Qt::OtherFocusReason);
    }

    void cleanup()
    {
        cellSpy.reset();
        delete w;
        w = nullptr;
        QLocale::setDefault(QLocale::c());
    }

    void startState()
    {
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        QCOMPARE(entries, QStringList({" 8", " 9", "10", "12", "14", "16", "18", "20", "22", "24", "28", "36", "72"}));
        QCOMPARE(box->currentText(), QStringLiteral("36"));
        QCOMPARE(w->lastSizeText, QString()); // the text had the focus, never the box
        QCOMPARE(textSize(), 36.0);
        QVERIFY(!flx->isVisible());
        QCOMPARE(grid->rows(), 2);
        QCOMPARE(grid->cols(), 2);
        QCOMPARE(flx->font().pointSizeF(), 8.25);
        QCOMPARE(QFontInfo(flx->font()).family(), QStringLiteral("Tahoma"));
        QCOMPARE(flx->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void pickingAnEntrySizesBothViews()
    {
        pickEntry(QStringLiteral(" 8"));
        QCOMPARE(textSize(), 8.0);
        QCOMPARE(grid->fontSize(), 8.0);
        QCOMPARE(fills(), 1);
        QCOMPARE(grid->colWidth(1), 200);
        QCOMPARE(grid->rowHeight(15), 200);
        QCOMPARE(box->currentText(), QStringLiteral(" 8"));
        QVERIFY(!flx->isVisible()); // a fill while the map is hidden leaves it hidden
    }

    void arrowKeysChooseSizes()
    {
        focus(box, Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->currentText(), QStringLiteral("28"));
        QCOMPARE(textSize(), 28.0);
        QCOMPARE(grid->colWidth(1), 700);
        QCOMPARE(fills(), 1);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QStringLiteral("72"));
        QCOMPARE(textSize(), 72.0);
        QCOMPARE(grid->colWidth(1), 1800);
        QCOMPARE(fills(), 3);
    }

    void enterSizesBothViews_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("cell");
        const Qt::KeyboardModifiers none;
        QTest::newRow("Return: once, though 20 is in the list") << "20" << int(Qt::Key_Return) << none << 20.0 << 500;
        QTest::newRow("keypad Enter") << "20" << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                      << 20.0 << 500;
        QTest::newRow("not in the list, nothing inserted") << "10.5" << int(Qt::Key_Return) << none << 10.5 << 262;
        QTest::newRow("7 is not completed to 72") << "7" << int(Qt::Key_Return) << none << 7.0 << 175;
        QTest::newRow("largest size") << "1638" << int(Qt::Key_Return) << none << 1638.0 << 40950;
    }

    void enterSizesBothViews()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(double, size);
        QFETCH(int, cell);
        typeIntoBox(typed);
        QCOMPARE(fills(), 0);
        QTest::keyClick(box, Qt::Key(key), modifiers);
        QCOMPARE(textSize(), size);
        QCOMPARE(grid->fontSize(), size);
        QCOMPARE(grid->colWidth(1), cell);
        QCOMPARE(flx->horizontalHeader()->sectionSize(1), qRound(cell / 15.0));
        QCOMPARE(fills(), 1);
        QCOMPARE(box->currentText(), typed);
        QCOMPARE(box->count(), 13);
        QCOMPARE(QApplication::focusWidget(), box);
    }

    void leavingSizesOnlyTheText_data()
    {
        QTest::addColumn<bool>("byTab"); // else a click into the text
        QTest::newRow("click into the text") << false;
        QTest::newRow("Tab key") << true;
    }

    void leavingSizesOnlyTheText()
    {
        QFETCH(bool, byTab);
        pickEntry(QStringLiteral("12"));
        QCOMPARE(fills(), 1);
        typeIntoBox(QStringLiteral("20"));
        QCOMPARE(w->lastSizeText, QStringLiteral("12"));
        if (byTab)
            QTest::keyClick(box, Qt::Key_Tab);
        else
            QTest::mouseClick(tx->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(QApplication::focusWidget() != box);
        QCOMPARE(textSize(), 20.0);
        QCOMPARE(grid->fontSize(), 12.0);
        QCOMPARE(grid->colWidth(1), 300);
        QCOMPARE(fills(), 1);
        QCOMPARE(box->currentText(), QStringLiteral("20"));

        // The map catches up the next time its tab is chosen.
        clickTab(1);
        QCOMPARE(fills(), 2);
        QCOMPARE(grid->colWidth(1), 500);
        QCOMPARE(textSize(), 20.0);
    }

    // Validation sizes the text by the size rules, which know no locale; focus lost then keeps
    // the box's text only when it is a number in the user's locale.
    void leavingWithTextThatIsNotANumber_data()
    {
        QTest::addColumn<bool>("german"); // else the C locale
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("shown");
        QTest::newRow("abc") << false << "abc" << 36.0 << "36";
        QTest::newRow("12abc") << false << "12abc" << 12.0 << "36";
        QTest::newRow("empty") << false << "" << 36.0 << "36";
        QTest::newRow("0") << false << "0" << 36.0 << "0";
        QTest::newRow("-4") << false << "-4" << 36.0 << "-4";
        QTest::newRow("too large") << false << "5000" << 36.0 << "5000";
        QTest::newRow("hex") << false << "&H10" << 16.0 << "&H10";
        QTest::newRow("blanks") << false << "  9  " << 9.0 << "  9  ";
        QTest::newRow("1,5 in C") << false << "1,5" << 1.0 << "1,5";
        QTest::newRow("1.000,5 in C") << false << "1.000,5" << 1.0 << "36";
        QTest::newRow("1,5 in German") << true << "1,5" << 1.0 << "1,5";
        QTest::newRow("1.000,5 in German") << true << "1.000,5" << 1.0 << "1.000,5";
    }

    void leavingWithTextThatIsNotANumber()
    {
        QFETCH(bool, german);
        QFETCH(QString, typed);
        QFETCH(double, size);
        QFETCH(QString, shown);
        if (german)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        typeIntoBox(typed);
        QCOMPARE(w->lastSizeText, QStringLiteral("36"));
        focus(tx, Qt::MouseFocusReason);
        QCOMPARE(textSize(), size);
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(fills(), 0);
        QCOMPARE(grid->rows(), 2);
    }

    void gainingFocusStoresTheText()
    {
        typeIntoBox(QStringLiteral("22"));
        QCOMPARE(w->lastSizeText, QStringLiteral("36"));
        focus(tx, Qt::MouseFocusReason);
        focus(box, Qt::MouseFocusReason);
        QCOMPARE(w->lastSizeText, QStringLiteral("22"));
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, QStringLiteral("x"));
        focus(tx, Qt::TabFocusReason);
        QCOMPARE(box->currentText(), QStringLiteral("22"));
    }

    void ownListIsNotLeaving()
    {
        typeIntoBox(QStringLiteral("12abc"));
        box->showPopup();
        QTRY_VERIFY(box->view()->isVisible());
        QCOMPARE(textSize(), 36.0); // no validation
        box->hidePopup();
        QTRY_VERIFY(!box->view()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->currentText(), QStringLiteral("12abc"));
        QCOMPARE(w->lastSizeText, QStringLiteral("36")); // coming back is not gaining the focus
        QCOMPARE(textSize(), 36.0);
        QCOMPARE(fills(), 0);
        focus(tx, Qt::MouseFocusReason);
        QCOMPARE(box->currentText(), QStringLiteral("36"));
        QCOMPARE(textSize(), 12.0);
    }

    void anotherWindowIsNotLeaving()
    {
        typeIntoBox(QStringLiteral("12abc"));
        QWidget other;
        auto *edit = new QLineEdit(&other);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.activateWindow();
        QApplication::setActiveWindow(&other);
        edit->setFocus(Qt::ActiveWindowFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(textSize(), 36.0);
        QCOMPARE(box->currentText(), QStringLiteral("12abc"));

        other.hide();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QCOMPARE(w->lastSizeText, QStringLiteral("36"));
        focus(tx, Qt::MouseFocusReason);
        QCOMPARE(box->currentText(), QStringLiteral("36"));
        QCOMPARE(textSize(), 12.0);
    }

    void mapTabSettlesTheBoxFirst_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("cell");
        QTest::newRow("not a number") << "abc" << "36" << 900;
        QTest::newRow("leading number") << "12abc" << "36" << 900;
        QTest::newRow("number") << "12" << "12" << 300;
    }

    void mapTabSettlesTheBoxFirst()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, cell);
        typeIntoBox(typed);
        clickTab(1);
        QCOMPARE(QApplication::focusWidget(), ts->tabBar());
        QCOMPARE(box->currentText(), shown);
        QVERIFY(flx->isVisible());
        QCOMPARE(fills(), 1);
        QCOMPARE(grid->colWidth(1), cell);
    }

    void refusedSizesKeepTheOldOnes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("0") << "0";
        QTest::newRow("negative") << "-5";
        QTest::newRow("too large") << "1639";
        QTest::newRow("overflow") << "1e999";
        QTest::newRow("not a number") << "abc";
    }

    void refusedSizesKeepTheOldOnes()
    {
        QFETCH(QString, typed);
        pickEntry(QStringLiteral("14"));
        cellSpy->clear();
        typeIntoBox(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(textSize(), 14.0);
        QCOMPARE(grid->fontSize(), 14.0);
        QCOMPARE(grid->colWidth(1), 350);
        QCOMPARE(cellSpy->count(), 0);
        QVERIFY(flx->updatesEnabled());

        // Choosing the map leaves the box: a text that is a number stays, and the fill ends at
        // its first step again; any other text is put back first, and the map is filled with it.
        clickTab(1);
        QVERIFY(flx->isVisible());
        QCOMPARE(grid->colWidth(1), 350);
        QVERIFY(flx->updatesEnabled());
        if (preview::isNumeric(typed)) {
            QCOMPARE(box->currentText(), typed);
            QCOMPARE(cellSpy->count(), 0);
        } else {
            QCOMPARE(box->currentText(), QStringLiteral("14"));
            QCOMPARE(fills(), 1);
        }
    }

    void viewSwitch()
    {
        clickTab(1);
        QCOMPARE(ts->selectedIndex(), 2);
        QVERIFY(flx->isVisible());
        QVERIFY(!tx->isVisible());
        QCOMPARE(fills(), 1);
        QCOMPARE(grid->colWidth(1), 900);
        QCOMPARE(grid->colWidth(0), 60);
        QCOMPARE(grid->rowHeight(0), 60);

        // Choosing the map again refills it; choosing the text never does.
        flx->setCurrentCell(2, 2);
        cellSpy->clear();
        clickTab(1);
        QCOMPARE(fills(), 1);
        QCOMPARE(grid->row(), 15);
        clickTab(0);
        QVERIFY(tx->isVisible());
        QVERIFY(!flx->isVisible());
        clickTab(0);
        QCOMPARE(fills(), 1);

        // By keyboard.
        focus(ts->tabBar(), Qt::TabFocusReason);
        QTest::keyClick(ts->tabBar(), Qt::Key_Right);
        QCOMPARE(ts->selectedIndex(), 2);
        QVERIFY(flx->isVisible());
        QCOMPARE(fills(), 2);
    }

    void mapClicksAndCopy_data()
    {
        QTest::addColumn<Qt::MouseButton>("button"); // NoButton: no click after the fill
        QTest::addColumn<QPoint>("cell");            // (row, column) clicked
        QTest::addColumn<QPoint>("current");         // (row, column) current afterwards
        QTest::addColumn<bool>("menu");
        QTest::addColumn<QString>("copied");
        const QPoint last(15, 15);
        QTest::newRow("right after a fill: code 224") << Qt::NoButton << last << last << false << "\u00E0";
        QTest::newRow("left on A") << Qt::LeftButton << QPoint(5, 6) << QPoint(5, 6) << false << "A";
        QTest::newRow("left on code 0: one NUL") << Qt::LeftButton << QPoint(1, 1) << QPoint(1, 1) << false
                                                  << QString(QChar(0));
        QTest::newRow("right: menu, the cell stays") << Qt::RightButton << QPoint(9, 9) << last << true << "\u00E0";
        QTest::newRow("middle: no menu, the cell stays") << Qt::MiddleButton << QPoint(3, 4) << last << false << "";
    }

    void mapClicksAndCopy()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, cell);
        QFETCH(QPoint, current);
        QFETCH(bool, menu);
        QFETCH(QString, copied);
        typeIntoBox(QStringLiteral("8")); // small cells: the whole map in view
        QTest::keyClick(box, Qt::Key_Return);
        clickTab(1);
        if (button != Qt::NoButton)
            QTest::mouseClick(flx->viewport(), button, {}, cellCentre(cell.x(), cell.y()));
        if (menu) {
            QTRY_VERIFY(popup->isVisible());
        } else {
            QTest::qWait(20);
            QVERIFY(!popup->isVisible());
        }
        QCOMPARE(grid->row(), current.x());
        QCOMPARE(grid->col(), current.y());
        if (copied.isEmpty())
            return;
        QGuiApplication::clipboard()->clear();
        if (menu) {
            popup->actions().first()->trigger();
            popup->close();
            QTRY_VERIFY(!popup->isVisible());
        } else {
            w->findChild<QAction *>(QStringLiteral("mnuCopy"))->trigger();
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void faceChangeKeepsTheMap()
    {
        clickTab(1);
        auto snapshot = [&] {
            QStringList cells;
            for (int r = 0; r < 16; ++r) {
                cells << QString::number(flx->verticalHeader()->sectionSize(r))
                      << QString::number(flx->horizontalHeader()->sectionSize(r));
                for (int c = 0; c < 16; ++c)
                    cells << grid->textMatrix(r, c);
            }
            return cells;
        };
        const QStringList before = snapshot();
        cellSpy->clear();
        w->showFace(QStringLiteral("Beta Serif"));
        QCOMPARE(QFontInfo(flx->font()).family(), QStringLiteral("Beta Serif"));
        QCOMPARE(QFontInfo(tx->font()).family(), QStringLiteral("Beta Serif"));
        QCOMPARE(cellSpy->count(), 0);
        QCOMPARE(grid->colWidth(1), 900);
        QCOMPARE(grid->rowHeight(1), 900);
        QCOMPARE(grid->colWidth(0), 60);
        QCOMPARE(grid->row(), 15);
        QCOMPARE(snapshot(), before);
    }

    void faceReachesHiddenMap()
    {
        w->showFace(QStringLiteral("Alpha Sans"));
        QCOMPARE(QFontInfo(tx->font()).family(), QStringLiteral("Alpha Sans"));
        QCOMPARE(textSize(), 36.0);
        QCOMPARE(fills(), 0);
        clickTab(1);
        QCOMPARE(QFontInfo(flx->font()).family(), QStringLiteral("Alpha Sans"));
        QCOMPARE(flx->font().pointSizeF(), 36.0);
    }

    void boldStaysOnTextMapStaysRegular()
    {
        w->findChild<QAction *>(QStringLiteral("tbBold"))->trigger();
        clickTab(1);
        w->showFace(QStringLiteral("Beta Serif"));
        const QFontInfo text(tx->font());
        QCOMPARE(text.family(), QStringLiteral("Beta Serif"));
        QVERIFY(text.bold());
        QVERIFY(!text.italic());

        // Italic too, and a refill of the map at another size: the map stays regular.
        w->findChild<QAction *>(QStringLiteral("tbItalic"))->trigger();
        pickEntry(QStringLiteral("24"));
        clickTab(0);
        clickTab(1);
        QVERIFY(tx->font().bold());
        QVERIFY(tx->font().italic());
        QCOMPARE(textSize(), 24.0);
        const QFontInfo map(flx->font());
        QCOMPARE(map.family(), QStringLiteral("Beta Serif"));
        QVERIFY(!map.bold());
        QVERIFY(!map.italic());
    }

    void typedTextSurvives()
    {
        focus(tx, Qt::MouseFocusReason);
        tx->moveCursor(QTextCursor::End);
        QTest::keyClicks(tx, QStringLiteral("Sphinx of black quartz"));
        const QString typed = tx->toPlainText();
        QVERIFY(typed.endsWith(QStringLiteral("Sphinx of black quartz")));
        w->findChild<QAction *>(QStringLiteral("tbBold"))->trigger();
        w->showFace(QStringLiteral("Gamma Mono"));
        pickEntry(QStringLiteral("10"));
        typeIntoBox(QStringLiteral("16"));
        focus(tx, Qt::MouseFocusReason);
        clickTab(1);
        clickTab(0);
        QCOMPARE(tx->toPlainText(), typed);
        QCOMPARE(textSize(), 16.0);
    }
};

VEXLORA_TEST_MAIN(TestPreview, testenv::standardFonts())
#include "tst_preview.moc"
