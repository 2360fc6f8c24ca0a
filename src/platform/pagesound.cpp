// Tones and speech in a page: Web Audio plays the tone's samples, the
// browser's speech synthesis says the sentences. A browser without either
// plays or says nothing, and the console says why once.

#include "platform.h"

#include "sound/tone.h"

#include <emscripten.h>
#include <string>

namespace kansu::platform {

namespace {

// clang-format off

// The page's audio context, made on the first tone (a key or a press, which
// browsers require before sound), or 0 where there is none.
EM_JS(int, pageSampleRate, (), {
    const audio = Module.kansuAudio || (Module.kansuAudio = {});
    if (!audio.context) {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) {
            if (!audio.toldWhy)
                console.warn("kansu: このブラウザーでは音が鳴りません (no Web Audio)");
            audio.toldWhy = true;
            return 0;
        }
        audio.context = new Context();
    }
    if (audio.context.state === "suspended")
        audio.context.resume();
    return audio.context.sampleRate;
});

// Plays the samples, fading out the tone still sounding over 5 ms.
EM_JS(void, pagePlaySamples, (const float* samples, int count, int rate), {
    const audio = Module.kansuAudio;
    const context = audio.context;
    const buffer = context.createBuffer(1, count, rate);
    buffer.getChannelData(0).set(HEAPF32.subarray(samples >> 2, (samples >> 2) + count));
    const now = context.currentTime;
    if (audio.sounding) {
        audio.sounding.gain.gain.setTargetAtTime(0, now, 0.0015);
        audio.sounding.source.stop(now + 0.005);
    }
    const source = context.createBufferSource();
    const gain = context.createGain();
    source.buffer = buffer;
    source.connect(gain).connect(context.destination);
    source.start(now);
    const sounding = {source: source, gain: gain};
    source.onended = function() {
        if (audio.sounding === sounding)
            audio.sounding = null;
    };
    audio.sounding = sounding;
});

EM_JS(void, pageStopTones, (), {
    const audio = Module.kansuAudio;
    if (audio && audio.sounding) {
        audio.sounding.source.stop();
        audio.sounding = null;
    }
});

EM_JS(int, pageSpeak, (const char* text), {
    if (!window.speechSynthesis || !window.SpeechSynthesisUtterance) {
        if (!Module.kansuSpeechToldWhy)
            console.warn("kansu: このブラウザーでは読み上げができません (no speech synthesis)");
        Module.kansuSpeechToldWhy = true;
        return 0;
    }
    speechSynthesis.cancel();
    const utterance = new SpeechSynthesisUtterance(UTF8ToString(text));
    utterance.lang = "ja-JP";
    speechSynthesis.speak(utterance);
    return 1;
});

EM_JS(void, pageStopSpeaking, (), {
    if (window.speechSynthesis)
        speechSynthesis.cancel();
});

// clang-format on

} // namespace

bool playTone(double hertz, int milliseconds) {
    return playTones({hertz}, milliseconds, milliseconds);
}

bool playTones(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds) {
    const int rate = pageSampleRate();
    if (rate <= 0)
        return false;
    const std::vector<float> samples =
        sound::toneSequence(hertz, milliseconds, everyMilliseconds, rate);
    if (samples.empty())
        return false;
    pagePlaySamples(samples.data(), int(samples.size()), rate);
    return true;
}

void stopTones() {
    pageStopTones();
}

bool speak(const QString& text) {
    return pageSpeak(text.toUtf8().constData()) != 0;
}

void stopSpeaking() {
    pageStopSpeaking();
}

} // namespace kansu::platform
