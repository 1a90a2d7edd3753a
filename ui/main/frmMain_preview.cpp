// Handlers of the preview: size box, views, character map and copy.
#include "ui/main/frmMain.h"
#include "ui_frmMain.h"

#include "base/numbers.h"
#include "preview/FlexGrid.h"
#include "preview/charmap.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <cfloat>
#include <cmath>

namespace {

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

} // namespace

void frmMain::setupPreview()
{
    SizeBox *box = ui->cmbSize;
    // Inline completion would turn a typed "7" into "72" (the .ui has no word for "none").
    box->setCompleter(nullptr);
    connect(box, &SizeBox::Click, this, &frmMain::cmbSize_Click);
    connect(box, &SizeBox::KeyDown, this, &frmMain::cmbSize_KeyDown);
    connect(box, &SizeBox::GotFocus, this, &frmMain::cmbSize_GotFocus);
    connect(box, &SizeBox::Validate, this, &frmMain::cmbSize_Validate);
    connect(box, &SizeBox::LostFocus, this, &frmMain::cmbSize_LostFocus);

    connect(ui->tsPreview, &TabStrip::Click, this, &frmMain::tsPreview_Click);
    flexGrid_ = new FlexGrid(ui->flxPreview);
    connect(flexGrid_, &FlexGrid::mouseDown, this, &frmMain::flxPreview_MouseDown);
    connect(ui->mnuCopy, &QAction::triggered, this, &frmMain::mnuCopy_Click);
    connect(ui->flxPreview, &MapTable::copyKey, ui->mnuCopy, &QAction::trigger);
    connect(ui->flxPreview, &MapTable::menuKey, this, [this](const QPoint &globalPos) {
        ui->mnuPopup->popup(globalPos);
        ui->mnuPopup->setActiveAction(ui->mnuCopy); // opened from the keyboard: Enter copies
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
    if (keyCode == SizeBox::kEnterKey)
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
