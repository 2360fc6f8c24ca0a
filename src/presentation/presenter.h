#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <array>
#include <vector>

class QAction;
class QKeySequence;

namespace kansu {

class Form1;
class FocusStyle;

// The zoom steps of the normal window.
constexpr std::array<double, 7> kZoomSteps{1, 1.25, 1.5, 1.75, 2, 2.5, 3};

// The scale factor at which a window of `needed` logical pixels fits an
// area of `available` logical pixels measured at scale `current`: the
// current one when it fits already, a smaller one otherwise.
double fittingScale(QSize needed, QSize available, double current);

// Shows the lesson window larger or smaller than designed, for a projector,
// a sharp screen or a small one: the zoom, full screen and the presenter's
// keys. The lesson's procedures never know the zoom; the window shows their
// designed pixels at it.
class Presenter : public QObject {
    Q_OBJECT
  public:
    explicit Presenter(Form1& form);

    // The factor of the whole window over its designed size.
    double zoom() const { return zoom_; }
    bool fullScreen() const { return fullScreen_; }
    // Any zoom in the normal window; full screen fits the lesson to the
    // screen instead.
    void setZoom(double zoom);
    // Steps through kZoomSteps, as far as the screen's free area allows.
    void zoomIn();
    void zoomOut();
    void toggleFullScreen();
    // At start-up: a window that would not fit the screen's free area at
    // its designed size (a small screen, or one scaled to 150 or 200 %)
    // starts at the zoom below 1 at which it fits, both panels shown. Where
    // the window is the whole screen (a page), it fills the screen's area
    // and follows it.
    void fitToScreen();
    // The window takes the area, and the lesson stands in its middle as
    // large as it allows, also when a panel is shown or hidden.
    void fillArea(const QRect& area);

    // The largest enlargement a pinch gives the lesson over its fitted size.
    static constexpr double kMostEnlargement = 4;
    // Two fingers on a page: spread, the lesson grows around the point
    // between them, up to kMostEnlargement times the page's fitted size, and
    // follows them as they move; pinched, it shrinks back, never below the
    // fitted size. The shown part always covers the page.
    void pinch(platform::PinchStep step, double factor, QPointF centre);
    double enlargement() const { return enlargement_; }

    // The actions for a menu: zoom in, out and back (none on a page), and
    // full screen.
    const std::vector<QAction*>& zoomActions() const { return zoomKeys_; }
    QAction* fullScreenAction() const { return fullScreenKey_; }

  protected:
    // The window's size in full screen, and the window manager's own ways
    // to full screen and back.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's size for the designed size at the current zoom, or, in
    // full screen, the zoom and place that fit the lesson to the screen.
    void fitWindow();
    QAction* addKeys(const QString& text, std::initializer_list<QKeySequence> keys,
                     void (Presenter::*pressed)());
    void runOrStop();
    void stepForward();
    void stepBack();
    void resetZoom() { setZoom(1); }

    Form1& form_;
    FocusStyle* style_;
    QAction* leaveFullScreen_;
    QAction* fullScreenKey_;
    std::vector<QAction*> zoomKeys_;
    double zoom_ = 1;
    double appliedZoom_ = 1; // the controls are made at their designed size
    bool fullScreen_ = false;
    double normalZoom_ = 1; // to return to from full screen
    QPoint normalPosition_;
    QRect area_;             // the area the window fills, if any
    double enlargement_ = 1; // of the lesson over the area's fitted size
    QPointF stageAt_;        // where an enlarged lesson stands in the area
    struct {
        double enlargement = 1;
        QPointF designed; // the designed point under the fingers
    } pinchStart_;
};

} // namespace kansu
