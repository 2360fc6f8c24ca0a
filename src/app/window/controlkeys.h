#pragma once

#include <QObject>

namespace kansu {

// The keys pupils at the keyboard expect of the lesson's buttons and boxes,
// watched on each of them: Enter presses a focused button or check box (in
// a window that is no dialog the toolkit leaves Enter to the window), and
// Up and Down move along the row of quantity buttons as Left and Right do.
class ControlKeys : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kansu
