#pragma once

#include <QRectF>
#include <QWidget>

namespace kansu {

// The factor by which a window shows the lesson larger than designed, set by
// the window on itself; the controls and the drawing surfaces on it take
// their sizes from it. The lesson itself keeps working in designed pixels.
inline constexpr char kZoomProperty[] = "kansuZoom";

inline double zoomOf(const QWidget& widget) {
    const QVariant zoom = widget.window()->property(kZoomProperty);
    return zoom.isValid() ? zoom.toDouble() : 1.0;
}

// A rectangle in designed pixels as it shows at a zoom: whole pixels
// covering it.
inline QRect zoomedRect(const QRectF& designed, double zoom) {
    return QRectF(designed.topLeft() * zoom, designed.size() * zoom).toAlignedRect();
}

} // namespace kansu
