// File-name masks and the order of listed names, as the program's folder list shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hf {

// "*" and "?" wildcards, letters compared without regard to case (every letter of
// Windows-1252, as the file system matches names).
bool MatchesMask(std::string_view name, std::string_view mask);
// Ascending by byte value after the same case fold; names equal but for case keep a fixed
// order.
void SortNamesIgnoringCase(std::vector<std::string>& names);

}  // namespace hf
