#pragma once

#include "linecontrol.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace kansu {

class Canvas;

// Shows a designed area at a zoom: a canvas drawn at the screen's
// resolution, or, without one, its background colour; then the line
// controls that sit on it. Labels placed on it are its child widgets.
class SurfaceView : public QWidget {
    Q_OBJECT
  public:
    // `canvas` may be null: the window's own area, which has no drawing.
    SurfaceView(QWidget* parent, Canvas* canvas);

    LineControl& addLine(QLineF line, QRgb colour, int width);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Repaints what shows an area of designed pixels.
    void updateDesigned(const QRect& designed);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Canvas* canvas_;
    double zoom_ = 1;
    std::vector<std::unique_ptr<LineControl>> lines_;
};

} // namespace kansu
