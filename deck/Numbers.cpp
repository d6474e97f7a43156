#include "deck/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace hf {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the grammar of a decimal number. On success gives the decimal order of magnitude
// of the first significant digit (roughly log10 of the value), saturated, so that a range
// error of the conversion can tell overflow from underflow; 0 for a zero mantissa.
std::optional<long long> CheckDecimalGrammar(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    long long integerDigits = 0;  // significant digits before the point
    long long leadingFractionZeros = 0;
    bool seenSignificant = false;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (text[i] != '0') {
            seenSignificant = true;
        }
        if (seenSignificant) {
            ++integerDigits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (!seenSignificant) {
                if (text[i] == '0') {
                    ++leadingFractionZeros;
                } else {
                    seenSignificant = true;
                }
            }
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        if (i == text.size()) {
            return std::nullopt;
        }
        constexpr long long Saturation = 1'000'000'000;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (exponent < Saturation) {
                exponent = exponent * 10 + (text[i] - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    if (!seenSignificant) {
        return 0;
    }
    return integerDigits > 0 ? integerDigits - 1 + exponent : -1 - leadingFractionZeros + exponent;
}

}  // namespace

NumberOverflow::NumberOverflow() : std::runtime_error(std::string(FloatOverflowMessage)) {}

std::optional<double> ParseFloat(std::string_view text) {
    const std::optional<long long> magnitude = CheckDecimalGrammar(text);
    if (!magnitude) {
        return std::nullopt;
    }
    const bool negative = text.front() == '-';
    if (text.front() == '+') {
        text.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (*magnitude > 0) {
            throw NumberOverflow();
        }
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
        if (text.front() == '-' || text.front() == '+') {
            return std::nullopt;
        }
    } else if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace hf
