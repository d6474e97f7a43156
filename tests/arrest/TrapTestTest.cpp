// The trap test: its tests at their boundaries, the wait after an arrest, the catch steps,
// trapping anywhere and the ticks that must not trap.
#include <gtest/gtest.h>

#include <cmath>

#include "DeckFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using hf::testing::Degrees90;
using hf::testing::ZoneCentreLat;
using hf::testing::ZoneCentreLon;


// The raw angle nearest below a whole number of degrees, and the one above it.
std::int32_t RawBelow(double degrees) {
    return static_cast<std::int32_t>(std::floor(degrees / AngleScale));
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

// The trap test's rows: one change from the aircraft on the deck at the zone's centre.
class BoundaryTest;
struct Boundary : hf::testing::Row {
    void (*set)(BoundaryTest&);
    bool traps;
};

class BoundaryTest : public TrapTestTest, public ::testing::WithParamInterface<Boundary> {
public:
    static std::vector<Boundary> Boundaries() {
        using T = BoundaryTest;
        return {
            {"on the deck at the centre", [](T&) {}, true},
            {"on the deck far above the band", [](T& t) { t.setAltitude(0, 500); }, true},
            {"airborne at the deck altitude", [](T& t) { t.setOnGround(false); }, true},
            {"airborne just below the deck",
             [](T& t) { t.setOnGround(false); t.setAltitude(0x3FFFFFFF, 19); }, false},
            {"airborne 0.45 m above the deck, a fraction above one half",
             [](T& t) { t.setOnGround(false); t.setAltitude(0xB3333333u, 19); }, true},
            {"airborne at the top of the band",
             [](T& t) { t.setOnGround(false); t.setAltitude(0x40000000, 22); }, true},
            {"airborne just above the band",
             [](T& t) { t.setOnGround(false); t.setAltitude(0x40000001, 22); }, false},
            {"bank just under 10", [](T& t) { t.setBankRaw(RawBelow(10.0)); }, true},
            {"bank just over 10", [](T& t) { t.setBankRaw(RawBelow(10.0) + 1); }, false},
            {"bank just over 10 left", [](T& t) { t.setBankRaw(-RawBelow(10.0) - 1); }, false},
            {"bank still tested on the deck high up",
             [](T& t) { t.setAltitude(0, 500); t.setBankRaw(RawBelow(15.0)); }, false},
            {"heading 30 off to the left exactly", [](T& t) { t.zone().RunwayHeading = 60.0; },
             false},
            {"heading 30 off to the right exactly", [](T& t) { t.zone().RunwayHeading = 120.0; },
             false},
            {"heading just under 30 off", [](T& t) { t.zone().RunwayHeading = 60.000001; }, true},
            {"358 true, variation -5, runway 359",
             [](T& t) {
                 t.setHeadingRaw(static_cast<std::int32_t>(std::lround(-2.0 / AngleScale)));
                 t.form->MagVar = -5.0;
                 t.zone().RunwayHeading = 359.0;
             },
             true},
            {"reciprocal heading", [](T& t) { t.zone().RunwayHeading = 270.0; }, false},
            {"outside the rectangle but inside its circumscribed circle",
             [](T& t) { t.placeAircraft(ZoneCentreLat, ZoneCentreLon + 0.00105); }, true},
            {"outside the circumscribed circle",
             [](T& t) { t.placeAircraft(ZoneCentreLat, ZoneCentreLon + 0.00115); }, false},
            // On the left corners' meridian their vectors point due north or south (0 or pi),
            // which keeps this edge point out; one unit east it is inside.
            {"on the left corners' meridian", [](T& t) { t.alignLeftEdgeWithAircraft(0); },
             false},
            {"one unit east of the left corners' meridian",
             [](T& t) { t.alignLeftEdgeWithAircraft(1); }, true},
            {"hook up with the option off", [](T& t) { t.setHook(0.0); }, true},
            {"hook at 0.5 exactly with the option on",
             [](T& t) { t.form->chkbxDetectTailhook.SetChecked(true); t.setHook(0.5); }, false},
            {"hook just over 0.5 with the option on",
             [](T& t) { t.form->chkbxDetectTailhook.SetChecked(true); t.setHook(0.5000001); },
             true},
        };
    }
};

TEST_P(BoundaryTest, EachTestAtItsBoundary) {
    ASSERT_LT(DecodeAngle(RawBelow(10.0)), 10.0);
    ASSERT_GT(DecodeAngle(RawBelow(10.0) + 1), 10.0);
    GetParam().set(*this);
    EXPECT_EQ(catchTick(), GetParam().traps);
    // A tick that does not trap leaves the test running for its next tick.
    if (!GetParam().traps) {
        EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    }
}

INSTANTIATE_TEST_SUITE_P(TrapTestTest, BoundaryTest,
                         ::testing::ValuesIn(BoundaryTest::Boundaries()), hf::testing::RowName);

// The variation is taken from the true heading: 90 true with 20 east is 70 magnetic, which
// a runway of 70 takes and one of 110 (40 off) refuses; adding it would swap the two.
struct VariationCase : hf::testing::Row {
    double magVar;
    double runwayHeading;
    bool traps;
};

class VariationTest : public TrapTestTest, public ::testing::WithParamInterface<VariationCase> {};

TEST_P(VariationTest, TheVariationIsSubtractedFromTheTrueHeading) {
    form->MagVar = GetParam().magVar;
    zone().RunwayHeading = GetParam().runwayHeading;
    EXPECT_EQ(catchTick(), GetParam().traps);
}

const VariationCase VariationCases[] = {
    {{"20 east, runway 70"}, 20.0, 70.0, true},
    {{"20 east, runway 110"}, 20.0, 110.0, false},
    {{"20 west, runway 110"}, -20.0, 110.0, true},
    {{"20 west, runway 70"}, -20.0, 70.0, false},
};
INSTANTIATE_TEST_SUITE_P(TrapTestTest, VariationTest, ::testing::ValuesIn(VariationCases),
                         hf::testing::RowName);

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

struct NoZone : hf::testing::Row {
    std::int32_t index;
    bool listDropped;
};

const NoZone NoZones[] = {
    {"no zone found yet", -1, false},
    {"index just past the end", 1, false},
    {"index far past the end", 7, false},
    {"no zone list", 0, true},
};

class NoZoneTest : public TrapTestTest, public ::testing::WithParamInterface<NoZone> {};

TEST_P(NoZoneTest, NoTrapWithoutAValidNearestZone) {
    form->NearestZoneIndex = GetParam().index;
    if (GetParam().listDropped) form->CatchZones.reset();
    EXPECT_FALSE(catchTick());
    EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
}

INSTANTIATE_TEST_SUITE_P(TrapTestTest, NoZoneTest, ::testing::ValuesIn(NoZones),
                         hf::testing::RowName);

TEST_F(TrapTestTest, FailedExchangeMeansNoTrapAndNoReset) {
    core.replyOverride = 0;
    EXPECT_FALSE(catchTick());
    EXPECT_TRUE(form->tmrCheckForCatch.Enabled());
    EXPECT_TRUE(form->cmbDatFile.Enabled());  // still operating: no reset ran
    core.replyOverride.reset();
    EXPECT_TRUE(catchTick());
}

struct Touchdown : hf::testing::Row {
    bool onGround;
    bool hookUpWithTheOption;
    bool traps;
};

const Touchdown Touchdowns[] = {
    {"on the deck", true, false, true},
    {"in the air", false, false, false},
    // The hook condition still applies.
    {"on the deck, hook up with the option on", true, true, false},
};

class TrapAnywhereTest : public TrapTestTest, public ::testing::WithParamInterface<Touchdown> {};

TEST_P(TrapAnywhereTest, TrapAnywhereTrapsAnyTouchdown) {
    const Touchdown& c = GetParam();
    form->TrapAnywhereArmed = true;
    form->InstallTrapAnywhereHandlerPair();
    // Far from the zone, crossing it, steeply banked, high above any band.
    placeAircraft(40.0, -70.0);
    setHeadingRaw(-Degrees90);
    setBankRaw(RawBelow(45.0));
    setAltitude(0, 900);
    setOnGround(c.onGround);
    if (c.hookUpWithTheOption) {
        form->chkbxDetectTailhook.SetChecked(true);
        setHook(0.0);
    }
    EXPECT_EQ(catchTick(), c.traps);
    if (c.traps) {
        EXPECT_FALSE(form->TrapAnywhereArmed);
        // The moving-carrier arrest runs; the normal pair comes back at its end.
        EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrMovingCarrierDecelTimer");
        EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
                  "tmrIsCatchCheckNeededForForcedTrappingTimer");
    }
}

INSTANTIATE_TEST_SUITE_P(TrapTestTest, TrapAnywhereTest, ::testing::ValuesIn(Touchdowns),
                         hf::testing::RowName);

}  // namespace
}  // namespace hf
