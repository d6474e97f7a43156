#include "sim/flight/Scenario.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace hf::sim::flight {
namespace {

TEST(Scenario, ParsesEveryCommand) {
    const Scenario s = ParseScenario(
        "# a comment line\n"
        "\n"
        "approach a touchdown 32.6 -117.45 deck 19.2 heading 1.25 glide 3 speed 130 distance 900 offset -5 bank 2\r\n"
        "at 0 set 0x02A0 i16 -2048   # trailing comment\n"
        "at 0 approach a\n"
        "at 100 set 0x3BA0 f64 1e0\n"
        "at 200 set 0x3D00 text  Demo #7 Hornet  \n"
        "at 300 press 0x00010179\n"
        "at 300 thrust 2.5\n"
        "at 900 end\n");
    ASSERT_EQ(s.approaches.size(), 1u);
    const Approach& a = s.approaches.at("a");
    EXPECT_EQ(a.touchdownLat, 32.6);
    EXPECT_EQ(a.touchdownLon, -117.45);
    EXPECT_EQ(a.deckAltitude, 19.2);
    EXPECT_EQ(a.glidePath, 3);
    EXPECT_EQ(a.speedKnots, 130);
    EXPECT_EQ(a.distance, 900);
    EXPECT_EQ(a.offset, -5);
    EXPECT_EQ(a.bank, 2);

    ASSERT_EQ(s.commands.size(), 7u);
    const auto& magVar = std::get<SetOffset>(s.commands[0].action);
    EXPECT_EQ(magVar.offset, 0x02A0u);
    EXPECT_EQ(magVar.bytes, (std::vector<std::uint8_t>{0x00, 0xF8}));
    EXPECT_EQ(std::get<StartApproach>(s.commands[1].action).approach.name, "a");
    const auto& hook = std::get<SetOffset>(s.commands[2].action);
    double value = 0;
    ASSERT_EQ(hook.bytes.size(), 8u);
    std::memcpy(&value, hook.bytes.data(), 8);
    EXPECT_EQ(value, 1.0);
    const auto& title = std::get<SetOffset>(s.commands[3].action);
    EXPECT_EQ(std::string(title.bytes.begin(), title.bytes.end()), std::string("Demo #7 Hornet\0", 15));
    EXPECT_EQ(std::get<PressKey>(s.commands[4].action).keyDefinition, 0x00010179u);
    EXPECT_EQ(std::get<SetThrust>(s.commands[5].action).thrust, 2.5);
    EXPECT_TRUE(std::holds_alternative<EndScenario>(s.commands[6].action));
    EXPECT_EQ(s.commands[6].line, 10);
    EXPECT_EQ(s.endMs(), 900);
}

TEST(Scenario, DeckAndFuelCommandsReadablePressesAndWaits) {
    const Scenario s = ParseScenario(
        "at 0 place 32.600341 -117.450151 deck 19.2 heading 1.25\n"
        "at 0 tank left-main capacity 50 level 50   # half of 50 gallons\n"
        "at 0 wait ready\n"
        "at 0 press shift+F9\n"
        "at 250 press Shift+Ctrl+f12\n"
        "at 250 press ctrl+F1\n"
        "at 250 press 0x00010179\n"
        "at 300 cruise 32.7 -117.4 alt 1600 heading 90 ground 12\n"
        "at 400 climb -30.5\n"
        "at 500 crash\n");
    ASSERT_EQ(s.commands.size(), 11u);
    const Placement& p = std::get<PlaceOnDeck>(s.commands[0].action).placement;
    EXPECT_EQ(p.latitude, 32.600341);
    EXPECT_EQ(p.longitude, -117.450151);
    EXPECT_EQ(p.deckAltitude, 19.2);
    EXPECT_EQ(p.heading, 1.25);
    // A tank is its capacity, then its level (4194304 = 50 %).
    const auto& capacity = std::get<SetOffset>(s.commands[1].action);
    const auto& level = std::get<SetOffset>(s.commands[2].action);
    EXPECT_EQ(capacity.offset, 0x0B80u);
    EXPECT_EQ(capacity.bytes, (std::vector<std::uint8_t>{50, 0, 0, 0}));
    EXPECT_EQ(level.offset, 0x0B7Cu);
    EXPECT_EQ(level.bytes, (std::vector<std::uint8_t>{0x00, 0x00, 0x40, 0x00}));
    EXPECT_EQ(s.commands[2].line, 2);
    EXPECT_EQ(std::get<WaitSignal>(s.commands[3].action).name, "ready");
    // Keys as the program defines them: byte 1 holds Shift (1) and Ctrl (2).
    EXPECT_EQ(std::get<PressKey>(s.commands[4].action).keyDefinition, 0x00010178u);
    EXPECT_EQ(std::get<PressKey>(s.commands[5].action).keyDefinition, 0x0001037Bu);
    EXPECT_EQ(std::get<PressKey>(s.commands[6].action).keyDefinition, 0x00010270u);
    EXPECT_EQ(std::get<PressKey>(s.commands[7].action).keyDefinition, 0x00010179u);
    const Cruise& c = std::get<StartCruise>(s.commands[8].action).cruise;
    EXPECT_EQ(c.altitude, 1600);
    EXPECT_EQ(c.heading, 90);
    EXPECT_EQ(c.speedKnots, 250);
    EXPECT_EQ(c.groundAltitude, 12);
    EXPECT_EQ(std::get<SetClimb>(s.commands[9].action).metresPerSecond, -30.5);
    EXPECT_TRUE(std::holds_alternative<CrashAircraft>(s.commands[10].action));
    EXPECT_EQ(s.endMs(), 500);  // counted from the wait
}

TEST(Scenario, BadLinesNameTheLineAndTheFault) {
    const std::string approach = "approach a touchdown 1 2 deck 3 heading 4\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"at 0 sett 0x3BA0 f64 1\n", "line 1: unknown action 'sett'"},
        {"\nfly 0\n", "line 2: unknown command 'fly'"},
        {"at soon end\n", "line 1: time must be a whole number, not 'soon'"},
        {"at -5 end\n", "line 1: time must not be negative"},
        {"at 500 end\nat 400 end\n", "line 2: command after the end"},
        {"at 500 thrust 1\nat 400 thrust 1\n", "line 2: time 400 comes before the previous command's 500"},
        {"at 0 approach b\n", "line 1: approach 'b' is not defined above"},
        {"at 0 approach a\n" + approach, "line 1: approach 'a' is not defined above"},
        {approach + approach, "line 2: approach 'a' is defined twice"},
        {"approach a touchdown 1 2 heading 4\n", "line 1: approach 'a' needs touchdown, deck and heading"},
        {"approach a touchdown 91 2 deck 3 heading 4\n", "line 1: touchdown point out of range"},
        {"approach a touchdown 1 2 deck 3 heading 360\n", "line 1: heading must be from 0 to below 360"},
        {"approach a touchdown 1 2 deck 3 heading 4 glide 0\n", "line 1: glide path must be above 0"},
        {"approach a touchdown 1 2 deck 3 heading 4 speed -1\n", "line 1: speed must be above 0 knots"},
        {"approach a touchdown 1 2 deck 3 heading 4 flaps 30\n", "line 1: unknown approach key 'flaps'"},
        {"approach a touchdown 1,5 2 deck 3 heading 4\n", "line 1: touchdown latitude must be a number, not '1,5'"},
        {"approach a touchdown 1 2 deck\n", "line 1: missing deck altitude"},
        {"at 0 set 0x3BA0 f32 1\n", "line 1: unknown type 'f32'"},
        {"at 0 set 0x3BA0 f64\n", "line 1: missing value"},
        {"at 0 set 0x3BA0 f64 one\n", "line 1: value must be a number, not 'one'"},
        {"at 0 set 0x3BA0 f64 1e999\n", "line 1: value must be a number, not '1e999'"},
        {"at 0 set 0x05DC u16 65536\n", "line 1: value 65536 does not fit u16"},
        {"at 0 set 0x02A0 i16 -32769\n", "line 1: value -32769 does not fit i16"},
        {"at 0 set 0x0366 u16 1\n", "line 1: offset 0x0366 (on ground) follows from the flight model and cannot be set"},
        {"at 0 set 0x0364 u32 1\n", "line 1: offset 0x0366 (on ground) follows from the flight model"},
        {"at 0 set 0xFFFE u32 1\n", "line 1: offset 65534 with 4 bytes lies outside the offset memory"},
        {"at 0 set 0x0BE8 i32 1 2\n", "line 1: unexpected '2' at the end of the line"},
        {"at 0 press 0\n", "line 1: key definition must be a 32-bit value above 0"},
        {"at 0 press shift+F13\n", "line 1: unknown key 'F13' (F1 to F12"},
        {"at 0 press alt+F1\n", "line 1: unknown modifier 'alt' in 'alt+F1'"},
        {"at 0 press shift+\n", "line 1: unknown key ''"},
        {"at 500 wait go\nat 400 end\nat 300 end\n", "line 3: command after the end"},
        {"at 0 wait go\nat 400 thrust 1\nat 300 thrust 1\n", "line 3: time 300 comes before the previous command's 400"},
        {"at 0 wait\n", "line 1: missing signal name"},
        {"at 0 place 32.6 -117.45 deck 19\n", "line 1: place needs deck and heading"},
        {"at 0 place 32.6 -181 deck 19 heading 0\n", "line 1: position out of range"},
        {"at 0 cruise 32.6 -117.45 alt 100 heading 0 ground 100\n", "line 1: cruise altitude must be above the ground"},
        {"at 0 cruise 32.6 -117.45 heading 0\n", "line 1: cruise needs alt and heading"},
        {"at 0 tank wing capacity 1 level 1\n", "line 1: unknown tank 'wing'"},
        {"at 0 tank centre capacity 10\n", "line 1: tank needs capacity and level"},
        {"at 0 tank centre capacity 10 level -1\n", "line 1: level must be from 0 to 511 percent"},
        {"at 0 press 0x100000000\n", "line 1: key definition must be a 32-bit value above 0"},
        {"at 0\n", "line 1: missing action"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseScenario(c.text);
            ADD_FAILURE() << "no error";
        } catch (const ScenarioError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(Scenario, FileErrorsCarryThePath) {
    EXPECT_THROW(LoadScenario("no-such-scenario.txt"), ScenarioError);
    const auto path = std::filesystem::temp_directory_path() / "hf-flight-bad-scenario.txt";
    {
        std::FILE* f = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("# ok\nat 0 jump\n", f);
        std::fclose(f);
    }
    try {
        LoadScenario(path.string());
        ADD_FAILURE() << "no error";
    } catch (const ScenarioError& e) {
        EXPECT_EQ(std::string(e.what()), path.string() +
                                             ": line 2: unknown action 'jump' (approach set press thrust place "
                                             "cruise climb crash tank wait end)");
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace hf::sim::flight
