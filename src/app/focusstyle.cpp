#include "focusstyle.h"

#include "canvas.h"

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
}

} // namespace kansu
