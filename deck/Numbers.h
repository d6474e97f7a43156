// Number texts read from the settings file, the zone files and the option edits.
// Nothing here consults the process locale: the decimal separator is always a point.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace hf {

// A well-formed decimal number whose magnitude no double can hold. It ends a zone load;
// the loader shows this message.
inline constexpr std::string_view FloatOverflowMessage = "Floating point overflow";

class NumberOverflow : public std::runtime_error {
public:
    NumberOverflow();
};

// Decimal number: optional sign, digits with an optional point (".5" and "5." included),
// optional exponent ("e" or "E", optional sign, digits). Nothing else: no blanks, no comma,
// no thousands separators, no hexadecimal, no "inf" or "nan". Gives nothing for any other
// text. A value too small for a double reads as zero of its sign; one too large throws
// NumberOverflow.
std::optional<double> ParseFloat(std::string_view text);

// Whole number in the signed 32-bit range: optional sign and decimal digits, or, for a text
// longer than two characters that begins with "0x" or "0X", hexadecimal digits after it
// (no sign; the value as written, so above 0x7FFFFFFF is out of range). Gives nothing for
// any other text, blanks included, and for values out of range.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace hf
