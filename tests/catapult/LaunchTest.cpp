// The launch watch, the launch, the stroke and DisarmCatapult: the disarm causes, the hold
// force while braked, the launch on brake release with the throttle forward and the stroke
// up to the cut-off speed.
#include <gtest/gtest.h>

#include "CatapultFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

class LaunchTest : public hf::testing::CatapultTest {
protected:
    void SetUp() override {
        startReady();
        armByHand();
        form->tmrKeystroke.SetEnabled(false);
    }
    bool stroking() const { return form->tmrAccel.Enabled(); }
    // What DisarmCatapult leaves behind, with or without its message.
    void expectDisarmed(bool withMessage) {
        EXPECT_FALSE(armed());
        EXPECT_FALSE(stroking());
        EXPECT_TRUE(form->tmrKeystroke.Enabled());
        EXPECT_FALSE(form->CatapultSoundPlayed);
        EXPECT_EQ(armLabel(), "Catapult disarmed");
        EXPECT_EQ(int16WritesTo(offsets::Smoke), (std::vector<std::int16_t>{0, 0}));
        EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
        EXPECT_EQ(messages(), (withMessage ? Messages{{"Catapult disarmed", 3}} : Messages{}));
    }
};

// Rows of the launch watch: what the pilot or the simulator changed since the arming.
class WatchTest;
struct WatchCase : hf::testing::Row {
    void (*set)(WatchTest&);
    bool withMessage = false;
};

class WatchTest : public LaunchTest, public ::testing::WithParamInterface<WatchCase> {
public:
    static std::vector<WatchCase> DisarmCauses() {
        return {
            {"manually disabled", [](WatchTest& t) { t.form->btnManualDisable.SetDown(true); },
             false},
            {"helicopter", [](WatchTest& t) { t.setAircraft(3, 0); }, true},
            {"taildragger", [](WatchTest& t) { t.setAircraft(0, 1); }, true},
            {"left the corner", [](WatchTest& t) { t.placeAtCorner(0.031, -0.031); }, true},
        };
    }
    static std::vector<WatchCase> NoCauses() {
        return {
            {"other kind", [](WatchTest& t) { t.setAircraft(0, 2); }},
            {"far in latitude only", [](WatchTest& t) { t.placeAtCorner(0.05, 0.01); }},
            {"far in longitude only", [](WatchTest& t) { t.placeAtCorner(0.01, 0.05); }},
            {"automatic arming, far away",
             [](WatchTest& t) {
                 t.form->chkbxAutoCatArming.SetChecked(true);
                 t.form->tmrLaunchCheck.SetEnabled(true);  // the box's click disarmed nothing
                 t.placeAtCorner(1.0, 1.0);
             }},
            {"no nearest zone", [](WatchTest& t) { t.form->NearestZoneIndex = -1; }},
            {"failed exchange", [](WatchTest& t) { t.core.replyOverride = 0; }},
        };
    }
};

class WatchDisarmTest : public WatchTest {};
class WatchStaysArmedTest : public WatchTest {};

TEST_P(WatchDisarmTest, TheWatchDisarmsForEachCause) {
    GetParam().set(*this);
    watchTick();
    expectDisarmed(GetParam().withMessage);
}

INSTANTIATE_TEST_SUITE_P(LaunchTest, WatchDisarmTest,
                         ::testing::ValuesIn(WatchTest::DisarmCauses()), hf::testing::RowName);

