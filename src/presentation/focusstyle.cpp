#include "focusstyle.h"

#include "app/numbers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace kansu {

namespace {

// The keyboard focus ring of a control: a dotted black frame.
void outlineFocus(QPainter& painter, const QRect& rect, int width) {
    painter.save();
    painter.setPen(QPen(Qt::black, width, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

// The frame of a group of controls: a faint grey line with rounded corners
// over a hint of shade, as the toolkit's own group frame looks.
void outlineGroup(QPainter& painter, const QRect& rect, double zoom) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x75, 0x75, 0x75, 0x32), zoom));
    painter.setBrush(QColor(0, 0, 0, 0x03));
    const double inset = zoom / 2;
    painter.drawRoundedRect(QRectF(rect).adjusted(inset + 1, inset + 1, inset - 1, inset - 1),
                            2 * zoom, 2 * zoom);
    painter.restore();
}

// The room the widest item of a combo box takes, with the text cursor.
int widestItem(const QComboBox& combo) {
    const QFontMetricsF metrics(combo.font());
    double widest = 0;
    for (int i = 0; i < combo.count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo.itemText(i)));
    return roundToInt(std::ceil(widest)) +
           combo.style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, &combo);
}

} // namespace

FocusStyle::FocusStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool focused =
        (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange);
    if (!focused)
        return;
    const double zoom = zoom_;
    const auto inset = [&](int near, int far) {
        const int n = roundToInt(near * zoom);
        const int f = roundToInt(far * zoom);
        return option->rect.adjusted(n, n, -f, -f);
    };
    const int width = roundToInt(2 * zoom);
    if (element == CE_PushButton)
        outlineFocus(*painter, inset(4, 5), width);
    else if (element == CE_CheckBox || element == CE_RadioButton)
        outlineFocus(*painter, inset(1, 2), width);
    else if (element == CE_ShapedFrame)
        // On a picture box's border: the drawing inside stays as it is.
        outlineFocus(*painter, inset(1, 1), width);
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the title, where Fusion starts it.
    constexpr int kTitleGap = 3;
    const auto* group = qobject_cast<const QGroupBox*>(widget);
    const bool titled = !group || group->isCheckable() || !group->title().isEmpty();
    const int top = kTitleGap + (titled ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight),
                                                   option->fontMetrics.height())
                                        : 0);
    outlineGroup(*painter, option->rect.adjusted(0, top, 0, 0), zoom_);
}

QRect FocusStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                 SubControl subControl, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    if (control != CC_ComboBox || !combo || option->direction != Qt::LeftToRight)
        return rect;
    constexpr int kArrowWidth = 19; // Fusion's, at the designed size
    const int right = option->rect.right();
    // The arrow narrows where the box is too small for it and a whole item.
    const QRect field = QProxyStyle::subControlRect(control, option, SC_ComboBoxEditField, widget);
    const int gap = right - field.right() - kArrowWidth;
    const int arrow = std::min(roundToInt(kArrowWidth * zoom_),
                               right - gap - field.left() + 1 - widestItem(*combo));
    if (subControl == SC_ComboBoxArrow)
        rect.setLeft(right + 1 - arrow);
    else if (subControl == SC_ComboBoxEditField)
        rect.setRight(right - arrow - (option->rect.right() - rect.right() - kArrowWidth));
    return rect;
}

int FocusStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const {
    const int designed = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
    case PM_ButtonMargin:
    case PM_DefaultFrameWidth:
    case PM_ComboBoxFrameWidth:
    case PM_FocusFrameHMargin:
    case PM_FocusFrameVMargin:
        return widget ? roundToInt(designed * zoom_) : designed;
    default:
        return designed;
    }
}

} // namespace kansu
