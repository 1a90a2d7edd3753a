// Handlers of the preview: size box, views, character map and copy.
#include "ui/main/frmMain.h"
#include "ui_frmMain.h"

#include "base/numbers.h"
#include "preview/FlexGrid.h"
#include "preview/charmap.h"
#include "ui/main/EventHook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTableWidget>

#include <cfloat>
#include <cmath>
#include <utility>

namespace {

constexpr int kEnterKey = 13;

// The text box takes its size in single precision. A size the font system refuses leaves the
// old one in place, without a message.
void setTextPointSize(QWidget *box, double value)
{
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return;
    const float points = static_cast<float>(value);
    if (!preview::pointSizeAccepted(points))
        return;
    QFont f = box->font();
    f.setPointSizeF(points);
    box->setFont(f);
}

// Key code of a key press as the size box's KeyDown handler sees it: 13 for Enter (either
// key), the character's code for plain keys, 0 for the rest.
int keyDownCode(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return kEnterKey;
    return key > 0 && key < 0x100 ? key : 0;
}

} // namespace

void frmMain::setupPreview()
{
    QComboBox *box = ui->cmbSize;
    // Inline completion would turn a typed "7" into "72" (the .ui has no word for "none").
    box->setCompleter(nullptr);

    connect(box, &QComboBox::activated, this, [this](int index) {
        if (!sizeBoxSettling_ && std::exchange(sizeListApplied_, -1) != index)
            cmbSize_Click();
    });
    // In the open list each entry the arrow keys move to is applied at once, as a click on it
    // would be; closing the list on that entry then applies nothing more.
    QAbstractItemView *list = box->view();
    new EventHook(list, [this, box, list](QEvent *event) {
        if (event->type() == QEvent::Show)
            sizeListApplied_ = -1;
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        static const QList<int> moves{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        if (!moves.contains(key->key()) || (key->modifiers() & Qt::AltModifier))
            return false; // Alt+arrows, Enter and Escape close the list
        const int before = list->currentIndex().row();
        static_cast<QObject *>(list)->event(event);
        const int row = list->currentIndex().row();
        if (row >= 0 && row != before) {
            box->setCurrentIndex(row);
            sizeListApplied_ = row;
            cmbSize_Click();
        }
        return true;
    });
    new EventHook(box, [this, box](QEvent *event) {
        if (event->type() == QEvent::KeyPress) {
            const int code = keyDownCode(static_cast<QKeyEvent *>(event));
            cmbSize_KeyDown(code);
            if (code != kEnterKey)
                return false;
        } else if (event->type() != QEvent::FocusOut) {
            return false;
        }
        // On Enter and on losing the focus the box finishes its editing, and reports a text
        // that equals an entry as if that entry had been picked. Neither is a size chosen:
        // Enter has just run its own operation, and leaving the box has its own path.
        QScopedValueRollback<bool> settling(sizeBoxSettling_, true);
        static_cast<QObject *>(box)->event(event);
        return true;
    });

    // The box is entered and left when the window's focus control changes to or from it. The
    // window keeps its focus control while its list is open or another window is active, so
    // neither of those counts as leaving, nor coming back from them as entering.
    // Focus that goes to no control at all (a window closing, a control going away) moves
    // nowhere: the next control that takes it decides.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || !isVisible())
            return;
        const QWidget *fw = focusWidget();
        const bool inBox = fw && (fw == ui->cmbSize || ui->cmbSize->isAncestorOf(fw));
        if (inBox == sizeBoxFocused_)
            return;
        sizeBoxFocused_ = inBox;
        if (inBox) {
            cmbSize_GotFocus();
        } else {
            cmbSize_Validate();
            cmbSize_LostFocus();
        }
    });

    connect(ui->tsPreview, &TabStrip::Click, this, &frmMain::tsPreview_Click);
    flexGrid_ = new FlexGrid(ui->flxPreview);
    connect(flexGrid_, &FlexGrid::mouseDown, this, &frmMain::flxPreview_MouseDown);
    connect(ui->mnuCopy, &QAction::triggered, this, &frmMain::mnuCopy_Click);
    // The keyboard's way to Copy: the context-menu key and Shift+F10 open the menu at the
    // current cell, Ctrl+C runs its Copy item at once.
    new EventHook(ui->flxPreview, [this](QEvent *event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            ui->mnuCopy->trigger();
            return true;
        }
        if (key->key() != Qt::Key_Menu && !(key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier))
            return false;
        QTableWidget *grid = ui->flxPreview;
        grid->scrollTo(grid->currentIndex());
        ui->mnuPopup->popup(grid->viewport()->mapToGlobal(grid->visualRect(grid->currentIndex()).center()));
        ui->mnuPopup->setActiveAction(ui->mnuCopy); // opened from the keyboard: Enter copies
        return true;
    });
}

void frmMain::showFace(const QString &face)
{
    const QString family = trial_.familyToDraw(face);
    for (QWidget *view : {static_cast<QWidget *>(ui->txPreview), static_cast<QWidget *>(ui->flxPreview)}) {
        QFont f = view->font();
        f.setFamily(family);
        view->setFont(f);
    }
}

void frmMain::cmbSize_Click()
{
    const double size = numbers::sizeValue(ui->cmbSize->currentText());
    setTextPointSize(ui->txPreview, size);
    flexGrid_->setFontSize(size);
    fillCharMap();
}

void frmMain::cmbSize_KeyDown(int keyCode)
{
    if (keyCode == kEnterKey)
        cmbSize_Click();
}

void frmMain::cmbSize_GotFocus()
{
    lastSizeText = ui->cmbSize->currentText();
}

void frmMain::cmbSize_Validate()
{
    setTextPointSize(ui->txPreview, numbers::sizeValue(ui->cmbSize->currentText()));
}

void frmMain::cmbSize_LostFocus()
{
    if (!numbers::numberIn(ui->cmbSize->currentText()))
        ui->cmbSize->setEditText(lastSizeText);
}

void frmMain::tsPreview_Click()
{
    if (ui->tsPreview->selectedIndex() == 1) {
        ui->txPreview->setVisible(true);
        ui->flxPreview->setVisible(false);
    } else {
        ui->txPreview->setVisible(false);
        ui->flxPreview->setVisible(true);
        fillCharMap();
    }
}

void frmMain::fillCharMap()
{
    preview::fillCharMap(*flexGrid_, ui->cmbSize->currentText());
}

void frmMain::flxPreview_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        ui->mnuPopup->popup(globalPos);
}

void frmMain::mnuCopy_Click()
{
    const QString text = flexGrid_->textMatrix(flexGrid_->row(), flexGrid_->col());
    // A clipboard that cannot be opened takes nothing; the program goes on.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text, QClipboard::Clipboard);
}
