#include "autorun.h"

#include "app/lesson.h"
#include "app/numbers.h"
#include "app/window/form1.h"
#include "board/step.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

namespace kansu {

namespace {

constexpr double kMillisecondsPerUnit = 20; // one unit of the speed box

} // namespace

qint32 pauseMilliseconds(const QString& speedText) {
    return roundToInt(numericValue(speedText) * kMillisecondsPerUnit);
}

void Pause(Form1& form, qint32 milliseconds) {
    if (milliseconds <= 0)
        return;
    // Sleep in a local event loop rather than poll a clock: events are
    // handled as they come, and the thread costs nothing while it waits.
    const QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
    while (!form.ending() && !form.newRunWaiting() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&form, &Form1::pauseCutShort, &loop, &QEventLoop::quit);
        timer.start(std::chrono::milliseconds(std::max<qint64>(1, deadline.remainingTime())));
        if (loop.exec() != 0 || timer.isActive())
            return; // the application is quitting: nothing more to wait for
    }
}

namespace {

// The start of a run: the reset, the cleared panels, the running buttons.
void startRun(Form1& form) {
    StartAfresh(form);
    const bool keyboardOnRun = form.focusWidget() == form.jidou;
    form.susumu->setEnabled(false);
    form.modoru->setEnabled(false);
    form.Command1->setEnabled(false);
    form.jidou->setEnabled(false);
    form.tomeru->setEnabled(true);
    // The toolkit hands a disabled button's focus to the next control in
    // the chain; a keyboard user who started the run wants the stop button.
    if (keyboardOnRun)
        form.tomeru->setFocus(Qt::OtherFocusReason);
}

bool runGoesOn(const Form1& form) {
    return form.StepCount != kLastStep && form.StopRequested != 1;
}

// The end of a run: the buttons of the idle lesson.
void finishRun(Form1& form) {
    form.StopRequested = 0;
    const bool keyboardOnStop = form.focusWidget() == form.tomeru || !form.focusWidget();
    form.susumu->setEnabled(true);
    form.modoru->setEnabled(true);
    form.Command1->setEnabled(true);
    form.tomeru->setEnabled(false);
    form.jidou->setEnabled(true);
    if (keyboardOnStop)
        form.jidou->setFocus(Qt::OtherFocusReason);
}

qint32 pauseAfterStep(const Form1& form) {
    return pauseMilliseconds(form.Combo1->currentText());
}

// One whole run, waiting inside the handler.
void runOnce(Form1& form) {
    startRun(form);
    while (runGoesOn(form)) {
        susumu_Click(form);
        form.pause(pauseAfterStep(form));
        if (form.ending())
            return; // quit or closed during the pause: leave the window alone
    }
    finishRun(form);
}

// A run that returns to the event loop after each step and goes on from a
// timer: the same moves in the same order, without a nested loop.
class TimerDrivenRun : public QObject {
  public:
    explicit TimerDrivenRun(Form1& form) : QObject(&form), form_(form) {
        setObjectName(QStringLiteral("timerDrivenRun"));
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &TimerDrivenRun::goOn);
        connect(&form, &Form1::pauseCutShort, this, [this] {
            if (timer_.isActive()) {
                timer_.stop();
                goOn();
            }
        });
        startRun(form);
        goOn();
    }

  private:
    void goOn() {
        while (!form_.ending()) {
            if (!runGoesOn(form_)) {
                finishRun(form_);
                if (form_.takeNewRunRequest()) {
                    startRun(form_);
                    continue;
                }
                break;
            }
            susumu_Click(form_);
            if (const qint32 milliseconds = pauseAfterStep(form_); milliseconds > 0) {
                timer_.start(std::chrono::milliseconds(milliseconds));
                return;
            }
        }
        deleteLater();
    }

    Form1& form_;
    QTimer timer_;
};

} // namespace

void jidou_Click(Form1& form) {
    jidou_Click(form, platform::nestedEventLoops() ? RunDriver::NestedPause : RunDriver::Timer);
}

void jidou_Click(Form1& form, RunDriver driver) {
    // A stopped run may still be waiting out its last pause, with jidou
    // already enabled. A new run nested inside that pause would leave the
    // old one stepping on afterwards with nobody able to stop it: the pause
    // ends now, the stopped run finishes, and then the new one starts.
    if (form.StopRequested == 1) {
        form.requestNewRun();
        return;
    }
    if (driver == RunDriver::Timer) {
        new TimerDrivenRun(form); // owned by the form, gone when the run is
        return;
    }
    do
        runOnce(form);
    while (!form.ending() && form.takeNewRunRequest());
}

void tomeru_Click(Form1& form) {
    form.StopRequested = 1;
    form.jidou->setEnabled(true);
}

} // namespace kansu
