// The trap test: its tests at their boundaries, the wait after an arrest, the catch steps,
// trapping anywhere and the ticks that must not trap.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "DeckFixture.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using hf::testing::Degrees90;
using hf::testing::ZoneCentreLat;
using hf::testing::ZoneCentreLon;


// The raw angle nearest below a whole number of degrees, and the one above it.
std::int32_t RawBelow(double degrees) {
    return static_cast<std::int32_t>(std::floor(degrees / AngleScaleValue));
}

class TrapTestTest : public hf::testing::DeckTest {
protected:
    void SetUp() override { startInZone(); }
    // Puts the aircraft at the zone's middle latitude, `units` longitude units east of the
    // longitude that the zone's left corners then take exactly.
    void alignLeftEdgeWithAircraft(std::int32_t units) {
        const auto [lat, lon] = placeAircraft(ZoneCentreLat, 20.000);
        zone().BackLeftLon = zone().FrontLeftLon = lon;
        core.poke(offsets::LongitudeHi, core.peek<std::int32_t>(offsets::LongitudeHi) + units);
        (void)lat;
    }
};

TEST_F(TrapTestTest, EachTestAtItsBoundary) {
    ASSERT_LT(DecodeAngle(RawBelow(10.0)), 10.0);
    ASSERT_GT(DecodeAngle(RawBelow(10.0) + 1), 10.0);
    struct Case {
        const char* what;
        std::function<void()> set;
        bool traps;
    };
    const std::vector<Case> cases = {
        {"on the deck at the centre", [] {}, true},
        {"on the deck far above the band", [this] { setAltitude(0, 500); }, true},
        {"airborne at the deck altitude", [this] { setOnGround(false); }, true},
        {"airborne just below the deck",
         [this] { setOnGround(false); setAltitude(0x3FFFFFFF, 19); }, false},
        {"airborne 0.45 m above the deck, a fraction above one half",
         [this] { setOnGround(false); setAltitude(0xB3333333u, 19); }, true},
        {"airborne at the top of the band",
         [this] { setOnGround(false); setAltitude(0x40000000, 22); }, true},
        {"airborne just above the band",
         [this] { setOnGround(false); setAltitude(0x40000001, 22); }, false},
        {"bank just under 10", [this] { setBankRaw(RawBelow(10.0)); }, true},
        {"bank just over 10", [this] { setBankRaw(RawBelow(10.0) + 1); }, false},
        {"bank just over 10 left", [this] { setBankRaw(-RawBelow(10.0) - 1); }, false},
        {"bank still tested on the deck high up",
         [this] { setAltitude(0, 500); setBankRaw(RawBelow(15.0)); }, false},
        {"heading 30 off to the left exactly", [this] { zone().RunwayHeading = 60.0; },
         false},
        {"heading 30 off to the right exactly", [this] { zone().RunwayHeading = 120.0; },
         false},
        {"heading just under 30 off", [this] { zone().RunwayHeading = 60.000001; }, true},
        {"358 true, variation -5, runway 359",
         [this] {
             setHeadingRaw(static_cast<std::int32_t>(std::lround(-2.0 / AngleScaleValue)));
             form->MagVar = -5.0;
             zone().RunwayHeading = 359.0;
         },
         true},
        {"reciprocal heading", [this] { zone().RunwayHeading = 270.0; }, false},
        {"outside the rectangle but inside its circumscribed circle",
         [this] { placeAircraft(ZoneCentreLat, ZoneCentreLon + 0.00105); }, true},
        {"outside the circumscribed circle",
         [this] { placeAircraft(ZoneCentreLat, ZoneCentreLon + 0.00115); }, false},
        // On the left corners' meridian their vectors point due north or south (0 or pi),
        // which keeps this edge point out; one unit east it is inside.
        {"on the left corners' meridian",
         [this] { alignLeftEdgeWithAircraft(0); }, false},
        {"one unit east of the left corners' meridian",
         [this] { alignLeftEdgeWithAircraft(1); }, true},
        {"hook up with the option off", [this] { setHook(0.0); }, true},
        {"hook at 0.5 exactly with the option on",
         [this] { form->chkbxDetectTailhook.SetChecked(true); setHook(0.5); }, false},
        {"hook just over 0.5 with the option on",
         [this] { form->chkbxDetectTailhook.SetChecked(true); setHook(0.5000001); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startInZone();
        c.set();
        EXPECT_EQ(catchTick(), c.traps);
        // A tick that does not trap leaves the test running for its next tick.
        if (!c.traps) {
            EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
        }
    }
}

// The variation is taken from the true heading: 90 true with 20 east is 70 magnetic, which
// a runway of 70 takes and one of 110 (40 off) refuses; adding it would swap the two.
TEST_F(TrapTestTest, TheVariationIsSubtractedFromTheTrueHeading) {
    struct Case {
        double magVar;
        double runwayHeading;
        bool traps;
    };
    for (const Case& c : {Case{20.0, 70.0, true}, Case{20.0, 110.0, false},
                          Case{-20.0, 110.0, true}, Case{-20.0, 70.0, false}}) {
        SCOPED_TRACE(::testing::Message() << "variation " << c.magVar << ", runway "
                                          << c.runwayHeading);
        startInZone();
        form->MagVar = c.magVar;
        zone().RunwayHeading = c.runwayHeading;
        EXPECT_EQ(catchTick(), c.traps);
    }
}

TEST_F(TrapTestTest, ReadsTheTenValuesInOneExchange) {
    setHook(0.0);
    form->chkbxDetectTailhook.SetChecked(true);
    catchTick();
    ASSERT_EQ(core.exchangeCount(), 1u);
    std::vector<std::uint32_t> offsets;
    for (const auto& record : core.exchanges().front()) {
        EXPECT_EQ(record.kind, hf::sim::SimRecord::Read);
        offsets.push_back(record.offset);
    }
    EXPECT_EQ(offsets, (std::vector<std::uint32_t>{0x0580, 0x057C, 0x0366, 0x0570, 0x0574,
                                                    0x0568, 0x056C, 0x0560, 0x0564, 0x3BA0}));
}

TEST_F(TrapTestTest, WaitsThirtySecondsAfterAnArrestWithoutReading) {
    clock.advance(60000);  // the clock, not the timers: only the test's own tick runs
    form->LastArrestEndTime = host.MonotonicMs() - 29000;
    EXPECT_FALSE(catchTick());
    EXPECT_EQ(core.exchangeCount(), 0u);
    EXPECT_TRUE(form->tmrCheckForCatch.Enabled());

    form->LastArrestEndTime = host.MonotonicMs() - 29999;  // the wait's last millisecond
    EXPECT_FALSE(catchTick());
    EXPECT_EQ(core.exchangeCount(), 0u);

    form->LastArrestEndTime = host.MonotonicMs() - 30000;
    EXPECT_TRUE(catchTick());
}

TEST_F(TrapTestTest, CatchStopsTheWatchersAndStartsTheArrest) {
    form->chkbxSpecialSoundHandling.SetChecked(true);
    for (TTimer* timer : {&form->tmrIsCatchCheckNeeded, &form->tmrFindNearest,
                          &form->tmrKeystroke, &form->tmrLaunchCheck, &form->tmrAccel}) {
        timer->SetEnabled(true);
    }
    form->lblCatArmStatus.SetCaption("Catapult ARMED");
    ASSERT_TRUE(catchTick());

    EXPECT_TRUE(form->tmrDecel.Enabled());
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
    for (TTimer* timer : {&form->tmrIsCatchCheckNeeded, &form->tmrCheckForCatch,
                          &form->tmrFindNearest, &form->tmrKeystroke, &form->tmrLaunchCheck,
                          &form->tmrAccel}) {
        EXPECT_FALSE(timer->Enabled()) << timer->Name();
    }
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "Cables were CAUGHT.");
    EXPECT_EQ(form->lblCatArmStatus.Caption(), "Catapult disarmed");
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{0});
    ASSERT_FALSE(waveLog().empty());
    EXPECT_EQ(waveLog().back(), "play " + host.programFolderText() + "CableCatch.wav");
}

