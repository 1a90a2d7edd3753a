#pragma once

#include <QComboBox>

// The toolbar's font-size box (cmbSize): sizes to pick from its list or to type. It reports
// what the window's handlers take, as the desktop's combo box does.
class SizeBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int kEnterKey = 13; // KeyDown's code for Enter and Return

    explicit SizeBox(QWidget *parent = nullptr);
    void showPopup() override;

signals:
    // An entry chosen: picked from the list, or moved to with the arrow keys, the list open or
    // not. Closing the open list on the entry the keys applied chooses nothing more.
    void Click();
    // A key pressed in the box, before the box handles it: kEnterKey for Enter and Return, the
    // character's code for plain keys, 0 for the rest.
    void KeyDown(int keyCode);
    // The window's focus control changed to the box, or away from it (Validate, then LostFocus).
    void GotFocus();
    void Validate();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override; // the open list's keys

private:
    void followFocus();

    bool entered_ = false;     // the box is its window's focus control
    bool settling_ = false;    // the box is handling Enter or its focus-out by itself
    bool listKeyMove_ = false; // a move key went down in the open list and has moved nothing yet
    int listApplied_ = -1;     // the entry of the open list the arrow keys applied last
};

// The size box is 675 twips (45 pixels) wide and drawn in Tahoma 9.75 pt bold. Qt's Fusion
// style gives its drop-down button 19 of those pixels, and the faces that stand in for Tahoma
// are wider than it, so of the largest size there is, four digits, only two would show. At its
// place and width the box gets a narrow button, its field reaching up to it, and where the
// face still leaves no room for four digits, its font is narrowed as the dialogs narrow their
// labels.
void fitSizeBox(QComboBox *box);
