#pragma once

#include <QStringList>
#include <QWidget>

class QTabBar;

// A tab strip as a framed rectangle with a row of tabs on top. What it frames are sibling
// widgets that the window places over it, so the strip never takes over their geometry or
// visibility.
class TabStrip : public QWidget
{
    Q_OBJECT
    // The tabs' captions, left to right; setting them selects the first.
    Q_PROPERTY(QStringList tabs READ tabs WRITE setTabs)
public:
    explicit TabStrip(QWidget *parent = nullptr);

    QStringList tabs() const;
    void setTabs(const QStringList &captions);
    QTabBar *tabBar() const { return bar_; }
    // The selected tab, counting from 1; 0 when there are no tabs.
    int selectedIndex() const;

signals:
    // Once per click on a tab (the selected one included) or change of tab by keyboard,
    // after the tab has become the selected one.
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QTabBar *bar_;
};
