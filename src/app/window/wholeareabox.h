#pragma once

#include <QPoint>

namespace kansu {

// A check box or option button that answers a press anywhere on its
// rectangle, as the lesson's coloured bars invite: the toolkit's own answers
// only on the indicator and the caption's text.
template <class Box> class WholeAreaBox : public Box {
  public:
    using Box::Box;

  protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

} // namespace kansu
