#include "deck/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace hf {

namespace {

// Fixed texts of doubles need up to 309 integer digits plus the decimals asked for.
using Buffer = std::array<char, 400>;

std::string_view ToChars(Buffer& buffer, double value, std::chars_format format, int precision) {
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

std::string NonFinite(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

// The exponent of to_chars' scientific form: "+15", "-05".
int ParseExponent(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);  // from_chars takes a minus sign only
    }
    int exponent = 0;
    std::from_chars(text.data(), text.data() + text.size(), exponent);
    return exponent;
}

}  // namespace

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) {
        return NonFinite(value);
    }
    if (value == 0.0) {
        return "0";
    }
    constexpr int Precision = 15;

    // d.dddddddddddddde+XX: the value correctly rounded to 15 significant digits.
    Buffer buffer;
    const std::string_view sci = ToChars(buffer, std::fabs(value), std::chars_format::scientific, Precision - 1);
    const std::size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = ParseExponent(sci.substr(e + 1));  // value = d.ddd x 10^exponent

    std::string text = value < 0 ? "-" : "";
    const int integerDigits = exponent + 1;
    if (integerDigits > Precision || integerDigits < -3) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += 'E';
        text += FormatInteger(exponent);
    } else if (integerDigits <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-integerDigits), '0');
        text += digits;
    } else {
        const auto whole = static_cast<std::size_t>(integerDigits);
        if (digits.size() <= whole) {
            text += digits;
            text.append(whole - digits.size(), '0');
        } else {
            text.append(digits, 0, whole);
            text += '.';
            text.append(digits, whole);
        }
    }
    return text;
}

std::string FormatMagVar(double degrees) {
    if (!std::isfinite(degrees)) {
        return NonFinite(degrees);
    }
    // Enough decimals that the rounding below sees the exact binary value: a double near a
    // tie of the first decimal differs from it by far more than 1e-40.
    constexpr int ExactDecimals = 40;
    Buffer buffer;
    const std::string_view fixed = ToChars(buffer, std::fabs(degrees), std::chars_format::fixed, ExactDecimals);
    const std::size_t point = fixed.find('.');
    std::string digits{fixed.substr(0, point)};
    digits.append(fixed.substr(point + 1));
    auto pointPos = static_cast<int>(point);  // digits before the decimal point

    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return "0.0";
    }
    const int leadExponent = pointPos - 1 - static_cast<int>(firstNonZero);
    const int decimals = std::min(1, 2 - leadExponent);  // three significant digits at most
    int keep = pointPos + decimals;                       // digits kept before rounding

    bool carry = digits[static_cast<std::size_t>(keep)] >= '5';
    for (int i = keep - 1; carry && i >= 0; --i) {
        char& c = digits[static_cast<std::size_t>(i)];
        if (c == '9') {
            c = '0';
        } else {
            ++c;
            carry = false;
        }
    }
    if (carry) {
        digits.insert(digits.begin(), '1');
        ++pointPos;
        ++keep;
    }
    std::fill(digits.begin() + keep, digits.end(), '0');

    std::string whole = digits.substr(0, static_cast<std::size_t>(pointPos));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    const char tenth = digits[static_cast<std::size_t>(pointPos)];
    const bool zero = whole == "0" && tenth == '0';

    std::string text = (degrees < 0 && !zero) ? "-" : "";
    text += whole;
    text += '.';
    text += tenth;
    return text;
}

std::string FormatInteger(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::string FormatBoolean(bool value) {
    return value ? "1" : "0";
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Work on the magnitude: a - floor(a) is exact for a >= 0, so a tie is seen as a tie.
    const double magnitude = std::fabs(value);
    const double below = std::floor(magnitude);
    const double fraction = magnitude - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    return std::copysign(rounded, value);
}

}  // namespace hf
