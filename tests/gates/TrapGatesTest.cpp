// The trap gates: when the trap test runs, the labels, the crash clean-up, the wait after an
// arrest, the countdown and the one-shot end of trapping anywhere.
#include <gtest/gtest.h>

#include <cmath>

#include "GateFixture.h"
#include "deck/SimData.h"
#include "lang/ResultCodeTexts.h"

namespace hf {
namespace {

using hf::testing::PointZone;
using Messages = std::vector<std::pair<std::string, int>>;

constexpr std::int64_t WaitMs = 30000;
constexpr double DayMs = 86400000.0;
constexpr std::uint16_t Air = 0, Deck = 1;
constexpr std::int32_t GearDown = 16383, GearUp = 0;

class TrapGatesTest : public hf::testing::GateTest {
protected:
    // One zone whose front-right corner lies `distance` degrees east of the aircraft.
    void startAt(double distance) {
        startWith({PointZone("CVN-70", 0, distance)});
        placeAircraft(0, 0);
        form->AnnouncedCarrierIdent = "CVN-70";  // announced already: no message in between
        form->chkbxShowCablesActiveMsg.SetChecked(true);
        form->chkbxDetectTailhook.SetChecked(false);
        form->chkbxOpsSounds.SetChecked(false);
    }
    void normalGate() { form->tmrIsCatchCheckNeededForNormalTrappingTimer(nullptr); }
    void forcedGate() { form->tmrIsCatchCheckNeededForForcedTrappingTimer(nullptr); }
    void armTrapAnywhere() {
        form->TrapAnywhereArmed = true;
        form->InstallTrapAnywhereHandlerPair();
    }
    bool trapTestRuns() const { return form->tmrCheckForCatch.Enabled(); }
    std::string checking() const { return form->lblActivelyCheckingStatus.Caption(); }
    // The last arrest ended `ms` ago on the program's monotonic clock.
    void arrestEndedAgo(std::int64_t ms) {
        if (clock.nowMs() <= ms) clock.advance(ms + 1 - clock.nowMs());
        form->LastArrestEndTime = host.MonotonicMs() - static_cast<std::uint64_t>(ms);
    }
};

TEST_F(TrapGatesTest, NormalGateDecidesWhetherTheTrapTestRuns) {
    struct Case {
        const char* what;
        double distance, previous;
        std::uint16_t onGround;
        std::int32_t gear;
        double speed;
        std::uint16_t slew;
        bool active;
        const char* flightStatus;
    };
    const std::vector<Case> cases = {
        {"approaching in flight", 0.03, 0.04, Air, GearDown, 230, 0, true, "Flying"},
        {"exactly 50 ft/s on the deck is not landed", 0.03, 0.04, Deck, GearDown, 50.0, 0, true,
         "Flying"},
        {"landed", 0.03, 0.04, Deck, GearDown, 49.9, 0, false, "LANDED"},
        {"parked within range is not approaching", 0.03, 0.03, Deck, GearDown, 0, 0, false,
         "LANDED"},
        {"flying away", 0.03, 0.02, Air, GearDown, 230, 0, false, "Flying"},
        {"gear up", 0.03, 0.04, Air, GearUp, 230, 0, false, "Flying"},
        {"slewing", 0.03, 0.04, Air, GearDown, 230, 1, false, "Flying"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startAt(c.distance);
        setFlight(c.onGround, c.gear, c.speed, c.slew);
        form->NearestZoneDistance = c.previous;
        normalGate();
        EXPECT_EQ(trapTestRuns(), c.active);
        EXPECT_EQ(checking(), c.active ? "ACTIVE" : "NOT NEEDED");
        EXPECT_EQ(form->lblFlightStatus.Caption(), c.flightStatus);
        EXPECT_EQ(form->lblTailhookState.Caption(), "");
        EXPECT_EQ(core.exchangeCount(), c.active ? 3u : 2u);  // search, five values, message
        EXPECT_TRUE(timers.Scheduled(form->tmrFindNearest));
        form.reset();
        LinkClose();
    }
}

TEST_F(TrapGatesTest, OutOfRangeLeavesTheTrapTestAsItIsAndReadsOnlyHookAndPosition) {
    startAt(0.05);  // exactly 0.05 is out of range
    form->chkbxDetectTailhook.SetChecked(true);
    core.poke(offsets::Tailhook, 1.0);
    setFlight(Air, GearDown, 230);
    form->NearestZoneDistance = 0.06;
    form->lblFlightStatus.SetCaption("untouched");
    normalGate();
    EXPECT_FALSE(trapTestRuns());
    EXPECT_EQ(checking(), "NOT NEEDED");
    EXPECT_EQ(form->lblTailhookState.Caption(), "Tailhook is DOWN");
    EXPECT_EQ(core.exchangeCount(), 2u);

    form->tmrCheckForCatch.SetEnabled(true);  // flying away while the test runs
    normalGate();
    EXPECT_TRUE(trapTestRuns());
    EXPECT_EQ(checking(), "ACTIVE");
    EXPECT_EQ(form->lblFlightStatus.Caption(), "untouched");
    EXPECT_TRUE(messages().empty());  // not newly active: no message
}

TEST_F(TrapGatesTest, DisabledOrHookUpSwitchesTheTrapTestOff) {
    startAt(0.03);
    setFlight(Air, GearDown, 230);
    form->tmrCheckForCatch.SetEnabled(true);
    form->btnManualDisable.SetDown(true);
    normalGate();
    EXPECT_FALSE(trapTestRuns());
    EXPECT_EQ(checking(), "NOT NEEDED");
    EXPECT_EQ(core.exchangeCount(), 0u);  // nothing read while disabled

    form->btnManualDisable.SetDown(false);
    form->chkbxDetectTailhook.SetChecked(true);
    for (double hook : {0.5, 0.0}) {
        core.poke(offsets::Tailhook, hook);
        form->tmrCheckForCatch.SetEnabled(true);
        normalGate();
        EXPECT_FALSE(trapTestRuns());
        EXPECT_EQ(form->lblTailhookState.Caption(), "Tailhook is UP");
    }
    EXPECT_EQ(core.exchangeCount(), 2u);  // only the hook reads
    form->chkbxDetectTailhook.SetChecked(false);
    form->btnManualDisable.SetDown(true);
    normalGate();
    EXPECT_EQ(form->lblTailhookState.Caption(), "Tailhook is UP");  // the disabled path keeps it
}

TEST_F(TrapGatesTest, TheWaitAfterAnArrestIsThirtySecondsWhateverTheLocalClockDoes) {
    startAt(0.03);
    setFlight(Air, GearDown, 230);
    form->NearestZoneDistance = 0.04;
    arrestEndedAgo(WaitMs - 1);
    normalGate();
    EXPECT_FALSE(trapTestRuns());
    arrestEndedAgo(WaitMs);
    form->NearestZoneDistance = 0.04;
    normalGate();
    EXPECT_TRUE(trapTestRuns());

    // An arrest that ended at 23:59:50 allows trapping again from 00:00:20 the next day.
    form->tmrCheckForCatch.SetEnabled(false);
    clock.setStartDays(std::floor(host.Now()) + 1.0 - 10000 / DayMs - clock.nowMs() / DayMs);
    form->LastArrestEndTime = host.MonotonicMs();
    clock.advance(WaitMs - 1);
    form->NearestZoneDistance = 0.04;
    normalGate();
    EXPECT_FALSE(trapTestRuns());
    clock.advance(1);
    form->NearestZoneDistance = 0.04;
    normalGate();
    EXPECT_TRUE(trapTestRuns());
}

// Summer time ends (or a time sync moves the clock) just after an arrest: the countdown
// still runs down from 30 and trapping is possible again 30 s after the arrest ended.
TEST_F(TrapGatesTest, ALocalClockSetBackAfterAnArrestLeavesTheWaitAtThirtySeconds) {
    for (double shift : {-1.0 / 24, -1.0, 1.0 / 24}) {
        SCOPED_TRACE(shift);
        startAt(0.5);
        setFlight(Deck, GearDown, 0);  // stopped: the arrest ends at this tick
        form->tmrDecel.SetEnabled(true);
        form->tmrDecelTimer(&form->tmrDecel);
        ASSERT_FALSE(form->tmrDecel.Enabled());
        clock.shiftLocalDateTime(shift);

        std::vector<std::string> countdown;
        for (int second = 0; second < 30; ++second) {
            core.clearRecords();
            armTrapAnywhere();
            forcedGate();
            for (const auto& message : messages()) countdown.push_back(message.first);
            clock.advance(second == 29 ? 999 : 1000);
        }
        ASSERT_EQ(countdown.size(), 30u);
        EXPECT_EQ(countdown.front(), "30 seconds until cables are ready");
        EXPECT_EQ(countdown[10], "20 seconds until cables are ready");
        EXPECT_EQ(countdown.back(), "1 seconds until cables are ready");

        setFlight(Air, GearDown, 230);  // 29.999 s after the end: still waiting
        armTrapAnywhere();
        forcedGate();
        EXPECT_FALSE(trapTestRuns());
        clock.advance(1);
        armTrapAnywhere();
        forcedGate();
        EXPECT_TRUE(trapTestRuns());
        form->Close();
    }
}

TEST_F(TrapGatesTest, TrappingActiveIsShownOncePerChange) {
    startAt(0.04);
    setFlight(Air, GearDown, 230);
    const std::vector<double> lons = {0.001, 0.002, 0.003, 0.003, 0.004, 0.005};
    for (double lon : lons) {
        placeAircraft(0, lon);  // closer each second, then parked for one
        timers.Advance(1000);
    }
    Messages shown;
    for (const auto& message : messages()) {
        if (message.first == "TRAPPING ACTIVE") shown.push_back(message);
    }
    EXPECT_EQ(shown, (Messages{{"TRAPPING ACTIVE", 3}, {"TRAPPING ACTIVE", 3}}));
}

TEST_F(TrapGatesTest, ACrashStopsEveryManoeuvre) {
    for (bool trapAnywhere : {false, true}) {
        SCOPED_TRACE(trapAnywhere ? "trap-anywhere gate" : "normal gate");
        startAt(trapAnywhere ? 0.5 : 0.03);
        setFlight(Deck, GearDown, 100, 0, 1);
        for (TTimer* timer : {&form->tmrDecel, &form->tmrCheckForCatch, &form->tmrLaunchCheck,
                              &form->tmrAccel}) {
            timer->SetEnabled(true);
        }
        form->tmrFindNearest.SetEnabled(false);
        form->CatapultSoundPlayed = true;
        form->lblCableCatchStatus.SetCaption("Cables were CAUGHT.");
        if (trapAnywhere) {
            armTrapAnywhere();
            forcedGate();
        } else {
            normalGate();
        }
        for (TTimer* timer : {&form->tmrDecel, &form->tmrCheckForCatch, &form->tmrLaunchCheck,
                              &form->tmrAccel}) {
            EXPECT_FALSE(timers.Scheduled(*timer)) << timer->Name();
        }
        EXPECT_TRUE(timers.Scheduled(form->tmrFindNearest));
        EXPECT_EQ(form->lblFlightStatus.Caption(), "CRASHED");
        EXPECT_EQ(form->lblCableCatchStatus.Caption(), "");
        EXPECT_EQ(form->lblCatArmStatus.Caption(), "Catapult disarmed");
        EXPECT_EQ(checking(), "NOT NEEDED");
        EXPECT_FALSE(form->CatapultSoundPlayed);
        EXPECT_FALSE(form->TrapAnywhereArmed);
        EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
        form.reset();
        LinkClose();
    }
}

TEST_F(TrapGatesTest, AFailedFiveValueReadRunsTheReset) {
    startAt(0.03);
    setFlight(Air, GearDown, 230);
    // The search is served; every exchange after it is answered with a bad reply.
    int served = 0;
    core.onServed = [&] {
        if (++served == 1) core.replyOverride = 0;
    };
    normalGate();
    EXPECT_EQ(host.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              std::string(ResultCodeTexts[LinkBadData]) + " -- Is FS running?");
    EXPECT_EQ(checking(), "NOT NEEDED");
    EXPECT_TRUE(timers.Scheduled(form->tmrFindNearest));  // the closing steps still ran
}

TEST_F(TrapGatesTest, TrapAnywhereGoesOnFromExactly007WithTheRadioCallFirst) {
    for (const char* clip : {"RADIO_PILOT_ON_APPROACH.wav", "RADIO_DECKOFFICER_ROGER.wav"}) {
        writeOpsClip(clip);
    }
    startAt(0.07);
    form->chkbxOpsSounds.SetChecked(true);
    setFlight(Air, GearDown, 230);
    armTrapAnywhere();
    forcedGate();
    EXPECT_TRUE(trapTestRuns());
    EXPECT_TRUE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForForcedTrappingTimer");
    EXPECT_EQ(checking(), "ACTIVE");
    ASSERT_EQ(messages(), (Messages{{"TRAPPING ACTIVE", 3}}));
    ASSERT_FALSE(host.waveEvents.empty());
    EXPECT_GE(core.messages().back().timeMs, host.waveEvents.back().timeMs);
    EXPECT_EQ(host.waveEvents.size(), 6u);  // two clips; the title names no clip here

    host.waveEvents.clear();
    forcedGate();  // still active: nothing new
    EXPECT_TRUE(host.waveEvents.empty());
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(TrapGatesTest, TrapAnywhereEndsWhenTooCloseOrWhenTheTestStaysOff) {
    startAt(std::nextafter(0.07, 0.0));
    setFlight(Air, GearDown, 230);
    armTrapAnywhere();
    forcedGate();
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_EQ(messages(), (Messages{{"Moving Carrier Trapping NOT enabled - too close to "
                                     "defined cable catch zone",
                                     3}}));

    // Hook up: the status line is shown and the mode ends.
    form->chkbxDetectTailhook.SetChecked(true);
    int statusShown = 0;
    form->actShowStatus.OnExecute = {"actShowStatusExecute", [&](TObject*) { ++statusShown; }};
    armTrapAnywhere();
    forcedGate();
    EXPECT_EQ(statusShown, 1);
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
}

TEST_F(TrapGatesTest, TrapAnywhereCountsDownTheWaitOnceAndEnds) {
    struct Case {
        std::int64_t elapsedMs;
        const char* text;
    };
    startAt(0.5);
    setFlight(Deck, GearDown, 0);  // parked on the deck
    for (const Case& c : {Case{0, "30 seconds until cables are ready"},
                          Case{10400, "19 seconds until cables are ready"},
                          Case{29500, "0 seconds until cables are ready"}}) {
        SCOPED_TRACE(c.text);
        core.clearRecords();
        arrestEndedAgo(c.elapsedMs);
        armTrapAnywhere();
        forcedGate();
        EXPECT_EQ(messages(), (Messages{{c.text, 3}}));
        EXPECT_EQ(checking(), "NOT NEEDED");
        EXPECT_FALSE(form->TrapAnywhereArmed);
        EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
                  "tmrIsCatchCheckNeededForNormalTrappingTimer");
    }
    core.clearRecords();
    arrestEndedAgo(WaitMs);  // the wait is over, but the aircraft stands on the deck
    armTrapAnywhere();
    forcedGate();
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(form->TrapAnywhereArmed);
}

}  // namespace
}  // namespace hf
