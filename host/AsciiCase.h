// Letter case of ASCII only: texts inside the program are Windows-1252 bytes, and names
// compare the way the system's file and profile functions compare them for a to z.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace hf {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiLower(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](char c) { return AsciiLower(c); });
    return result;
}

inline std::string AsciiUpper(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](char c) { return AsciiUpper(c); });
    return result;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace hf
