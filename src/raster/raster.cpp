#include "raster.h"

#include "app/numbers.h"
#include "surfacememory.h"

#include <QPainter>
#include <algorithm>

namespace kansu {

QFont scaledFont(QFont font, double scale) {
    font.setStyleStrategy(QFont::NoAntialias);
    if (scale == 1)
        return font;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, roundToInt(font.pixelSize() * scale)));
    else
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

Raster::Raster(QSize designSize, double scale, QRgb background, const QFont& designFont,
               QImage::Format format)
    : scale_(scale), designSize_(designSize), designFont_(designFont),
      image_(surfaceImage(
          QSize(roundToInt(designSize.width() * scale), roundToInt(designSize.height() * scale)),
          format)),
      font_(scaledFont(designFont, scale)), metrics_(font_) {
    image_.fill(background);
}

Raster::~Raster() {
    endPainting();
}

const QImage& Raster::image() const {
    endPainting();
    return image_;
}

QPainter& Raster::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setFont(font_);
    }
    return *painter_;
}

void Raster::endPainting() const {
    painter_.reset();
}

int Raster::penWidth(int designed) const {
    // Every line stays visible below a scale of 1.
    return std::max(1, roundToInt(designed * scale_));
}

void Raster::fill(QRgb colour) {
    endPainting();
    image_.fill(colour);
}

QRect Raster::draw(const DrawOp& op) {
    switch (op.kind) {
    case DrawOp::Kind::Line:
        painter().setPen(
            QPen(QColor(op.colour), penWidth(op.width), op.style, Qt::SquareCap, Qt::MiterJoin));
        painter().drawLine(at(op.at), at(op.to));
        break;
    case DrawOp::Kind::Circle:
        painter().setPen(QPen(QColor(op.colour), penWidth(op.width), op.style));
        painter().setBrush(Qt::NoBrush);
        painter().drawEllipse(at(op.at), op.radius * scale_, op.radius * scale_);
        break;
    case DrawOp::Kind::Text:
        painter().setPen(QColor(op.colour));
        painter().drawText(at(op.at) + QPointF(0, metrics_.ascent()), op.text);
        break;
    case DrawOp::Kind::Fill:
        return floodFill(QPoint(roundToInt(op.at.x() * scale_), roundToInt(op.at.y() * scale_)),
                         op.border, op.colour);
    case DrawOp::Kind::Layer:
        break; // drawn by drawLayer
    }
    return {};
}

void Raster::drawEnlarged(const QImage& picture) {
    painter().drawImage(QRectF(image_.rect()), picture, QRectF(picture.rect()));
}

