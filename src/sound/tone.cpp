#include "tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kansu::sound {

std::vector<float> toneSamples(double hertz, int milliseconds, int sampleRate, double loudness) {
    if (milliseconds <= 0 || sampleRate <= 0 || !std::isfinite(hertz) || hertz <= 0)
        return {};
    const auto count = static_cast<size_t>(std::llround(double(sampleRate) * milliseconds / 1000));
    const size_t ramp = std::max<size_t>(1, std::min<size_t>(size_t(sampleRate / 100), count / 4));
    std::vector<float> samples(count);
    // The sine by turning a unit vector one step at a time: a multiply and
    // an add a sample rather than a sine, exact enough for a tenth of a
    // second.
    const double step = 2 * std::numbers::pi * hertz / sampleRate;
    const double turnCos = std::cos(step), turnSin = std::sin(step);
    double x = 1, y = 0;
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(loudness * y);
        const double turned = x * turnCos - y * turnSin;
        y = x * turnSin + y * turnCos;
        x = turned;
    }
    for (size_t i = 0; i < ramp && i < count; ++i) {
        const auto envelope =
            static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / ramp));
        samples[i] *= envelope;
        samples[count - 1 - i] *= envelope;
    }
    return samples;
}

std::vector<float> toneSequence(const std::vector<double>& hertz, int milliseconds,
                                int everyMilliseconds, int sampleRate) {
    if (hertz.empty() || everyMilliseconds <= 0)
        return {};
    const auto every = size_t(std::llround(double(sampleRate) * everyMilliseconds / 1000));
    std::vector<float> samples;
    for (size_t i = 0; i < hertz.size(); ++i) {
        const std::vector<float> tone = toneSamples(hertz[i], milliseconds, sampleRate);
        const size_t start = i * every;
        samples.resize(std::max(samples.size(), start + tone.size()));
        for (size_t k = 0; k < tone.size(); ++k)
            samples[start + k] += tone[k];
    }
    return samples;
}

} // namespace kansu::sound
