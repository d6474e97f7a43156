#include "deck/Numbers.h"
#include "deck/SimData.h"
#include "deck/ZoneFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hf {
namespace {

// A valid zone: a deck at 60 ft, a 3 ft band, landing heading 352.5.
const std::vector<std::pair<std::string, std::string>> ValidKeys = {
    {"CarrierIdent", "CVN-68"},
    {"FrontRightCornerLat", "36.0010"},  {"FrontRightCornerLon", "-75.0000"},
    {"FrontLeftCornerLat", "36.0010"},   {"FrontLeftCornerLon", "-75.0010"},
    {"BackRightCornerLat", "36.0000"},   {"BackRightCornerLon", "-75.0000"},
    {"BackLeftCornerLat", "36.0000"},    {"BackLeftCornerLon", "-75.0010"},
    {"DeckAltInFeet", "60"},             {"CableCatchZoneHeightInFeet", "3"},
    {"RunwayHeadingInDegreesMag", "352.5"},
};

// A zone section: the valid keys with some replaced (a value) or left out (no value).
std::string Zone(const std::string& section, const std::vector<std::pair<std::string, std::optional<std::string>>>& changes = {}) {
    std::string text = "[" + section + "]\r\n";
    for (const auto& [key, value] : ValidKeys) {
        std::optional<std::string> written = value;
        for (const auto& [changedKey, changedValue] : changes) {
            if (changedKey == key) {
                written = changedValue;
            }
        }
        if (written) {
            text += key + "=" + *written + "\r\n";
        }
    }
    return text;
}

std::string Zones(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n) {
        text += Zone(ZoneSectionName(n), {{"CarrierIdent", "Carrier " + std::to_string(n)}});
    }
    return text;
}

ZoneLoad Read(const std::string& fileText) {
    ZoneLoad load;
    ReadCatchZones(ProfileDocument(fileText), FeetPerMetre, load);
    return load;
}

std::vector<std::string> Idents(const ZoneLoad& load) {
    std::vector<std::string> idents;
    for (const TCatchZoneData& zone : load.Zones) {
        idents.push_back(zone.CarrierIdent);
    }
    return idents;
}

TEST(ZoneNumbering, AtLeastTwoDigits) {
    EXPECT_EQ(ZoneSectionName(1), "Zone01");
    EXPECT_EQ(ZoneSectionName(9), "Zone09");
    EXPECT_EQ(ZoneSectionName(10), "Zone10");
    EXPECT_EQ(ZoneSectionName(100), "Zone100");
}

