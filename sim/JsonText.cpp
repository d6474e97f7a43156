#include "sim/JsonText.h"

#include <array>
#include <cstdio>

namespace hf::sim {

namespace {

// Unicode of the Windows-1252 bytes 0x80-0x9F (0 where the code page leaves a hole).
constexpr std::array<std::uint16_t, 32> Cp1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

}  // namespace

std::string hexWord(std::uint32_t value) {
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "0x%04X", static_cast<unsigned>(value));
    return buf.data();
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string jsonEscape(std::string_view cp1252) {
    std::string out;
    for (char ch : cp1252) {
        const auto b = static_cast<std::uint8_t>(ch);
        unsigned code = b;
        if (b >= 0x80 && b <= 0x9F) code = Cp1252High[b - 0x80] ? Cp1252High[b - 0x80] : b;
        if (code == '"' || code == '\\') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code >= 0x20 && code < 0x7F) {
            out += static_cast<char>(code);
        } else {
            std::array<char, 8> buf{};
            std::snprintf(buf.data(), buf.size(), "\\u%04X", code);
            out += buf.data();
        }
    }
    return out;
}

}  // namespace hf::sim
