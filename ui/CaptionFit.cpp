#include "ui/CaptionFit.h"

#include <algorithm>

namespace hf {

std::vector<std::string> WrapAtBlanks(std::string_view caption, int width, std::size_t font,
                                      const FontTextWidth& measure) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < caption.size()) {
        if (caption[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(caption.find(' ', at), caption.size());
        const std::string_view word = caption.substr(at, end - at);
        std::string joined;
        if (!lines.empty()) {
            joined = lines.back();
            joined.push_back(' ');
            joined.append(word);
        }
        if (!lines.empty() && measure(font, joined) <= width) {
            lines.back() = std::move(joined);
        } else {
            lines.emplace_back(word);
        }
        at = end;
    }
    return lines;
}

std::size_t ChooseCaptionFont(std::string_view caption, int roomWidth, int roomHeight,
                              const std::vector<int>& lineHeights, const FontTextWidth& measure) {
    if (lineHeights.empty()) return 0;
    const auto fits = [&](std::size_t font) {
        const std::vector<std::string> lines = WrapAtBlanks(caption, roomWidth, font, measure);
        const bool narrow = std::all_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return measure(font, line) <= roomWidth;
        });
        return narrow && static_cast<long long>(lines.size()) * lineHeights[font] <= roomHeight;
    };
    for (std::size_t font = 0; font < lineHeights.size(); ++font) {
        if (fits(font)) return font;
    }
    return lineHeights.size() - 1;
}

}  // namespace hf
