// The zone files of the program's folder: which sections are read, which zones are valid,
// the load-failure log, the error path and the change of zone file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ZonesFixture.h"

namespace hf::testing {
namespace {

constexpr const char* NoValidZones = "Selected .dat file contains no valid catch zones.  Program stopped.";

std::string Zones(std::initializer_list<std::string> sections) {
    std::string text = "; a comment\r\n[Other]\r\nCarrierIdent=not a zone\r\n";
    for (const std::string& section : sections) text += section;
    return text;
}

std::string CountLabel(int loaded, int found) {
    return "# of cable zones: " + std::to_string(loaded) + " out of " + std::to_string(found);
}

class ZoneLoadTest : public ZonesTest {
protected:
    // The start stopped at the zone load: no link, no zone timers, nothing enabled.
    void expectStoppedAtLoad(const std::string& reason) {
        EXPECT_EQ(form->lblConnectionInfo.Caption(), reason);
        EXPECT_EQ(Link().ViewBase, nullptr);
        for (const TTimer* timer :
             {&form->tmrCheckForCatch, &form->tmrFindNearest, &form->tmrIsCatchCheckNeeded}) {
            EXPECT_FALSE(scheduled(*timer)) << timer->Name();
        }
        EXPECT_FALSE(form->cmbDatFile.Enabled());
        EXPECT_FALSE(form->pgMain.Enabled());
    }
};

struct FileCase {
    const char* name;
    std::string text;
    std::string expectedCount;  // empty: the start stops with "no valid zones"
};

TEST_F(ZoneLoadTest, SectionsAreReadInNumberOrderUntilTheFirstGap) {
    std::string hundred;
    for (int n = 1; n <= 100; ++n) {
        hundred += ZoneSection("Zone" + std::string(n < 10 ? "0" : "") + std::to_string(n));
    }
    const std::vector<FileCase> cases = {
        {"gap after three", Zones({ZoneSection("Zone01"), ZoneSection("Zone02"), ZoneSection("Zone03"),
                                   ZoneSection("Zone05")}),
         CountLabel(3, 3)},
        {"empty section ends the reading",
         Zones({ZoneSection("Zone01"), ZoneSection("Zone02"), ZoneSection("Zone03"),
                "[Zone04]\r\n; nothing here\r\n", ZoneSection("Zone05")}),
         CountLabel(3, 3)},
        {"first section Zone02", Zones({ZoneSection("Zone02")}), ""},
        {"one digit", Zones({ZoneSection("Zone1"), ZoneSection("Zone2")}), ""},
        {"letter case of names", "[zONE01]\r\ncarrierident=X\r\n" + ZoneSection("Zone02").substr(10),
         CountLabel(1, 1)},
        {"Zone100 after Zone99, Zone010 never", hundred + ZoneSection("Zone010") +
                                                    ZoneSection("Zone101", {{"CarrierIdent", ""}}),
         CountLabel(100, 101)},
        {"empty file", "", ""},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("Hookfast.dat", c.text);
        if (!form) {
            startProgram();
        } else {
            form->actResetProgram.Execute();
        }
        if (c.expectedCount.empty()) {
            expectStoppedAtLoad(NoValidZones);
            EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), "");
        } else {
            EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), c.expectedCount);
            EXPECT_TRUE(form->cmbDatFile.Enabled());
        }
    }
}

