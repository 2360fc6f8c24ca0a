#include "canvas.h"

#include "surfacememory.h"

#include "linecontrol.h"
#include "numbers.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kansu {

namespace {

// Shapes with coordinates beyond this are not drawn: QPainter's fixed-point
// rasteriser cannot take arbitrary doubles, and the lesson draws nothing
// that far out.
constexpr double kCoordinateLimit = 1.0e6;

bool isFinite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QRect enclosing(const QRectF& r, int margin) {
    return QRect(
        QPoint(roundToInt(std::floor(r.left())) - margin, roundToInt(std::floor(r.top())) - margin),
        QPoint(roundToInt(std::ceil(r.right())) + margin,
               roundToInt(std::ceil(r.bottom())) + margin));
}

void preparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

QFont surfaceFont(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

Canvas::Canvas(QSize size, QRgb background, QRgb foreground, const QFont& font)
    : image_(surfaceImage(size, QImage::Format_RGB32)), background_(background | 0xFF000000u),
      foreground_(foreground | 0xFF000000u), font_(surfaceFont(font)), metrics_(font_) {
    image_.fill(background_);
}

namespace {

// A recorder starts with values no setter can produce, so that what a
// remembered drawing set shows at its end.
constexpr QRgb kUnsetColour = 0x00000001u;
constexpr int kUnsetWidth = -1;
const QPointF kUnsetPen(std::numeric_limits<double>::quiet_NaN(), 0);

} // namespace

Canvas::Canvas(const Canvas& like, Transparent)
    : image_(surfaceImage(like.image_.size(), QImage::Format_ARGB32_Premultiplied)), background_(0),
      foreground_(kUnsetColour), penWidth_(kUnsetWidth), pen_(kUnsetPen), font_(like.font_),
      metrics_(like.metrics_) {
    image_.fill(Qt::transparent);
}

Canvas::Canvas(Canvas&& other) noexcept
    : background_(other.background_), foreground_(other.foreground_),
      fillColour_(other.fillColour_), fillStyle_(other.fillStyle_), penWidth_(other.penWidth_),
      penStyle_(other.penStyle_), pen_(other.pen_), font_(other.font_), metrics_(other.metrics_),
      numbers_(std::move(other.numbers_)), circles_(std::move(other.circles_)),
      changedHandler_(std::move(other.changedHandler_)), remembered_(std::move(other.remembered_)) {
    // The other canvas's painter works on its image object: close it first.
    other.endPainting();
    image_ = std::move(other.image_);
}

Canvas::~Canvas() {
    endPainting();
}

const QImage& Canvas::image() const {
    endPainting();
    return image_;
}

QPainter& Canvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        preparePainter(*painter_);
        painter_->setFont(font_);
    }
    return *painter_;
}

void Canvas::endPainting() const {
    painter_.reset();
}

void Canvas::setChangedHandler(std::function<void(const QRect&)> handler) {
    changedHandler_ = std::move(handler);
}

void Canvas::changed(const QRect& rect) {
    if (changedHandler_)
        changedHandler_(rect.intersected(image_.rect()));
}

void Canvas::clear() {
    endPainting();
    image_.fill(background_);
    pen_ = QPointF(0, 0);
    numbers_.clear();
    circles_.clear();
    changed(image_.rect());
}

void Canvas::line(QPointF from, QPointF to, std::optional<QRgb> colour) {
    strokeSegment(from, to, colour.value_or(foreground_));
    pen_ = to;
}

void Canvas::lineRelative(QPointF from, QPointF offset, std::optional<QRgb> colour) {
    line(from, from + offset, colour);
}

void Canvas::lineFromPen(QPointF offset, std::optional<QRgb> colour) {
    line(pen_, pen_ + offset, colour);
}

QRectF Canvas::reach() const {
    const int margin = penWidth_ + 1;
    return QRectF(image_.rect()).adjusted(-margin, -margin, margin, margin);
}

