// The scenario files fly what their names promise: each touches down inside or outside the
// demo zone of the shipped zone file, with hook, heading and bank as intended, so that the
// program's trap test has exactly one reason (or none) to refuse the catch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "deck/Geometry.h"
#include "deck/Profile.h"
#include "deck/ZoneFile.h"
#include "sim/flight/FlightOffsets.h"
#include "sim/flight/FlightSim.h"
#include "testing/VirtualClock.h"

namespace hf::sim::flight {
namespace {

std::vector<TCatchZoneData> ShippedZones() {
    std::ifstream file(HF_DEFAULT_ZONE_FILE, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    ZoneLoad load;
    ReadCatchZones(ProfileDocument(bytes.str()), 3.2808, load);
    return load.Zones;
}

// What the program reads at the first look after the touchdown, decoded its way.
struct Seen {
    double latitude = 0, longitude = 0, altitude = 0;
    double trueHeading = 0, bank = 0, hook = 0, magVar = 0;
};

Seen ProgramView(const ServerCore& core) {
    auto pair = [&](std::uint32_t offset, double unit) {
        return core.peek<std::int32_t>(offset + 4) * unit + core.peek<std::uint32_t>(offset) * unit / 4294967296.0;
    };
    Seen s;
    s.latitude = pair(0x0560, LatitudeUnit);
    s.longitude = pair(0x0568, AngleUnit);
    s.altitude = pair(0x0570, 1.0);
    s.trueHeading = core.peek<std::int32_t>(0x0580) * AngleUnit;
    s.bank = core.peek<std::int32_t>(0x057C) * AngleUnit;
    s.hook = core.peek<double>(0x3BA0);
    s.magVar = core.peek<std::int16_t>(0x02A0) * 360.0 / 65536.0;
    return s;
}

double HeadingDifference(double runwayHeading, double trueHeading, double magVar) {
    double hdg = trueHeading - magVar;
    if (hdg < 0) hdg += 360;
    double diff = std::max(runwayHeading, hdg) - std::min(runwayHeading, hdg);
    return diff > 180 ? 360 - diff : diff;
}

struct Expectation {
    const char* file;
    bool insideZone;
    bool hookDown;
    bool headingOk;
    bool bankOk;
    bool farFromAllZones;  // 0.07 degree or more from every zone's front-right corner
};

TEST(ScenarioFiles, EveryFileParses) {
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(HF_FLIGHT_SCENARIO_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        SCOPED_TRACE(entry.path().string());
        EXPECT_NO_THROW(LoadScenario(entry.path().string()));
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(ScenarioFiles, TouchDownWhereTheyAreMeantTo) {
    const std::vector<TCatchZoneData> zones = ShippedZones();
    ASSERT_FALSE(zones.empty());
    const TCatchZoneData& demo = zones[0];
    ASSERT_EQ(demo.CarrierIdent, "CVN-70 Carl Vinson");

    const Expectation cases[] = {
        {"hooked-approach.txt", true, true, true, true, false},
        {"hook-up.txt", true, false, true, true, false},
        {"wrong-heading.txt", true, true, false, true, false},
        {"too-much-bank.txt", true, true, true, false, false},
        {"beside-zone.txt", false, true, true, true, false},
        {"trap-anywhere.txt", false, true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Scenario scenario = LoadScenario(std::string(HF_FLIGHT_SCENARIO_DIR) + "/" + c.file);
        testing::VirtualClock clock;
        ServerCore core;
        core.setClock([&] { return clock.nowMs(); });
        FlightSim sim(core);
        sim.load(scenario);
        sim.advanceTo(0);
        while (core.peek<std::uint16_t>(0x0366) != 1 && clock.nowMs() < scenario.endMs()) {
            clock.advance(50);  // the trap test's period
            sim.advanceTo(clock.nowMs());
        }
        ASSERT_EQ(core.peek<std::uint16_t>(0x0366), 1) << "no touchdown";
        EXPECT_NEAR(ProgramView(core).altitude, demo.DeckAlt, 1e-6);

        const Seen seen = ProgramView(core);
        EXPECT_EQ(IsInsideCatchZone(demo, seen.latitude, seen.longitude), c.insideZone);
        EXPECT_EQ(seen.hook > 0.5, c.hookDown);
        EXPECT_EQ(HeadingDifference(demo.RunwayHeading, seen.trueHeading, seen.magVar) < 30.0, c.headingOk);
        EXPECT_EQ(std::fabs(seen.bank) < 10.0, c.bankOk);
        double nearest = 180.0;
        for (const auto& zone : zones) {
            nearest = std::min(nearest, CornerDistance(seen.latitude, seen.longitude, zone.FrontRightLat, zone.FrontRightLon));
            EXPECT_FALSE(IsInsideCatchZone(zone, seen.latitude, seen.longitude) && &zone != &demo);
        }
        EXPECT_EQ(nearest >= 0.07, c.farFromAllZones);

        // A zone catch needs the approach inside the normal gate's range a while before.
        const double startDistance = [&] {
            FlightModel probe;
            for (const auto& command : scenario.commands) {
                if (const auto* a = std::get_if<StartApproach>(&command.action)) probe.startApproach(a->approach);
            }
            return CornerDistance(probe.state().latitude, probe.state().longitude, demo.FrontRightLat, demo.FrontRightLon);
        }();
        EXPECT_EQ(startDistance < 0.05, !c.farFromAllZones);
    }
}

TEST(ScenarioFiles, TrapAnywherePressComesBeforeTheTouchdownAndFarFromZones) {
    const Scenario scenario = LoadScenario(std::string(HF_FLIGHT_SCENARIO_DIR) + "/trap-anywhere.txt");
    testing::VirtualClock clock;
    ServerCore core;
    core.setClock([&] { return clock.nowMs(); });
    FlightSim sim(core);
    sim.load(scenario);
    const auto press = std::find_if(scenario.commands.begin(), scenario.commands.end(),
                                    [](const ScenarioCommand& c) { return std::holds_alternative<PressKey>(c.action); });
    ASSERT_NE(press, scenario.commands.end());
    EXPECT_EQ(std::get<PressKey>(press->action).keyDefinition, 0x00010179u);  // Shift+F10

    const std::vector<TCatchZoneData> zones = ShippedZones();
    double closest = 180.0;
    for (std::int64_t t = press->atMs; !sim.model().touchdown(); t += 1000) {
        sim.advanceTo(t);
        const Seen seen = ProgramView(core);
        for (const auto& zone : zones) {
            closest = std::min(closest, CornerDistance(seen.latitude, seen.longitude, zone.FrontRightLat, zone.FrontRightLon));
        }
    }
    EXPECT_GE(closest, 0.07);
    EXPECT_LT(press->atMs, sim.model().touchdown()->timeMs - 5000);
}

}  // namespace
}  // namespace hf::sim::flight
