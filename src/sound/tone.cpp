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
    const double step = 2 * std::numbers::pi * hertz / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        const size_t fromEnd = count - 1 - i;
        const size_t edge = std::min(i, fromEnd);
        const double envelope =
            edge >= ramp ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * double(edge) / ramp);
        samples[i] = static_cast<float>(loudness * envelope * std::sin(step * double(i)));
    }
    return samples;
}

} // namespace kansu::sound
