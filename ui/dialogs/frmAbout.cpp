#include "frmAbout.h"
#include "ui_frmAbout.h"

#include "ui/dialogs/clickable.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/handcursor.h"
#include "ui/dialogs/links.h"

#include <QIcon>
#include <QPixmap>

namespace {

QFont pointFont(const QString &family, qreal points, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void setRole(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

} // namespace

QString frmAbout::copyrightLine()
{
    return QStringLiteral("Copyright \u00A9 2007 Vexlora Software. All rights reserved.");
}

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , ui(new Ui::frmAbout)
{
    ui->setupUi(this);
    setFixedSize(322, 216);
    setFont(pointFont(QStringLiteral("Tahoma"), 8.25));
    const QIcon icon(QStringLiteral(":/resources/vexlora.svg"));
    setWindowIcon(icon);

    const QColor green(0, 192, 0);
    setRole(ui->Shape1, QPalette::Window, QColor(255, 255, 255));
    ui->Label1->setText(QStringLiteral("Vexlora " VEXLORA_VERSION));
    ui->Label1->setFont(pointFont(QStringLiteral("Verdana"), 20.25, true));
    setRole(ui->Label1, QPalette::WindowText, green);
    // The hand-drawn 48-pixel picture when there is one, else the window's icon drawn at that size.
    QPixmap big(QStringLiteral(":/resources/vexlora-48.png"));
    ui->Image3->setPixmap(big.isNull() ? icon.pixmap(48, 48) : big);
    ui->Image2->setPixmap(QPixmap(QStringLiteral(":/resources/donate.gif")));
    ui->Image2->setCursor(handCursor());
    ui->Label2->setText(links::siteText());
    ui->Label2->setFont(pointFont(QStringLiteral("Arial"), 12, true, true));
    setRole(ui->Label2, QPalette::WindowText, green);
    ui->Label2->setCursor(handCursor());
    // The etched separator: shadow over highlight, under the white area.
    setRole(ui->Line1, QPalette::Window, palette().color(QPalette::Dark));
    setRole(ui->Line2, QPalette::Window, palette().color(QPalette::Light));

    connect(Clickable::on(ui->Image2), &Clickable::clicked, this, &frmAbout::Image2_Click);
    connect(Clickable::on(ui->Label2), &Clickable::clicked, this, &frmAbout::Label2_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    Form_Load();
    narrowToFit(ui->Label2);
}

frmAbout::~frmAbout()
{
    delete ui;
}

void frmAbout::Form_Load()
{
    ui->Label5->setText(copyrightLine() + QStringLiteral("\r\n")
                        + QStringLiteral("This program is provided for free. Please consider donating to "
                                         "support the development of new features and bug fixes!"));
    narrowToFit(ui->Label5);
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
