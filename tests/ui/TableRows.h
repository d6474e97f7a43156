// Tables of cases run as parameterised tests: each row is a test of its own, with a fresh
// fixture, and it is named and printed by its words rather than dumped as bytes.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace hf::testing {

// The first member of every row: what the row is, in words ("left the corner").
struct Row {
    const char* name;
};

// Words as a test name: "left the corner" gives "LeftTheCorner".
inline std::string TestNameOf(std::string_view words) {
    std::string name;
    bool wordStart = true;
    for (const char c : words) {
        const auto byte = static_cast<unsigned char>(c);
        if (!std::isalnum(byte)) {
            wordStart = true;
            continue;
        }
        name += wordStart ? static_cast<char>(std::toupper(byte)) : c;
        wordStart = false;
    }
    return name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for a table of rows.
inline constexpr auto RowName = [](const auto& info) { return TestNameOf(info.param.name); };

// Where a row's test fails, GoogleTest prints the row by its name.
template <std::derived_from<Row> R>
std::ostream& operator<<(std::ostream& out, const R& row) {
    return out << row.name;
}

}  // namespace hf::testing
