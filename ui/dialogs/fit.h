#pragma once

#include <functional>

class QLabel;
class QWidget;

// The dialogs' boxes are drawn for their own faces (Tahoma, Arial). Where a wider face stands in,
// a label's text would be cut off at its edge; instead the label's font is narrowed, a step at
// a time, until the text fits its box. Size, weight and family stay as they are, and a label
// that already fits is left alone.
void narrowToFit(QLabel *label);
// The same for any control whose text must fit: its font narrowed, in the same steps, until
// `fits` holds.
void narrowToFit(QWidget *widget, const std::function<bool()> &fits);

// Where a taller face stands in, a one-line label would lose the bottom of its text, and no
// narrowing makes a line lower: the label grows downwards instead, by what its text needs but
// never past `bottom`, the first row it must leave free.
void lengthenToFit(QLabel *label, int bottom);

// True when the label's whole text fits its present box, in width and in height.
bool textFits(const QLabel *label);
