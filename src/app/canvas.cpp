#include "canvas.h"

#include "linecontrol.h"
#include "numbers.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <vector>

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

} // namespace

Canvas::Canvas(QSize size, QRgb background, QRgb foreground, const QFont& font)
    : image_(size, QImage::Format_RGB32), background_(background | 0xFF000000u),
      foreground_(foreground | 0xFF000000u), font_(font) {
    font_.setStyleStrategy(QFont::NoAntialias);
    image_.fill(background_);
}

void Canvas::setChangedHandler(std::function<void(const QRect&)> handler) {
    changedHandler_ = std::move(handler);
}

void Canvas::changed(const QRect& rect) {
    if (changedHandler_)
        changedHandler_(rect.intersected(image_.rect()));
}

void Canvas::clear() {
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
    {
        QPainter painter(&image_);
        preparePainter(painter);
        painter.setPen(QPen(QColor(colour), penWidth_, penStyle_, Qt::SquareCap, Qt::MiterJoin));
        painter.drawLine(from, to);
    }
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
    {
        QPainter painter(&image_);
        preparePainter(painter);
        painter.setPen(QPen(QColor(colour.value_or(foreground_)), penWidth_, penStyle_));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius, radius);
    }
    changed(enclosing(bounds, penWidth_ + 1));
}

void Canvas::print(const QString& text) {
    const QFontMetrics metrics(font_);
    const QPointF topLeft = pen_;
    pen_ = QPointF(0, topLeft.y() + metrics.height());
    if (!isFinite(topLeft))
        return;
    const QRectF bounds(topLeft, QSizeF(metrics.horizontalAdvance(text) + 1, metrics.height()));
    if (!QRectF(image_.rect()).intersects(bounds))
        return;
    {
        QPainter painter(&image_);
        preparePainter(painter);
        painter.setFont(font_);
        painter.setPen(QColor(foreground_));
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }
    // Glyphs may reach a little past their advance (italics, overhangs).
    changed(enclosing(bounds, 2));
}

void Canvas::printNumber(double value) {
    print(signedNumberText(value));
}

void Canvas::floodFill(QPoint seed, QRgb border) {
    if (fillStyle_ != FillStyle::Solid || !image_.rect().contains(seed))
        return;
    border |= 0xFF000000u;
    const int width = image_.width();
    const int height = image_.height();
    const auto row = [this](int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); };
    if ((row(seed.y())[seed.x()] | 0xFF000000u) == border)
        return;

    // Scanline fill: each popped seed is widened to its whole span, which is
    // painted at once; the rows above and below are searched for new spans.
    std::vector<bool> done(static_cast<size_t>(width) * static_cast<size_t>(height), false);
    const auto open = [&](int x, int y) {
        return !done[static_cast<size_t>(y) * width + x] && (row(y)[x] | 0xFF000000u) != border;
    };
    std::vector<QPoint> pending{seed};
    QRect touched;
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (!open(p.x(), p.y()))
            continue;
        int left = p.x();
        int right = p.x();
        while (left > 0 && open(left - 1, p.y()))
            --left;
        while (right + 1 < width && open(right + 1, p.y()))
            ++right;
        QRgb* line = row(p.y());
        for (int x = left; x <= right; ++x) {
            line[x] = fillColour_;
            done[static_cast<size_t>(p.y()) * width + x] = true;
        }
        touched |= QRect(left, p.y(), right - left + 1, 1);
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            bool inSpan = false;
            for (int x = left; x <= right; ++x) {
                const bool fillable = open(x, y);
                if (fillable && !inSpan)
                    pending.emplace_back(x, y);
                inSpan = fillable;
            }
        }
    }
    changed(touched);
}

void Canvas::present(QWidget& target, const QRect& exposed, const QImage* image,
                     std::span<const LineControl* const> lines) {
    QPainter painter(&target);
    preparePainter(painter);
    if (image)
        painter.drawImage(exposed, *image, exposed);
    for (const LineControl* control : lines) {
        painter.setPen(
            QPen(QColor(control->colour()), control->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(control->line());
    }
}

} // namespace kansu
