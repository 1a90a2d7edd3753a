#include "ui/dialogs/frmAbout.h"
#include "ui_frmAbout.h"

#include "base/version.h"
#include "ui/dialogs/clickable.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/handcursor.h"
#include "ui/dialogs/links.h"
#include "ui/dialogs/look.h"

QString frmAbout::copyrightLine()
{
    return QStringLiteral("Copyright \u00A9 2007 Vexlora Software. All rights reserved.");
}

frmAbout::frmAbout(QWidget *owner)
    // A fixed dialog with a close box and nothing else: no minimise or maximise button, and the
    // thin fixed border where the platform has one.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , ui(new Ui::frmAbout)
{
    ui->setupUi(this);
    // What frmAbout.ui cannot say: fractional point sizes, texts from the build settings,
    // colours taken from the style, and the pictured pointer.
    setFont(pointFont(QStringLiteral("Tahoma"), 8.25));
    ui->Label1->setFont(pointFont(QStringLiteral("Verdana"), 20.25, true));
    ui->Label2->setFont(pointFont(QStringLiteral("Arial"), 12, true, true));
    ui->Label1->setText(QStringLiteral(VEXLORA_TITLE));
    ui->Label2->setText(links::siteText());
    // The etched separator: the style's shadow over its highlight, under the white area.
    for (auto [line, role] : {std::pair{ui->Line1, QPalette::Dark}, std::pair{ui->Line2, QPalette::Light}}) {
        QPalette p = line->palette();
        p.setColor(QPalette::Window, palette().color(role));
        line->setPalette(p);
    }
    ui->Image2->setCursor(handCursor());
    ui->Label2->setCursor(handCursor());

    connect(Clickable::on(ui->Image2), &Clickable::clicked, this, &frmAbout::Image2_Click);
    connect(Clickable::on(ui->Label2), &Clickable::clicked, this, &frmAbout::Label2_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    // The box opens on Ok, the first of its stops: Qt would start on the first link in the
    // order the controls were made, and Enter there would open the donation page.
    ui->Command1->setFocus();
    Form_Load();
}

frmAbout::~frmAbout()
{
    delete ui;
}

void frmAbout::Form_Load()
{
    //: Follows the copyright line; with it, three short lines of the About box.
    const QString plea = tr("This program is provided for free. Please consider donating to "
                            "support the development of new features and bug fixes!");
    ui->Label5->setText(copyrightLine() + QStringLiteral("\r\n") + plea);
}

void frmAbout::showEvent(QShowEvent *event)
{
    // Measured as shown, in the faces the labels have once polished, whatever stands in for
    // the ones the box was drawn for.
    if (!fitted_) {
        fitted_ = true;
        narrowToFit(ui->Label5);
        narrowToFit(ui->Label2);
        // The link is the box's last line above the separator, and may reach down to it.
        lengthenToFit(ui->Label2, ui->Line1->y());
    }
    QDialog::showEvent(event);
}

void frmAbout::Image2_Click()
{
    links::open(links::donationPage());
}

void frmAbout::Label2_Click()
{
    links::open(links::homePage());
}

void frmAbout::Command1_Click()
{
    accept();
}
