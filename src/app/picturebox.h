#pragma once

#include "canvas.h"
#include "linecontrol.h"

#include <QFrame>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

namespace kansu {

// The inner area of a picture box: shows the canvas and the line controls
// that sit on it; labels placed on the surface are its child widgets.
class SurfaceView : public QWidget {
    Q_OBJECT
  public:
    SurfaceView(QWidget* parent, Canvas& canvas);

    LineControl& addLine(QLineF line, QRgb colour, int width);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Canvas& canvas_;
    std::vector<std::unique_ptr<LineControl>> lines_;
    std::vector<const LineControl*> lineViews_;
};

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

    // Tells screen readers, once the current handler has run, what changed:
    // the description while the box is in view, and the box or a label on
    // it coming into view or going out of it. Many drawing operations in one
    // step make one announcement.
    void announceLater();

    static constexpr int kBorder = 2;

  protected:
    // Lays out the inner area within the border, both at the window's zoom.
    void resizeEvent(QResizeEvent* event) override;

  private:
    void announce();

    Canvas canvas_;
    SurfaceView* view_;
    std::function<QString()> describer_;
    bool announcePending_ = false;
    bool announcedShown_ = false;
    QString announcedDescription_;
    QHash<const QWidget*, bool> labelsShown_;
};

} // namespace kansu
