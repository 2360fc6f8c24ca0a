#include "labelcontrol.h"

#include "app/numbers.h"

namespace kansu {

void LabelControl::setLeft(double left) {
    left_ = left;
    move(roundToInt(left_ * zoom_), y());
}

void LabelControl::setTop(double top) {
    top_ = top;
    move(x(), roundToInt(top_ * zoom_));
}

void LabelControl::setZoom(double zoom) {
    zoom_ = zoom;
    const QPoint at(roundToInt(left_ * zoom), roundToInt(top_ * zoom));
    setGeometry(QRect(at, QPoint(roundToInt((left_ + designSize_.width()) * zoom) - 1,
                                 roundToInt((top_ + designSize_.height()) * zoom) - 1)));
}

} // namespace kansu
