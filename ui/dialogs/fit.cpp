#include "ui/dialogs/fit.h"

#include <QLabel>

namespace {

// The part narrowing can mend: a wrapped text takes fewer lines when it is narrower.
bool wideEnough(const QLabel *label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width();
}

} // namespace

bool textFits(const QLabel *label)
{
    return wideEnough(label) && (label->wordWrap() || label->sizeHint().height() <= label->height());
}

void narrowToFit(QLabel *label)
{
    narrowToFit(label, [label] { return wideEnough(label); });
}

void narrowToFit(QWidget *widget, const std::function<bool()> &fits)
{
    // Three quarters of the width is where narrowed text stops being pleasant to read.
    for (int stretch : {94, 87, 81, 75}) {
        if (fits())
            return;
        QFont f = widget->font();
        f.setStretch(stretch);
        widget->setFont(f);
    }
}

void lengthenToFit(QLabel *label, int bottom)
{
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    if (needed > label->height())
        label->resize(label->width(), qMax(label->height(), qMin(needed, bottom - label->y())));
}
