#pragma once

#include "raster/displaylist.h"
#include "raster/raster.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace kansu {

enum class FillStyle { None, Solid };

// A drawing surface in the lesson's own terms: it keeps what is drawn on it,
// with the drawing state the lesson's procedures rely on (pen position,
// colours, pen width and style, fill style and colour, font), all in
// designed pixels. Its picture at the designed size is the truth that the
// lesson reads back; it can also be shown at another scale, where the same
// operations are made again at that scale rather than its pixels enlarged.
class Canvas {
  public:
    Canvas(QSize size, QRgb background, QRgb foreground, const QFont& font);
    Canvas(Canvas&&) noexcept;
    Canvas& operator=(Canvas&&) = delete;
    ~Canvas();

    // The picture at the designed size.
    const QImage& image() const { return design_->image(); }
    QRgb pixel(int x, int y) const { return image().pixel(x, y) | 0xFF000000u; }

    // The picture at `scale` (the zoom times the screen's pixel ratio), made
    // from what has been drawn since the surface was last cleared and kept
    // up to date from then on.
    void showAt(double scale);
    double shownScale() const { return shown_ ? shown_->scale() : 1.0; }
    const QImage& shownImage() const { return shown_ ? shown_->image() : image(); }

    // Called with the changed rectangle, in designed pixels, after every
    // drawing operation.
    void setChangedHandler(std::function<void(const QRect&)> handler);

    void clear();
    void line(QPointF from, QPointF to, std::optional<QRgb> colour = std::nullopt);
    void lineRelative(QPointF from, QPointF offset, std::optional<QRgb> colour = std::nullopt);
    void lineFromPen(QPointF offset, std::optional<QRgb> colour = std::nullopt);
    void circle(QPointF centre, double radius, std::optional<QRgb> colour = std::nullopt);
    void print(const QString& text);
    void printNumber(double value);
    void floodFill(QPoint seed, QRgb border);

    // The numbers printed and the circles drawn directly on the surface that
    // are still in view: printing or drawing one again in the background
    // colour takes it away, clearing takes all. (Remembered drawings are
    // not listed.)
    using PrintedNumber = DisplayList::PrintedNumber;
    std::vector<PrintedNumber> numbersInView() const;
    std::vector<QPointF> circlesInView() const;

    // Lays down what `draw` paints, exactly as drawing it would, with the
    // drawing state it leaves behind. `draw` is called once per key, the
    // first time: it must set every part of the state it relies on itself,
    // so that what it paints depends on the key alone.
    void drawRemembered(int key, const std::function<void(Canvas&)>& draw);

    // How many operations the surface keeps to draw again at another scale.
    std::size_t operationsKept() const { return list_.entries().size(); }

    QPointF penPosition() const { return pen_; }
    void setPenPosition(QPointF position) { pen_ = position; }
    QRgb drawingColour() const { return foreground_; }
    void setDrawingColour(QRgb colour) { foreground_ = colour | 0xFF000000u; }
    QRgb backgroundColour() const { return background_; }
    int penWidth() const { return penWidth_; }
    void setPenWidth(int width) { penWidth_ = width; }
    Qt::PenStyle penStyle() const { return penStyle_; }
    void setPenStyle(Qt::PenStyle style) { penStyle_ = style; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    QRgb fillColour() const { return fillColour_; }
    void setFillColour(QRgb colour) { fillColour_ = colour | 0xFF000000u; }
    const QFont& font() const { return font_; }

  private:
    // The operations of a remembered drawing and the state it ends in.
    struct Recipe {
        std::vector<DrawOp> ops;
        std::optional<QPointF> pen;
        std::optional<QRgb> foreground;
        std::optional<int> penWidth;
    };
    struct RecordOnly {};
    Canvas(QSize size, const QFont& font, RecordOnly);
    Recipe record(const std::function<void(Canvas&)>& draw) const;
    // How far outside the surface a shape may start and still show.
    QRectF reach() const;

    // Draws the operation at every scale kept and keeps it for later ones.
    QRect make(DrawOp op);
    void strokeSegment(QPointF from, QPointF to, QRgb colour);
    void printText(const QString& text, double number);
    void changed(const QRect& rect);

    QSize size_;
    std::unique_ptr<Raster> design_; // none while only recording
    std::unique_ptr<Raster> shown_;  // none at a scale of 1
    DisplayList list_;
    std::map<int, Recipe> recipes_;
    QRgb background_;
    QRgb foreground_;
    QRgb fillColour_ = 0xFF000000u;
    FillStyle fillStyle_ = FillStyle::None;
    int penWidth_ = 1;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    QPointF pen_{0, 0};
    QFont font_;
    QFontMetrics metrics_;
    std::function<void(const QRect&)> changedHandler_;
};

} // namespace kansu
