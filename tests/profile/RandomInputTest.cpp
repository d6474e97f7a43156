// The fuzz entry point fed with generated inputs from a fixed seed: mostly near-valid zone
// and settings files (the interesting ones), some plain random bytes.
#include "FuzzEntry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace hf {
namespace {

class InputMaker {
public:
    explicit InputMaker(std::uint32_t seed) : random_(seed) {}

    std::string Next() {
        if (Pick(8) == 0) {
            return RandomBytes(Pick(300));
        }
        std::string text;
        switch (Pick(6)) {
            case 0: text = "\xEF\xBB\xBF"; break;
            case 1: text = "\xFF\xFE"; break;
            default: break;
        }
        const std::size_t lines = Pick(80);
        for (std::size_t i = 0; i < lines; ++i) {
            if (Pick(6) == 0) {
                text += WholeZone(Pick(4) + 1);
            } else {
                text += Line();
                text += LineEnd();
            }
        }
        if (text.size() > 2 && text.compare(0, 2, "\xFF\xFE") == 0) {
            return Widen(text);
        }
        return text;
    }

private:
    std::size_t Pick(std::size_t count) { return count == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    std::string RandomBytes(std::size_t count) {
        std::string bytes;
        for (std::size_t i = 0; i < count; ++i) {
            bytes += static_cast<char>(Pick(256));
        }
        return bytes;
    }

    std::string Line() {
        static constexpr std::array<std::string_view, 14> keys = {
            "CarrierIdent", "FrontRightCornerLat", "FrontRightCornerLon", "FrontLeftCornerLat", "FrontLeftCornerLon",
            "BackRightCornerLat", "BackRightCornerLon", "BackLeftCornerLat", "BackLeftCornerLon", "DeckAltInFeet",
            "CableCatchZoneHeightInFeet", "RunwayHeadingInDegreesMag", "LastLeft", "carrierIDENT"};
        switch (Pick(10)) {
            case 0:
            case 1: {
                const std::size_t n = Pick(4) == 0 ? Pick(200) : Pick(6);
                std::string name = "Zone" + std::string(n < 10 && Pick(5) != 0 ? "0" : "") + std::to_string(n);
                return Pad() + "[" + Pad() + name + Pad() + (Pick(10) == 0 ? "" : "]") + Pad();
            }
            case 2: return ";" + RandomBytes(Pick(20));
            case 3: return "";
            case 4: return RandomBytes(Pick(30));
            default: return Pad() + std::string(keys[Pick(keys.size())]) + Pad() + "=" + Pad() + Value() + Pad();
        }
    }

    // A zone section with its twelve keys, each good most of the time.
    std::string WholeZone(std::size_t number) {
        static constexpr std::array<std::string_view, 12> good = {
            "CarrierIdent=CVN-68", "FrontRightCornerLat=36.0010", "FrontRightCornerLon=-75.0000",
            "FrontLeftCornerLat=36.0010", "FrontLeftCornerLon=-75.0010", "BackRightCornerLat=36.0000",
            "BackRightCornerLon=-75.0000", "BackLeftCornerLat=36.0000", "BackLeftCornerLon=-75.0010",
            "DeckAltInFeet=60", "CableCatchZoneHeightInFeet=3", "RunwayHeadingInDegreesMag=352.5"};
        std::string text = "[Zone0" + std::to_string(number) + "]" + LineEnd();
        for (std::string_view line : good) {
            if (Pick(30) == 0) {
                continue;
            }
            if (Pick(30) == 0) {
                text += std::string(line.substr(0, line.find('=') + 1)) + Value();
            } else {
                text += line;
            }
            text += LineEnd();
        }
        return text;
    }

    std::string Value() {
        static constexpr std::array<std::string_view, 16> values = {
            "36.001", "-75.0010", "60", "3", "352.5", "0", "360", "90", "-180", "1e400", "-1e-400",
            "4.98", "1,5", "\"CVN-68\"", "'x", "0x1F"};
        if (Pick(6) == 0) {
            return RandomBytes(Pick(12));
        }
        if (Pick(40) == 0) {
            return std::string(2000 + Pick(100), '7');
        }
        return std::string(values[Pick(values.size())]);
    }

    std::string Pad() {
        static constexpr std::array<std::string_view, 4> pads = {"", "", " ", "\t "};
        return std::string(pads[Pick(pads.size())]);
    }

    std::string LineEnd() {
        static constexpr std::array<std::string_view, 4> ends = {"\r\n", "\r\n", "\n", "\r"};
        return std::string(ends[Pick(ends.size())]);
    }

    // Turns the text after the mark into UTF-16 little-endian, sometimes with an odd byte.
    std::string Widen(const std::string& text) {
        std::string wide = text.substr(0, 2);
        for (std::size_t i = 2; i < text.size(); ++i) {
            wide += text[i];
            wide += Pick(20) == 0 ? static_cast<char>(Pick(256)) : '\0';
        }
        if (Pick(4) == 0) {
            wide += 'x';
        }
        return wide;
    }

    std::mt19937 random_;
};

TEST(ProfileRandomInput, ReaderWriterAndZoneCoreHoldTheirPromises) {
    InputMaker maker(20081231);
    constexpr int Inputs = 4000;
    for (int i = 0; i < Inputs; ++i) {
        const std::string input = maker.Next();
        const char* broken = ExerciseProfileBytes(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        ASSERT_EQ(broken, nullptr) << broken << "\ninput " << i << ": " << ::testing::PrintToString(input);
    }
}

}  // namespace
}  // namespace hf
