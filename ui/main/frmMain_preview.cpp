// Handlers of the preview: size box, views, character map and copy.
#include "frmMain.h"
#include "ui_frmMain.h"

void frmMain::setupPreview() {}
void frmMain::showFace(const QString &face)
{
    QFont f = ui->txPreview->font();
    f.setFamily(face);
    ui->txPreview->setFont(f);
    QFont g = ui->flxPreview->font();
    g.setFamily(face);
    ui->flxPreview->setFont(g);
}
void frmMain::cmbSize_Click() {}
void frmMain::cmbSize_KeyDown(int) {}
void frmMain::cmbSize_GotFocus() {}
void frmMain::cmbSize_Validate() {}
void frmMain::cmbSize_LostFocus() {}
void frmMain::tsPreview_Click() {}
void frmMain::fillCharMap() {}
void frmMain::flxPreview_MouseDown(Qt::MouseButton, const QPoint &) {}
void frmMain::mnuCopy_Click() {}
