#pragma once

#include <QObject>
#include <QTimer>

class QAction;

namespace kansu {

class Form1;

// The lesson heard: with 音 on, each step sounds a short tone whose pitch
// follows y of the chosen quantity; with 読み上げ on, each step and the end
// of a run say the board's description; グラフを音で聞く plays the whole
// graph, chi = 0 to 10 cm, in about three seconds. Both are off at start
// and kept for the session only.
class Hearing : public QObject {
    Q_OBJECT
  public:
    static constexpr int kToneMilliseconds = 120;
    static constexpr int kGraphMilliseconds = 3000;

    explicit Hearing(Form1& form);

    QAction* soundAction() const { return sound_; }
    QAction* voicingAction() const { return voicing_; }
    QAction* playGraphAction() const { return playGraph_; }
    bool playingGraph() const { return graphTimer_.isActive(); }

    // A step's tone: 120 ms, but shorter than the pause of a fast run, so
    // that tones never pile up behind the steps.
    static int stepToneMilliseconds(bool running, int pauseMilliseconds);

  signals:
    // What was asked of the system's sound and speech.
    void toneAsked(double hertz, int milliseconds);
    void spoken(const QString& text);

  protected:
    // Any key or press ends the graph's playing; a run's end is said.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* addAction(const QString& text, const QKeySequence& key, bool checkable);
    void noticeLater();
    void notice();
    void soundSwitched(bool on);
    void voicingSwitched(bool on);
    void startGraph();
    void stopGraph();
    void tone(double chi, int milliseconds);
    void say(const QString& text);
    int chosenQuantity() const;
    // StepCount and the chosen quantity as one number, to hear each once.
    int stepAndQuantity() const;
    bool running() const;

    Form1& form_;
    QAction* sound_;
    QAction* voicing_;
    QAction* playGraph_;
    QTimer graphTimer_;    // runs while the graph plays
    int heard_;            // the step and quantity last heard
    bool pending_ = false; // a notice is on its way
    bool runSeen_ = false; // 自動 has been disabled by a run
};

} // namespace kansu
