// The landing scenarios of the stand-in, flown against the whole program headless in
// virtual time: the hooked approach is caught and braked to a stop, the others are not
// caught for the reason they were built for, and a moving carrier is trapped anywhere.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "ProgramFixture.h"
#include "TableRows.h"
#include "deck/Geometry.h"
#include "deck/SimData.h"
#include "sim/flight/FlightSim.h"
#include "sim/flight/Scenario.h"

namespace hf {
namespace {

constexpr double DayMs = 86400000.0;

// What the trap test's four zone tests make of the aircraft as the stand-in shows it now.
struct Verdict {
    bool band, bank, heading, inside;
    bool operator==(const Verdict&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Verdict& v) {
    return out << "band " << v.band << " bank " << v.bank << " heading " << v.heading
               << " inside " << v.inside;
}

class LandingTest : public hf::testing::ProgramTest {
protected:
    void fly(const std::string& scenario) {
        flight.load(hf::sim::flight::LoadScenario(std::string(HF_FLIGHT_SCENARIO_DIR) + "/" +
                                                  scenario));
        folder.write("CableCatch.wav");
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    }
    // Advances in 10 ms steps until the condition holds; false when `limitMs` ran out.
    bool advanceUntil(const std::function<bool()>& condition, std::int64_t limitMs) {
        for (std::int64_t spent = 0; spent < limitMs; spent += 10) {
            if (condition()) return true;
            timers.Advance(10);
        }
        return condition();
    }
    bool onDeck() const { return flight.model().state().onGround; }
    bool arresting() const { return form->tmrDecel.Enabled(); }

    Verdict verdict() const {
        const TCatchZoneData& zone =
            form->CatchZones->at(static_cast<std::size_t>(form->NearestZoneIndex));
        const auto i32 = [this](std::uint32_t offset) { return core.peek<std::int32_t>(offset); };
        const auto u32 = [this](std::uint32_t offset) { return core.peek<std::uint32_t>(offset); };
        const double altitude = DecodeAltitude(u32(offsets::AltitudeLo), i32(offsets::AltitudeHi));
        const bool ground = core.peek<std::uint16_t>(offsets::OnGround) == 1;
        double hdg = MagneticHeading(DecodeAngle(i32(offsets::Heading)), form->MagVar);
        double diff = std::fabs(zone.RunwayHeading - hdg);
        if (diff > 180.0) diff = 360.0 - diff;
        return {ground || (zone.DeckAlt <= altitude &&
                           altitude <= zone.DeckAlt + zone.CatchZoneHeight),
                std::fabs(DecodeAngle(i32(offsets::Bank))) < 10.0, diff < 30.0,
                IsInsideCatchZone(zone,
                                  DecodeLatitude(u32(offsets::LatitudeLo), i32(offsets::LatitudeHi)),
                                  DecodeLongitude(u32(offsets::LongitudeLo),
                                                  i32(offsets::LongitudeHi)))};
    }
    std::vector<std::pair<double, std::int64_t>> accelWrites(std::uint32_t offset) const {
        std::vector<std::pair<double, std::int64_t>> values;
        for (const auto& write : core.writesTo(offset)) {
            double value = 0;
            std::memcpy(&value, write.bytes.data(), 8);
            values.emplace_back(value, write.timeMs);
        }
        return values;
    }

    hf::sim::flight::FlightSim flight{core};
};

TEST_F(LandingTest, HookedApproachIsCaughtAndBrakedToAStop) {
    fly("hooked-approach.txt");
    bool trapTestRan = false;
    ASSERT_TRUE(advanceUntil([&] {
        trapTestRan = trapTestRan || form->tmrCheckForCatch.Enabled();
        return arresting();
    }, 40000)) << "never caught";
    EXPECT_TRUE(trapTestRan);
    // Caught in the 4 ft band above the deck, less than half a second before the touchdown.
    EXPECT_FALSE(onDeck());
    const std::int64_t caughtMs = clock.nowMs();
    const double touchdownMs = flight.model().plannedTouchdown().timeMs;
    EXPECT_LT(static_cast<double>(caughtMs), touchdownMs);
    EXPECT_LT(touchdownMs - static_cast<double>(caughtMs), 500.0);
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "Cables were CAUGHT.");
    ASSERT_FALSE(host.waveEvents.empty());
    EXPECT_EQ(host.waveEvents.back().action, "play");
    EXPECT_EQ(host.waveEvents.back().path, host.programFolderText() + "CableCatch.wav");
    EXPECT_EQ(verdict(), (Verdict{true, true, true, true}));

