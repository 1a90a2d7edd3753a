#include "fit.h"

#include <QLabel>

bool textFits(const QLabel *label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width();
}

void narrowToFit(QLabel *label)
{
    // Three quarters of the width is where narrowed text stops being pleasant to read.
    for (int stretch : {94, 87, 81, 75}) {
        if (textFits(label))
            return;
        QFont f = label->font();
        f.setStretch(stretch);
        label->setFont(f);
    }
}
