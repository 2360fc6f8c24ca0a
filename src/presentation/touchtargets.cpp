#include "touchtargets.h"

#include "app/window/form1.h"
#include "app/window/picturebox.h"
#include "readers/accessibility.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace kansu {

namespace {

// The squared distance from a point to a rectangle; 0 inside it.
qint64 distanceSquared(QPoint at, const QRect& rect) {
    const qint64 dx = std::max({rect.left() - at.x(), 0, at.x() - rect.right()});
    const qint64 dy = std::max({rect.top() - at.y(), 0, at.y() - rect.bottom()});
    return dx * dx + dy * dy;
}

// Where a fingertip centred on a press touches the rectangle.
QRect fingertipArea(const QRect& rect) {
    constexpr int half = kFingertip / 2;
    return rect.adjusted(-half, -half, half, half);
}

bool fromTouch(const QMouseEvent& event) {
    return event.source() != Qt::MouseEventNotSynthesized ||
           (event.device() && event.device()->type() == QInputDevice::DeviceType::TouchScreen);
}

} // namespace

QPoint fingertipTarget(QPoint at, const QRect& control, const QList<QRect>& others) {
    if (!fingertipArea(control).contains(at))
        return at;
    const qint64 distance = distanceSquared(at, control);
    for (const QRect& other : others)
        if (distanceSquared(at, other) <= distance)
            return at;
    return QPoint(std::clamp(at.x(), control.left(), control.right()),
                  std::clamp(at.y(), control.top(), control.bottom()));
}

TouchTargets::TouchTargets(Form1& form) : QObject(&form), form_(form) {
    form.installEventFilter(this);
}

QList<QPair<QWidget*, QRect>> TouchTargets::controls() const {
    QList<QPair<QWidget*, QRect>> found;
    for (const PlacedControl& placed : form_.placements) {
        // Labels and frames take no presses; a press on them may be meant for
        // a control beside them. The picture boxes keep theirs.
        const design::Kind kind = placed.description->kind;
        if (kind == design::Kind::Label || kind == design::Kind::Frame)
            continue;
        QWidget* widget = placed.widget;
        if (widget->isVisibleTo(&form_) && insideWindow(*widget))
            found.append({widget, QRect(widget->mapTo(&form_, QPoint()), widget->size())});
    }
    return found;
}

bool TouchTargets::pressable(const QWidget& widget) {
    return widget.isEnabled() && !qobject_cast<const PictureBox*>(&widget);
}

QPoint TouchTargets::shiftFor(QPoint at) const {
    const auto found = controls();
    // The nearest control, and every other.
    const auto nearest = std::min_element(found.begin(), found.end(), [at](auto& a, auto& b) {
        return distanceSquared(at, a.second) < distanceSquared(at, b.second);
    });
    if (nearest == found.end() || !pressable(*nearest->first))
        return {};
    QList<QRect> others;
    for (auto it = found.begin(); it != found.end(); ++it)
        if (it != nearest)
            others.append(it->second);
    return fingertipTarget(at, nearest->second, others) - at;
}

bool TouchTargets::resend(QObject* window, const QMouseEvent& event) {
    const QPointF shift(shift_);
    QMouseEvent moved(event.type(), event.position() + shift, event.scenePosition() + shift,
                      event.globalPosition() + shift, event.button(), event.buttons(),
                      event.modifiers(), event.source(), event.pointingDevice());
    moved.setTimestamp(event.timestamp());
    resending_ = true;
    QCoreApplication::sendEvent(window, &moved);
    resending_ = false;
    return true;
}

bool TouchTargets::eventFilter(QObject* watched, QEvent* event) {
    // The window's presses arrive at its platform window first, where they
    // are still in the window's coordinates.
    if (watched == &form_) {
        if (event->type() == QEvent::Show && form_.windowHandle())
            form_.windowHandle()->installEventFilter(this);
        return false;
    }
    if (resending_ || watched != form_.windowHandle())
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (!fromTouch(mouse)) {
        shift_ = {};
        return false;
    }
    if (type == QEvent::MouseButtonPress)
        shift_ = shiftFor(mouse.position().toPoint());
    if (shift_.isNull())
        return false;
    const bool eaten = resend(watched, mouse);
    if (type == QEvent::MouseButtonRelease)
        shift_ = {};
    return eaten;
}

} // namespace kansu
