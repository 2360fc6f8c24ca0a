#pragma once

#include <vector>

namespace kansu::sound {

// A short sine tone as mono samples in [-1, 1]: it rises from silence and
// falls back to it along half a cosine, so that starting or ending it never
// clicks. Each end takes 10 ms, or a quarter of a shorter tone.
std::vector<float> toneSamples(double hertz, int milliseconds, int sampleRate,
                               double loudness = 0.3);

// Tones of the given pitches one after another in one run of samples, each
// `milliseconds` long, starting every `everyMilliseconds`.
std::vector<float> toneSequence(const std::vector<double>& hertz, int milliseconds,
                                int everyMilliseconds, int sampleRate);

} // namespace kansu::sound
