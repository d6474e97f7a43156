// The manual override: both buttons and the caption follow the state its caller set, the
// texts while transferring fuel, and what a disable does to an arrest, an armed catapult
// and a stroke in progress.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "CatapultFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

constexpr const char* UpCaption = "Manual override -- disable program";
constexpr const char* DownCaption = "Press to REENABLE program";

class ManualOverrideTest : public hf::testing::CatapultTest {
protected:
    void SetUp() override { startReady(); }

    void clickMain() { form->btnManualDisable.Click(); }
    void clickToolbar() { form->frmToolbar->btnManualOverride.Click(); }
    void expectState(bool disabled) {
        EXPECT_EQ(form->btnManualDisable.Down(), disabled);
        EXPECT_EQ(form->frmToolbar->btnManualOverride.Down(), disabled);
        EXPECT_EQ(form->btnManualDisable.Caption(), disabled ? DownCaption : UpCaption);
    }
    std::array<bool, 9> timerStates() const {
        return {form->tmrCheckForCatch.Enabled(), form->tmrFindNearest.Enabled(),
                form->tmrIsCatchCheckNeeded.Enabled(), form->tmrDecel.Enabled(),
                form->tmrAccel.Enabled(), form->tmrKeystroke.Enabled(),
                form->tmrLaunchCheck.Enabled(), form->tmrAutoCatArmCheck.Enabled(),
                form->tmrFuelOps.Enabled()};
    }
    void launch() {
        setBrake(0);
        setThrottle(32767);
        watchTick();
        ASSERT_TRUE(form->tmrAccel.Enabled());
        core.clearRecords();
    }
};

class CallerTest;
struct Caller : hf::testing::Row {
    void (*click)(CallerTest&);
};

class CallerTest : public ManualOverrideTest, public ::testing::WithParamInterface<Caller> {
public:
    static std::vector<Caller> Callers() {
        return {
            {"main window button", [](CallerTest& t) { t.clickMain(); }},
            {"toolbar button", [](CallerTest& t) { t.clickToolbar(); }},
        };
    }
};

TEST_P(CallerTest, BothButtonsFollowEitherCaller) {
    GetParam().click(*this);
    expectState(true);
    GetParam().click(*this);
    expectState(false);
    EXPECT_EQ(messages(),
              (Messages{{"HFast has been manually disabled", 8}, {"Hookfast reenabled", 5}}));
}

INSTANTIATE_TEST_SUITE_P(ManualOverrideTest, CallerTest,
                         ::testing::ValuesIn(CallerTest::Callers()), hf::testing::RowName);

struct Transfer : hf::testing::Row {
    bool loading;
    bool offloading;
    Messages texts;
};

const Transfer Transfers[] = {
    {"loading", true, false,
     {{"HFast has been manually disabled - fuel load paused", 8},
      {"Hookfast reenabled - fuel load resumed", 5}}},
    {"offloading", false, true,
     {{"HFast has been manually disabled - fuel OFFload paused", 8},
      {"Hookfast reenabled - fuel OFFload resumed", 5}}},
};

class TransferTest : public ManualOverrideTest, public ::testing::WithParamInterface<Transfer> {};

TEST_P(TransferTest, FuelTransfersGetTheirOwnTexts) {
    const Transfer& c = GetParam();
    form->FuelLoadActive = c.loading;
    form->FuelOffloadActive = c.offloading;
    clickMain();
    clickMain();
    EXPECT_EQ(messages(), c.texts);
    // The pause belongs to the fuel ticks: the override leaves the transfer as it was.
    EXPECT_EQ(form->FuelLoadActive, c.loading);
    EXPECT_EQ(form->FuelOffloadActive, c.offloading);
}

INSTANTIATE_TEST_SUITE_P(ManualOverrideTest, TransferTest, ::testing::ValuesIn(Transfers),
                         hf::testing::RowName);

TEST_F(ManualOverrideTest, EnablingSwitchesNoTimer) {
    clickMain();
    form->tmrFindNearest.SetEnabled(false);
    const auto before = timerStates();
    clickMain();
    EXPECT_EQ(timerStates(), before);
}

TEST_F(ManualOverrideTest, AnArmedCatapultIsLeftToTheWatch) {
    armByHand();
    clickMain();
    EXPECT_EQ(messages(), (Messages{{"HFast has been manually disabled", 8}}));
    EXPECT_TRUE(armed());
    core.clearRecords();
    watchTick();
    EXPECT_FALSE(armed());
    EXPECT_TRUE(messages().empty());
}