TEST_F(ZoneLoadTest, EachBoundAndEachMissingKeyDecidesValidity) {
    struct Bound {
        const char* key;
        std::optional<std::string> value;
        bool valid;
    };
    const std::vector<Bound> bounds = {
        {"CableCatchZoneHeightInFeet", "5", false},    {"CableCatchZoneHeightInFeet", "4.98", true},
        {"CableCatchZoneHeightInFeet", "0", false},    {"DeckAltInFeet", "0", true},
        {"DeckAltInFeet", std::nullopt, false},        {"DeckAltInFeet", "29999", true},
        {"DeckAltInFeet", "30000", false},             {"RunwayHeadingInDegreesMag", "0", true},
        {"RunwayHeadingInDegreesMag", "360", false},   {"RunwayHeadingInDegreesMag", "-0.5", false},
        {"FrontRightCornerLat", "90", false},          {"BackLeftCornerLat", "-90", false},
        {"FrontLeftCornerLon", "180", false},          {"BackRightCornerLon", "-180", false},
        {"FrontRightCornerLat", "32,600335", false},   {"FrontRightCornerLat", "3.2600335E1", true},
        {"FrontRightCornerLat", " +32.6 ", true},      {"CarrierIdent", std::nullopt, false},
        {"CarrierIdent", "", false},                   {"BackLeftCornerLon", "", false},
    };
    startProgram();
    for (const Bound& bound : bounds) {
        SCOPED_TRACE(std::string(bound.key) + "=" + bound.value.value_or("(missing)"));
        writeFile("Hookfast.dat", Zones({ZoneSection("Zone01", {{bound.key, bound.value}}),
                                         ZoneSection("Zone02", {{"CarrierIdent", "Second"}})}));
        form->actResetProgram.Execute();
        EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), CountLabel(bound.valid ? 2 : 1, 2));
        ASSERT_TRUE(form->CatchZones);
        EXPECT_EQ(form->CatchZones->back().CarrierIdent, "Second");
    }
}

TEST_F(ZoneLoadTest, FailedZonesAreLoggedAndTheValidOnesKeepTheirOrder) {
    const ZoneKeys tooHigh = {{"CableCatchZoneHeightInFeet", "5"}};
    writeFile("Hookfast.dat",
              Zones({ZoneSection("Zone01", {{"CarrierIdent", "One"}}), ZoneSection("Zone02", tooHigh),
                     ZoneSection("Zone03", {{"CarrierIdent", "Three"}}),
                     ZoneSection("Zone04", {{"DeckAltInFeet", std::nullopt}}),
                     ZoneSection("Zone05", {{"CarrierIdent", "Five"}})}));
    startProgram();
    const double now = host.Now();

    EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), CountLabel(3, 5));
    ASSERT_EQ(form->CatchZones->size(), 3u);
    EXPECT_EQ((*form->CatchZones)[0].CarrierIdent, "One");
    EXPECT_EQ((*form->CatchZones)[1].CarrierIdent, "Three");
    EXPECT_EQ((*form->CatchZones)[2].CarrierIdent, "Five");
    EXPECT_NEAR((*form->CatchZones)[0].DeckAlt, 63 / 3.2808, 1e-12);
    EXPECT_EQ(readFile("HFastDatLoadErrorLog.txt"),
              "HFast .dat load failure log for file : \r\n"
              "  " + path("Hookfast.dat") + "\r\n"
              "Run/Reset time: " + host.ShortDateText(now) + "  " + host.LongTimeText(now) + "\r\n"
              "\r\n"
              "  -- Failed to load Zone #02.\r\n"
              "  -- Failed to load Zone #04.\r\n"
              "\r\n"
              "Verify that the failed zones contain all the required data fields\r\n"
              "and that the values fall within acceptable ranges.  See HFast*.txt.\r\n");

    // A file whose zones are all invalid writes no log: the earlier one stays.
    const std::string earlier = readFile("HFastDatLoadErrorLog.txt");
    writeFile("Hookfast.dat", Zones({ZoneSection("Zone01", tooHigh), ZoneSection("Zone02", tooHigh)}));
    form->actResetProgram.Execute();
    expectStoppedAtLoad(NoValidZones);
    EXPECT_EQ(readFile("HFastDatLoadErrorLog.txt"), earlier);
}

