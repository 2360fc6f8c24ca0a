#include "picturebox.h"

#include "app/numbers.h"

namespace kansu {

PictureBox::PictureBox(QWidget* parent, const QRect& outer, QRgb background, QRgb foreground,
                       const QFont& font)
    : QFrame(parent),
      canvas_(outer.size() - QSize(2 * kBorder, 2 * kBorder), background, foreground, font) {
    setGeometry(outer);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    view_ = new SurfaceView(this, &canvas_);
    view_->setGeometry(kBorder, kBorder, canvas_.image().width(), canvas_.image().height());
    canvas_.setChangedHandler([this](const QRect& rect) {
        view_->updateDesigned(rect);
        emit drawn();
    });
    // Screen-reader and keyboard users reach the surface with Tab.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setZoom(double zoom) {
    const int border = roundToInt(kBorder * zoom);
    setLineWidth(border);
    view_->setGeometry(border, border, roundToInt(canvas_.image().width() * zoom),
                       roundToInt(canvas_.image().height() * zoom));
    view_->setZoom(zoom);
}

} // namespace kansu
