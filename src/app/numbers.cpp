#include "numbers.h"

#include <QList>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kansu {

namespace {

// Folds the full-width ASCII block and the ideographic space to ASCII so that
// "２．５" reads as "2.5".
char32_t foldWidth(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        return c - 0xFF01 + 0x21;
    if (c == 0x3000)
        return U' ';
    if (c == 0x2212) // the mathematical minus sign
        return U'-';
    return c;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The power of ten of a number's leading significant digit ("123" is 2,
// "0.05" is -2, "5e3" is 3), saturated: enough to tell an overflow from an
// underflow when a text is out of the range of a double.
long long decimalExponent(const std::string& number) {
    long long position = 0; // exponent of the digit being read
    const auto point = number.find('.');
    const auto e = number.find('e');
    const auto mantissaEnd = e == std::string::npos ? number.size() : e;
    const auto integerEnd = point == std::string::npos ? mantissaEnd : point;
    long long integerDigits = 0;
    for (size_t k = 0; k < integerEnd; ++k)
        if (isDigit(static_cast<unsigned char>(number[k])))
            ++integerDigits;
    position = integerDigits - 1;
    long long leading = std::numeric_limits<long long>::min();
    for (size_t k = 0; k < mantissaEnd; ++k) {
        const char c = number[k];
        if (c == '.' || c == '-' || c == '+')
            continue;
        if (c != '0') {
            leading = position;
            break;
        }
        --position;
    }
    if (leading == std::numeric_limits<long long>::min())
        return leading; // all zeros
    long long exponent = 0;
    if (e != std::string::npos) {
        bool negative = false;
        for (size_t k = e + 1; k < number.size(); ++k) {
            const char c = number[k];
            if (c == '-')
                negative = true;
            else if (c != '+' && exponent < 1'000'000'000)
                exponent = exponent * 10 + (c - '0');
        }
        if (negative)
            exponent = -exponent;
    }
    return leading + exponent;
}

// The longest prefix of `text` that reads as a decimal number, widths folded
// and blanks skipped, in ASCII; empty when it holds no digit.
std::string numberPrefix(QStringView text) {
    const QList<uint> codes = text.toUcs4();
    std::string ascii;
    ascii.reserve(static_cast<size_t>(codes.size()));
    qsizetype i = 0;
    const qsizetype n = codes.size();
    auto at = [&](qsizetype k) -> char32_t { return k < n ? foldWidth(codes[k]) : U'\0'; };

    while (isBlank(at(i)))
        ++i;
    if (at(i) == U'+' || at(i) == U'-')
        ascii.push_back(static_cast<char>(at(i++)));
    bool digits = false;
    while (isDigit(at(i))) {
        ascii.push_back(static_cast<char>(at(i++)));
        digits = true;
    }
    if (at(i) == U'.') {
        ascii.push_back('.');
        ++i;
        while (isDigit(at(i))) {
            ascii.push_back(static_cast<char>(at(i++)));
            digits = true;
        }
    }
    if (!digits)
        return {};
    // The exponent only counts when at least one digit follows it.
    if (at(i) == U'e' || at(i) == U'E') {
        qsizetype k = i + 1;
        std::string exponent = "e";
        if (at(k) == U'+' || at(k) == U'-')
            exponent.push_back(static_cast<char>(at(k++)));
        if (isDigit(at(k))) {
            while (isDigit(at(k)))
                exponent.push_back(static_cast<char>(at(k++)));
            ascii += exponent;
        }
    }
    return ascii;
}

// A number's value; what lies beyond the doubles becomes infinity or zero
// of its sign.
double readDecimal(const std::string& ascii) {
    const char* first = ascii.data();
    if (*first == '+')
        ++first; // from_chars takes no plus sign
#if defined(__cpp_lib_to_chars)
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
    (void)end;
    const std::optional<double> inRange =
        error == std::errc::result_out_of_range ? std::nullopt : std::optional(value);
#else
    const std::optional<double> inRange =
        toolkitReadDouble(std::string_view(first, ascii.size() - size_t(first - ascii.data())));
#endif
    if (!inRange) {
        const bool negative = ascii.front() == '-';
        if (decimalExponent(ascii) < 0)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return *inRange;
}

} // namespace

double numericValue(QStringView text) {
    const std::string ascii = numberPrefix(text);
    return ascii.empty() ? 0.0 : readDecimal(ascii);
}

int roundToInt(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

QString signedNumberText(double value) {
    const double magnitude = std::fabs(value);
#if defined(__cpp_lib_to_chars)
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    const QString digits = QString::fromLatin1(buffer, result.ptr - buffer);
#else
    const QString digits = toolkitShortestText(magnitude);
#endif
    return (std::signbit(value) && value != 0.0 ? QLatin1Char('-') : QLatin1Char(' ')) + digits;
}

std::optional<double> toolkitReadDouble(std::string_view number) {
    bool ok = false;
    const double value = QLocale::c().toDouble(
        QLatin1StringView(number.data(), static_cast<qsizetype>(number.size())), &ok);
    if (!ok)
        return std::nullopt; // the toolkit refuses what overflows or underflows
    return value;
}

QString toolkitShortestText(double value) {
    // The toolkit gives the shortest digits that read back as the same
    // double, in scientific form; the plain decimal form is kept when it is
    // no longer, as std::to_chars does (it prints whole numbers exactly).
    const QString scientific = QString::number(value, 'e', QLocale::FloatingPointShortest);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    if (e < 0)
        return scientific; // inf or nan
    QString digits = scientific.left(e);
    digits.remove(QLatin1Char('.'));
    const int exponent = scientific.mid(e + 1).toInt();
    const auto count = static_cast<int>(digits.size());
    QString plain;
    if (exponent >= count - 1) // a whole number: all its digits, exactly
        plain = QString::number(value, 'f', 0);
    else if (exponent >= 0)
        plain = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    else
        plain = QLatin1String("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    return plain.size() <= scientific.size() ? plain : scientific;
}

} // namespace kansu
