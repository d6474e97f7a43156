// The launch watch, the launch, the stroke and DisarmCatapult: the disarm causes, the hold
// force while braked, the launch on brake release with the throttle forward and the stroke
// up to the cut-off speed.
#include <gtest/gtest.h>

#include <functional>

#include "CatapultFixture.h"
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

TEST_F(LaunchTest, TheWatchDisarmsForEachCause) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        bool withMessage;
    };
    const std::vector<Case> cases = {
        {"manually disabled", [this] { form->btnManualDisable.SetDown(true); }, false},
        {"helicopter", [this] { setAircraft(3, 0); }, true},
        {"taildragger", [this] { setAircraft(0, 1); }, true},
        {"left the corner", [this] { placeAtCorner(0.031, -0.031); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.setUp();
        watchTick();
        expectDisarmed(c.withMessage);
    }
}

TEST_F(LaunchTest, TheWatchStaysArmedWhenNoCauseHolds) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
    };
    const std::vector<Case> cases = {
        {"other kind", [this] { setAircraft(0, 2); }},
        {"far in latitude only", [this] { placeAtCorner(0.05, 0.01); }},
        {"far in longitude only", [this] { placeAtCorner(0.01, 0.05); }},
        {"automatic arming, far away",
         [this] {
             form->chkbxAutoCatArming.SetChecked(true);
             form->tmrLaunchCheck.SetEnabled(true);  // the box's click disarmed nothing
             placeAtCorner(1.0, 1.0);
         }},
        {"no nearest zone", [this] { form->NearestZoneIndex = -1; }},
        {"failed exchange", [this] { core.replyOverride = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.setUp();
        core.clearRecords();
        watchTick();
        EXPECT_TRUE(armed());
        EXPECT_FALSE(stroking());
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(LaunchTest, HoldsAgainstARollWhileBrakedOnly) {
    struct Case {
        const char* name;
        std::int16_t brake;
        double speed;
        bool automatic;
        std::vector<double> writes;
    };
    const std::vector<Case> cases = {
        {"rolling forward", ParkingBrakeSet, 4.0, false, {-200.0}},
        {"standing still", ParkingBrakeSet, 0.0, false, {}},
        {"rolling back", ParkingBrakeSet, -1.0, false, {}},
        {"brake released", 0, 4.0, false, {}},
        {"brake odd value", 5, 4.0, false, {}},
        {"automatic arming", ParkingBrakeSet, 4.0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
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
}

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
