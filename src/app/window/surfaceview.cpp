#include "surfaceview.h"

#include "app/canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace kansu {

SurfaceView::SurfaceView(QWidget* parent, Canvas* canvas) : QWidget(parent), canvas_(canvas) {
    if (canvas_)
        setAttribute(Qt::WA_OpaquePaintEvent);
}

LineControl& SurfaceView::addLine(QLineF line, QRgb colour, int width) {
    lines_.push_back(std::make_unique<LineControl>(
        line, colour, width, [this](const QRect& designed) { updateDesigned(designed); }));
    return *lines_.back();
}

void SurfaceView::setZoom(double zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    update();
}

void SurfaceView::updateDesigned(const QRect& designed) {
    // Drawn again at another scale, a shape may reach a part of a designed
    // pixel further: one more on every side, in whole pixels of the widget.
    const QRectF around = QRectF(designed).adjusted(-1, -1, 1, 1);
    update(QRectF(around.topLeft() * zoom_, around.size() * zoom_).toAlignedRect());
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (canvas_) {
        const double ratio = devicePixelRatioF();
        // The surface is drawn at the screen's own resolution; should the
        // window have moved to a screen of another pixel ratio since, it is
        // drawn afresh for it first.
        canvas_->showAt(zoom_ * ratio);
        const QImage& image = canvas_->shownImage();
        for (const QRect& rect : event->region())
            painter.drawImage(QRectF(rect), image,
                              QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(zoom_, zoom_);
    for (const auto& control : lines_) {
        painter.setPen(
            QPen(QColor(control->colour()), control->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(control->line());
    }
}

} // namespace kansu