TEST_F(ZoneLoadTest, ANumberTooLargeForADoubleEndsTheLoadWithWhatWasRead) {
    writeFile("Hookfast.dat",
              Zones({ZoneSection("Zone01"), ZoneSection("Zone02", {{"CarrierIdent", std::nullopt}}),
                     ZoneSection("Zone03", {{"DeckAltInFeet", "1e999"}}), ZoneSection("Zone04")}));
    startProgram();
    expectStoppedAtLoad(
        "Floating point overflow  Exception occurred during .dat file load.  Program halted.");
    ASSERT_TRUE(form->CatchZones);
    EXPECT_EQ(form->CatchZones->size(), 1u);
    const std::string log = readFile("HFastDatLoadErrorLog.txt");
    EXPECT_NE(log.find("  -- Failed to load Zone #02.\r\n"), std::string::npos);
    EXPECT_EQ(log.find("Verify"), std::string::npos);  // an incomplete load has no trailer
    form->Close();
    EXPECT_FALSE(exists("Hookfast.INI.tmp"));
}

TEST_F(ZoneLoadTest, TheFolderIsListedOncePerRunInOrderAndMustHoldAZoneFile) {
    writeFile("b.DAT", Zones({ZoneSection("Zone01")}));
    writeFile("A.dat", Zones({ZoneSection("Zone01")}));
    writeFile("notes.txt", "");
    startProgram();
    EXPECT_EQ(form->cmbDatFile.Items(), (std::vector<std::string>{"A.dat", "b.DAT", "Hookfast.dat"}));
    EXPECT_EQ(form->cmbDatFile.Text(), "Hookfast.dat");
    EXPECT_EQ(host.WorkingDirectory(), host.programFolderText());

    writeFile("C.dat", Zones({ZoneSection("Zone01")}));
    form->actResetProgram.Execute();
    EXPECT_EQ(form->cmbDatFile.Items().size(), 3u);  // a reset does not list the folder again
    EXPECT_EQ(host.listings, 1);
}

TEST_F(ZoneLoadTest, AFolderWithoutZoneFilesStopsTheStart) {
    std::filesystem::remove(folder.path() / "Hookfast.dat");
    writeFile("Hookfast.dat.bak", "");
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(), "Connection to FSUIPC OK, but...No .dat files found.");
    EXPECT_TRUE(form->cmbDatFile.Items().empty());
    EXPECT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_NE(Link().ViewBase, nullptr);  // the link stays open
}

TEST_F(ZoneLoadTest, LastDatFileUsedSelectsInAnyLetterCaseAndFallsBackToTheDefault) {
    writeFile("Carriers.dat", Zones({ZoneSection("Zone01"), ZoneSection("Zone02")}));
    const std::string settings = "[General]\r\nLastDatFileUsed=CARRIERS.DAT\r\n";
    writeFile("Hookfast.INI", settings);
    startProgram();
    EXPECT_EQ(form->cmbDatFile.Text(), "Carriers.dat");
    EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), CountLabel(2, 2));
    EXPECT_EQ(readFile("Hookfast.INI"), settings);  // a choice from the settings writes nothing

    form->Close();
    form.reset();
    std::filesystem::remove(folder.path() / "Carriers.dat");
    writeFile("Hookfast.INI", "[general]\r\nlastdatfileused=Carriers.dat\r\n");
    host.listings = 0;
    startProgram();
    EXPECT_EQ(form->cmbDatFile.Text(), "Hookfast.dat");
    EXPECT_EQ(readFile("Hookfast.INI"), "[general]\r\nlastdatfileused=Hookfast.dat\r\n");
}

// Every letter of the code page counts without regard to case, as in the file system: the
// pilot's choice is kept, not replaced by the default. The list is filled here as the folder
// listing fills it with Windows-1252 names (a test host built with MinGW lists names in
// UTF-8, not as the system's ANSI functions give them).
TEST_F(ZoneLoadTest, LastDatFileUsedMatchesAccentedLettersInAnyCase) {
    startProgram();
    form->cmbDatFile.ClearItems();
    for (const char* name : {"Hookfast.dat", "Zone.dat", "Zon\xE9.dat"}) {
        form->cmbDatFile.AddItem(name);
    }
    const std::string settings = "[General]\r\nLastDatFileUsed=ZON\xC9.DAT\r\n";
    writeFile("Hookfast.INI", settings);
    ASSERT_TRUE(form->LoadSettings());
    EXPECT_EQ(form->cmbDatFile.Text(), "Zon\xE9.dat");
    EXPECT_EQ(readFile("Hookfast.INI"), settings);  // a choice from the settings writes nothing
}

