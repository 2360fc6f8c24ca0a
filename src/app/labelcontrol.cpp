#include "labelcontrol.h"

#include "numbers.h"

namespace kansu {

void LabelControl::setLeft(double left) {
    left_ = left;
    move(roundToInt(left_), y());
}

void LabelControl::setTop(double top) {
    top_ = top;
    move(x(), roundToInt(top_));
}

} // namespace kansu
