#include "ui/main/SizeBox.h"

#include "preview/charmap.h"
#include "ui/dialogs/fit.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QStyleOptionComplex>

#include <utility>

namespace {

int keyDownCode(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return SizeBox::kEnterKey;
    return key > 0 && key < 0x100 ? key : 0;
}

// A key that moves to another entry of the open list. Alt with the arrows, Enter and Escape
// close the list instead.
bool movesInList(const QKeyEvent *event)
{
    static const QList<int> moves{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    return moves.contains(event->key()) && !(event->modifiers() & Qt::AltModifier);
}

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

SizeBox::SizeBox(QWidget *parent)
    : QComboBox(parent)
{
    // On Enter and on losing the focus, Qt 6.4's box finishes its editing and reports a typed
    // text that equals an entry as if that entry had been picked. Neither is a size chosen:
    // Enter runs its own operation, and leaving the box has its own path.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!settling_ && std::exchange(listApplied_, -1) != index)
            emit Click();
    });
    // In the open list each entry the arrow keys move to is applied at once, as a click on it
    // would be. The pointer moving over the list highlights entries too, and applies nothing.
    connect(this, &QComboBox::highlighted, this, [this](int row) {
        if (!std::exchange(listKeyMove_, false))
            return;
        setCurrentIndex(row);
        listApplied_ = row;
        emit Click();
    });
}

void SizeBox::showPopup()
{
    // The box makes its list when it is first wanted; a filter installed again is not doubled.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    listApplied_ = -1;
    listKeyMove_ = false;
    QComboBox::showPopup();
}

bool SizeBox::eventFilter(QObject *watched, QEvent *event)
{
    // The list itself moves to the entry a key asks for, and reports it as highlighted within
    // the key press; the pointer moving over the list highlights entries too.
    if (event->type() == QEvent::KeyPress && watched == view())
        listKeyMove_ = movesInList(static_cast<QKeyEvent *>(event));
    else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseMove)
        listKeyMove_ = false;
    return QComboBox::eventFilter(watched, event);
}

void SizeBox::keyPressEvent(QKeyEvent *event)
{
    const int code = keyDownCode(event);
    emit KeyDown(code);
    if (code != kEnterKey) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const QScopedValueRollback<bool> settling(settling_, true); // see the constructor
    QComboBox::keyPressEvent(event);
}

void SizeBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    followFocus();
}

void SizeBox::focusOutEvent(QFocusEvent *event)
{
    {
        const QScopedValueRollback<bool> settling(settling_, true);
        QComboBox::focusOutEvent(event);
    }
    followFocus();
}

// The box is entered and left when its window's focus control changes to or from it. The
// window keeps its focus control while the box's list is open or another window is active, so
// neither of those counts as leaving, nor coming back from them as entering. Nor does focus
// taken from every control of the window (the window closing).
void SizeBox::followFocus()
{
    const QWidget *now = window()->focusWidget();
    if (!now)
        return;
    const bool inBox = now == this || isAncestorOf(now);
    if (inBox == entered_)
        return;
    entered_ = inBox;
    if (inBox) {
        emit GotFocus();
    } else {
        emit Validate();
        emit LostFocus();
    }
}
