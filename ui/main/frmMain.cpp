#include "frmMain.h"
#include "ui_frmMain.h"

#include "app/platform.h"
#include "fonts/FontTable.h"
#include "fonts/folders.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/main/ImageList.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace {

QFont pointFont(const QString &family, qreal points, bool bold = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

const char kImageIndex[] = "imageIndex"; // picture number of a toolbar button in ImageList1

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::frmMain)
    , geometry_(WindowGeometry::designTime())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(pointFont(QStringLiteral("Tahoma"), 8.25));
    setWindowIcon(QIcon(QStringLiteral(":/resources/vexlora.svg")));

    ImageList1 = new ImageList(QStringLiteral("ImageList1"), QSize(24, 24), this);
    for (const char *key : {"inst", "bold", "ita", "size", "about"})
        ImageList1->add(QStringLiteral(":/resources/%1.svg").arg(QLatin1String(key)), QLatin1String(key));
    ImageList2 = new ImageList(QStringLiteral("ImageList2"), QSize(16, 16), this);
    ImageList2->add(QStringLiteral(":/resources/folder.svg"));
    ImageList2->add(QStringLiteral(":/resources/fontfile.svg"));

    setupToolbar();

    ui->tsType->setTabs({QStringLiteral("Font Browser"), QStringLiteral("Installed fonts")});
    connect(ui->tsType, &TabStrip::Click, this, &frmMain::tsType_Click);
    ui->tsPreview->setTabs({QStringLiteral("Free text"), QStringLiteral("Charchter Map")});
    connect(ui->tsPreview, &TabStrip::Click, this, &frmMain::tsPreview_Click);
    ui->picInst->hide();

    ui->Drive1->setFont(pointFont(QStringLiteral("MS Sans Serif"), 8.25));
    ui->Dir1->setIconSize(QSize(16, 16));
    ui->File1->setIconSize(QSize(16, 16));
    ui->lstInst->setIconSize(QSize(16, 16));
    ui->lstInst->header()->setStretchLastSection(false);

    QFont sample = pointFont(QStringLiteral("Arial"), 36);
    ui->txPreview->setFont(sample);
    ui->txPreview->setPlainText(QStringLiteral("The Quick \nBrown Fox \nJumps over the \nlazy dog\n"));
    ui->flxPreview->hide();

    mnuPopup = new QMenu(QStringLiteral("(popup)"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuCopy = new QAction(QStringLiteral("&Copy"), mnuPopup);
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuPopup->addAction(mnuCopy);

    setupFonts();
    setupPreview();

    // Reparenting the size box into the toolbar took it out of the chain: set the order anew.
    QWidget *order[] = {ui->txPreview, ui->Toolbar1, ui->cmbSize, ui->tsType, ui->picBrowse,
                        ui->txFontName, ui->File1, ui->Dir1, ui->Drive1, ui->picInst,
                        ui->lstInst, ui->flxPreview, ui->tsPreview};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    // Client area 9600 x 7710 twips, centred on the screen.
    resize(twipsToPixels(9600), twipsToPixels(7710));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

frmMain::~frmMain()
{
    delete ui;
}

void frmMain::setupToolbar()
{
    QToolBar *bar = ui->Toolbar1;
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);

    auto button = [&](const char *name, int picture, const QString &tip, bool check) {
        auto *a = new QAction(ImageList1->icon(picture), QString(), this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        a->setCheckable(check);
        a->setProperty(kImageIndex, picture);
        bar->addAction(a);
        if (auto *w = bar->widgetForAction(a))
            w->setFixedSize(31, 30);
        return a;
    };
    QAction *install = button("tbInstall", 1, QStringLiteral("Install the selected font"), false);
    install->setStatusTip(QStringLiteral("Install the selected font"));
    install->setWhatsThis(QStringLiteral("Install the selected font"));
    bar->addSeparator()->setObjectName(QStringLiteral("tbSeparator1"));
    button("tbBold", 2, QStringLiteral("Bold"), true);
    button("tbItalic", 3, QStringLiteral("Italic"), true);
    bar->addSeparator()->setObjectName(QStringLiteral("tbSeparator2"));

    // The placeholder, 800 twips wide, that carries the size box.
    auto *holder = new QWidget(bar);
    holder->setObjectName(QStringLiteral("tbSizeHolder"));
    holder->setFixedSize(twipsToPixels(800), 30);
    ui->cmbSize->setParent(holder);
    ui->cmbSize->setFont(pointFont(QStringLiteral("Tahoma"), 9.75, true));
    const int boxHeight = qMin(30, ui->cmbSize->sizeHint().height());
    ui->cmbSize->setGeometry(0, (30 - boxHeight) / 2, twipsToPixels(800), boxHeight);
    bar->addWidget(holder)->setObjectName(QStringLiteral("tbSizePlaceholder"));

    button("tbAbout", 5, QStringLiteral("About"), false);
    connect(bar, &QToolBar::actionTriggered, this, &frmMain::Toolbar1_ButtonClick);
}

FaceCollection &frmMain::installedFontNames()
{
    if (!installedFontNames_)
        installedFontNames_ = std::make_unique<FaceCollection>();
    return *installedFontNames_;
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
    FontTable::instance().remove(trialFontFile);
    if (installedFontNames_)
        installedFontNames_->clear();
}

void frmMain::Toolbar1_ButtonClick(QAction *button)
{
    if (!button)
        return;
    switch (button->property(kImageIndex).toInt()) {
    case 1:
        if (trialFontFile.isEmpty())
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
    if (QAction *sep = findChild<QAction *>(QStringLiteral("tbSeparator1")))
        sep->setEnabled(browse);
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
    geometry_.Toolbar1 = {0, 0, width() * kTwipsPerPixel, ui->Toolbar1->height() * kTwipsPerPixel};
    Form_Resize();
}

void frmMain::Form_Resize()
{
    if (isMinimized())
        return;
    layoutWindow(geometry_, width() * kTwipsPerPixel, height() * kTwipsPerPixel,
                 ui->Toolbar1->height() * kTwipsPerPixel);
    applyGeometry();
}

void frmMain::picBrowse_Resize()
{
    layoutBrowsePane(geometry_);
    applyGeometry();
}

void frmMain::picInst_Resize()
{
    layoutInstPane(geometry_);
    applyGeometry();
}

void frmMain::applyGeometry()
{
    auto place = [](QWidget *w, const TwipRect &r) {
        w->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                       twipsToPixels(r.height));
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
