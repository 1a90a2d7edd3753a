#include "ui/main/frmMain.h"
#include "ui_frmMain.h"

#include "base/beep.h"
#include "base/units.h"
#include "base/version.h"
#include "fonts/install.h"
#include "fonts/system.h"
#include "preview/FlexGrid.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/look.h"
#include "ui/main/ImageList.h"
#include "ui/main/SizeBox.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using units::twipsToPixels;

namespace {
// The picture number of a toolbar button in ImageList1, a property each action has in frmMain.ui.
const char kImageIndex[] = "imageIndex";
} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::frmMain)
    , geometry_(WindowGeometry::designTime())
{
    ui->setupUi(this);
    // What frmMain.ui cannot say: the title from the build's version, fractional point sizes,
    // the image lists, and the toolbar's separators and size box (setupToolbar).
    setWindowTitle(QStringLiteral(VEXLORA_TITLE));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(pointFont(QStringLiteral("Tahoma"), 8.25));
    ui->Drive1->setFont(pointFont(QStringLiteral("MS Sans Serif"), 8.25));
    ui->cmbSize->setFont(pointFont(QStringLiteral("Tahoma"), 9.75, true));
    ui->txPreview->setFont(pointFont(QStringLiteral("Arial"), 36)); // the sample text's face
    // The previews show a face as it is: a character it lacks is drawn as its own missing glyph,
    // never borrowed from another font. The window's other controls fall back as usual.
    for (QWidget *view : {static_cast<QWidget *>(ui->txPreview), static_cast<QWidget *>(ui->flxPreview)}) {
        QFont f = view->font();
        f.setStyleStrategy(QFont::NoFontMerging);
        view->setFont(f);
    }

    ImageList1 = new ImageList(QStringLiteral("ImageList1"), QSize(24, 24), this);
    for (const char *picture : {"inst", "bold", "ita", "size", "about"})
        ImageList1->add(QStringLiteral(":/resources/%1.svg").arg(QLatin1String(picture)));
    ImageList2 = new ImageList(QStringLiteral("ImageList2"), QSize(16, 16), this);
    ImageList2->add(QStringLiteral(":/resources/folder.svg"));
    ImageList2->add(QStringLiteral(":/resources/fontfile.svg"));

    setupToolbar();
    connect(ui->tsType, &TabStrip::Click, this, &frmMain::tsType_Click);
    setupFonts();
    setupPreview();
    ui->txPreview->setFocus(); // where the window's tab order starts
    // On Linux a combo box tells screen readers its text as its name and leaves what it is for
    // to a label that names it; these labels are for them alone and stay hidden.
    for (QComboBox *box : {ui->Drive1, static_cast<QComboBox *>(ui->cmbSize)}) {
        auto *label = new QLabel(box->accessibleName(), box->parentWidget());
        label->setBuddy(box);
        label->hide();
    }

    // Client area 9600 x 7710 twips, centred on the screen.
    resize(twipsToPixels(9600), twipsToPixels(7710));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmMain::~frmMain()
{
    delete ui;
}

void frmMain::setupToolbar()
{
    ToolBar *bar = ui->Toolbar1;
    for (QAction *button : {ui->tbInstall, ui->tbBold, ui->tbItalic, ui->tbAbout}) {
        button->setIcon(ImageList1->icon(button->property(kImageIndex).toInt()));
        bar->widgetForAction(button)->setFixedSize(31, 30);
    }
    tbSeparator1 = bar->insertSeparator(ui->tbBold);
    bar->insertSeparator(ui->tbAbout);

    // The placeholder, 800 twips wide, that keeps the size box's room between the separator and
    // About. The box itself sits at its own place in the toolbar, where no layout moves it.
    auto *holder = new QWidget(bar);
    holder->setObjectName(QStringLiteral("tbSizeHolder"));
    holder->setFixedSize(twipsToPixels(800), 30);
    bar->insertWidget(ui->tbAbout, holder);
    ui->cmbSize->setParent(bar);
    ui->cmbSize->setGeometry(twipsToPixels(1740), twipsToPixels(60), twipsToPixels(675),
                             qMin(30 - twipsToPixels(60), ui->cmbSize->sizeHint().height()));
    fitSizeBox(ui->cmbSize);

    connect(bar, &QToolBar::actionTriggered, this, &frmMain::Toolbar1_ButtonClick);
    bar->makeOneTabStop(ui->txPreview);
}

QString frmMain::getNewFontName()
{
    return trial_.getNewFontName();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
}

void frmMain::Form_Load()
{
    // Each step stands alone: one that finds nothing leaves its control empty and the next runs.
    fillInstalledFonts();
    fontFolder = fonts::fontsFolder();
    fillFolderNodes(fonts::startFolder(), nullptr);
    listFontFiles(fonts::startFolder());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    trial_.unload();
}

void frmMain::Toolbar1_ButtonClick(QAction *button)
{
    switch (button->property(kImageIndex).toInt()) {
    case 1:
        if (trial_.trialFontFile().isEmpty())
            platform::beep();
        else
            installFont();
        break;
    case 2: {
        QFont f = ui->txPreview->font();
        f.setBold(button->isChecked());
        ui->txPreview->setFont(f);
        break;
    }
    case 3: {
        QFont f = ui->txPreview->font();
        f.setItalic(button->isChecked());
        ui->txPreview->setFont(f);
        break;
    }
    case 5: {
        frmAbout box(this);
        box.exec();
        break;
    }
    default:
        break;
    }
}

void frmMain::tsType_Click()
{
    const bool browse = ui->tsType->selectedIndex() == 1;
    tbSeparator1->setEnabled(browse);
    if (browse) {
        ui->picBrowse->setVisible(true);
        ui->picInst->setVisible(false);
    } else {
        ui->picBrowse->setVisible(false);
        ui->picInst->setVisible(true);
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->Toolbar1->setGeometry(0, 0, width(), twipsToPixels(540));
    Form_Resize();
}

void frmMain::Form_Resize()
{
    if (isMinimized())
        return;
    layoutWindow(geometry_, width() * units::kTwipsPerPixel, height() * units::kTwipsPerPixel,
                 ui->Toolbar1->height() * units::kTwipsPerPixel);
    applyGeometry();
}

void frmMain::applyGeometry()
{
    auto place = [](QWidget *w, const TwipRect &r) {
        w->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width), twipsToPixels(r.height));
    };
    const WindowGeometry &g = geometry_;
    place(ui->tsType, g.tsType);
    place(ui->picBrowse, g.picBrowse);
    place(ui->picInst, g.picInst);
    place(ui->tsPreview, g.tsPreview);
    place(ui->txPreview, g.txPreview);
    place(ui->flxPreview, g.flxPreview);
    place(ui->Drive1, g.Drive1);
    place(ui->Dir1, g.Dir1);
    place(ui->File1, g.File1);
    place(ui->txFontName, g.txFontName);
    place(ui->lstInst, g.lstInst);
    ui->lstInst->header()->resizeSection(0, twipsToPixels(g.lstInstColumn));
}

void frmMain::installFont()
{
    // Nothing else follows an install: the trial font stays loaded and the lists stay as they are.
    const fonts::InstallResult r = fonts::installTrialFont(trial_.trialFontFile(), trial_.trialFontBytes(), ui->txFontName->text(), fontFolder);
    if (fonts::beepsFor(r.outcome))
        platform::beep();
}
