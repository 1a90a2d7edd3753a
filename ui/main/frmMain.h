#pragma once

#include "fonts/TrialLoader.h"
#include "ui/main/layout.h"

#include <QString>
#include <QWidget>

class FlexGrid;
class ImageList;
class QAction;
class QTreeWidgetItem;

namespace Ui {
class frmMain;
}

// The working window: toolbar, mode tabs with the font browser and the installed fonts,
// preview tabs with the free text and the character map.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The first face the font table lists now that was not installed when the window loaded;
    // "" when there is none.
    QString getNewFontName();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    // Named after their control and event.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void Toolbar1_ButtonClick(QAction *button);
    void tsType_Click();

    // fonts: installed fonts, drives and folders, font file list and trial loading
    void lstInst_ItemClick();
    void Drive1_Change();
    void Dir1_NodeClick(QTreeWidgetItem *node);
    void Dir1_DblClick();
    void Dir1_Expand(QTreeWidgetItem *node);
    void File1_Click();

    // preview: size box, views, character map and copy
    void cmbSize_Click();
    void cmbSize_KeyDown(int keyCode);
    void cmbSize_GotFocus();
    void cmbSize_Validate();
    void cmbSize_LostFocus();
    void tsPreview_Click();
    void flxPreview_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void mnuCopy_Click();

private:
    // The procedures the handlers share.
    void fillInstalledFonts();
    QString getDriveRoot(const QString &driveText) const;
    void fillFolderNodes(const QString &folderPath, QTreeWidgetItem *parentNode);
    void listFontFiles(const QString &folderPath);
    void showFace(const QString &face);
    void fillCharMap();
    void installFont();

    // The wiring of each subsystem, in the file that holds its handlers.
    void setupToolbar();
    void setupFonts();
    void setupPreview();
    void applyGeometry();

    Ui::frmMain *ui;
    ImageList *ImageList1 = nullptr;
    ImageList *ImageList2 = nullptr;
    QAction *tbSeparator1 = nullptr; // follows the mode, as the Install button's neighbour
    FlexGrid *flexGrid_ = nullptr;   // the character map's cells, sizes in twips

    // The window's state: the fonts folder, the trial loading (trialFontFile and
    // installedFontNames) and the size text when the size box last got the focus.
    QString fontFolder;
    fonts::TrialLoader trial_;
    QString lastSizeText;

    WindowGeometry geometry_; // the layout in twips, as the last pass left it
    bool loaded_ = false;
};
