#pragma once

#include <QString>
#include <QWidget>

#include <memory>

#include "fonts/FaceCollection.h"
#include "ui/main/layout.h"

class QAction;
class QMenu;
class QTreeWidgetItem;
class ImageList;

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

    // ---- state fields, shared by the subsystems; nothing of them outlives the window ----
    QString fontFolder;     // where Install copies to, ending in the separator
    QString trialFontFile;  // the file now added to the font table for preview; empty at first
    QString lastSizeText;   // the size text when the size box last got the focus
    // Faces installed when the window loaded; created on first use.
    FaceCollection &installedFontNames();
    bool hasInstalledFontNames() const { return static_cast<bool>(installedFontNames_); }

    // The first face the font table lists now that was not installed at load, or "".
    QString getNewFontName();

    // The face hand-over: both preview views take the face, nothing else changes.
    void showFace(const QString &face);

    // The layout model in twips, as the last layout pass left it (tests read it).
    const WindowGeometry &geometryTwips() const { return geometry_; }

    // ---- handlers (named after their control and event) ----
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void picBrowse_Resize();
    void picInst_Resize();
    void Toolbar1_ButtonClick(QAction *button);
    void tsType_Click();

    // fonts: installed fonts, drives and folders, font file list and trial loading
    void fillInstalledFonts();
    void lstInst_ItemClick(QTreeWidgetItem *item);
    void Drive1_Change();
    void Dir1_NodeClick(QTreeWidgetItem *node);
    void Dir1_DblClick();
    void File1_Click();
    QString getDriveRoot(const QString &driveText) const;
    void fillFolderNodes(const QString &folderPath, QTreeWidgetItem *parentNode);
    void listFontFiles(const QString &folderPath);

    // preview: size box, views, character map and copy
    void cmbSize_Click();
    void cmbSize_KeyDown(int keyCode);
    void cmbSize_GotFocus();
    void cmbSize_Validate();
    void cmbSize_LostFocus();
    void tsPreview_Click();
    void fillCharMap();
    void flxPreview_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void mnuCopy_Click();

    // install (the Install toolbar command once a trial file is loaded)
    void installFont();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Wiring of each subsystem, in the file that implements its handlers.
    void setupToolbar();
    void setupFonts();
    void setupPreview();
    void applyGeometry();

    Ui::frmMain *ui;
    ImageList *ImageList1 = nullptr;
    ImageList *ImageList2 = nullptr;
    QMenu *mnuPopup = nullptr;
    QAction *mnuCopy = nullptr;
    std::unique_ptr<FaceCollection> installedFontNames_;
    WindowGeometry geometry_;
    bool loaded_ = false;
    // preview: the character map's cells (sizes in twips), and the size box's focus bookkeeping
    class FlexGrid *flexGrid_ = nullptr;
    bool sizeBoxFocused_ = false;  // the size box is the window's focus control
    bool sizeBoxSettling_ = false; // the box is handling Enter or its focus-out by itself
};