TEST_F(TrapTestTest, NeverTrapsWhileAnArrestRuns) {
    form->tmrDecel.SetEnabled(true);
    form->tmrFindNearest.SetEnabled(true);
    form->tmrCheckForCatchTimer(&form->tmrCheckForCatch);
    EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    EXPECT_TRUE(form->tmrFindNearest.Enabled());
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "");
    EXPECT_TRUE(host.waveEvents.empty());
}

TEST_F(TrapTestTest, NoTrapWithoutAValidNearestZone) {
    for (std::int32_t index : {-1, 1, 7}) {
        SCOPED_TRACE(index);
        startInZone();
        form->NearestZoneIndex = index;
        EXPECT_FALSE(catchTick());
        EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    }
    startInZone();
    form->CatchZones.reset();
    EXPECT_FALSE(catchTick());
}

TEST_F(TrapTestTest, FailedExchangeMeansNoTrapAndNoReset) {
    core.replyOverride = 0;
    EXPECT_FALSE(catchTick());
    EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    EXPECT_TRUE(form->cmbDatFile.Enabled());  // still operating: no reset ran
    core.replyOverride.reset();
    EXPECT_TRUE(catchTick());
}

TEST_F(TrapTestTest, TrapAnywhereTrapsAnyTouchdown) {
    struct Case {
        const char* what;
        bool onGround;
        bool traps;
    };
    for (const Case& c : {Case{"on the deck", true, true}, Case{"in the air", false, false}}) {
        SCOPED_TRACE(c.what);
        startInZone();
        form->TrapAnywhereArmed = true;
        form->InstallTrapAnywhereHandlerPair();
        // Far from the zone, crossing it, steeply banked, high above any band.
        placeAircraft(40.0, -70.0);
        setHeadingRaw(-Degrees90);
        setBankRaw(RawBelow(45.0));
        setAltitude(0, 900);
        setOnGround(c.onGround);
        EXPECT_EQ(catchTick(), c.traps);
        if (c.traps) {
            EXPECT_FALSE(form->TrapAnywhereArmed);
            // The moving-carrier arrest runs; the normal pair comes back at its end.
            EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrMovingCarrierDecelTimer");
            EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
                      "tmrIsCatchCheckNeededForForcedTrappingTimer");
        }
    }
    // The hook condition still applies.
    startInZone();
    form->TrapAnywhereArmed = true;
    form->chkbxDetectTailhook.SetChecked(true);
    setHook(0.0);
    EXPECT_FALSE(catchTick());
}

}  // namespace
}  // namespace hf
