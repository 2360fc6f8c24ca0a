#pragma once

#include <QColor>
#include <QLineF>
#include <QRect>
#include <functional>

namespace kansu {

// A line control: a straight line of fixed colour and width that sits on a
// container (the window or a drawing surface) in front of its drawing and
// behind its labels. Its end points are real numbers in the container's
// pixels; moving it tells the container which of its designed pixels to
// repaint: where the line was and is.
class LineControl {
  public:
    using Moved = std::function<void(const QRect& designed)>;
    LineControl(QLineF line, QRgb colour, int width, Moved moved);

    double X1() const { return line_.x1(); }
    double Y1() const { return line_.y1(); }
    double X2() const { return line_.x2(); }
    double Y2() const { return line_.y2(); }
    void setX1(double x) { move(QLineF(x, line_.y1(), line_.x2(), line_.y2())); }
    void setY1(double y) { move(QLineF(line_.x1(), y, line_.x2(), line_.y2())); }
    void setX2(double x) { move(QLineF(line_.x1(), line_.y1(), x, line_.y2())); }
    void setY2(double y) { move(QLineF(line_.x1(), line_.y1(), line_.x2(), y)); }

    QLineF line() const { return line_; }
    QRgb colour() const { return colour_; }
    int width() const { return width_; }

  private:
    void move(QLineF line);

    Moved moved_;
    QLineF line_;
    QRgb colour_;
    int width_;
};

} // namespace kansu
