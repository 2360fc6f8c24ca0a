#include "picturebox.h"

#include "accessibility.h"
#include "numbers.h"
#include "zoom.h"

#include <QAccessible>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>

namespace kansu {

SurfaceView::SurfaceView(QWidget* parent, Canvas& canvas) : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

LineControl& SurfaceView::addLine(QLineF line, QRgb colour, int width) {
    lines_.push_back(std::make_unique<LineControl>(*this, line, colour, width));
    lineViews_.push_back(lines_.back().get());
    return *lines_.back();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    const double zoom = zoomOf(*this);
    const double ratio = devicePixelRatioF();
    // The surface is drawn at the screen's own resolution; should the
    // window have moved to a screen of another pixel ratio since, it is
    // drawn afresh for it first.
    canvas_.showAt(zoom * ratio);
    QPainter painter(this);
    const QImage& image = canvas_.shownImage();
    for (const QRect& rect : event->region())
        painter.drawImage(QRectF(rect), image,
                          QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(zoom, zoom);
    for (const LineControl* control : lineViews_) {
        painter.setPen(
            QPen(QColor(control->colour()), control->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(control->line());
    }
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
    canvas_.setChangedHandler([this](const QRect& rect) {
        const double zoom = zoomOf(*view_);
        view_->update(zoom == 1 ? rect : zoomedRect(rect.adjusted(-1, -1, 1, 1), zoom));
        announceLater();
    });
    // Screen-reader and keyboard users reach the surface with Tab.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const double zoom = zoomOf(*this);
    const int border = roundToInt(kBorder * zoom);
    setLineWidth(border);
    view_->setGeometry(border, border, roundToInt(canvas_.image().width() * zoom),
                       roundToInt(canvas_.image().height() * zoom));
}

void PictureBox::announceLater() {
    if (announcePending_ || !screenReadersListening())
        return;
    announcePending_ = true;
    QMetaObject::invokeMethod(this, &PictureBox::announce, Qt::QueuedConnection);
}

void PictureBox::announce() {
    announcePending_ = false;
    const auto shownNow = [](const QWidget& w) { return w.isVisible() && insideWindow(w); };
    const auto tellState = [](QWidget* w) {
        QAccessible::State changed;
        changed.invisible = true;
        QAccessibleStateChangeEvent event(w, changed);
        tellScreenReaders(event);
    };
    const bool shown = shownNow(*this);
    if (shown != announcedShown_) {
        announcedShown_ = shown;
        tellState(this);
    }
    for (QLabel* label : view_->findChildren<QLabel*>()) {
        const bool labelShown = shownNow(*label);
        auto known = labelsShown_.find(label);
        if (known == labelsShown_.end() || *known != labelShown) {
            labelsShown_.insert(label, labelShown);
            tellState(label);
        }
    }
    if (!shown) {
        // Shown again, it is announced afresh.
        announcedDescription_.clear();
        return;
    }
    const QString description = describe();
    if (description == announcedDescription_)
        return;
    announcedDescription_ = description;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    tellScreenReaders(event);
}

} // namespace kansu
