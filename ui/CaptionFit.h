// A caption on a small button: drawn in the design font where it fits on one line, else in
// the largest of the fonts on offer in which it fits the button, broken into lines only at
// its blanks, never inside a word.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hf {

// The width in pixels of a text in one of the fonts on offer (0 is the design font).
using FontTextWidth = std::function<int(std::size_t font, std::string_view text)>;

// The caption's lines in a box this wide: as many words on a line as fit, lines broken at
// blanks only. A word wider than the box stands on a line of its own.
std::vector<std::string> WrapAtBlanks(std::string_view caption, int width, std::size_t font,
                                      const FontTextWidth& measure);

// The font for the caption in a box of room pixels: the first of the fonts on offer (the
// design font, then smaller ones) in which its lines fit, else the last. lineHeights gives
// each font's line height. A caption that fits the design font on one line keeps it.
std::size_t ChooseCaptionFont(std::string_view caption, int roomWidth, int roomHeight,
                              const std::vector<int>& lineHeights, const FontTextWidth& measure);

}  // namespace hf
