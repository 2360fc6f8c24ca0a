#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>

class QTextToSpeech;
class QThread;

namespace kansu::platform {

// The system's speech (Qt's text-to-speech, speech-dispatcher on Linux) on a
// thread of its own: a speech service that stops answering holds up that
// thread, never the lesson. Only the newest sentence waits to be said.
class SpeechWorker : public QObject {
    Q_OBJECT
  public:
    // Made on first use; its thread ends with the application, or is left
    // behind if the service hangs.
    static SpeechWorker& instance();

    // Says `text`, cutting short the sentence before; false once the
    // service has failed.
    bool say(const QString& text);
    void stop();

  private:
    SpeechWorker();
    void start();
    void sayNewest();

    QThread* thread_;
    QTextToSpeech* voice_ = nullptr; // lives on thread_
    QMutex mutex_;
    QString newest_;
    bool posted_ = false;
    bool stopWanted_ = false;
    std::atomic<bool> failed_{false};
};

} // namespace kansu::platform
