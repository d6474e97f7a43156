// The link's result-code texts in the edition's language (one table is linked per program).
// Texts are Windows-1252 bytes, as the ANSI window functions and the simulator take them.
#pragma once

#include <array>
#include <string_view>

namespace hf {

extern const std::array<std::string_view, 16> ResultCodeTexts;

}  // namespace hf
