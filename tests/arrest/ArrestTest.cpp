// The arrest ticks: braking while the aircraft moves, the end steps of both arrests, the
// sideways push and failed exchanges.
#include <gtest/gtest.h>

#include "DeckFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

class ArrestTest : public hf::testing::DeckTest {
protected:
    void SetUp() override {
        startInZone();
        form->chkbxSpecialSoundHandling.SetChecked(true);
        form->tmrFindNearest.SetEnabled(false);
        form->tmrIsCatchCheckNeeded.SetEnabled(false);
        form->tmrKeystroke.SetEnabled(false);
    }
    void startArrest(bool trapAnywhere, double speed) {
        if (trapAnywhere) form->InstallTrapAnywhereHandlerPair();
        form->tmrDecel.SetEnabled(true);
        core.poke(offsets::ForwardSpeed, speed);
        core.clearRecords();
    }
    void tick() { form->tmrDecel.OnTimer()(&form->tmrDecel); }
    std::vector<double> values(std::uint32_t offset) const {
        std::vector<double> result;
        for (const auto& write : doubleWritesTo(offset)) result.push_back(write.value);
        return result;
    }
};

struct NormalTick : hf::testing::Row {
    double speed;
    bool brakes;
};

const NormalTick NormalTicks[] = {
    {"moving", 200.0, true},
    {"barely moving", 0.001, true},
    {"stopped", 0.0, false},
    {"rolling back", -3.0, false},
};

class NormalArrestTest : public ArrestTest, public ::testing::WithParamInterface<NormalTick> {};

TEST_P(NormalArrestTest, NormalArrestBrakesWhileMovingAndEndsAtZeroOrBelow) {
    const NormalTick& c = GetParam();
    startArrest(false, c.speed);
    const std::uint64_t before = form->LastArrestEndTime;
    tick();
    EXPECT_EQ(form->tmrDecel.Enabled(), c.brakes);
    if (c.brakes) {
        EXPECT_EQ(values(offsets::ForwardAccel), std::vector<double>{-700.0});
        EXPECT_EQ(core.exchangeCount(), 2u);  // the read, then the write
        EXPECT_EQ(form->LastArrestEndTime, before);
        EXPECT_FALSE(form->tmrIsCatchCheckNeeded.Enabled());
        return;
    }
    EXPECT_TRUE(values(offsets::ForwardAccel).empty());
    EXPECT_TRUE(form->tmrFindNearest.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, host.MonotonicMs());
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
}

INSTANTIATE_TEST_SUITE_P(ArrestTest, NormalArrestTest, ::testing::ValuesIn(NormalTicks),
                         hf::testing::RowName);

TEST_F(ArrestTest, WritesTheDecelerationOfTheOption) {
    form->edtDecelFactor.SetText("-1200");
    startArrest(false, 150.0);
    tick();
    EXPECT_EQ(values(offsets::ForwardAccel), std::vector<double>{-1200.0});
}

TEST_F(ArrestTest, FailedSpeedReadEndsTheArrest) {
    startArrest(false, 200.0);
    core.replyOverride = 0;
    tick();
    EXPECT_FALSE(form->tmrDecel.Enabled());
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, host.MonotonicMs());
}

struct MovingCarrierTick : hf::testing::Row {
    double speed;
    bool lateralOption;
    bool brakes;
};

const MovingCarrierTick MovingCarrierTicks[] = {
    {"above 32 with the push", 32.5, true, true},
    {"above 32 without the push", 32.5, false, true},
    {"at 32", 32.0, true, false},
    {"rolling back", -1.0, true, false},
};

class MovingCarrierArrestTest : public ArrestTest,
                                public ::testing::WithParamInterface<MovingCarrierTick> {};

TEST_P(MovingCarrierArrestTest, MovingCarrierArrestBrakesDownTo32WithTheSidewaysPush) {
    const MovingCarrierTick& c = GetParam();
    form->chkbxLateralOffsetTrapAnywhere.SetChecked(c.lateralOption);
    startArrest(true, c.speed);
    tick();
    EXPECT_EQ(form->tmrDecel.Enabled(), c.brakes);
    if (c.brakes) {
        EXPECT_EQ(values(offsets::ForwardAccel), std::vector<double>{-700.0});
        const std::vector<double> lateral = values(offsets::LateralAccel);
        if (c.lateralOption) {
            ASSERT_EQ(lateral.size(), 1u);
            EXPECT_DOUBLE_EQ(lateral[0], -700.0 * -0.14054083470239145);
            EXPECT_EQ(lateral[0], form->LateralAccel);
        } else {
            EXPECT_TRUE(lateral.empty());
        }
        EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrMovingCarrierDecelTimer");
        return;
    }
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_TRUE(form->tmrFindNearest.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    // The gate comes back with the next heartbeat, not at the end of the arrest.
    EXPECT_FALSE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, host.MonotonicMs());
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
}

INSTANTIATE_TEST_SUITE_P(ArrestTest, MovingCarrierArrestTest,
                         ::testing::ValuesIn(MovingCarrierTicks), hf::testing::RowName);

TEST_F(ArrestTest, SidewaysPushGoesOutWhenTheForwardWriteFails) {
    form->chkbxLateralOffsetTrapAnywhere.SetChecked(true);
    startArrest(true, 100.0);
    // The speed read is served; the forward write is refused.
    core.setFault({hf::sim::ServerFault::Kind::RefuseWrite, offsets::ForwardAccel});
    tick();
    EXPECT_TRUE(values(offsets::ForwardAccel).empty());
    EXPECT_EQ(values(offsets::LateralAccel).size(), 1u);
    EXPECT_TRUE(form->tmrDecel.Enabled());
}

TEST_F(ArrestTest, HeartbeatBringsTheGateBackAfterATrapAnywhereArrest) {
    startArrest(true, 10.0);
    tick();
    ASSERT_FALSE(form->tmrDecel.Enabled());
    ASSERT_FALSE(form->tmrIsCatchCheckNeeded.Enabled());
    timers.Advance(15000);
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
}

}  // namespace
}  // namespace hf
