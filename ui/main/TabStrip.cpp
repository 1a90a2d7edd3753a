#include "ui/main/TabStrip.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabStrip::TabStrip(QWidget *parent)
    : QWidget(parent)
    , bar_(new QTabBar(this))
{
    bar_->setObjectName(QStringLiteral("tabBar"));
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    // A click on a tab takes the focus, as a click on any other control does: a size typed
    // into the size box is then settled before the tab's own handler reads it.
    bar_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(bar_);
    // The window's tab order names the strip, and Qt leaves a widget that takes no focus out
    // of it: with the bar's own policy the strip keeps its place, and the bar with it.
    setFocusPolicy(bar_->focusPolicy());
}

void TabStrip::setTabs(const QStringList &captions)
{
    // Connected only after the tabs exist: addTab itself reports a change of tab.
    disconnect(bar_, nullptr, this, nullptr);
    while (bar_->count() > 0)
        bar_->removeTab(0);
    for (const QString &c : captions)
        bar_->addTab(c);
    bar_->setCurrentIndex(0);
    // tabBarClicked arrives before the tab changes; a click on another tab is reported by
    // currentChanged right after it, a click on the selected tab only here.
    connect(bar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == bar_->currentIndex())
            emit Click();
    });
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            emit Click();
    });
    bar_->resize(bar_->sizeHint().width(), bar_->sizeHint().height());
}

int TabStrip::selectedIndex() const
{
    return bar_->currentIndex() + 1;
}

QStringList TabStrip::tabs() const
{
    QStringList captions;
    for (int i = 0; i < bar_->count(); ++i)
        captions.append(bar_->tabText(i));
    return captions;
}

void TabStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->height() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    bar_->setGeometry(2, 0, qMin(bar_->sizeHint().width(), qMax(0, width() - 4)), bar_->sizeHint().height());
}