TEST_F(ZoneLoadTest, NeitherTheNamedFileNorTheDefaultStopsTheSettingsLoad) {
    std::filesystem::remove(folder.path() / "Hookfast.dat");
    writeFile("Other.dat", Zones({ZoneSection("Zone01")}));
    writeFile("Hookfast.INI", "[CatapultOps]\r\nCatapultSpeedCutoffKnots=150\r\n");
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              "Connection to FSUIPC OK, but...Hookfast.dat file not found.");
    EXPECT_EQ(form->CatapultSpeedCutoff, 120);  // the options were not read
    EXPECT_EQ(form->cmbDatFile.ItemIndex(), -1);
}

TEST_F(ZoneLoadTest, PickingAnotherFileLoadsItWithoutANewConnection) {
    writeFile("Carriers.dat", Zones({ZoneSection("Zone01", {{"CarrierIdent", "Picked"}})}));
    writeFile("Broken.dat", Zones({ZoneSection("Zone01", {{"CarrierIdent", ""}})}));
    startProgram();
    form->tmrFuelOps.SetEnabled(true);
    form->tmrLaunchCheck.SetEnabled(true);  // an armed catapult runs on
    const auto exchanges = core.exchangeCount();
    const std::int64_t before = clock.nowMs() - 1;

    form->cmbDatFile.UserSelect(1);  // Carriers.dat
    EXPECT_EQ(form->lblNumOfCarriersLoaded.Caption(), CountLabel(1, 1));
    EXPECT_EQ(form->CatchZones->front().CarrierIdent, "Picked");
    EXPECT_TRUE(form->cmbDatFile.Enabled());
    EXPECT_TRUE(form->pgMain.Enabled());
    EXPECT_TRUE(scheduled(form->tmrFindNearest));
    EXPECT_TRUE(scheduled(form->tmrLaunchCheck));
    EXPECT_EQ(messagesSince(before).front(), (std::pair<std::string, int>{"Hookfast enabled", 3}));
    EXPECT_GT(core.exchangeCount(), exchanges);
    EXPECT_EQ(host.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(readFile("Hookfast.INI").find("Carriers"), std::string::npos);  // only the stop saves

    form->cmbDatFile.UserSelect(0);  // Broken.dat
    EXPECT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_EQ(form->lblConnectionInfo.Caption(), NoValidZones);
    EXPECT_FALSE(scheduled(form->tmrFindNearest));
    EXPECT_EQ(Link().ViewBase, nullptr);

    // The reset loads the file the settings name, never the failed one.
    form->actResetProgram.Execute();
    EXPECT_EQ(form->cmbDatFile.Text(), "Hookfast.dat");
    EXPECT_TRUE(form->cmbDatFile.Enabled());
}

TEST_F(ZoneLoadTest, ALogThatCannotBeWrittenReachesTheCaller) {
    writeFile("Hookfast.dat", Zones({ZoneSection("Zone01"), ZoneSection("Zone02", {{"CarrierIdent", ""}})}));
    std::filesystem::create_directories(folder.path() / "HFastDatLoadErrorLog.txt");
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption().rfind("Connection to FSUIPC OK, but...", 0), 0u);
    EXPECT_FALSE(form->cmbDatFile.Enabled());

    form->cmbDatFile.SetEnabled(true);  // as the user could reach it after a good start
    host.cursorChanges.clear();
    EXPECT_THROW(form->cmbDatFile.UserSelect(0), std::runtime_error);
    EXPECT_EQ(host.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_FALSE(scheduled(form->tmrFindNearest));
}

}  // namespace
}  // namespace hf::testing
