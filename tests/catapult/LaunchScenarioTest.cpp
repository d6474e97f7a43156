// A whole launch against the stand-in's flight model in virtual time: the aircraft stands
// braked at the demo carrier's catapult, is armed by hand, held against its engine while the
// brake is set, launched on brake release with the throttle forward and pushed past the
// cut-off speed; afterwards the watching timers come back by hand-over.
#include <gtest/gtest.h>

#include <functional>

#include "ProgramFixture.h"
#include "deck/SimData.h"
#include "sim/flight/FlightSim.h"

namespace hf {
namespace {

class LaunchScenarioTest : public hf::testing::ProgramTest {
protected:
    void SetUp() override {
        std::filesystem::copy_file(std::filesystem::path(HF_ASSETS_DIR) / "Hookfast.dat",
                                   folder.path() / "Hookfast.dat",
                                   std::filesystem::copy_options::overwrite_existing);
        folder.write("Catapult.wav");
        auto& state = flight.model().state();
        state.latitude = 32.600341;  // the demo carrier's front-left corner
        state.longitude = -117.450151;
        state.surfaceAltitude = state.altitude = 19.2;
        state.heading = 1.25;
        state.onGround = true;
        state.forwardSpeed = 0;
        flight.advanceTo(clock.nowMs());
        core.poke(offsets::ParkingBrake, ParkingBrakeSet);
        core.poke<std::int16_t>(offsets::Throttle1, 0);
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
        ASSERT_EQ(form->NearestZoneIndex, 0);
    }
    // Advances in 5 ms steps, checking that the watch and the stroke never run together;
    // false when the condition did not come within `limitMs`.
    bool advanceUntil(const std::function<bool()>& condition, std::int64_t limitMs) {
        for (std::int64_t spent = 0; spent < limitMs; spent += 5) {
            EXPECT_FALSE(form->tmrLaunchCheck.Enabled() && form->tmrAccel.Enabled());
            if (condition()) return true;
            timers.Advance(5);
        }
        return condition();
    }
    double speed() const { return flight.model().state().forwardSpeed; }

    hf::sim::flight::FlightSim flight{core};
};

TEST_F(LaunchScenarioTest, ArmedHeldLaunchedAndHandedBack) {
    form->actCatapultArm.Execute();
    ASSERT_TRUE(form->tmrLaunchCheck.Enabled()) << form->lblCatArmStatus.Caption();

    // Full power against the brake: the hold force keeps the aircraft nearly still.
    flight.model().state().groundThrust = 20.0;
    core.poke<std::int16_t>(offsets::Throttle1, 32767);
    advanceUntil([] { return false; }, 2000);
    EXPECT_TRUE(form->tmrLaunchCheck.Enabled());
    EXPECT_LT(speed(), 1.0);

    core.poke<std::int16_t>(offsets::ParkingBrake, 0);
    ASSERT_TRUE(advanceUntil([this] { return form->tmrAccel.Enabled(); }, 20));
    const std::int64_t launchMs = clock.nowMs();
    ASSERT_TRUE(advanceUntil([this] { return !form->tmrAccel.Enabled(); }, 3000));
    EXPECT_GT(speed(), form->CatapultSpeedCutoffFps);
    // 700 ft/s^2 takes the aircraft to 120 kt in well under a second.
    EXPECT_LT(clock.nowMs() - launchMs, 1000);
    EXPECT_EQ(form->lblCatArmStatus.Caption(), "Catapult disarmed");

    // Hand-over: the hot-key poll, then the nearest-zone search, then the gates.
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    ASSERT_TRUE(advanceUntil([this] { return form->tmrFindNearest.Enabled(); }, 300));
    ASSERT_TRUE(advanceUntil(
        [this] {
            return form->tmrIsCatchCheckNeeded.Enabled() && form->tmrAutoCatArmCheck.Enabled();
        },
        16000));
}

}  // namespace
}  // namespace hf
