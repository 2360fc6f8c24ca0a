#include "raster.h"

#include "app/numbers.h"
#include "spanfill.h"
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
    return SpanFill(image_, border, colour).fill(seed);
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