void Canvas::strokeSegment(QPointF from, QPointF to, QRgb colour) {
    if (!isFinite(from) || !isFinite(to))
        return;
    if (!reach().intersects(QRectF(from, to).normalized().adjusted(-1, -1, 1, 1)))
        return;
    const auto tooFar = [](QPointF p) {
        return std::fabs(p.x()) > kCoordinateLimit || std::fabs(p.y()) > kCoordinateLimit;
    };
    if (tooFar(from) || tooFar(to))
        return; // no line of the lesson comes near; such a line is not drawn
    painter().setPen(QPen(QColor(colour), penWidth_, penStyle_, Qt::SquareCap, Qt::MiterJoin));
    painter().drawLine(from, to);
    changed(enclosing(QRectF(from, to).normalized(), penWidth_ + 1));
}

void Canvas::circle(QPointF centre, double radius, std::optional<QRgb> colour) {
    if (!isFinite(centre) || !std::isfinite(radius))
        return;
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    if (!reach().intersects(bounds.adjusted(-1, -1, 1, 1)) || radius > kCoordinateLimit)
        return;
    const QRgb drawn = colour.value_or(foreground_) | 0xFF000000u;
    painter().setPen(QPen(QColor(drawn), penWidth_, penStyle_));
    painter().setBrush(Qt::NoBrush);
    painter().drawEllipse(centre, radius, radius);
    std::erase(circles_, centre);
    if (drawn != background_)
        circles_.push_back(centre);
    changed(enclosing(bounds, penWidth_ + 1));
}

bool Canvas::printText(const QString& text) {
    const QPointF topLeft = pen_;
    pen_ = QPointF(0, topLeft.y() + metrics_.height());
    if (!isFinite(topLeft))
        return false;
    const QRectF bounds(topLeft, QSizeF(metrics_.horizontalAdvance(text) + 1, metrics_.height()));
    if (!QRectF(image_.rect()).intersects(bounds))
        return false;
    painter().setPen(QColor(foreground_));
    painter().drawText(QPointF(topLeft.x(), topLeft.y() + metrics_.ascent()), text);
    // Glyphs may reach a little past their advance (italics, overhangs).
    changed(enclosing(bounds, 2));
    return true;
}

void Canvas::print(const QString& text) {
    printText(text);
}

void Canvas::printNumber(double value) {
    const QPointF pen = pen_;
    if (!printText(signedNumberText(value)))
        return;
    std::erase_if(numbers_,
                  [&](const PrintedNumber& n) { return n.pen == pen && n.value == value; });
    if (foreground_ != background_)
        numbers_.push_back({pen, value});
}

void Canvas::floodFill(QPoint seed, QRgb border) {
    if (fillStyle_ != FillStyle::Solid || !image_.rect().contains(seed))
        return;
    endPainting();
    border |= 0xFF000000u;
    const int width = image_.width();
    const int height = image_.height();
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const auto row = [bits, stride](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
    if ((row(seed.y())[seed.x()] | 0xFF000000u) == border)
        return;

    // Heckbert's span fill: each entry is a filled span of one row and the
    // direction in which to look for more; the row it came from is only
    // searched again where the new span reaches past the old one. The mask
    // marks what is painted, since the region is everything that is not the
    // border colour, the fill colour included.
    if (fillMask_.size() != image_.size())
        fillMask_ = surfaceImage(image_.size(), QImage::Format_Grayscale8);
    fillMask_.fill(0);
    uchar* const maskBits = fillMask_.bits();
    const qsizetype maskStride = fillMask_.bytesPerLine();
    const auto maskRow = [maskBits, maskStride](int y) { return maskBits + y * maskStride; };
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
        QRgb* line = row(y);
        quint8* mask = maskRow(y);
        const auto inside = [&](int x) { return !mask[x] && (line[x] | 0xFF000000u) != border; };
        const auto paint = [&](int x) {
            line[x] = fillColour_;
            mask[x] = 1;
        };
        int x = span.left;
        while (x >= 0 && inside(x))
            paint(x--);
        int left = x + 1;
        bool skip = x >= span.left;
        if (!skip) {
            if (left < span.left)
                push(y, left, span.left - 1, -span.dy); // leak back, on the left
            x = span.left + 1;
        }
        do {
            if (!skip) {
                while (x < width && inside(x))
                    paint(x++);
                push(y, left, x - 1, span.dy);
                if (x > span.right + 1)
                    push(y, span.right + 1, x - 1, -span.dy); // leak back, on the right
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                leftmost = std::min(leftmost, left);
                rightmost = std::max(rightmost, x - 1);
            }
            skip = false;
            for (++x; x <= span.right && !inside(x); ++x) {
            }
            left = x;
        } while (x <= span.right);
    }
    changed(QRect(QPoint(leftmost, top), QPoint(rightmost, bottom)));
}

