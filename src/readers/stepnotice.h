#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kansu {

class Form1;

// What a step changed, told to screen readers as a notification, which
// they speak wherever the focus is (on 進む, on the presenter's keys):
// an object of the window with the notification role comes into view with
// the board's description as its name. Once per step; during an automatic
// run only where it ends, as no screen reader could keep up with its steps.
class StepNotice : public QObject {
    Q_OBJECT
  public:
    // The name by which the notification's widget is known.
    static constexpr char kObjectName[] = "StepNotice";

    explicit StepNotice(Form1& form);

    void tell(const QString& text);

  protected:
    // A run's end: ストップ is disabled again.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void show(const QString& text);

    QWidget* stop_; // ストップ: enabled while a run goes
    QWidget* widget_;
    QString untold_; // held back during a run
};

} // namespace kansu
