#include "sim/flight/FlightSim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"
#include "sim/flight/FlightOffsets.h"
#include "testing/VirtualClock.h"

namespace hf::sim::flight {
namespace {

constexpr char DemoScenario[] =
    "approach vinson touchdown 32.6 -117.45 deck 19.202634 heading 1.25 glide 3.5 speed 140 distance 1852\n"
    "at 0 set 0x02A0 i16 2048\n"
    "at 0 approach vinson\n"
    "at 500 set 0x3BA0 f64 1.0\n"
    "at 60000 end\n";

// The program's decodings: a signed high half and an unsigned fraction below it.
double ProgramLatitude(const ServerCore& core) {
    return core.peek<std::int32_t>(0x0564) * LatitudeUnit + core.peek<std::uint32_t>(0x0560) * LatitudeUnit / 4294967296.0;
}
double ProgramLongitude(const ServerCore& core) {
    return core.peek<std::int32_t>(0x056C) * AngleUnit + core.peek<std::uint32_t>(0x0568) * AngleUnit / 4294967296.0;
}
double ProgramAltitude(const ServerCore& core) {
    return core.peek<std::uint32_t>(0x0570) / 4294967296.0 + core.peek<std::int32_t>(0x0574);
}

struct Rig {
    testing::VirtualClock clock;
    ServerCore core;
    Rig() { core.setClock([this] { return clock.nowMs(); }); }
};

TEST(FlightSim, PublishesTheAircraftInTheOffsetEncodings) {
    Rig rig;
    FlightSim sim(rig.core);
    sim.load(ParseScenario(DemoScenario));
    sim.advanceTo(0);

    const ServerCore& core = rig.core;
    const AircraftState& s = sim.model().state();
    EXPECT_EQ(core.peek<std::int16_t>(0x02A0), 2048);
    EXPECT_DOUBLE_EQ(s.magVar, 11.25);
    EXPECT_EQ(core.peek<std::uint32_t>(0x0580), 14913081u);  // 1.25 degrees
    EXPECT_EQ(core.peek<std::uint32_t>(0x057C), 0u);
    EXPECT_EQ(core.peek<std::uint16_t>(0x0366), 0);
    EXPECT_EQ(core.peek<std::int32_t>(0x0BE8), 16383);
    EXPECT_EQ(core.peek<double>(0x3BA0), 0.0);
    EXPECT_DOUBLE_EQ(core.peek<double>(0x3090), 140 * 1.689);
    EXPECT_EQ(core.peek<std::uint16_t>(0x05DC), 0);
    EXPECT_EQ(core.peek<std::int16_t>(0x0840), 0);
    std::array<char, 256> title{};
    core.peekBytes(0x3D00, title.data(), title.size());
    EXPECT_STREQ(title.data(), "Hookfast Demo Hornet");
    // The fraction carries the position to far below a millimetre.
    EXPECT_NEAR(ProgramLatitude(core), s.latitude, 1e-9);
    EXPECT_NEAR(ProgramLongitude(core), s.longitude, 1e-9);
    EXPECT_NEAR(ProgramAltitude(core), s.altitude, 1e-6);

    // A command takes effect at its time, not before.
    sim.advanceTo(499);
    EXPECT_EQ(core.peek<double>(0x3BA0), 0.0);
    sim.advanceTo(500);
    EXPECT_EQ(core.peek<double>(0x3BA0), 1.0);
    EXPECT_EQ(s.hook, 1.0);

    sim.advanceTo(30000);
    EXPECT_EQ(core.peek<std::uint16_t>(0x0366), 1);
    EXPECT_NEAR(ProgramAltitude(core), 19.202634, 1e-6);
    EXPECT_FALSE(sim.ended());
    sim.advanceTo(60000);
    EXPECT_TRUE(sim.ended());
}

TEST(FlightSim, FixedPairsRoundTrip) {
    for (double units : {0.0, 1.5, -1.5, 19.202634, -0.25, 3622852.999999999, -13048319.0}) {
        EXPECT_NEAR(DecodeFixedUnsigned(EncodeFixed(units)), units, 1.0 / 4294967296.0) << units;
    }
    EXPECT_EQ(EncodeFixed(30.25).low, 0x40000000u);
    EXPECT_EQ(EncodeFixed(30.25).high, 30);
    EXPECT_EQ(EncodeFixed(-0.5).low, 0x80000000u);
    EXPECT_EQ(EncodeFixed(-0.5).high, -1);
}

TEST(FlightSim, ScenarioSetsChangeTheModelAndPressesReachTheHotKeySlots) {
    Rig rig;
    rig.core.poke<std::uint32_t>(0x3210, 0x00010179);  // the program registered Shift+F10
    FlightSim sim(rig.core);
    sim.load(ParseScenario(
        "at 10 set 0x3090 f64 55.5\n"
        "at 10 set 0x0BE8 i32 0\n"
        "at 10 set 0x0580 u32 0xC0000000\n"
        "at 20 press 0x00010179\n"
        "at 30 set 0x3070 f64 -2000\n"));
    sim.advanceTo(10);
    EXPECT_EQ(sim.model().state().forwardSpeed, 55.5);
    EXPECT_EQ(sim.model().state().gearLever, 0);
    EXPECT_EQ(sim.model().state().heading, 270.0);
    sim.advanceTo(20);
    EXPECT_EQ(rig.core.peek<std::uint32_t>(0x3210), 0x01010179u);
    // An acceleration poked by a scenario acts as one the program wrote.
    sim.advanceTo(30);
    EXPECT_GT(sim.model().state().forwardSpeed, 50);
    sim.advanceTo(100);
    EXPECT_EQ(sim.model().state().forwardSpeed, 0.0);
}

TEST(FlightSim, BrakeThrottleAndGroundHeightAreOffsetsBothWays) {
    Rig rig;
    FlightSim sim(rig.core);
    sim.load(ParseScenario(
        "at 0 place 32.6 -117.45 deck 19.6 heading 1.25\n"
        "at 0 set 0x0BC8 i16 0x7FFF\n"
        "at 10 set 0x088C i16 16383\n"
        "at 20 cruise 32.7 -117.45 alt 1600 heading 0 ground 120.4\n"));
    sim.advanceTo(0);
    EXPECT_EQ(rig.core.peek<std::int16_t>(0x0BC8), 0x7FFF);
    EXPECT_EQ(sim.model().state().parkingBrake, 0x7FFF);
    EXPECT_EQ(rig.core.peek<std::int16_t>(0x0B4C), 20);
    EXPECT_EQ(rig.core.peek<std::uint16_t>(0x0366), 1);
    sim.advanceTo(10);
    EXPECT_EQ(rig.core.peek<std::int16_t>(0x088C), 16383);
    EXPECT_EQ(sim.model().state().throttle, 16383);
    sim.advanceTo(20);
    EXPECT_EQ(rig.core.peek<std::int16_t>(0x0B4C), 120);
    EXPECT_EQ(rig.core.peek<std::uint16_t>(0x0366), 0);
    EXPECT_NEAR(ProgramAltitude(rig.core), 1600, 1.0);
}

TEST(FlightSim, WaitHoldsTheScenarioUntilItsSignalAndLaterTimesCountFromThere) {
    Rig rig;
    std::ostringstream log;
    rig.core.setLog(&log);
    FlightSim sim(rig.core);
    sim.load(ParseScenario(
        "at 100 wait ready\n"
        "at 50 set 0x0BE8 i32 0\n"
        "at 50 wait again\n"
        "at 0 set 0x0BE8 i32 7\n"));
    sim.advanceTo(99);
    EXPECT_FALSE(sim.awaitedSignal());  // not due yet
    sim.advanceTo(5000);
    EXPECT_EQ(sim.awaitedSignal(), "ready");
    sim.signal("other", 5000);
    sim.advanceTo(6000);
    EXPECT_EQ(sim.model().state().gearLever, GearLeverDown);
    sim.signal("ready", 6000);
    sim.advanceTo(6049);
    EXPECT_EQ(sim.model().state().gearLever, GearLeverDown);
    sim.advanceTo(6050);
    EXPECT_EQ(sim.model().state().gearLever, 0);
    // A signal given before its wait is due: the wait ends at its own time.
    sim.signal("again", 6000);
    sim.advanceTo(6050);
    EXPECT_EQ(sim.model().state().gearLever, 7);
    EXPECT_FALSE(sim.awaitedSignal());
    EXPECT_NE(log.str().find("\"event\":\"wait\",\"detail\":\"signal=ready\""), std::string::npos);
    EXPECT_NE(log.str().find("\"event\":\"signal\",\"detail\":\"signal=ready\""), std::string::npos);
    rig.core.setLog(nullptr);
}

// The arrest as the program runs it, over the real link and the in-process server: every
// 10 ms read the speed and, while it is above 0, write the deceleration. Nothing advances the
// model but the exchanges themselves: each served block lets it catch up with the clock.
TEST(FlightSim, ArrestOverTheLinkBrakesToAStandstill) {
    Rig rig;
    InProcessLinkPort port(rig.core, rig.clock);
    FlightSimOptions options;
    std::ostringstream log;
    rig.core.setLog(&log);
    FlightSim sim(rig.core, options);
    SetLinkPort(&port);
    std::uint32_t code = 0;
    ASSERT_TRUE(LinkOpen(0, code)) << code;

    sim.load(ParseScenario(DemoScenario));
    std::uint16_t onGround = 0;
    while (onGround == 0 && rig.clock.nowMs() < 40000) {
        rig.clock.advance(100);
        ASSERT_TRUE(LinkRead(0x0366, 2, &onGround, code));
        ASSERT_TRUE(LinkProcess(code));
    }
    ASSERT_EQ(onGround, 1);
    ASSERT_TRUE(sim.model().touchdown());
    EXPECT_EQ(sim.timeMs(), rig.clock.nowMs());
    // Seen on the first read after the touchdown, at most one polling period late.
    EXPECT_LE(rig.clock.nowMs() - sim.model().touchdown()->timeMs, 100.0);
    EXPECT_NEAR(sim.model().touchdown()->timeMs, sim.model().plannedTouchdown().timeMs, 1.0);
    const double touchdownSpeed = sim.model().state().forwardSpeed;

    const double catchAccel = -700.0;
    std::vector<double> speeds;
    for (int tick = 0; tick < 1000; ++tick) {
        rig.clock.advance(10);
        double speed = 0;
        ASSERT_TRUE(LinkRead(0x3090, 8, &speed, code));
        ASSERT_TRUE(LinkProcess(code));
        speeds.push_back(speed);
        if (speed <= 0.0) break;
        ASSERT_TRUE(LinkWrite(0x3070, 8, &catchAccel, code));
        ASSERT_TRUE(LinkProcess(code));
    }
    LinkClose();
    SetLinkPort(nullptr);
    rig.core.setLog(nullptr);

    ASSERT_EQ(speeds.back(), 0.0);
    for (std::size_t i = 1; i < speeds.size(); ++i) EXPECT_LT(speeds[i], speeds[i - 1]);
    // 700 ft/s^2 plus the aircraft's own drag: a little under speed / 700 seconds.
    const double seconds = (speeds.size() - 1) * 0.010;
    EXPECT_LE(seconds, touchdownSpeed / 700.0 + 0.011);
    EXPECT_GE(seconds, touchdownSpeed / 706.0 - 0.011);
    EXPECT_EQ(rig.core.writesTo(0x3070).size(), speeds.size() - 1);
    ASSERT_TRUE(sim.model().stoppedAtMs());
    EXPECT_NE(log.str().find("\"event\":\"touchdown\""), std::string::npos);
    EXPECT_NE(log.str().find("\"event\":\"stopped\""), std::string::npos);
    EXPECT_NE(log.str().find("\"event\":\"planned-touchdown\""), std::string::npos);
    // Every deceleration write is noted with its value.
    const std::string accelNote = "\"event\":\"accel\",\"detail\":\"offset=0x3070 value=-700.000 ";
    std::size_t accelNotes = 0;
    for (auto at = log.str().find(accelNote); at != std::string::npos; at = log.str().find(accelNote, at + 1))
        ++accelNotes;
    EXPECT_EQ(accelNotes, speeds.size() - 1);

    std::ostringstream csv;
    sim.writeTraceCsv(csv);
    EXPECT_EQ(csv.str().rfind("time_ms,forward_speed_fps,altitude_m,on_ground\n0,", 0), 0u);
}

}  // namespace
}  // namespace hf::sim::flight
