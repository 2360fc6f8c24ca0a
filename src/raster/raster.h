#pragma once

#include "drawop.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace kansu {

// The pixels of a drawing surface at one scale: an image of the designed
// size times the scale, on which drawing operations given in designed
// pixels are made with their coordinates, pen widths and font scaled.
// Nothing is antialiased at any scale, so that an operation drawn again in
// the background colour removes exactly its own pixels and outlines stay
// closed borders for a flood fill.
class Raster {
  public:
    Raster(QSize designSize, double scale, QRgb background, const QFont& designFont,
           QImage::Format format = QImage::Format_RGB32);
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;
    ~Raster();

    double scale() const { return scale_; }
    const QImage& image() const;
    // The font as it prints at this scale.
    const QFont& font() const { return font_; }

    void fill(QRgb colour);
    // Lines, circles and texts; a fill returns the rectangle it painted, in
    // this raster's pixels (empty when it painted nothing).
    QRect draw(const DrawOp& op);
    // A group of operations drawn over and over again (a grid, a panel's
    // axes): the first time drawn, the second recorded, then copied.
    // Returns the rectangle whose pixels changed.
    QRect drawLayer(int key, std::span<const DrawOp> ops);
    // Another raster's picture, each of its pixels as a block.
    void drawEnlarged(const QImage& picture);

  private:
    struct Run {
        int x, y, length;
        std::size_t offset; // into the layer's pixels
    };
    struct Layer {
        std::vector<Run> runs;
        std::vector<QRgb> pixels;
    };
    Layer record(std::span<const DrawOp> ops) const;
    QRect floodFill(QPoint seed, QRgb border, QRgb colour);
    QPointF at(QPointF designed) const { return designed * scale_; }
    int penWidth(int designed) const;
    QPainter& painter();
    void endPainting() const;

    double scale_;
    QSize designSize_;
    QFont designFont_;
    QImage image_;
    QFont font_;
    QFontMetrics metrics_;
    mutable std::unique_ptr<QPainter> painter_;
    // Drawn once: nullopt; recorded from the second time on.
    std::map<int, std::optional<Layer>> layers_;
};

// The scale's pixel size of a surface's font.
QFont scaledFont(QFont font, double scale);

} // namespace kansu