    core.clearRecords();
    ASSERT_TRUE(advanceUntil([&] { return !arresting(); }, 10000)) << "never stopped";
    const std::int64_t endMs = clock.nowMs();

    // Braked by the option's deceleration once every 10 ms tick, until the speed read 0.
    const auto writes = accelWrites(offsets::ForwardAccel);
    ASSERT_GE(writes.size(), 20u);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].first, -700.0);
        if (i > 0) {
            EXPECT_EQ(writes[i].second - writes[i - 1].second, 10) << "write " << i;
        }
    }
    EXPECT_EQ(writes.front().second - caughtMs, 10);
    EXPECT_EQ(flight.model().state().forwardSpeed, 0.0);
    ASSERT_TRUE(flight.model().stoppedAtMs());
    EXPECT_LE(*flight.model().stoppedAtMs(), static_cast<double>(endMs));
    // 700 ft/s^2 from the approach speed, in the air, takes about this many 10 ms ticks.
    const double approachSpeed = 140 * 1.689;
    EXPECT_NEAR(static_cast<double>(writes.size()), approachSpeed / 700.0 * 100.0, 6.0);
    EXPECT_TRUE(accelWrites(offsets::LateralAccel).empty());

    // The watching timers are back and the wait has begun.
    EXPECT_TRUE(form->tmrFindNearest.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, host.MonotonicMs());

    // Stopped on the deck: the gates find it landed and leave the trap test off.
    timers.Advance(3000);
    EXPECT_FALSE(form->tmrCheckForCatch.Enabled());
    EXPECT_EQ(form->lblActivelyCheckingStatus.Caption(), "NOT NEEDED");

    // Within 30 s of the end a trap test reads nothing; after them it reads again.
    const auto exchangesOfATrapTest = [&] {
        const std::size_t before = core.exchangeCount();
        form->tmrCheckForCatchTimer(&form->tmrCheckForCatch);
        form->tmrCheckForCatch.SetEnabled(false);
        form->tmrDecel.SetEnabled(false);
        return core.exchangeCount() - before;
    };
    timers.Advance(static_cast<std::int64_t>(endMs + 29900 - clock.nowMs()));
    EXPECT_EQ(exchangesOfATrapTest(), 0u);
    timers.Advance(200);
    EXPECT_EQ(exchangesOfATrapTest(), 1u);
    EXPECT_GE(host.MonotonicMs() - form->LastArrestEndTime, 30000u);
}

struct MissCase {
    const char* scenario;
    bool hookOption;
    Verdict atTouchdown;
};
std::ostream& operator<<(std::ostream& out, const MissCase& c) { return out << c.scenario; }

class MissedLandingTest : public LandingTest, public ::testing::WithParamInterface<MissCase> {};

TEST_P(MissedLandingTest, NotCaughtForItsReason) {
    const MissCase& c = GetParam();
    fly(c.scenario);
    form->chkbxDetectTailhook.SetChecked(c.hookOption);

    bool trapTestRan = false;
    ASSERT_TRUE(advanceUntil([&] {
        trapTestRan = trapTestRan || form->tmrCheckForCatch.Enabled();
        return onDeck() || arresting();
    }, 40000)) << "no touchdown";
    EXPECT_FALSE(arresting());
    EXPECT_EQ(verdict(), c.atTouchdown);
    if (c.hookOption) {
        // The gate keeps the trap test off for the hook.
        EXPECT_FALSE(trapTestRan);
        EXPECT_EQ(form->lblTailhookState.Caption(), "Tailhook is UP");
    } else {
        EXPECT_TRUE(trapTestRan);
        EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    }
    // Rolling out: never caught, never braked.
    EXPECT_FALSE(advanceUntil([&] { return arresting(); }, 8000));
    EXPECT_TRUE(accelWrites(offsets::ForwardAccel).empty());
    EXPECT_GT(flight.model().state().forwardSpeed, 150.0);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, MissedLandingTest,
    ::testing::Values(MissCase{"hook-up.txt", true, {true, true, true, true}},
                      MissCase{"wrong-heading.txt", false, {true, true, false, true}},
                      MissCase{"too-much-bank.txt", false, {true, false, true, true}},
                      MissCase{"beside-zone.txt", false, {true, true, true, false}}),
    [](const auto& info) {
        const std::string_view scenario = info.param.scenario;
        return hf::testing::TestNameOf(scenario.substr(0, scenario.find('.')));
    });

