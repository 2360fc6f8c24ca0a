#include "canvas.h"

#include "linecontrol.h"
#include "numbers.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

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
    : image_(size, QImage::Format_RGB32), background_(background | 0xFF000000u),
      foreground_(foreground | 0xFF000000u), font_(surfaceFont(font)), metrics_(font_) {
    image_.fill(background_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : background_(other.background_), foreground_(other.foreground_),
      fillColour_(other.fillColour_), fillStyle_(other.fillStyle_), penWidth_(other.penWidth_),
      penStyle_(other.penStyle_), pen_(other.pen_), font_(other.font_), metrics_(other.metrics_),
      changedHandler_(std::move(other.changedHandler_)) {
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

void Canvas::strokeSegment(QPointF from, QPointF to, QRgb colour) {
    if (!isFinite(from) || !isFinite(to))
        return;
    const QRectF reach =
        QRectF(image_.rect())
            .adjusted(-penWidth_ - 1, -penWidth_ - 1, penWidth_ + 1, penWidth_ + 1);
    if (!reach.intersects(QRectF(from, to).normalized().adjusted(-1, -1, 1, 1)))
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
    const QRectF reach =
        QRectF(image_.rect())
            .adjusted(-penWidth_ - 1, -penWidth_ - 1, penWidth_ + 1, penWidth_ + 1);
    if (!reach.intersects(bounds.adjusted(-1, -1, 1, 1)) || radius > kCoordinateLimit)
        return;
    painter().setPen(QPen(QColor(colour.value_or(foreground_)), penWidth_, penStyle_));
    painter().setBrush(Qt::NoBrush);
    painter().drawEllipse(centre, radius, radius);
    changed(enclosing(bounds, penWidth_ + 1));
}

void Canvas::print(const QString& text) {
    const QPointF topLeft = pen_;
    pen_ = QPointF(0, topLeft.y() + metrics_.height());
    if (!isFinite(topLeft))
        return;
    const QRectF bounds(topLeft, QSizeF(metrics_.horizontalAdvance(text) + 1, metrics_.height()));
    if (!QRectF(image_.rect()).intersects(bounds))
        return;
    painter().setPen(QColor(foreground_));
    painter().drawText(QPointF(topLeft.x(), topLeft.y() + metrics_.ascent()), text);
    // Glyphs may reach a little past their advance (italics, overhangs).
    changed(enclosing(bounds, 2));
}

void Canvas::printNumber(double value) {
    print(signedNumberText(value));
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

    // Scanline fill: each popped seed is widened to its whole span, which is
    // painted at once; the rows above and below are searched for new spans.
    // The mask marks what is painted, since the region is everything that is
    // not the border colour, the fill colour included.
    fillMask_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const auto maskRow = [this, width](int y) {
        return fillMask_.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    };
    const auto open = [border](const QRgb* line, const quint8* mask, int x) {
        return !mask[x] && (line[x] | 0xFF000000u) != border;
    };
    std::vector<QPoint> pending{seed};
    QRect touched;
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        QRgb* line = row(p.y());
        quint8* mask = maskRow(p.y());
        if (!open(line, mask, p.x()))
            continue;
        int left = p.x();
        int right = p.x();
        while (left > 0 && open(line, mask, left - 1))
            --left;
        while (right + 1 < width && open(line, mask, right + 1))
            ++right;
        std::fill(line + left, line + right + 1, fillColour_);
        std::fill(mask + left, mask + right + 1, quint8(1));
        touched |= QRect(left, p.y(), right - left + 1, 1);
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb* next = row(y);
            const quint8* nextMask = maskRow(y);
            bool inSpan = false;
            for (int x = left; x <= right; ++x) {
                const bool fillable = open(next, nextMask, x);
                if (fillable && !inSpan)
                    pending.emplace_back(x, y);
                inSpan = fillable;
            }
        }
    }
    changed(touched);
}

void Canvas::present(QWidget& target, const QRegion& exposed, const QImage* image,
                     std::span<const LineControl* const> lines) {
    QPainter painter(&target);
    preparePainter(painter);
    if (image)
        for (const QRect& rect : exposed)
            painter.drawImage(rect, *image, rect);
    for (const LineControl* control : lines) {
        painter.setPen(
            QPen(QColor(control->colour()), control->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(control->line());
    }
}

} // namespace kansu
