#include "linecontrol.h"

#include "numbers.h"
#include "zoom.h"

#include <QWidget>

namespace kansu {

namespace {

QRect coveredRect(const QLineF& line, int width) {
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    const int margin = width + 1;
    return QRect(QPoint(roundToInt(bounds.left()) - margin, roundToInt(bounds.top()) - margin),
                 QPoint(roundToInt(bounds.right()) + margin, roundToInt(bounds.bottom()) + margin));
}

} // namespace

LineControl::LineControl(QWidget& host, QLineF line, QRgb colour, int width)
    : host_(host), line_(line), colour_(colour), width_(width) {}

void LineControl::move(QLineF line) {
    const QRect before = coveredRect(line_, width_);
    line_ = line;
    const QRect changed = before.united(coveredRect(line_, width_));
    const double zoom = zoomOf(host_);
    host_.update(zoom == 1 ? changed : zoomedRect(changed, zoom).adjusted(-1, -1, 1, 1));
}

} // namespace kansu
