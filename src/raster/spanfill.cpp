#include "spanfill.h"

#include <algorithm>

namespace kansu {

SpanFill::SpanFill(QImage& image, QRgb border, QRgb colour)
    : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
      height_(image.height()), border_(border), painted_(colour & 0x00FFFFFFu) {}

namespace {

// The colours of one fill, as values of the loops below: held in members,
// every store into the image would make the compiler read them again.
struct Colours {
    QRgb border;
    QRgb painted;
    bool inside(const QRgb* line, int x) const {
        return line[x] != painted && (line[x] | 0xFF000000u) != border;
    }
    // Large regions are crossed eight pixels at a time, in loops of a fixed
    // length that the compiler turns into vector instructions.
    int skipOpen(const QRgb* line, int x, int end) const {
        for (; x + 8 <= end; x += 8) {
            quint32 closed = 0;
            for (int k = 0; k < 8; ++k)
                closed |= quint32(line[x + k] == painted) |
                          quint32((line[x + k] | 0xFF000000u) == border);
            if (closed)
                break;
        }
        return x;
    }
    int skipPainted(const QRgb* line, int x, int end) const {
        for (; x + 8 <= end; x += 8) {
            QRgb other = 0;
            for (int k = 0; k < 8; ++k)
                other |= line[x + k] ^ painted;
            if (other)
                break;
        }
        return x;
    }
};

} // namespace

void SpanFill::push(int y, int left, int right, int dy) {
    if (y + dy >= 0 && y + dy < height_)
        pending_.push_back({y, left, right, dy});
}

// A run is found first and painted in one go.
void SpanFill::paintRun(QRgb* line, int y, int from, int to) {
    if (from > to)
        return;
    std::fill(line + from, line + to + 1, painted_);
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
    leftmost_ = std::min(leftmost_, from);
    rightmost_ = std::max(rightmost_, to);
}

void SpanFill::follow(const Span& span) {
    const int y = span.y + span.dy;
    QRgb* const line = row(y);
    const Colours colours{border_, painted_};
    const int width = width_;
    int x = span.left;
    while (x >= 0 && colours.inside(line, x))
        --x;
    paintRun(line, y, x + 1, span.left);
    int left = x + 1;
    bool skip = x >= span.left;
    if (!skip) {
        if (left < span.left)
            push(y, left, span.left - 1, -span.dy); // leak back, on the left
        x = span.left + 1;
    }
    do {
        if (!skip) {
            const int from = x;
            x = colours.skipOpen(line, x, width);
            while (x < width && colours.inside(line, x))
                ++x;
            paintRun(line, y, from, x - 1);
            push(y, left, x - 1, span.dy);
            if (x > span.right + 1)
                push(y, span.right + 1, x - 1, -span.dy); // leak back, on the right
        }
        skip = false;
        for (x = colours.skipPainted(line, x + 1, span.right + 1);
             x <= span.right && !colours.inside(line, x); ++x) {
        }
        left = x;
    } while (x <= span.right);
}

void SpanFill::makeOpaque(const QRect& area) const {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* const line = row(y);
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] |= 0xFF000000u;
    }
}

QRect SpanFill::fill(QPoint seed) {
    if ((row(seed.y())[seed.x()] | 0xFF000000u) == border_)
        return {};
    top_ = bottom_ = seed.y();
    leftmost_ = rightmost_ = seed.x();
    push(seed.y(), seed.x(), seed.x(), 1);
    push(seed.y() + 1, seed.x(), seed.x(), -1);
    while (!pending_.empty()) {
        const Span span = pending_.back();
        pending_.pop_back();
        follow(span);
    }
    const QRect filled(QPoint(leftmost_, top_), QPoint(rightmost_, bottom_));
    makeOpaque(filled);
    return filled;
}

} // namespace kansu