QRect Raster::floodFill(QPoint seed, QRgb border, QRgb colour) {
    if (!image_.rect().contains(seed))
        return {};
    endPainting();
    const int width = image_.width();
    const int height = image_.height();
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const auto row = [bits, stride](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
    if ((row(seed.y())[seed.x()] | 0xFF000000u) == border)
        return {};

    // Heckbert's span fill: each entry is a filled span of one row and the
    // direction in which to look for more; the row it came from is only
    // searched again where the new span reaches past the old one. The region
    // is everything that is not the border colour, the fill colour included,
    // so what is painted is marked: it is painted in the fill colour with no
    // alpha, which nothing else on this opaque image has, and made opaque at
    // the end.
    const QRgb painted = colour & 0x00FFFFFFu;
    struct Span {
        int y, left, right, dy;
    };
    std::vector<Span> pending;
    const auto push = [&](int y, int left, int right, int dy) {
        if (y + dy >= 0 && y + dy < height)
            pending.push_back({y, left, right, dy});
    };
    push(seed.y(), seed.x(), seed.x(), 1);
    push(seed.y() + 1, seed.x(), seed.x(), -1);
    int top = seed.y();
    int bottom = seed.y();
    int leftmost = seed.x();
    int rightmost = seed.x();
    while (!pending.empty()) {
        const Span span = pending.back();
        pending.pop_back();
        const int y = span.y + span.dy;
        QRgb* const line = row(y);
        const auto inside = [&](int x) {
            return line[x] != painted && (line[x] | 0xFF000000u) != border;
        };
        // Large regions are crossed eight pixels at a time, in loops of a
        // fixed length that the compiler turns into vector instructions.
        const auto skipOpen = [&](int x, int end) {
            for (; x + 8 <= end; x += 8) {
                quint32 closed = 0;
                for (int k = 0; k < 8; ++k)
                    closed |= quint32(line[x + k] == painted) |
                              quint32((line[x + k] | 0xFF000000u) == border);
                if (closed)
                    break;
            }
            return x;
        };
        const auto skipPainted = [&](int x, int end) {
            for (; x + 8 <= end; x += 8) {
                QRgb other = 0;
                for (int k = 0; k < 8; ++k)
                    other |= line[x + k] ^ painted;
                if (other)
                    break;
            }
            return x;
        };
        // A run is found first and painted in one go.
        const auto paint = [&](int from, int to) {
            if (from <= to)
                std::fill(line + from, line + to + 1, painted);
        };
        int x = span.left;
        while (x >= 0 && inside(x))
            --x;
        paint(x + 1, span.left);
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
                x = skipOpen(x, width);
                while (x < width && inside(x))
                    ++x;
                paint(from, x - 1);
                push(y, left, x - 1, span.dy);
                if (x > span.right + 1)
                    push(y, span.right + 1, x - 1, -span.dy); // leak back, on the right
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                leftmost = std::min(leftmost, left);
                rightmost = std::max(rightmost, x - 1);
            }
            skip = false;
            for (x = skipPainted(x + 1, span.right + 1); x <= span.right && !inside(x); ++x) {
            }
            left = x;
        } while (x <= span.right);
    }
    const QRect filled(QPoint(leftmost, top), QPoint(rightmost, bottom));
    for (int y = filled.top(); y <= filled.bottom(); ++y) {
        QRgb* const line = row(y);
        for (int x = filled.left(); x <= filled.right(); ++x)
            line[x] |= 0xFF000000u;
    }
    return filled;
}

Raster::Layer Raster::record(std::span<const DrawOp> ops) const {
    // Drawn on a transparent raster of the same scale: everything painted is
    // opaque, what was not painted stays all zero.
    Raster recorder(designSize_, scale_, 0, designFont_, QImage::Format_ARGB32_Premultiplied);
    for (const DrawOp& op : ops)
        recorder.draw(op);
    const QImage& picture = recorder.image();
    Layer layer;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const QRgb* const end = line + width;
        for (const QRgb* p = std::find_if(line, end, [](QRgb v) { return v != 0; }); p != end;
             p = std::find_if(p, end, [](QRgb v) { return v != 0; })) {
            const QRgb* start = p;
            p = std::find(p, end, QRgb(0));
            layer.runs.push_back({int(start - line), y, int(p - start), layer.pixels.size()});
            layer.pixels.insert(layer.pixels.end(), start, p);
        }
    }
    return layer;
}

QRect Raster::drawLayer(int key, std::span<const DrawOp> ops) {
    // The first time, the operations are simply drawn: many groups are
    // never asked for twice, and recording costs a second picture.
    const auto [found, first] = layers_.try_emplace(key);
    if (first) {
        for (const DrawOp& op : ops)
            draw(op);
        return image_.rect();
    }
    if (!found->second)
        found->second = record(ops);
    const Layer& layer = *found->second;
    endPainting();
    // Only pixels that really change are reported, so that drawing the same
    // thing again over itself costs no repaint.
    QRect changed;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (const Run& run : layer.runs) {
        QRgb* target = reinterpret_cast<QRgb*>(bits + run.y * stride) + run.x;
        const QRgb* source = layer.pixels.data() + run.offset;
        if (std::equal(source, source + run.length, target))
            continue;
        std::copy(source, source + run.length, target);
        changed |= QRect(run.x, run.y, run.length, 1);
    }
    return changed;
}

} // namespace kansu
