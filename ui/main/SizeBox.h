#pragma once

class QComboBox;

// The size box is 675 twips (45 pixels) wide and drawn in Tahoma 9.75 pt bold. Qt's Fusion
// style gives its drop-down button 19 of those pixels, and the faces that stand in for Tahoma
// are wider than it, so of the largest size there is, four digits, only two would show. At its
// place and width the box gets a narrow button, its field reaching up to it, and where the
// face still leaves no room for four digits, its font is narrowed as the dialogs narrow their
// labels.
void fitSizeBox(QComboBox *box);
