#pragma once

#include <QLabel>

namespace kansu {

// A label whose position is kept as the real numbers the lesson computes
// (half pixels occur); the widget itself sits at the rounded position.
class LabelControl : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    double Left() const { return left_; }
    double Top() const { return top_; }
    void setLeft(double left);
    void setTop(double top);

    // Its size as designed.
    void setDesignSize(QSize size) { designSize_ = size; }
    // Takes its place and size at a zoom of the window.
    void setZoom(double zoom);

  private:
    double left_ = 0;
    double top_ = 0;
    QSize designSize_;
    double zoom_ = 1;
};

} // namespace kansu
