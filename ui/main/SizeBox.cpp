#include "ui/main/SizeBox.h"

#include "preview/charmap.h"
#include "ui/dialogs/fit.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionComplex>

namespace {

// Wide enough for a clear arrow; the rest of the box is the text's.
constexpr int kButtonWidth = 11;
// A line edit keeps this much clear on either side of its text, whatever its text margins.
constexpr int kLineEditMargin = 2;
constexpr int kCursorWidth = 1;

// The application's style with a narrower drop-down button, the field reaching up to it.
class NarrowButtonStyle : public QProxyStyle
{
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        QRect r = QProxyStyle::subControlRect(control, option, part, widget);
        if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return r;
        // Worked out left to right, then mirrored where the layout runs the other way.
        const QRect box = option->rect;
        const QRect button(box.right() - kButtonWidth + 1, box.top(), kButtonWidth, box.height());
        if (part == SC_ComboBoxArrow)
            return visualRect(option->direction, box, button);
        QRect field = visualRect(option->direction, box, r);
        field.setLeft(box.left() + pixelMetric(PM_ComboBoxFrameWidth, option, widget)); // just inside the frame
        field.setRight(button.left() - 1);
        return visualRect(option->direction, box, field);
    }
};

// Pixels the box's text has before it must scroll: its field less the margins a line edit
// keeps clear of its text, and the text cursor after the last character.
int textRoom(const QComboBox *box)
{
    const QLineEdit *edit = box->lineEdit();
    if (!edit)
        return 0;
    const QMargins m = edit->textMargins();
    return edit->width() - m.left() - m.right() - 2 * kLineEditMargin - kCursorWidth;
}

} // namespace

void fitSizeBox(QComboBox *box)
{
    auto *style = new NarrowButtonStyle;
    style->setParent(box);
    box->setStyle(style);
    const QString widest = QString::number(preview::kMaxPointSize);
    narrowToFit(box, [box, &widest] { return QFontMetrics(box->font()).horizontalAdvance(widest) <= textRoom(box); });
}