TEST(ReadCatchZones, StopsAtTheFirstMissingOrEmptySection) {
    const struct {
        const char* Name;
        std::string File;
        int Found;
    } cases[] = {
        {"Zone01 to Zone03, then Zone05", Zones(1, 3) + Zones(5, 5), 3},
        {"first section Zone02", Zones(2, 4), 0},
        {"single digit Zone1", Zone("Zone1"), 0},
        {"empty Zone04", Zones(1, 3) + "[Zone04]\r\n\r\n" + Zones(5, 5), 3},
        {"Zone04 with only a comment and a text line", Zones(1, 3) + "[Zone04]\r\n;x=1\r\nnote\r\n" + Zones(5, 5), 3},
        {"Zone04 with one unknown key counts", Zones(1, 3) + "[Zone04]\r\nRemark=x\r\n" + Zones(5, 5), 5},
        {"Zone100 read after Zone99", Zones(1, 101), 101},
        {"Zone010 is not Zone10", Zones(1, 9) + Zone("Zone010") + Zones(11, 12), 9},
        {"sections in other letter case and order", Zones(2, 2) + "[ZONE01]\r\ncarrierident=Carrier 1\r\n", 2},
        {"empty file", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ZoneLoad load = Read(c.File);
        EXPECT_EQ(load.Found, c.Found);
    }
    EXPECT_EQ(Idents(Read(Zones(1, 3) + Zones(5, 5))), (std::vector<std::string>{"Carrier 1", "Carrier 2", "Carrier 3"}));
}

// An old editor ended the file with Ctrl-Z right after the last value: the zone is kept.
TEST(ReadCatchZones, AFileEndingInCtrlZKeepsItsLastZone) {
    std::string file = Zones(1, 2);
    file.erase(file.size() - 2);  // no line end after the last value
    file += "\x1A";
    const ZoneLoad load = Read(file);
    EXPECT_EQ(Idents(load), (std::vector<std::string>{"Carrier 1", "Carrier 2"}));
    EXPECT_TRUE(load.FailedZoneNumbers.empty());
}

TEST(ReadCatchZones, ConvertsFeetToMetresAndKeepsTheRest) {
    const ZoneLoad load = Read(Zone("Zone01"));
    ASSERT_EQ(load.Zones.size(), 1u);
    const TCatchZoneData& zone = load.Zones[0];
    EXPECT_EQ(zone.CarrierIdent, "CVN-68");
    EXPECT_DOUBLE_EQ(zone.DeckAlt, 60 / 3.2808);
    EXPECT_DOUBLE_EQ(zone.CatchZoneHeight, 3 / 3.2808);
    EXPECT_EQ(zone.RunwayHeading, 352.5);
    EXPECT_EQ(zone.FrontRightLat, 36.0010);
    EXPECT_EQ(zone.FrontRightLon, -75.0);
    EXPECT_EQ(zone.FrontLeftLat, 36.0010);
    EXPECT_EQ(zone.FrontLeftLon, -75.0010);
    EXPECT_EQ(zone.BackRightLat, 36.0);
    EXPECT_EQ(zone.BackRightLon, -75.0);
    EXPECT_EQ(zone.BackLeftLat, 36.0);
    EXPECT_EQ(zone.BackLeftLon, -75.0010);
}

TEST(ReadCatchZones, ValidityOfOneZone) {
    const struct {
        std::string Key;
        std::optional<std::string> Value;  // no value: the key is left out
        bool Valid;
    } cases[] = {
        {"CableCatchZoneHeightInFeet", "5", false},  // 1.524 m
        {"CableCatchZoneHeightInFeet", "4.98", true},
        {"CableCatchZoneHeightInFeet", "0", false},
        {"CableCatchZoneHeightInFeet", "-1", false},
        {"DeckAltInFeet", "0", true},
        {"DeckAltInFeet", "29999", true},   // 9143.8 m
        {"DeckAltInFeet", "30000", false},  // 9144.1 m
        {"DeckAltInFeet", std::nullopt, false},
        {"DeckAltInFeet", "-0.1", false},
        {"RunwayHeadingInDegreesMag", "0", true},
        {"RunwayHeadingInDegreesMag", "359.999", true},
        {"RunwayHeadingInDegreesMag", "360", false},
        {"RunwayHeadingInDegreesMag", "-1", false},
        {"FrontRightCornerLat", "90", false},
        {"FrontLeftCornerLat", "-90", false},
        {"BackLeftCornerLat", "89.9999", true},
        {"BackRightCornerLon", "180", false},
        {"FrontLeftCornerLon", "-180", false},
        {"BackLeftCornerLon", "179.9999", true},
        {"BackRightCornerLat", "36,0000", false},  // a comma: not a number, so 666
        {"FrontRightCornerLon", "", false},
        {"FrontRightCornerLon", std::nullopt, false},
        {"BackLeftCornerLat", "3.6e1", true},
        {"CarrierIdent", "", false},
        {"CarrierIdent", std::nullopt, false},
        {"CarrierIdent", "\"CVN-68\"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key + "=" + c.Value.value_or("<missing>"));
        const ZoneLoad load = Read(Zone("Zone01", {{c.Key, c.Value}}));
        EXPECT_EQ(load.Found, 1);
        EXPECT_EQ(load.Zones.size(), c.Valid ? 1u : 0u);
        EXPECT_EQ(load.FailedZoneNumbers, c.Valid ? std::vector<std::string>{} : std::vector<std::string>{"01"});
    }
}

const ZoneLogTexts EnglishLog = {
    "HFast .dat load failure log for file : ",
    "Run/Reset time: ",
    "  -- Failed to load Zone #",
    "Verify that the failed zones contain all the required data fields",
    "and that the values fall within acceptable ranges.  See HFast*.txt.",
};

TEST(ReadCatchZones, ZonesTwoAndFourOfFiveInvalid) {
    const std::string file = Zone("Zone01", {{"CarrierIdent", "One"}}) +
                             Zone("Zone02", {{"CarrierIdent", "Two"}, {"RunwayHeadingInDegreesMag", "360"}}) +
                             Zone("Zone03", {{"CarrierIdent", "Three"}}) +
                             Zone("Zone04", {{"CarrierIdent", std::nullopt}}) +
                             Zone("Zone05", {{"CarrierIdent", "Five"}});
    const ZoneLoad load = Read(file);
    EXPECT_EQ(Idents(load), (std::vector<std::string>{"One", "Three", "Five"}));
    EXPECT_EQ(load.Found, 5);
    ASSERT_EQ(load.FailedZoneNumbers, (std::vector<std::string>{"02", "04"}));

    EXPECT_EQ(BuildZoneLoadLog(EnglishLog, "C:\\FS9\\Modules\\Hookfast\\Carriers.dat", "31/12/2008", "23:59:58",
                               load.FailedZoneNumbers, true),
              "HFast .dat load failure log for file : \r\n"
              "  C:\\FS9\\Modules\\Hookfast\\Carriers.dat\r\n"
              "Run/Reset time: 31/12/2008  23:59:58\r\n"
              "\r\n"
              "  -- Failed to load Zone #02.\r\n"
              "  -- Failed to load Zone #04.\r\n"
              "\r\n"
              "Verify that the failed zones contain all the required data fields\r\n"
              "and that the values fall within acceptable ranges.  See HFast*.txt.\r\n");
}

TEST(ReadCatchZones, AllInvalidGivesNoZonesAndTheirNumbers) {
    const ZoneLoad load = Read(Zone("Zone01", {{"DeckAltInFeet", std::nullopt}}) + Zone("Zone02", {{"CarrierIdent", ""}}));
    EXPECT_TRUE(load.Zones.empty());
    EXPECT_EQ(load.Found, 2);
    EXPECT_EQ(load.FailedZoneNumbers, (std::vector<std::string>{"01", "02"}));
}

TEST(ReadCatchZones, HugeNumberEndsTheLoadWithWhatWasRead) {
    const std::string file = Zone("Zone01", {{"CarrierIdent", "One"}}) +
                             Zone("Zone02", {{"CarrierIdent", std::nullopt}}) +
                             Zone("Zone03", {{"BackLeftCornerLon", "-1e400"}}) +
                             Zone("Zone04", {{"CarrierIdent", "Four"}});
    ZoneLoad load;
    try {
        ReadCatchZones(ProfileDocument(file), FeetPerMetre, load);
        ADD_FAILURE() << "no error";
    } catch (const NumberOverflow& error) {
        EXPECT_EQ(std::string(error.what()) + "  " + "Exception occurred during .dat file load.  Program halted.",
                  "Floating point overflow  Exception occurred during .dat file load.  Program halted.");
    }
    EXPECT_EQ(Idents(load), (std::vector<std::string>{"One"}));
    EXPECT_EQ(load.Found, 3);
    ASSERT_EQ(load.FailedZoneNumbers, (std::vector<std::string>{"02"}));
    EXPECT_EQ(BuildZoneLoadLog(EnglishLog, "Z.dat", "1-1-2009", "0:00:01", load.FailedZoneNumbers, false),
              "HFast .dat load failure log for file : \r\n"
              "  Z.dat\r\n"
              "Run/Reset time: 1-1-2009  0:00:01\r\n"
              "\r\n"
              "  -- Failed to load Zone #02.\r\n");
}

TEST(BuildZoneLoadLog, NothingWithoutFailedZones) {
    EXPECT_EQ(BuildZoneLoadLog(EnglishLog, "Z.dat", "d", "t", {}, true), "");
    const std::vector<std::string> hundred = {"100"};
    EXPECT_NE(BuildZoneLoadLog(EnglishLog, "Z.dat", "d", "t", hundred, true).find("  -- Failed to load Zone #100.\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace hf
