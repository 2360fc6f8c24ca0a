#include "toneplayer.h"

#include "sound/tone.h"

#include <QAudioSink>
#include <QtDebug>
#include <algorithm>
#include <cstring>

namespace kansu::platform {

namespace {

constexpr int kFadeMilliseconds = 5;
// The sink's own buffer, kept short, so that a tone starts within about
// this time: three of the periods in which the sink pulls (20 ms with
// PulseAudio); with two or fewer it found no room for a period and
// played nothing.
constexpr int kBufferMilliseconds = 60;

QAudioFormat toneFormat(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Float);
    if (device.isNull() || device.isFormatSupported(format))
        return format;
    format = device.preferredFormat();
    if (format.sampleFormat() != QAudioFormat::Float)
        format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

ToneSource::ToneSource(const QAudioFormat& format) : format_(format) {
    // Unbuffered: a new tone must reach the very next pull, not wait behind
    // samples read ahead.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void ToneSource::setTone(std::vector<float> samples) {
    const size_t fade = size_t(format_.sampleRate() * kFadeMilliseconds / 1000);
    for (size_t i = 0; i < fade && position_ + i < tone_.size() && i < samples.size(); ++i)
        samples[i] += tone_[position_ + i] * float(1.0 - double(i) / double(fade));
    tone_ = std::move(samples);
    position_ = 0;
    sinceTone_.start();
    toFirstPull_ = -1;
}

qint64 ToneSource::bytesAvailable() const {
    // Silence never runs out: the sink may always pull.
    return format_.bytesForDuration(kBufferMilliseconds * 1000) + QIODevice::bytesAvailable();
}

qint64 ToneSource::readData(char* data, qint64 maxSize) {
    const int frameBytes = format_.bytesPerFrame();
    const qint64 frames = frameBytes > 0 ? maxSize / frameBytes : 0;
    if (toFirstPull_ < 0 && position_ < tone_.size() && frames > 0)
        toFirstPull_ = sinceTone_.nsecsElapsed();
    const int channels = format_.channelCount();
    const int sampleBytes = format_.bytesPerSample();
    char* out = data;
    for (qint64 f = 0; f < frames; ++f) {
        const float value = position_ < tone_.size() ? tone_[position_++] : 0.0f;
        for (int c = 0; c < channels; ++c, out += sampleBytes) {
            if (format_.sampleFormat() == QAudioFormat::Float) {
                std::memcpy(out, &value, sizeof value);
            } else {
                const auto level = static_cast<qint16>(std::clamp(value, -1.0f, 1.0f) * 32767);
                std::memcpy(out, &level, sizeof level);
            }
        }
    }
    if (position_ >= tone_.size() && !tone_.empty()) {
        tone_.clear();
        position_ = 0;
    }
    return frames * frameBytes;
}

TonePlayer::TonePlayer(const QAudioDevice& device) : device_(device), format_(toneFormat(device)) {}

TonePlayer::~TonePlayer() {
    stop();
}

bool TonePlayer::play(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds) {
    if (device_.isNull()) {
        if (!toldWhy_)
            qWarning("kansu: 音を出す装置がないので、音は鳴りません (no audio output device)");
        toldWhy_ = true;
        return false;
    }
    if (!sink_) {
        source_ = std::make_unique<ToneSource>(format_);
        sink_ = std::make_unique<QAudioSink>(device_, format_);
        sink_->setBufferSize(format_.bytesForDuration(kBufferMilliseconds * 1000));
    }
    source_->setTone(
        sound::toneSequence(hertz, milliseconds, everyMilliseconds, format_.sampleRate()));
    if (sink_->state() == QAudio::StoppedState)
        sink_->start(source_.get());
    return true;
}

void TonePlayer::silence() {
    // Silence that the sounding tone fades into.
    if (source_)
        source_->setTone(
            std::vector<float>(size_t(format_.sampleRate() * kFadeMilliseconds / 1000)));
}

void TonePlayer::stop() {
    if (sink_)
        sink_->stop();
    sink_.reset();
    source_.reset();
}

} // namespace kansu::platform
