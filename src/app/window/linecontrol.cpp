#include "linecontrol.h"

#include "app/numbers.h"

namespace kansu {

namespace {

QRect coveredRect(const QLineF& line, int width) {
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    const int margin = width + 1;
    return QRect(QPoint(roundToInt(bounds.left()) - margin, roundToInt(bounds.top()) - margin),
                 QPoint(roundToInt(bounds.right()) + margin, roundToInt(bounds.bottom()) + margin));
}

} // namespace

LineControl::LineControl(QLineF line, QRgb colour, int width, Moved moved)
    : moved_(std::move(moved)), line_(line), colour_(colour), width_(width) {}

void LineControl::move(QLineF line) {
    const QRect before = coveredRect(line_, width_);
    line_ = line;
    moved_(before.united(coveredRect(line_, width_)));
}

} // namespace kansu
