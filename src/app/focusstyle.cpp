#include "focusstyle.h"

#include "canvas.h"

#include <QGroupBox>
#include <QStyleFactory>
#include <QStyleOption>

namespace kansu {

FocusStyle::FocusStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool focused =
        (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange);
    if (!focused)
        return;
    if (element == CE_PushButton)
        Canvas::outlineFocus(*painter, option->rect.adjusted(4, 4, -5, -5));
    else if (element == CE_CheckBox || element == CE_RadioButton)
        Canvas::outlineFocus(*painter, option->rect.adjusted(1, 1, -2, -2));
    else if (element == CE_ShapedFrame)
        // On a picture box's border: the drawing inside stays as it is.
        Canvas::outlineFocus(*painter, option->rect.adjusted(1, 1, -1, -1));
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
    Canvas::outlineGroup(*painter, option->rect.adjusted(0, top, 0, 0));
}

} // namespace kansu
