#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QIODevice>
#include <memory>
#include <vector>

class QAudioSink;

namespace kansu::platform {

// The samples an audio sink pulls: the tone of the moment, then silence,
// so that the sink keeps running and a new tone starts at its next pull.
class ToneSource : public QIODevice {
  public:
    explicit ToneSource(const QAudioFormat& format);

    // Replaces the tone: what is left of the one sounding fades out over a
    // few milliseconds into the start of the new one.
    void setTone(std::vector<float> samples);
    // Samples of the tone not yet pulled: at most one tone's.
    qsizetype waitingSamples() const { return qsizetype(tone_.size() - position_); }
    // Time from the last setTone() to the pull that took its first sample;
    // -1 until then.
    qint64 nanosecondsToFirstPull() const { return toFirstPull_; }

    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QAudioFormat format_;
    std::vector<float> tone_;
    size_t position_ = 0;
    QElapsedTimer sinceTone_;
    qint64 toFirstPull_ = -1;
};

// Short tones through one audio device (Qt Multimedia's audio sink, fed with
// generated samples). With no device it plays nothing and says so once.
class TonePlayer {
  public:
    explicit TonePlayer(const QAudioDevice& device);
    ~TonePlayer();

    bool available() const { return !device_.isNull(); }
    // Tones of the pitches one every `everyMilliseconds`, as one sound.
    bool play(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds);
    // Fades the tone out; the sink goes on, ready for the next.
    void silence();
    // Stops the sink; the next tone starts it again.
    void stop();
    const ToneSource* source() const { return source_.get(); }

  private:
    QAudioDevice device_;
    QAudioFormat format_;
    std::unique_ptr<ToneSource> source_;
    std::unique_ptr<QAudioSink> sink_;
    bool toldWhy_ = false;
};

} // namespace kansu::platform
