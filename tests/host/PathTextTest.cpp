// The two forms of a file's name: UTF-8 paths to the UTF-16 of the wide functions and back,
// and Windows-1252 names, exact or for the eye.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/PathText.h"

namespace hf {
namespace {

struct PathCase {
    const char* what;
    std::string utf8;
    std::u16string utf16;
    std::optional<std::string> cp1252;  // none: the code page cannot write it
    std::string shown;
};

TEST(PathTextTest, EachPathConvertsBothWaysAndShowsQuestionMarksForWhatTheCodePageLacks) {
    const PathCase cases[] = {
        {"ASCII", "C:\\FS9\\Hookfast.INI", u"C:\\FS9\\Hookfast.INI", "C:\\FS9\\Hookfast.INI",
         "C:\\FS9\\Hookfast.INI"},
        {"letters of the code page", "C:\\My Flight Sims \xC3\xA9 \xC3\xBC\\",
         u"C:\\My Flight Sims \u00E9 \u00FC\\", "C:\\My Flight Sims \xE9 \xFC\\",
         "C:\\My Flight Sims \xE9 \xFC\\"},
        {"Polish and Greek", "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA9mega\\", u"C:\\\u0141\u00F3d\u017A \u03A9mega\\",
         std::nullopt, "C:\\?\xF3" "d? ?mega\\"},
        {"Cyrillic", "\xD0\x9F\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82", u"\u041F\u0438\u043B\u043E\u0442",
         std::nullopt, "?????"},
        {"the code page's own additions", "\xE2\x82\xAC \xC5\xA0 \xC5\x92 \xC5\xB8", u"\u20AC \u0160 \u0152 \u0178",
         "\x80 \x8A \x8C \x9F", "\x80 \x8A \x8C \x9F"},
        {"beyond the basic plane: one letter, one question mark", "a\xF0\x9F\x9B\xA9z", u"a\U0001F6E9z",
         std::nullopt, "a?z"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
        EXPECT_EQ(Utf8ToCp1252Shown(c.utf8), c.shown);
        if (c.cp1252) {
            EXPECT_EQ(Cp1252ToUtf8(*c.cp1252), c.utf8);
        }
    }
}

TEST(PathTextTest, EveryCodePageByteComesBackAndNamesTheSystemGivesSurviveTheTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string name(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(name)), name) << byte;
    }
    // A name with a lone surrogate is a valid Windows name: it must reach the same file.
    const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(lone)), lone);
    // Bytes that are no UTF-8 are no character of the code page either.
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b\xC3"), u"a\uFFFDb\uFFFD");
    EXPECT_EQ(Utf8ToCp1252("a\xFF"), std::nullopt);
    EXPECT_EQ(Utf8ToCp1252Shown("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // an overlong "/" is no "/"
}

}  // namespace
}  // namespace hf
