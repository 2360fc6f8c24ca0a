#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

namespace kansu {

// Heckbert's span fill on an opaque 32-bit image: paints the region around
// a seed up to a border colour. Each pending entry is a filled span of one
// row and the direction in which to look for more; the row it came from is
// only searched again where the new span reaches past the old one. The
// region is everything that is not the border colour, the fill colour
// included, so what is painted is marked: it is painted in the fill colour
// with no alpha, which nothing else on the opaque image has, and made
// opaque at the end.
class SpanFill {
  public:
    SpanFill(QImage& image, QRgb border, QRgb colour);
    // The rectangle painted; none when the seed is on the border.
    QRect fill(QPoint seed);

  private:
    struct Span {
        int y, left, right, dy;
    };

    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }
    void push(int y, int left, int right, int dy);
    // Fills the row next to a span, and keeps the spans found there.
    void follow(const Span& span);
    void paintRun(QRgb* line, int y, int from, int to);
    void makeOpaque(const QRect& area) const;

    uchar* const bits_;
    const qsizetype stride_;
    const int width_;
    const int height_;
    const QRgb border_;
    const QRgb painted_;
    std::vector<Span> pending_;
    int top_ = 0, bottom_ = 0, leftmost_ = 0, rightmost_ = 0;
};

} // namespace kansu
