// Letter case of Windows-1252, the code page of the program's texts and file names: the
// letters that the system's file system and comparison functions fold for it. Besides a to
// z these are the Latin-1 letters (À to Þ, but not ×) and the code page's additions Š, Œ,
// Ž and Ÿ; ß, µ, ª, º and every other byte have no other case. AsciiCase.h stays for the
// texts the program upper-cases on purpose for a to z only.
#pragma once

#include <algorithm>
#include <string_view>

namespace hf {

constexpr char Lower1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    constexpr unsigned char Multiply = 0xD7;  // ×, between Ö and Ø
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != Multiply)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A: return static_cast<char>(0x9A);  // Š
        case 0x8C: return static_cast<char>(0x9C);  // Œ
        case 0x8E: return static_cast<char>(0x9E);  // Ž
        case 0x9F: return static_cast<char>(0xFF);  // Ÿ
        default: return c;
    }
}

inline bool EqualIgnoringCase1252(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return Lower1252(x) == Lower1252(y); });
}

}  // namespace hf
