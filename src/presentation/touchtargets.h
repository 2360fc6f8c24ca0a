#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace kansu {

class Form1;

// The side of the square a fingertip needs, in the window's logical pixels
// (CSS pixels in a page).
constexpr int kFingertip = 44;

// Where a touch at `at` lands: at the nearest point of `control` (all in
// the window's coordinates) if a fingertip square centred on `at` touches
// it and `at` lies nearer to it than to every other control, else at `at`.
QPoint fingertipTarget(QPoint at, const QRect& control, const QList<QRect>& others);

// Makes small controls easy to hit with a finger: a touch beside a control,
// with the fingertip square around it touching the control and nearer to it
// than to any other control, presses it. What is drawn does not change, and the mouse keeps
// the controls' exact rectangles.
class TouchTargets : public QObject {
    Q_OBJECT
  public:
    explicit TouchTargets(Form1& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's controls a pupil presses or types into, where they are now.
    QList<QPair<QWidget*, QRect>> controls() const;
    static bool pressable(const QWidget& widget);
    QPoint shiftFor(QPoint at) const;
    bool resend(QObject* window, const QMouseEvent& event);

    Form1& form_;
    QPoint shift_; // of the touch under way
    bool resending_ = false;
};

} // namespace kansu
