#include "picturebox.h"

#include <QPaintEvent>

namespace kansu {

SurfaceView::SurfaceView(QWidget* parent, Canvas& canvas) : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.setChangedHandler([this](const QRect& rect) { update(rect); });
}

LineControl& SurfaceView::addLine(QLineF line, QRgb colour, int width) {
    lines_.push_back(std::make_unique<LineControl>(*this, line, colour, width));
    lineViews_.push_back(lines_.back().get());
    return *lines_.back();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    Canvas::present(*this, event->region(), &canvas_.image(), lineViews_);
}

PictureBox::PictureBox(QWidget* parent, const QRect& outer, QRgb background, QRgb foreground,
                       const QFont& font)
    : QFrame(parent),
      canvas_(outer.size() - QSize(2 * kBorder, 2 * kBorder), background, foreground, font) {
    setGeometry(outer);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    view_ = new SurfaceView(this, canvas_);
    view_->setGeometry(kBorder, kBorder, canvas_.image().width(), canvas_.image().height());
}

} // namespace kansu
