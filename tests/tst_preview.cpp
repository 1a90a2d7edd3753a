#include "support/testwindows.h"

#include "preview/FlexGrid.h"
#include "ui/main/SizeBox.h"
#include "ui/main/TabStrip.h"

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
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>

// The preview as a person drives it: the main window, its size box, views and character map.
struct Preview
{
    testenv::MainWindow win;
    QComboBox *box = win.get<QComboBox>("cmbSize");
    QPlainTextEdit *tx = win.get<QPlainTextEdit>("txPreview");
    QTableWidget *flx = win.get<QTableWidget>("flxPreview");
    FlexGrid *grid = win->findChild<FlexGrid *>();
    TabStrip *ts = win.get<TabStrip>("tsPreview");
    QSignalSpy cells{flx, &QTableWidget::currentCellChanged};

    Preview() { focus(tx); }
    // Every fill makes each of the 225 cells current in turn; only the very first one starts
    // on a cell it then makes current again (1, 1), so it reports one change fewer.
    int fills() const { return int((cells.count() + 224) / 225); }
    double textSize() const { return tx->font().pointSizeF(); }
    void focus(QWidget *target) const
    {
        target->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), target);
    }
    void type(const QString &text) const
    {
        focus(box);
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void pick(const QString &entry) const
    {
        box->showPopup();
        QAbstractItemView *view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QRect r = view->visualRect(view->model()->index(box->findText(entry), 0));
        QTest::mouseMove(view->viewport(), r.center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTRY_VERIFY(!view->isVisible());
    }
    void clickTab(int index) const { testenv::clickTab(ts, index); }
};

using Steps = std::function<void(Preview &)>;
Q_DECLARE_METATYPE(Steps)

class TestPreview : public QObject
{
    Q_OBJECT

    static inline QtMessageHandler previousHandler = nullptr;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        // The headless platform says so each time a list or menu pops up; nothing to see.
        previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previousHandler(type, context, message);
        });
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void sizeBox_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<double>("text"); // the free text's size afterwards
        QTest::addColumn<int>("cell");    // the map's cell side in twips; 0: never filled
        QTest::addColumn<int>("fills");
        QTest::addColumn<QString>("shown"); // the box's text
        auto typed = [](const QString &t) { return Steps([=](Preview &p) { p.type(t); QTest::keyClick(p.box, Qt::Key_Enter, Qt::KeypadModifier); }); };
        auto leaving = [](const QString &t) { return Steps([=](Preview &p) { p.type(t); p.focus(p.tx); }); };
        QTest::newRow("entry picked from the list") << Steps([](Preview &p) { p.pick(" 8"); }) << 8.0 << 200 << 1 << " 8";
        QTest::newRow("arrow keys, list closed") << Steps([](Preview &p) {
            p.focus(p.box);
            for (Qt::Key k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down})
                QTest::keyClick(p.box, k);
        }) << 72.0 << 1800 << 3 << "72";
        QTest::newRow("arrow keys, list open: each entry once; opened again, it applies again") << Steps([](Preview &p) {
            p.box->showPopup();
            for (Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Return})
                QTest::keyClick(p.box->view(), k);
            p.box->showPopup();
            QTest::keyClick(p.box->view(), Qt::Key_Down);
            p.box->hidePopup();
            p.pick("28");
        }) << 28.0 << 700 << 4 << "28";
        QTest::newRow("Enter, once though 20 is listed") << typed("20") << 20.0 << 500 << 1 << "20";
        QTest::newRow("Return, unlisted") << Steps([](Preview &p) { p.type("9"); QTest::keyClick(p.box, Qt::Key_Return); }) << 9.0 << 225 << 1 << "9";
        QTest::newRow("unlisted size, not completed, nothing inserted") << typed("7") << 7.0 << 175 << 1 << "7";
        for (const char *refused : {"0", "-5", "1639", "1e999", "abc"})
            QTest::addRow("refused %s keeps the old sizes", refused) << typed(QString::fromLatin1(refused)) << 36.0 << 0 << 0
                                                                 << QString::fromLatin1(refused);
        // Leaving validates the text's size by the size rules; it keeps the box's text only
        // when it is a number in the user's locale, and never fills the map.
        QTest::newRow("leaving by Tab") << Steps([](Preview &p) { p.pick("12"); p.type("20"); QTest::keyClick(p.box, Qt::Key_Tab); })
                                        << 20.0 << 300 << 1 << "20";
        QTest::newRow("leaving with 12abc") << leaving("12abc") << 12.0 << 0 << 0 << "36";
        QTest::newRow("leaving with hex") << leaving("&H10") << 16.0 << 0 << 0 << "&H10";
        QTest::newRow("leaving with 1.000,5 in German") << Steps([](Preview &p) {
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            p.type("1.000,5");
            p.focus(p.tx);
        }) << 1.0 << 0 << 0 << "1.000,5";
        QTest::newRow("text restored is the one at gaining the focus") << Steps([](Preview &p) {
            p.type("22");
            p.focus(p.tx);
            p.type("x");
            p.focus(p.tx);
        }) << 22.0 << 0 << 0 << "22";
        QTest::newRow("the box's own list and another window are not leaving") << Steps([](Preview &p) {
            p.type("12abc");
            p.box->showPopup();
            QTRY_VERIFY(p.box->view()->isVisible());
            p.box->hidePopup();
            QTRY_COMPARE(QApplication::focusWidget(), p.box);
            QLineEdit other;
            other.show();
            other.setFocus();
            QApplication::setActiveWindow(&other);
            QTRY_COMPARE(QApplication::focusWidget(), &other);
            QApplication::setActiveWindow(p.win.w.get());
            QTRY_COMPARE(QApplication::focusWidget(), p.box);
            QCOMPARE(p.textSize(), 36.0);
            QCOMPARE(p.box->currentText(), QStringLiteral("12abc"));
            p.focus(p.tx);
        }) << 12.0 << 0 << 0 << "36";
        // Choosing the map leaves the box first, then fills with what the box holds.
        QTest::newRow("map tab after abc") << Steps([](Preview &p) { p.type("abc"); p.clickTab(1); }) << 36.0 << 900 << 1 << "36";
        QTest::newRow("map tab after 12") << Steps([](Preview &p) { p.type("12"); p.clickTab(1); }) << 12.0 << 300 << 1 << "12";
        QTest::newRow("map by key, the map again refills, the text never") << Steps([](Preview &p) {
            QTest::keyClick(p.ts->tabBar(), Qt::Key_Right);
            p.clickTab(1);
            p.clickTab(0);
            p.clickTab(0);
        }) << 36.0 << 900 << 2 << "36";
    }
    void sizeBox()
    {
        QFETCH(Steps, steps);
        QFETCH(double, text);
        QFETCH(int, cell);
        QFETCH(int, fills);
        QFETCH(QString, shown);
        Preview p;
        steps(p);
        QCOMPARE(p.textSize(), text);
        QCOMPARE(p.grid->colWidth(1), cell ? cell : FlexGrid::kDefaultColTwips);
        QCOMPARE(p.fills(), fills);
        QCOMPARE(p.box->currentText(), shown);
        QCOMPARE(p.box->count(), 13);
        QCOMPARE(QList<bool>({p.tx->isVisible(), p.flx->isVisible()}), QList<bool>({p.ts->selectedIndex() == 1, p.ts->selectedIndex() == 2}));
    }

    // The largest size there is, typed into the box, shows whole beside the button, with the box
    // at its own place and width, even in a face wider than the one that stands in for Tahoma.
    void sizeBoxShowsFourDigits()
    {
        const QString face = QStringLiteral("Gamma Mono");
        Preview p;
        const QRect place = p.box->geometry();
        QCOMPARE(place, QRect(116, 4, 45, place.height())); // 1740, 60 and 675 twips in the toolbar
        p.box->setFont(QFont(face, 10, QFont::Bold)); // about the box's own 9.75 points
        fitSizeBox(p.box);
        QCOMPARE(QFontInfo(p.box->font()).family(), face);
        p.type(QStringLiteral("1638"));
        QCOMPARE(p.box->currentText(), QStringLiteral("1638"));
        QCOMPARE(p.box->geometry(), place);

        QLineEdit *edit = p.box->lineEdit();
        const int advance = QFontMetrics(edit->font()).horizontalAdvance(QStringLiteral("1638"));
        // What a line edit shows unscrolled: its rect less its text margins and the 2 pixels it
        // keeps clear on each side; the cursor after the last digit takes one more.
        const QRect visible = edit->rect().marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);
        QVERIFY2(advance + 1 <= visible.width(), qPrintable(QStringLiteral("%1 in %2").arg(advance).arg(visible.width())));
        QStyleOptionComboBox opt;
        opt.initFrom(p.box);
        opt.editable = true;
        const QRect button = p.box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, p.box);
        QVERIFY(p.box->rect().contains(edit->geometry()) && p.box->rect().contains(button));
        QVERIFY(edit->geometry().right() < button.left() && button.width() >= 9); // the button stays one
    }

    // Clicks and keys in the map, then a copy: the menu's Copy item, or Ctrl+C.
    void mapClicksAndCopy_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QPoint>("current"); // (row, column) current afterwards
        QTest::addColumn<bool>("menu");
        QTest::addColumn<QString>("copied");
        auto copy = [](const Steps &first) { return Steps([=](Preview &p) { first(p); p.win.get<QAction>("mnuCopy")->trigger(); }); };
        auto click = [](Qt::MouseButton button, int row, int col) {
            return Steps([=](Preview &p) { QTest::mouseClick(p.flx->viewport(), button, {}, p.flx->visualItemRect(p.flx->item(row, col)).center()); });
        };
        // On the strip along the top (over column 5) or the one down the left (beside row 5).
        auto clickStrip = [](Qt::MouseButton button, Qt::Orientation strip) {
            return Steps([=](Preview &p) {
                QHeaderView *h = strip == Qt::Horizontal ? p.flx->horizontalHeader() : p.flx->verticalHeader();
                const int along = h->sectionViewportPosition(5) + h->sectionSize(5) / 2;
                QTest::mouseClick(h->viewport(), button, {}, strip == Qt::Horizontal ? QPoint(along, 1) : QPoint(1, along));
            });
        };
        auto keys = [](QList<QKeyCombination> combos) {
            return Steps([=](Preview &p) { for (QKeyCombination k : combos) QTest::keyClick(p.flx, k.key(), k.keyboardModifiers()); });
        };
        auto enterInMenu = [](const Steps &open) {
            return Steps([=](Preview &p) { open(p); QTRY_VERIFY(p.win.get<QMenu>("mnuPopup")->isVisible()); QTest::keyClick(p.win.get<QMenu>("mnuPopup"), Qt::Key_Return); });
        };
        const QPoint last(15, 15);
        QTest::newRow("right after a fill: code 224") << copy(keys({})) << last << false << "\u00E0";
        QTest::newRow("left on A") << copy(click(Qt::LeftButton, 5, 6)) << QPoint(5, 6) << false << "A";
        QTest::newRow("left on code 0: one NUL") << copy(click(Qt::LeftButton, 1, 1)) << QPoint(1, 1) << false << QString(QChar(0));
        QTest::newRow("right: menu, the cell stays") << copy(click(Qt::RightButton, 9, 9)) << last << true << "\u00E0";
        QTest::newRow("middle: no menu, the cell stays") << copy(click(Qt::MiddleButton, 3, 4)) << last << false << "\u00E0";
        QTest::newRow("right on the top strip: menu") << copy(clickStrip(Qt::RightButton, Qt::Horizontal)) << last << true << "\u00E0";
        QTest::newRow("right on the left strip: menu") << copy(clickStrip(Qt::RightButton, Qt::Vertical)) << last << true << "\u00E0";
        QTest::newRow("Shift+F10, Enter") << enterInMenu(keys({Qt::Key_Left, Qt::SHIFT | Qt::Key_F10})) << QPoint(15, 14) << false << "\u00DF";
        QTest::newRow("context-menu key, Enter") << enterInMenu(keys({Qt::Key_Up, Qt::Key_Menu})) << QPoint(14, 15) << false << "\u00D1";
        QTest::newRow("Ctrl+C") << keys({Qt::Key_Up, Qt::CTRL | Qt::Key_C}) << QPoint(14, 15) << false << "\u00D1";
    }
    void mapClicksAndCopy()
    {
        QFETCH(Steps, steps);
        QFETCH(QPoint, current);
        QFETCH(bool, menu);
        QFETCH(QString, copied);
        Preview p;
        p.pick(QStringLiteral(" 8")); // small cells: the whole map in view
        p.clickTab(1);
        QGuiApplication::clipboard()->clear();
        steps(p);
        auto *popup = p.win.get<QMenu>("mnuPopup");
        if (menu)
            QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->isVisible(), menu);
        popup->close();
        QCOMPARE(QPoint(p.grid->row(), p.grid->col()), current);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // A face picked in the installed list by mouse, then by keys (Enter, not moving), with style
    // and views changed around it: the map keeps its cells, the typed text and the empty
    // face-name box (the browser's) stay.
    void installedFaceKeepsTheRest()
    {
        Preview p;
        QTest::keyClicks(p.tx, QStringLiteral("Sphinx of black quartz"));
        const QString typed = p.tx->toPlainText();
        p.clickTab(1);
        auto cellsNow = [&p] {
            QStringList all;
            for (int r = 0; r < 16; ++r)
                for (int c = 0; c < 16; ++c)
                    all << p.grid->textMatrix(r, c) + QString::number(p.grid->colWidth(c));
            return all;
        };
        const QStringList before = cellsNow();
        p.cells.clear();
        p.win.get<QAction>("tbBold")->trigger();
        testenv::clickTab(p.win.get<TabStrip>("tsType"), 1);
        auto *list = p.win.get<QTreeWidget>("lstInst");
        QTreeWidgetItem *gamma = list->findItems(QStringLiteral("Gamma Mono"), Qt::MatchExactly).value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(gamma).center());
        QCOMPARE(QFontInfo(p.tx->font()).family(), QStringLiteral("Gamma Mono"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(QFontInfo(p.tx->font()).family(), QStringLiteral("Gamma Mono"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(QFontInfo(p.flx->font()).family(), QStringLiteral("Beta Serif"));
        QVERIFY(!p.flx->font().bold());
        QCOMPARE(QFontInfo(p.tx->font()).family(), QStringLiteral("Beta Serif"));
        QVERIFY(p.tx->font().bold()); // drawn bold by the font system, which makes it of the regular face
        QCOMPARE(p.win.faceName(), QString());
        QCOMPARE(p.cells.count(), 0);
        QCOMPARE(cellsNow(), before);
        p.clickTab(0);
        QCOMPARE(p.tx->toPlainText(), typed);
    }
};

VEXLORA_TEST_MAIN(TestPreview, testenv::standardFonts())
#include "tst_preview.moc"
