#include "pitch.h"

#include <algorithm>
#include <cmath>

namespace kansu {

namespace {

constexpr double kLongestChi = 10;

} // namespace

double quantityAt(int element, double chi) {
    switch (element) {
    case 0:
        return 10 - chi;
    case 1:
        return chi * chi;
    case 2:
        return 100 - chi * chi;
    default:
        return chi;
    }
}

double pitchAt(int element, double chi) {
    // Each quantity runs monotonically over the lesson's range of chi.
    const double atStart = quantityAt(element, 0);
    const double atEnd = quantityAt(element, kLongestChi);
    const double smallest = std::min(atStart, atEnd);
    const double span = std::max(atStart, atEnd) - smallest;
    const double share = std::clamp((quantityAt(element, chi) - smallest) / span, 0.0, 1.0);
    return kLowestHertz * std::pow(kHighestHertz / kLowestHertz, share);
}

} // namespace kansu
