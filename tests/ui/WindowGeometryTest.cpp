// The portable geometry of the windows: scaling a 96-DPI design, putting a window whole on
// the screen, and fitting a caption into a small button.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/CaptionFit.h"
#include "ui/DpiScale.h"
#include "ui/ScreenFit.h"

namespace hf {
namespace {

TEST(DpiScale, AtTheDesignDpiNothingChanges) {
    const DpiScale same;
    for (int value : {-480, -22, -1, 0, 1, 11, 23, 311, 406, 498}) {
        EXPECT_EQ(same(value), value);
        EXPECT_EQ(same.Span(value, 23), 23);
        EXPECT_EQ(same.ToDesign(value), value);
    }
}

TEST(DpiScale, LargeFontsScaleByAQuarterRoundedAsMulDiv) {
    const DpiScale large(120);
    // The main window's client area, the toolbar's width, a button, the font's 8 points
    // (11 pixels at 96 DPI); halves go away from zero.
    EXPECT_EQ(large(498), 623);
    EXPECT_EQ(large(406), 508);
    EXPECT_EQ(large(30), 38);
    EXPECT_EQ(large(23), 29);
    EXPECT_EQ(large(11), 14);
    EXPECT_EQ(large(-2), -3);
    EXPECT_EQ(large(-1), -1);
    // Edges scale, not lengths: neighbours that touch in the design still touch.
    EXPECT_EQ(large(4) + large.Span(4, 23), large(27));
    EXPECT_EQ(large.Span(5, 10) + large.Span(15, 10), large.Span(5, 20));
    // A text measured on the screen needs a design length that shows all of it.
    for (int left : {0, 3, 7, 100}) {
        for (int measured : {1, 37, 64, 107, 129}) {
            EXPECT_GE(large.Span(left, large.ToDesign(measured)), measured) << left << " " << measured;
        }
    }
}

TEST(ScreenFit, MovesTheLeastDistanceOntoTheArea) {
    const ScreenBox screen{0, 0, 800, 600};
    struct Case {
        ScreenBox window;
        ScreenBox shown;
    };
    const std::vector<Case> cases = {
        {{300, 200, 810, 640}, {290, 160, 800, 600}},    // first start: right and bottom off
        {{150, -22, 660, 418}, {150, 0, 660, 440}},      // title bar above the top
        {{-480, 200, 30, 640}, {0, 160, 510, 600}},      // almost all of it left of the screen
        {{700, 500, 738, 811}, {700, 289, 738, 600}},    // a toolbar below the bottom
        {{10, 10, 520, 450}, {10, 10, 520, 450}},        // whole already: stays
        {{-50, -50, 900, 700}, {0, 0, 950, 750}},        // larger than the screen: top-left on it
        {{5000, -700, 5038, -389}, {762, 0, 800, 311}},  // far off: the nearest corner
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitOnArea(c.window, screen), c.shown) << c.window.left << "," << c.window.top;
    }
    // A work area that does not start at the corner (a taskbar at the top or left).
    EXPECT_EQ(FitOnArea({0, 0, 100, 100}, {30, 28, 1024, 768}), (ScreenBox{30, 28, 130, 128}));
}

// Fonts of a test: font 0 draws every letter 6 pixels wide, font 1 four, font 2 three.
int Width(std::size_t font, std::string_view text) {
    static constexpr int letter[] = {6, 4, 3};
    return static_cast<int>(text.size()) * letter[font];
}

TEST(CaptionFit, WrapsOnlyAtBlanks) {
    EXPECT_EQ(WrapAtBlanks("Rst ", 19, 0, Width), (std::vector<std::string>{"Rst"}));
    EXPECT_EQ(WrapAtBlanks("Fuel Rate Toggle", 60, 0, Width), (std::vector<std::string>{"Fuel Rate", "Toggle"}));
    EXPECT_EQ(WrapAtBlanks("  a  b ", 100, 0, Width), (std::vector<std::string>{"a b"}));
    // A word wider than the box keeps its letters together on a line of its own.
    EXPECT_EQ(WrapAtBlanks("Réinit. ", 19, 0, Width), (std::vector<std::string>{"Réinit."}));
    EXPECT_TRUE(WrapAtBlanks("   ", 19, 0, Width).empty());
}

TEST(CaptionFit, TakesTheLargestFontInWhichTheCaptionFits) {
    const std::vector<int> lines{13, 8, 6};  // line heights of fonts 0, 1, 2
    struct Case {
        const char* caption;
        int width;
        int height;
        std::size_t font;
    };
    const std::vector<Case> cases = {
        {"Rst ", 19, 19, 0},      // fits the design font on one line
        {"Stat ", 19, 19, 1},     // 24 pixels in the design font: the next font
        {"Réinit. ", 25, 19, 2},  // one word of 8 bytes: only the smallest holds it on a line
        {"F1 F2", 19, 19, 1},     // two lines of the design font would be 26 high; font 1 fits both
        {"A B", 12, 30, 0},       // two lines of the design font fit: it stays
        {"Toolong ", 10, 19, 2},  // fits no font: the smallest
        {"", 19, 19, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseCaptionFont(c.caption, c.width, c.height, lines, Width), c.font) << c.caption;
    }
}

}  // namespace
}  // namespace hf