TEST_P(WatchStaysArmedTest, TheWatchStaysArmedWhenNoCauseHolds) {
    GetParam().set(*this);
    core.clearRecords();
    watchTick();
    EXPECT_TRUE(armed());
    EXPECT_FALSE(stroking());
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(LaunchTest, WatchStaysArmedTest,
                         ::testing::ValuesIn(WatchTest::NoCauses()), hf::testing::RowName);

struct HoldCase : hf::testing::Row {
    std::int16_t brake;
    double speed;
    bool automatic;
    std::vector<double> writes;
};

const HoldCase HoldCases[] = {
    {"rolling forward", ParkingBrakeSet, 4.0, false, {-200.0}},
    {"standing still", ParkingBrakeSet, 0.0, false, {}},
    {"rolling back", ParkingBrakeSet, -1.0, false, {}},
    {"brake released", 0, 4.0, false, {}},
    {"brake odd value", 5, 4.0, false, {}},
    {"automatic arming", ParkingBrakeSet, 4.0, true, {}},
};

class HoldTest : public LaunchTest, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(HoldTest, HoldsAgainstARollWhileBrakedOnly) {
    const HoldCase& c = GetParam();
    if (c.automatic) {
        form->chkbxAutoCatArming.SetChecked(true);
        form->tmrLaunchCheck.SetEnabled(true);
    }
    form->edtCatapultHoldFactor.SetText("50");
    setBrake(c.brake);
    core.poke(offsets::ForwardSpeed, c.speed);
    // Full throttle only against a set brake: a released one would launch.
    setThrottle(c.brake == ParkingBrakeSet ? 20000 : 0);
    core.clearRecords();
    watchTick();
    EXPECT_EQ(accelWrites(), c.writes);
    EXPECT_TRUE(armed());
    EXPECT_FALSE(stroking());
}

INSTANTIATE_TEST_SUITE_P(LaunchTest, HoldTest, ::testing::ValuesIn(HoldCases),
                         hf::testing::RowName);

TEST_F(LaunchTest, LaunchesOnBrakeReleaseWithTheThrottleAboveTheMark) {
    form->chkbxCatSmoke.SetChecked(true);
    form->tmrAutoCatArmCheck.SetEnabled(true);
    form->tmrIsCatchCheckNeeded.SetEnabled(true);
    form->tmrKeystroke.SetEnabled(true);
    setBrake(0);
    setThrottle(15565);
    watchTick();
    EXPECT_TRUE(armed());
    EXPECT_FALSE(stroking());
    EXPECT_TRUE(accelWrites().empty());

    setThrottle(15566);
    watchTick();
    EXPECT_FALSE(armed());
    EXPECT_TRUE(stroking());
    for (const TTimer* off : {&form->tmrKeystroke, &form->tmrIsCatchCheckNeeded,
                              &form->tmrAutoCatArmCheck}) {
        EXPECT_FALSE(off->Enabled()) << off->Name();
    }
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{0});
    EXPECT_EQ(int16WritesTo(offsets::Smoke), std::vector<std::int16_t>{1});
    EXPECT_TRUE(form->CatapultSoundPlayed);
    EXPECT_EQ(waveLog().back(), "play " + host.programFolderText() + "Catapult.wav");
    EXPECT_TRUE(accelWrites().empty());  // the stroke writes, not the watch
}

TEST_F(LaunchTest, TheStrokePushesUntilTheSpeedPassesTheCutOff) {
    form->edtAccelFactor.SetText("900");
    setBrake(0);
    setThrottle(32767);
    watchTick();
    ASSERT_TRUE(stroking());
    core.clearRecords();

    const double cutoff = form->CatapultSpeedCutoffFps;
    EXPECT_DOUBLE_EQ(cutoff, 120 * 1.689);
    for (const double speed : {0.0, 100.0, cutoff}) {
        core.poke(offsets::ForwardSpeed, speed);
        strokeTick();
        EXPECT_TRUE(stroking()) << speed;
    }
    core.poke(offsets::ForwardSpeed, cutoff + 0.01);
    strokeTick();
    EXPECT_EQ(accelWrites(), (std::vector<double>{900.0, 900.0, 900.0, 900.0}));
    EXPECT_EQ(core.exchangeCount(), 4u + 3u);  // a tick each; smoke, smoke, special sound
    expectDisarmed(false);
}

TEST_F(LaunchTest, AFailedStrokeExchangeDisarmsWithTheMessage) {
    setBrake(0);
    setThrottle(32767);
    watchTick();
    ASSERT_TRUE(stroking());
    core.clearRecords();
    core.replyOverride = 0;
    strokeTick();
    core.replyOverride.reset();
    EXPECT_FALSE(stroking());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
}

// Only the stroke's own exchange fails: the disarm's steps still reach the simulator, its
// "Catapult disarmed" message among them.
TEST_F(LaunchTest, AStrokeEndedByAFailedExchangeShowsTheDisarmMessage) {
    setBrake(0);
    setThrottle(32767);
    watchTick();
    ASSERT_TRUE(stroking());
    core.clearRecords();
    core.setFault({hf::sim::ServerFault::Kind::RefuseRead, offsets::ForwardSpeed});
    strokeTick();
    core.setFault({});
    EXPECT_TRUE(accelWrites().empty());
    expectDisarmed(true);
}

}  // namespace
}  // namespace hf
