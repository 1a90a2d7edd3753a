#include "ui/dialogs/frmAd.h"
#include "ui_frmAd.h"

#include "base/clock.h"
#include "base/datafolder.h"
#include "base/snooze.h"
#include "ui/dialogs/clickable.h"
#include "ui/dialogs/fit.h"
#include "ui/dialogs/handcursor.h"
#include "ui/dialogs/links.h"
#include "ui/dialogs/look.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <qdrawutil.h>

namespace {
frmAd *theInstance = nullptr;
} // namespace

frmAd *frmAd::instance()
{
    if (!theInstance)
        theInstance = new frmAd;
    return theInstance;
}

QString frmAd::snoozeFilePath()
{
    return Module1::getDataFolder() + QString::fromUtf16(snooze::kFileName);
}

frmAd::frmAd(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::frmAd)
{
    ui->setupUi(this);
    // What frmAd.ui cannot say: the window's kind, fractional point sizes and the pictured
    // pointer. No title bar, no taskbar button, above every other window from the first show on.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // A tool window would not count as the program's last window; this one must, so that no
    // close, however it came about, leaves the program running with nothing on screen.
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose);

    const QString tahoma = QStringLiteral("Tahoma");
    setFont(pointFont(tahoma, 8.25));
    ui->Label2->setFont(pointFont(tahoma, 14.25, true));
    ui->Label6->setFont(pointFont(tahoma, 9.75));
    ui->Command1->setFont(pointFont(tahoma, 14.25, true));
    ui->Picture1->setCursor(handCursor());
    ui->Label5->setCursor(handCursor());

    for (QWidget *w : {static_cast<QWidget *>(ui->Picture1), static_cast<QWidget *>(ui->Image1),
                       static_cast<QWidget *>(ui->Label2), static_cast<QWidget *>(ui->Label3),
                       static_cast<QWidget *>(ui->Label4), static_cast<QWidget *>(ui->Label5),
                       static_cast<QWidget *>(ui->Label6)})
        connect(Clickable::on(w), &Clickable::clicked, this, &frmAd::openProductPage);
    connect(ui->Command1, &QPushButton::clicked, this, &frmAd::Command1_Click);
    // Enter or Space is how people get past a window that opens at start-up. While "Proceed >"
    // is locked the focus rests on the window itself, where they do nothing: the first stop
    // that could take it is the product panel, and a key there would open the browser. The
    // panel is still one Tab away. Unlocking hands the focus on to the button.
    setFocus();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Runs from loading on and is never stopped: each tick sets the same unlocked state again.
    tmrAds = new QTimer(this);
    tmrAds->setObjectName(QStringLiteral("tmrAds"));
    tmrAds->setInterval(3000);
    connect(tmrAds, &QTimer::timeout, this, &frmAd::tmrAds_Timer);
    tmrAds->start();
}

frmAd::~frmAd()
{
    if (theInstance == this)
        theInstance = nullptr;
    delete ui;
}

void frmAd::Apri()
{
    const snooze::Decision decision = snooze::decide(snooze::readHead(snoozeFilePath()), Clock::today());
    if (decision == snooze::Decision::Skip) {
        Command1_Click();
        return;
    }
    show();
}

void frmAd::Command1_Click()
{
    if (unloading_)
        return;
    if (ui->swiNoAd->isChecked())
        snooze::writeDate(snoozeFilePath(), Clock::today()); // a snooze that cannot be stored is simply not stored

    // Closing what may be the only window must not end the program before the main
    // window is up: hold the quit back until both steps are done.
    const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    unloading_ = true;
    close();
    if (theInstance == this) {
        theInstance = nullptr;
        deleteLater();
    }
    emit proceeded();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);
}

bool frmAd::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        fitText();
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmAd::fitText()
{
    // At the first show: under the snooze the window is never shown, and measuring its texts in
    // narrowed faces would only cost the start time.
    if (fitted_)
        return;
    fitted_ = true;
    // Made for Tahoma: where another face stands in, the box grows rather than cut its text.
    // Nothing lies to its right before the button.
    ui->swiNoAd->resize(qMax(ui->swiNoAd->width(), ui->swiNoAd->sizeHint().width()), ui->swiNoAd->height());
    for (QLabel *label : {ui->Label5, ui->Label2, ui->Label3, ui->Label4, ui->Label6, ui->lbLock})
        narrowToFit(label);
}

void frmAd::closeEvent(QCloseEvent *event)
{
    // The close keystroke, the window manager and anyone else get a no: "Proceed >" is the only
    // way on, and it is the only way the main window opens.
    if (unloading_)
        event->accept();
    else
        event->ignore();
}

void frmAd::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The thin raised border a title-less tool window has; no control reaches into it.
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), false);
}

void frmAd::Form_Activate()
{
    // Re-set on the window handle: setWindowFlags would hide the shown window.
    if (QWindow *w = windowHandle())
        w->setFlag(Qt::WindowStaysOnTopHint, true);
}

void frmAd::tmrAds_Timer()
{
    ui->Command1->setEnabled(true);
    ui->lbLock->setVisible(false);
    ui->swiNoAd->setVisible(true);
    // Only from where it rested at first: a focus the person moved stays where they put it.
    if (focusWidget() == this)
        ui->Command1->setFocus();
}

void frmAd::keyPressEvent(QKeyEvent *event)
{
    // What no control took, the window's one way on takes, as a dialog's default button does:
    // Enter on the check box proceeds. A link takes its own Enter, and a locked button does
    // not click.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        ui->Command1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmAd::openProductPage()
{
    links::open(links::productPage());
}