// Level flight 0.45 m above a 19.2026 m deck: every altitude on the way has a fraction of a
// metre above one half, which a low half read as signed would put a metre low, below the deck.
TEST_F(LandingTest, LevelFlightJustAboveTheDeckIsCaughtInTheBand) {
    fly("level-above-deck.txt");
    ASSERT_TRUE(advanceUntil([&] { return arresting(); }, 40000)) << "never caught";
    EXPECT_FALSE(onDeck());
    EXPECT_FALSE(flight.model().touchdown());
    const double altitude = flight.model().state().altitude;
    EXPECT_GT(altitude - std::floor(altitude), 0.5);
    EXPECT_NEAR(altitude, 19.2026 + 0.45, 0.05);
    EXPECT_EQ(verdict(), (Verdict{true, true, true, true}));
    ASSERT_TRUE(advanceUntil([&] { return !arresting(); }, 10000)) << "never stopped";
    EXPECT_EQ(flight.model().state().forwardSpeed, 0.0);
}

// A glitch on the approach makes the trap gate reset the program while the settings file is
// read-only: the reset's start still runs, its error is reported once, and the landing is
// caught and braked to a stop.
TEST_F(LandingTest, AResetOnTheApproachWithAReadOnlySettingsFileStillTraps) {
    namespace fs = std::filesystem;
    fly("hooked-approach.txt");
    std::vector<std::string> errors;
    timers.onError = [&](const std::exception& error) { errors.push_back(error.what()); };
    ASSERT_TRUE(advanceUntil([&] { return clock.nowMs() >= 15000; }, 20000));
    const fs::path ini = folder.path() / "Hookfast.INI";
    const fs::perms writable = fs::status(ini).permissions();
    fs::permissions(ini, fs::perms::owner_read);
    // The five values that the gate reads once a second are refused until a reset has run.
    core.setFault({hf::sim::ServerFault::Kind::RefuseRead, offsets::Crash});
    ASSERT_TRUE(advanceUntil([&] { return !errors.empty(); }, 3000)) << "no reset";
    core.setFault({});
    EXPECT_EQ(errors, std::vector<std::string>{"Unable to write to " +
                                               host.programFolderText() + "Hookfast.INI"});
    EXPECT_TRUE(form->cmbDatFile.Enabled());

    ASSERT_TRUE(advanceUntil([&] { return arresting(); }, 15000)) << "never caught";
    EXPECT_FALSE(onDeck());
    ASSERT_TRUE(advanceUntil([&] { return !arresting(); }, 10000)) << "never stopped";
    EXPECT_EQ(flight.model().state().forwardSpeed, 0.0);
    EXPECT_EQ(errors.size(), 1u);
    fs::permissions(ini, writable);
}

TEST_F(LandingTest, MovingCarrierIsTrappedAnywhereDownTo32) {
    fly("trap-anywhere.txt");
    // The start registered Shift+F10; the hot-key poll serves the scenario's press.
    ASSERT_NE(form->TrapAnywhereKeySlot, 0u);
    timers.Advance(10300);
    EXPECT_EQ(core.peek<std::uint32_t>(form->TrapAnywhereKeySlot), 0x00010179u) << "re-armed";
    ASSERT_TRUE(form->TrapAnywhereArmed);

    ASSERT_TRUE(advanceUntil([&] { return arresting(); }, 25000)) << "never trapped";
    EXPECT_TRUE(onDeck());
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrMovingCarrierDecelTimer");
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "Cables were CAUGHT.");
    EXPECT_GT(form->NearestZoneDistance, 0.07);

    core.clearRecords();
    ASSERT_TRUE(advanceUntil([&] { return !arresting(); }, 10000)) << "never ended";
    const auto forward = accelWrites(offsets::ForwardAccel);
    const auto lateral = accelWrites(offsets::LateralAccel);
    ASSERT_GE(forward.size(), 20u);
    EXPECT_EQ(lateral.size(), forward.size());
    for (const auto& [value, timeMs] : lateral) EXPECT_EQ(value, form->LateralAccel);
    // The last speed the program read was 32 ft/s or less, the one before it more.
    EXPECT_LE(core.peek<double>(offsets::ForwardSpeed), 32.0);
    EXPECT_GT(flight.model().state().lateralSpeed, 0.0);

    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_FALSE(form->tmrIsCatchCheckNeeded.Enabled());
    timers.Advance(15000);
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
}

}  // namespace
}  // namespace hf
