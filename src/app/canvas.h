#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QPainter;
class QWidget;

namespace kansu {

class LineControl;

enum class FillStyle { None, Solid };

// A drawing surface: an image that keeps what is drawn on it, with the
// drawing state the lesson's procedures rely on (pen position, colours, pen
// width and style, fill style and colour, font). It is the only code in the
// program that uses QPainter. Nothing is antialiased, so that an entry drawn
// again in the background colour removes exactly its own pixels and white
// outlines are closed borders for the flood fill.
class Canvas {
  public:
    Canvas(QSize size, QRgb background, QRgb foreground, const QFont& font);
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&&) = delete;
    ~Canvas();

    const QImage& image() const;
    QRgb pixel(int x, int y) const { return image().pixel(x, y) | 0xFF000000u; }

    // Called with the changed rectangle after every drawing operation.
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
    // not listed.) Screen readers are told about the panels from these.
    struct PrintedNumber {
        QPointF pen;
        double value;
    };
    const std::vector<PrintedNumber>& numbersInView() const { return numbers_; }
    const std::vector<QPointF>& circlesInView() const { return circles_; }

    // Lays down what `draw` paints, exactly as drawing it would, with the
    // drawing state it leaves behind. The first call with a key draws it; the
    // second records it on a transparent layer; later calls copy the
    // recorded pixels.
    // `draw` must set every part of the state it relies on itself, so that
    // what it paints depends on the key alone.
    void drawRemembered(int key, const std::function<void(Canvas&)>& draw);

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

    // Draws the keyboard focus ring of a control: a dotted black frame.
    static void outlineFocus(QPainter& painter, const QRect& rect, int width = 2);
    // Draws the frame of a group of controls.
    static void outlineGroup(QPainter& painter, const QRect& rect, double zoom = 1);

    // Shows a surface on screen: copies the image's exposed part, then draws
    // the line controls that sit on the surface in front of it. At a zoom
    // every pixel of the image shows as a block, without smoothing.
    static void present(QWidget& target, const QRegion& exposed, const QImage* image,
                        std::span<const LineControl* const> lines, double zoom = 1);

  private:
    // The pixels a remembered drawing covers, and the state it ends in.
    struct Remembered {
        QImage layer;            // premultiplied ARGB: 0 where the drawing paints nothing
        std::vector<QRect> runs; // one row high each
        // The drawing state the drawing set, and only that.
        std::optional<QPointF> pen;
        std::optional<QRgb> foreground;
        std::optional<int> penWidth;
    };
    struct Transparent {};
    Canvas(const Canvas& like, Transparent);
    Remembered record(const std::function<void(Canvas&)>& draw) const;
    // How far outside the image a shape may start and still show.
    QRectF reach() const;

    void strokeSegment(QPointF from, QPointF to, QRgb colour);
    bool printText(const QString& text); // false when nothing of it is in view
    void changed(const QRect& rect);
    // One painter stays open across consecutive drawing operations; it is
    // closed before the pixels are read or filled directly.
    QPainter& painter();
    void endPainting() const;

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QImage fillMask_; // what a flood fill has painted; kept for the next one
    QRgb background_;
    QRgb foreground_;
    QRgb fillColour_ = 0xFF000000u;
    FillStyle fillStyle_ = FillStyle::None;
    int penWidth_ = 1;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    QPointF pen_{0, 0};
    QFont font_;
    QFontMetrics metrics_;
    std::vector<PrintedNumber> numbers_;
    std::vector<QPointF> circles_;
    std::function<void(const QRect&)> changedHandler_;
    // Drawn once: nullopt; recorded from the second time on.
    std::map<int, std::optional<Remembered>> remembered_;
};

} // namespace kansu
