// Handlers of the font browser and the installed-fonts list.
#include "frmMain.h"
#include "ui_frmMain.h"

#include "fonts/FontTable.h"

void frmMain::setupFonts() {}
void frmMain::fillInstalledFonts() {}
void frmMain::lstInst_ItemClick(QTreeWidgetItem *) {}
void frmMain::Drive1_Change() {}
void frmMain::Dir1_NodeClick(QTreeWidgetItem *) {}
void frmMain::Dir1_DblClick() {}
void frmMain::File1_Click() {}
QString frmMain::getDriveRoot(const QString &) const { return {}; }
void frmMain::fillFolderNodes(const QString &, QTreeWidgetItem *) {}
void frmMain::listFontFiles(const QString &) {}
QString frmMain::getNewFontName() { return {}; }
