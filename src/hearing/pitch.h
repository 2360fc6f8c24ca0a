#pragma once

namespace kansu {

// The lowest and highest pitch of the lesson's tones, two octaves apart.
constexpr double kLowestHertz = 220;
constexpr double kHighestHertz = 880;

// y of a quantity at chi cm: 0 the red line, 1 the blue square, 2 the yellow
// figure; with no quantity (-1), chi itself.
double quantityAt(int element, double chi);

// The pitch that stands for y of the quantity at chi: the lowest at y's
// smallest value over 0 ≤ chi ≤ 10 cm, the highest at its largest, and
// equal steps of y equal musical intervals between.
double pitchAt(int element, double chi);

} // namespace kansu
