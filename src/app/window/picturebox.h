#pragma once

#include "app/canvas.h"
#include "surfaceview.h"

#include <QFrame>
#include <functional>

namespace kansu {

// A picture box: a drawing surface inside the sunken border of the window
// description. Its canvas has the size of the inner area for the whole life
// of the program, whether or not the box is in view.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    PictureBox(QWidget* parent, const QRect& outer, QRgb background, QRgb foreground,
               const QFont& font);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    // Parent for the controls that sit inside the box; positions are pixels
    // of the inner area.
    SurfaceView& inner() { return *view_; }

    // What the surface shows, in words, for screen readers; asked for when
    // they read it, so that it is always current.
    void setDescriber(std::function<QString()> describer) { describer_ = std::move(describer); }
    QString describe() const { return describer_ ? describer_() : QString(); }

    // Shows the box at a zoom of the window, its border included; the box
    // itself has been placed by then.
    void setZoom(double zoom);

    static constexpr int kBorder = 2;

  signals:
    // Something was drawn on the canvas (also something that changed nothing).
    void drawn();

  private:
    Canvas canvas_;
    SurfaceView* view_;
    std::function<QString()> describer_;
};

} // namespace kansu
