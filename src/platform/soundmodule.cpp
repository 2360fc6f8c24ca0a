// The desktop's sound and speech as a module that the program loads when
// first asked for them (platform/desktop.cpp): the tone player on the
// default audio device and the speech thread.

#include "speechworker.h"
#include "toneplayer.h"

#include <QCoreApplication>
#include <QMediaDevices>
#include <vector>

using kansu::platform::SpeechWorker;
using kansu::platform::TonePlayer;

namespace {

TonePlayer& tonePlayer() {
    static TonePlayer* player = [] {
        auto* made = new TonePlayer(QMediaDevices::defaultAudioOutput());
        // The audio sink goes while the application still stands.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [made] { made->stop(); });
        return made;
    }();
    return *player;
}

} // namespace

extern "C" {

Q_DECL_EXPORT bool kansu_play_tones(const double* hertz, int count, int milliseconds, int every) {
    return tonePlayer().play(std::vector<double>(hertz, hertz + count), milliseconds, every);
}

Q_DECL_EXPORT void kansu_silence() {
    tonePlayer().silence();
}

Q_DECL_EXPORT bool kansu_say(const char16_t* text, int length) {
    return SpeechWorker::instance().say(QString::fromUtf16(text, length));
}

Q_DECL_EXPORT void kansu_hush() {
    SpeechWorker::instance().stop();
}

} // extern "C"
