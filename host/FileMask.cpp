#include "host/FileMask.h"

#include <algorithm>

#include "host/Cp1252Case.h"

namespace hf {

bool MatchesMask(std::string_view name, std::string_view mask) {
    // Iterative wildcard match with one back-tracking point per "*".
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Lower1252(mask[m]) == Lower1252(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

void SortNamesIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto lowerLess = [](char x, char y) {
            return static_cast<unsigned char>(Lower1252(x)) < static_cast<unsigned char>(Lower1252(y));
        };
        if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowerLess)) {
            return true;
        }
        if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowerLess)) {
            return false;
        }
        return a < b;
    });
}

}  // namespace hf
