#include "canvas.h"

#include "numbers.h"

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

QFont surfaceFont(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A recorder starts with values no setter can produce, so that what a
// remembered drawing set shows at its end.
constexpr QRgb kUnsetColour = 0x00000001u;
constexpr int kUnsetWidth = -1;
const QPointF kUnsetPen(std::numeric_limits<double>::quiet_NaN(), 0);

} // namespace

Canvas::Canvas(QSize size, QRgb background, QRgb foreground, const QFont& font)
    : size_(size),
      design_(std::make_unique<Raster>(size, 1.0, background | 0xFF000000u, surfaceFont(font))),
      background_(background | 0xFF000000u), foreground_(foreground | 0xFF000000u),
      font_(surfaceFont(font)), metrics_(font_) {}

Canvas::Canvas(QSize size, const QFont& font, RecordOnly)
    : size_(size), background_(0), foreground_(kUnsetColour), penWidth_(kUnsetWidth),
      pen_(kUnsetPen), font_(font), metrics_(font_) {}

Canvas::Canvas(Canvas&&) noexcept = default;
Canvas::~Canvas() = default;

void Canvas::setChangedHandler(std::function<void(const QRect&)> handler) {
    changedHandler_ = std::move(handler);
}

void Canvas::changed(const QRect& rect) {
    if (changedHandler_)
        changedHandler_(rect.intersected(QRect(QPoint(), size_)));
}

void Canvas::showAt(double scale) {
    if (!design_ || !(scale > 0) || scale == shownScale())
        return;
    if (scale == 1) {
        shown_.reset();
        return;
    }
    shown_ = std::make_unique<Raster>(size_, scale, background_, font_);
    if (!list_.folded().isNull())
        shown_->drawEnlarged(list_.folded());
    for (const DisplayList::Entry& entry : list_.entries()) {
        if (entry.folded)
            continue;
        if (entry.op.kind == DrawOp::Kind::Layer)
            shown_->drawLayer(entry.op.key, recipes_.at(entry.op.key).ops);
        else
            shown_->draw(entry.op);
    }
}

QRect Canvas::make(DrawOp op) {
    if (!design_) {
        list_.add(std::move(op));
        return {};
    }
    const QRect painted = design_->draw(op);
    if (shown_)
        shown_->draw(op);
    list_.add(std::move(op));
    if (list_.full())
        list_.fold(design_->image(), background_);
    return painted;
}

void Canvas::clear() {
    pen_ = QPointF(0, 0);
    list_.clear();
    if (!design_)
        return;
    design_->fill(background_);
    if (shown_)
        shown_->fill(background_);
    changed(QRect(QPoint(), size_));
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
    return QRectF(QPointF(), QSizeF(size_)).adjusted(-margin, -margin, margin, margin);
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
    make({.kind = DrawOp::Kind::Line,
          .at = from,
          .to = to,
          .colour = colour,
          .width = penWidth_,
          .style = penStyle_});
    changed(enclosing(QRectF(from, to).normalized(), penWidth_ + 1));
}

void Canvas::circle(QPointF centre, double radius, std::optional<QRgb> colour) {
    if (!isFinite(centre) || !std::isfinite(radius))
        return;
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    if (!reach().intersects(bounds.adjusted(-1, -1, 1, 1)) || radius > kCoordinateLimit)
        return;
    make({.kind = DrawOp::Kind::Circle,
          .at = centre,
          .radius = radius,
          .colour = colour.value_or(foreground_) | 0xFF000000u,
          .width = penWidth_,
          .style = penStyle_});
    changed(enclosing(bounds, penWidth_ + 1));
}

void Canvas::printText(const QString& text, double number) {
    const QPointF topLeft = pen_;
    pen_ = QPointF(0, topLeft.y() + metrics_.height());
    if (!isFinite(topLeft))
        return;
    const QRectF bounds(topLeft, QSizeF(metrics_.horizontalAdvance(text) + 1, metrics_.height()));
    if (!QRectF(QPointF(), QSizeF(size_)).intersects(bounds))
        return;
    make({.kind = DrawOp::Kind::Text,
          .at = topLeft,
          .colour = foreground_,
          .text = text,
          .number = number});
    // Glyphs may reach a little past their advance (italics, overhangs).
    changed(enclosing(bounds, 2));
}

void Canvas::print(const QString& text) {
    printText(text, std::numeric_limits<double>::quiet_NaN());
}

void Canvas::printNumber(double value) {
    printText(signedNumberText(value), value);
}

void Canvas::floodFill(QPoint seed, QRgb border) {
    if (fillStyle_ != FillStyle::Solid || !QRect(QPoint(), size_).contains(seed))
        return;
    const QRect painted = make({.kind = DrawOp::Kind::Fill,
                                .at = seed,
                                .colour = fillColour_,
                                .border = border | 0xFF000000u});
    if (!painted.isEmpty())
        changed(painted);
}

std::vector<Canvas::PrintedNumber> Canvas::numbersInView() const {
    return list_.numbersInView(background_);
}

std::vector<QPointF> Canvas::circlesInView() const {
    return list_.circlesInView(background_);
}

Canvas::Recipe Canvas::record(const std::function<void(Canvas&)>& draw) const {
    Canvas recorder(size_, font_, RecordOnly{});
    draw(recorder);
    Recipe recipe;
    for (const DisplayList::Entry& entry : recorder.list_.entries())
        recipe.ops.push_back(entry.op);
    if (!std::isnan(recorder.pen_.x()))
        recipe.pen = recorder.pen_;
    if (recorder.foreground_ != kUnsetColour)
        recipe.foreground = recorder.foreground_;
    if (recorder.penWidth_ != kUnsetWidth)
        recipe.penWidth = recorder.penWidth_;
    return recipe;
}

void Canvas::drawRemembered(int key, const std::function<void(Canvas&)>& draw) {
    auto found = recipes_.find(key);
    if (found == recipes_.end())
        found = recipes_.emplace(key, record(draw)).first;
    const Recipe& recipe = found->second;
    if (design_) {
        const QRect changedArea = design_->drawLayer(key, recipe.ops);
        if (shown_)
            shown_->drawLayer(key, recipe.ops);
        list_.add({.kind = DrawOp::Kind::Layer, .key = key});
        if (!changedArea.isEmpty())
            changed(changedArea);
    } else {
        for (const DrawOp& op : recipe.ops)
            list_.add(op);
    }
    pen_ = recipe.pen.value_or(pen_);
    foreground_ = recipe.foreground.value_or(foreground_);
    penWidth_ = recipe.penWidth.value_or(penWidth_);
}

} // namespace kansu