Canvas::Remembered Canvas::record(const std::function<void(Canvas&)>& draw) const {
    Canvas recorder(*this, Transparent{});
    draw(recorder);
    Remembered drawing{recorder.image(), {}, {}, {}, {}};
    if (!std::isnan(recorder.pen_.x()))
        drawing.pen = recorder.pen_;
    if (recorder.foreground_ != kUnsetColour)
        drawing.foreground = recorder.foreground_;
    if (recorder.penWidth_ != kUnsetWidth)
        drawing.penWidth = recorder.penWidth_;
    // Everything painted is opaque; what was not painted is all zero.
    const int width = drawing.layer.width();
    for (int y = 0; y < drawing.layer.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(drawing.layer.constScanLine(y));
        const QRgb* const end = line + width;
        for (const QRgb* p = std::find_if(line, end, [](QRgb v) { return v != 0; }); p != end;
             p = std::find_if(p, end, [](QRgb v) { return v != 0; })) {
            const QRgb* start = p;
            p = std::find(p, end, QRgb(0));
            drawing.runs.emplace_back(int(start - line), y, int(p - start), 1);
        }
    }
    return drawing;
}

void Canvas::drawRemembered(int key, const std::function<void(Canvas&)>& draw) {
    // The first time, the drawing is simply drawn: many drawings are never
    // asked for twice, and recording costs a layer as large as the surface.
    const auto [found, first] = remembered_.try_emplace(key);
    if (first) {
        // Remembered drawings are not listed among the entries in view.
        const auto numbers = numbers_;
        const auto circles = circles_;
        draw(*this);
        numbers_ = numbers;
        circles_ = circles;
        return;
    }
    if (!found->second)
        found->second = record(draw);
    const Remembered& drawing = *found->second;
    endPainting();
    // Only pixels that really change are reported, so that drawing the same
    // thing again over itself costs no repaint.
    QRect changedArea;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (const QRect& run : drawing.runs) {
        QRgb* target = reinterpret_cast<QRgb*>(bits + run.y() * stride) + run.x();
        const QRgb* source =
            reinterpret_cast<const QRgb*>(drawing.layer.constScanLine(run.y())) + run.x();
        if (std::equal(source, source + run.width(), target))
            continue;
        std::copy(source, source + run.width(), target);
        changedArea |= run;
    }
    pen_ = drawing.pen.value_or(pen_);
    foreground_ = drawing.foreground.value_or(foreground_);
    penWidth_ = drawing.penWidth.value_or(penWidth_);
    if (!changedArea.isEmpty())
        changed(changedArea);
}

void Canvas::outlineFocus(QPainter& painter, const QRect& rect, int width) {
    painter.save();
    painter.setPen(QPen(Qt::black, width, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

void Canvas::outlineGroup(QPainter& painter, const QRect& rect, double zoom) {
    // A faint grey line with rounded corners over a hint of shade, as the
    // toolkit's own group frame looks.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x75, 0x75, 0x75, 0x32), zoom));
    painter.setBrush(QColor(0, 0, 0, 0x03));
    const double inset = zoom / 2;
    painter.drawRoundedRect(QRectF(rect).adjusted(inset + 1, inset + 1, inset - 1, inset - 1),
                            2 * zoom, 2 * zoom);
    painter.restore();
}

void Canvas::present(QWidget& target, const QRegion& exposed, const QImage* image,
                     std::span<const LineControl* const> lines, double zoom) {
    QPainter painter(&target);
    preparePainter(painter);
    if (zoom != 1)
        painter.scale(zoom, zoom);
    if (image)
        for (const QRect& rect : exposed) {
            // The image's whole pixels under the exposed rectangle.
            const QRect source =
                zoom == 1 ? rect
                          : QRectF(QPointF(rect.topLeft()) / zoom, QSizeF(rect.size()) / zoom)
                                .toAlignedRect()
                                .intersected(image->rect());
            painter.drawImage(source, *image, source);
        }
    for (const LineControl* control : lines) {
        painter.setPen(
            QPen(QColor(control->colour()), control->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(control->line());
    }
}

} // namespace kansu
