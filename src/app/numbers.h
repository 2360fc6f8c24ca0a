#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

namespace kansu {

// The leading decimal number of a text, as a learner may type it into a box:
// leading blanks skipped, an optional sign, digits with an optional fraction
// and exponent. Full-width forms typed by a Japanese input method count as
// their ASCII twins. A text that does not begin with a number is 0; a number
// too large for a double is +/- infinity. Never depends on the locale.
double numericValue(QStringView text);

// The one way this program turns a double into an int: rounds to the nearest
// whole number, halves to the even neighbour, and saturates at the int range
// (NaN gives 0), so no input can make the conversion undefined.
int roundToInt(double value);

// A number as printed on a panel: one blank in the place of the sign (a minus
// sign for negative numbers) followed by the shortest decimal form.
QString signedNumberText(double value);

// The toolkit's reading and writing of doubles, for standard libraries that
// cannot do it themselves (the browser's): the same results as
// std::from_chars, with no value when the number is out of range, and as
// std::to_chars in its shortest form.
std::optional<double> toolkitReadDouble(std::string_view number);
QString toolkitShortestText(double value);

} // namespace kansu
