// Small text helpers for the stand-in's JSON-lines log.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hf::sim {

// "0x3304" style, capitals, at least four digits.
std::string hexWord(std::uint32_t value);
// Bytes as capital hex pairs, in memory order.
std::string hexBytes(std::span<const std::uint8_t> bytes);
// A Windows-1252 text as the inside of a JSON string (escaped, non-ASCII as \uXXXX).
std::string jsonEscape(std::string_view cp1252);

}  // namespace hf::sim
