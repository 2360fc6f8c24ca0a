#include "hearing.h"

#include "pitch.h"

#include "app/window/form1.h"
#include "autorun/autorun.h"
#include "board/board.h"
#include "platform/platform.h"
#include "presentation/keylist.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace kansu {

namespace {

constexpr int kGraphPoints = 21; // chi = 0, 0.5, ..., 10 cm
constexpr int kGraphToneMilliseconds = 130;
constexpr int kShortestToneMilliseconds = 15;

} // namespace

int Hearing::stepToneMilliseconds(bool running, int pauseMilliseconds) {
    if (!running)
        return kToneMilliseconds;
    return std::clamp(pauseMilliseconds * 4 / 5, kShortestToneMilliseconds, kToneMilliseconds);
}

Hearing::Hearing(Form1& form)
    : QObject(&form), form_(form),
      sound_(addAction(QStringLiteral("音"), QKeySequence(Qt::Key_O), true)),
      voicing_(addAction(QStringLiteral("読み上げ"), QKeySequence(Qt::Key_Y), true)),
      playGraph_(addAction(QStringLiteral("グラフを音で聞く"), QKeySequence(Qt::Key_G), false)) {
    heard_ = stepAndQuantity();
    connect(sound_, &QAction::toggled, this, &Hearing::soundSwitched);
    connect(voicing_, &QAction::toggled, this, &Hearing::voicingSwitched);
    connect(playGraph_, &QAction::triggered, this, &Hearing::startGraph);
    connect(form.kokuban, &PictureBox::drawn, this, &Hearing::noticeLater);
    graphTimer_.setSingleShot(true);
    graphTimer_.setInterval(kGraphMilliseconds + kGraphToneMilliseconds);
    connect(&graphTimer_, &QTimer::timeout, this, [this] { qApp->removeEventFilter(this); });
    form.jidou->installEventFilter(this);
}

QAction* Hearing::addAction(const QString& text, const QKeySequence& key, bool checkable) {
    QAction* action = addWindowKey(form_, text, {key});
    action->setCheckable(checkable);
    return action;
}

int Hearing::chosenQuantity() const {
    for (int element = 0; element < 3; ++element)
        if (form_.selected(element))
            return element;
    return -1;
}

int Hearing::stepAndQuantity() const {
    return form_.StepCount * 4 + chosenQuantity() + 1;
}

bool Hearing::running() const {
    return !form_.jidou->isEnabled();
}

void Hearing::noticeLater() {
    // A step draws the board several times; it is heard once, when the
    // step is done.
    if (pending_ || (!sound_->isChecked() && !voicing_->isChecked()))
        return;
    pending_ = true;
    QMetaObject::invokeMethod(this, &Hearing::notice, Qt::QueuedConnection);
}

void Hearing::notice() {
    pending_ = false;
    const int now = stepAndQuantity();
    if (now == heard_)
        return;
    heard_ = now;
    if (sound_->isChecked() && !playingGraph()) {
        const int pause = pauseMilliseconds(form_.Combo1->currentText());
        tone(form_.StepCount / kPixelsPerCm, stepToneMilliseconds(running(), pause));
    }
    if (voicing_->isChecked())
        say(describeBoard(form_));
}

void Hearing::tone(double chi, int milliseconds) {
    const double hertz = pitchAt(chosenQuantity(), chi);
    emit toneAsked(hertz, milliseconds);
    platform::playTone(hertz, milliseconds);
}

void Hearing::say(const QString& text) {
    emit spoken(text);
    platform::speak(text);
}

void Hearing::soundSwitched(bool on) {
    heard_ = stepAndQuantity();
    if (on)
        tone(form_.StepCount / kPixelsPerCm, kToneMilliseconds);
    else
        platform::stopTones();
}

void Hearing::voicingSwitched(bool on) {
    heard_ = stepAndQuantity();
    if (on)
        say(describeBoard(form_));
    else
        platform::stopSpeaking();
}

void Hearing::startGraph() {
    // One sound for the whole graph: a device that takes a moment to start
    // delays it rather than losing its first tones.
    std::vector<double> hertz;
    for (int point = 0; point < kGraphPoints; ++point) {
        hertz.push_back(pitchAt(chosenQuantity(), point * 10.0 / (kGraphPoints - 1)));
        emit toneAsked(hertz.back(), kGraphToneMilliseconds);
    }
    platform::playTones(hertz, kGraphToneMilliseconds, kGraphMilliseconds / (kGraphPoints - 1));
    graphTimer_.start();
    qApp->installEventFilter(this);
}

void Hearing::stopGraph() {
    graphTimer_.stop();
    qApp->removeEventFilter(this);
    platform::stopTones();
}

bool Hearing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->isAutoRepeat())
            break;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        if (playingGraph() && watched->isWidgetType())
            stopGraph();
        break;
    case QEvent::EnabledChange:
        // 自動 disabled, then enabled again: a run has ended. (While the graph
        // plays, the application's filter sees the change as well.)
        if (watched != form_.jidou)
            break;
        if (!form_.jidou->isEnabled())
            runSeen_ = true;
        else if (std::exchange(runSeen_, false) && voicing_->isChecked())
            say(QStringLiteral("止まりました。") + describeBoard(form_));
        break;
    default:
        break;
    }
    return false;
}

} // namespace kansu
