// The case fold of Windows-1252 that zone-file names are compared and listed with: which
// bytes fold, which have no other case, and the listing's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Cp1252Case.h"
#include "host/FileMask.h"

namespace hf {
namespace {

TEST(Cp1252CaseTest, LettersFoldAndEverythingElseStays) {
    struct Pair {
        unsigned char upper;
        unsigned char lower;
        const char* what;
    };
    for (const Pair& p : {Pair{'A', 'a', "A"}, Pair{'Z', 'z', "Z"}, Pair{0x8A, 0x9A, "S caron"},
                          Pair{0x8C, 0x9C, "OE"}, Pair{0x8E, 0x9E, "Z caron"},
                          Pair{0x9F, 0xFF, "Y diaeresis"}, Pair{0xC0, 0xE0, "A grave"},
                          Pair{0xC9, 0xE9, "E acute"}, Pair{0xD6, 0xF6, "O diaeresis"},
                          Pair{0xD8, 0xF8, "O stroke"}, Pair{0xDE, 0xFE, "thorn"}}) {
        SCOPED_TRACE(p.what);
        const std::string upper(1, static_cast<char>(p.upper));
        const std::string lower(1, static_cast<char>(p.lower));
        EXPECT_EQ(Lower1252(upper[0]), lower[0]);
        EXPECT_EQ(Lower1252(lower[0]), lower[0]);
        EXPECT_TRUE(EqualIgnoringCase1252(upper, lower));
        EXPECT_TRUE(EqualIgnoringCase1252(lower, upper));
    }
    // No case of their own: each stays, and none matches the byte 0x20 (or 0x10) away.
    for (const Pair& p : {Pair{0xDF, 0xFF, "sharp s"}, Pair{0xB5, 0x95, "micro"},
                          Pair{0xAA, 0xBA, "ordinals"}, Pair{0xD7, 0xF7, "times, divide"},
                          Pair{0x80, 0x90, "euro"}, Pair{'@', '`', "at, grave"},
                          Pair{'[', '{', "brackets"}, Pair{'1', 0x11, "digit"}}) {
        SCOPED_TRACE(p.what);
        const std::string first(1, static_cast<char>(p.upper));
        const std::string second(1, static_cast<char>(p.lower));
        EXPECT_EQ(Lower1252(first[0]), first[0]);
        EXPECT_FALSE(EqualIgnoringCase1252(first, second));
    }
    EXPECT_TRUE(EqualIgnoringCase1252("ZON\xC9.DAT", "Zon\xE9.dat"));
    EXPECT_FALSE(EqualIgnoringCase1252("Zon\xE9.dat", "Zone.dat"));
    EXPECT_FALSE(EqualIgnoringCase1252("Zon\xE9.dat", "Zon\xE9.dat "));
}

TEST(Cp1252CaseTest, TheListingSortsAndMatchesWithTheSameFold) {
    std::vector<std::string> names = {"\xC9" "b.dat", "\xE9" "a.dat", "f.dat", "E.dat"};
    SortNamesIgnoringCase(names);
    EXPECT_EQ(names, (std::vector<std::string>{"E.dat", "f.dat", "\xE9" "a.dat", "\xC9" "b.dat"}));
    EXPECT_TRUE(MatchesMask("CARRIER.DAT", "*.dat"));
    EXPECT_TRUE(MatchesMask("\xC9T\xC9.dat", "\xE9t\xE9.*"));
    EXPECT_FALSE(MatchesMask("\xDF.dat", "\xFF.dat"));
}

}  // namespace
}  // namespace hf