TEST_F(ManualOverrideTest, AStrokeRunsOutAfterTheDisarmText) {
    form->FuelLoadActive = true;  // the catapult text wins over the fuel one
    armByHand();
    launch();
    form->tmrKeystroke.SetEnabled(false);
    clickMain();
    EXPECT_EQ(messages(), (Messages{{"HFast has been manually disabled - Catapult disarmed", 8}}));
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_FALSE(armed());
    EXPECT_TRUE(form->tmrAccel.Enabled());

    // The stroke's own end still gives back the hot keys, the smoke and the sound.
    core.clearRecords();
    core.poke(offsets::ForwardSpeed, form->CatapultSpeedCutoffFps + 1.0);
    strokeTick();
    EXPECT_FALSE(form->tmrAccel.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_EQ(int16WritesTo(offsets::Smoke), (std::vector<std::int16_t>{0, 0}));
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
    EXPECT_TRUE(messages().empty());
}

class OverrideDuringArrestTest : public hf::testing::DeckTest {};

struct ArrestKind : hf::testing::Row {
    bool trapAnywhere;
};

class DisableDuringArrestTest : public OverrideDuringArrestTest,
                                public ::testing::WithParamInterface<ArrestKind> {};

// The disable ends the arrest through the end steps of the handler that brakes it, without a
// further push: the hot keys, the heartbeat and the special sound come back, so that the
// pilot can enable the program again by key; no 30 s wait starts.
TEST_P(DisableDuringArrestTest, BrakingStopsAtOnceThroughTheArrestEnd) {
    const bool trapAnywhere = GetParam().trapAnywhere;
    startInZone();
    form->chkbxSpecialSoundHandling.SetChecked(true);
    if (trapAnywhere) form->InstallTrapAnywhereHandlerPair();
    constexpr std::uint64_t EarlierArrestEnd = 1234;
    form->LastArrestEndTime = EarlierArrestEnd;
    form->tmrDecel.SetEnabled(true);
    form->tmrFindNearest.SetEnabled(false);
    form->tmrKeystroke.SetEnabled(false);
    form->tmrIsCatchCheckNeeded.SetEnabled(false);
    core.clearRecords();

    form->btnManualDisable.Click();
    EXPECT_FALSE(form->tmrDecel.Enabled());
    EXPECT_TRUE(form->tmrFindNearest.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, EarlierArrestEnd);
    EXPECT_TRUE(doubleWritesTo(offsets::ForwardAccel).empty());
    EXPECT_TRUE(doubleWritesTo(offsets::LateralAccel).empty());
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
    // Each arrest's own end: the zone's brings the gate back at once, trapping anywhere
    // leaves it to the next heartbeat with the normal pair installed.
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.Enabled(), !trapAnywhere);
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_FALSE(form->TrapAnywhereArmed);

    core.clearRecords();
    form->actShowStatus.Execute();
    EXPECT_EQ(messages(), (Messages{{"HFast status: manually disabled", 3}}));
}

const ArrestKind ArrestKinds[] = {{{"in a zone"}, false}, {{"trapping anywhere"}, true}};
INSTANTIATE_TEST_SUITE_P(OverrideDuringArrestTest, DisableDuringArrestTest,
                         ::testing::ValuesIn(ArrestKinds), hf::testing::RowName);

// A real catch, a disable during the braking, then the pilot's keys: Shift+F12 enables the
// program again and Shift+F8 and Shift+F1 are answered.
TEST_F(OverrideDuringArrestTest, TheHotKeysAnswerAfterADisableDuringTheBraking) {
    constexpr std::uint32_t ShiftF12 = 0x0001017B, ShiftF8 = 0x00010177, ShiftF1 = 0x00010170;
    startInZone();
    ASSERT_NE(form->ManualOverrideKeySlot, 0u);
    ASSERT_TRUE(catchTick());
    timers.Advance(50);  // a few braking ticks; the aircraft is still fast
    ASSERT_TRUE(form->tmrDecel.Enabled());
    ASSERT_FALSE(doubleWritesTo(offsets::ForwardAccel).empty());

    form->btnManualDisable.Click();
    ASSERT_TRUE(form->btnManualDisable.Down());
    core.clearRecords();
    timers.Advance(1000);
    EXPECT_TRUE(doubleWritesTo(offsets::ForwardAccel).empty());

    const auto pressAndPoll = [this](std::uint32_t key) {
        const std::int64_t since = clock.nowMs();
        EXPECT_TRUE(core.pressHotKey(key));
        timers.Advance(form->tmrKeystroke.Interval());
        return messagesSince(since);
    };
    EXPECT_EQ(pressAndPoll(ShiftF12), (Messages{{"Hookfast reenabled", 5}}));
    EXPECT_FALSE(form->btnManualDisable.Down());
    const Messages status = pressAndPoll(ShiftF8);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_TRUE(status[0].first.starts_with("LANDED, TRAPPING")) << status[0].first;
    const Messages damage = pressAndPoll(ShiftF1);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_TRUE(damage[0].first.starts_with("BATTLE DAMAGE (1)")) << damage[0].first;
}

// A disable and a re-enable during the braking start no 30 s wait: a pilot who goes round
// and comes back ten seconds later is caught again.
TEST_F(OverrideDuringArrestTest, AnApproachTenSecondsAfterAReenableDuringTheBrakingIsCaught) {
    startInZone();
    ASSERT_TRUE(catchTick());
    timers.Advance(50);
    ASSERT_TRUE(form->tmrDecel.Enabled());
    form->btnManualDisable.Click();
    form->btnManualDisable.Click();
    ASSERT_FALSE(form->btnManualDisable.Down());
    ASSERT_FALSE(form->tmrDecel.Enabled());
    const std::int64_t reenabledMs = clock.nowMs();

    // Round again and back in the band above the deck: first at the zone's back, then a
    // second later nearer its front corner, so the gate sees the approach.
    setFlight(0, 16383, 230.0);
    timers.Advance(10000);
    placeAircraft(hf::testing::ZoneCentreLat, 20.0002);
    timers.Advance(1000);
    placeAircraft(hf::testing::ZoneCentreLat, hf::testing::ZoneCentreLon);
    bool caught = false;
    for (int step = 0; step < 300 && !caught; ++step) {
        timers.Advance(10);
        caught = form->tmrDecel.Enabled();
    }
    EXPECT_TRUE(caught) << form->lblActivelyCheckingStatus.Caption();
    EXPECT_LT(clock.nowMs() - reenabledMs, 15000);
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "Cables were CAUGHT.");
}

}  // namespace
}  // namespace hf
