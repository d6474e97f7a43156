// Arming by hand and automatically: the refusals and their messages, what arming and
// disarming switch, the message option, the manual disable and the automatic box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "CatapultFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"
#include "ui/ToolbarForm.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

class ArmingTest : public hf::testing::CatapultTest {
protected:
    void SetUp() override { startReady(); }
};

class RefusalTest;
struct Refusal : hf::testing::Row {
    void (*set)(RefusalTest&);
    std::string message;
};

class RefusalTest : public ArmingTest, public ::testing::WithParamInterface<Refusal> {
public:
    static std::vector<Refusal> Reasons() {
        return {
            {"helicopter", [](RefusalTest& t) { t.setAircraft(3, 1); },
             "Catapult NOT armed -- won't work with helicopters"},
            {"taildragger", [](RefusalTest& t) { t.setAircraft(0, 1); },
             "Catapult NOT armed -- won't work with taildraggers"},
            {"other kind", [](RefusalTest& t) { t.setAircraft(0, 2); }, "Catapult NOT armed -- "},
            {"trap test running", [](RefusalTest& t) { t.form->tmrCheckForCatch.SetEnabled(true); },
             "Catapult NOT armed -- "},
            {"too far in latitude", [](RefusalTest& t) { t.placeAtCorner(0.0031, 0); },
             "Catapult NOT armed -- too far from nearest known cables"},
            {"too far in longitude", [](RefusalTest& t) { t.placeAtCorner(0, -0.0031); },
             "Catapult NOT armed -- too far from nearest known cables"},
            {"no nearest zone", [](RefusalTest& t) { t.form->NearestZoneIndex = -1; },
             "Catapult NOT armed -- too far from nearest known cables"},
            {"in the air", [](RefusalTest& t) { t.setFlight(0, 0, 200.0, 1); },
             "Catapult NOT armed -- aircraft not in a landed state"},
            {"gear up", [](RefusalTest& t) { t.setFlight(1, 0, 0.0); },
             "Catapult NOT armed -- check landing gear and lever"},
            {"brake off", [](RefusalTest& t) { t.setBrake(0); },
             "Catapult NOT armed -- parking brake is not set"},
            {"slewing", [](RefusalTest& t) { t.setFlight(1, 16383, 0.0, 1); },
             "Catapult NOT armed -- slew mode"},
            {"rolling at 6 ft/s", [](RefusalTest& t) { t.setFlight(1, 16383, 6.0); },
             "Catapult NOT armed -- not stationary"},
            {"crashed", [](RefusalTest& t) { t.setFlight(1, 16383, 0.0, 0, 2); },
             "Catapult NOT armed -- "},
            {"gear lever negative", [](RefusalTest& t) { t.setFlight(1, -5, 0.0); },
             "Catapult NOT armed -- "},
        };
    }
};

TEST_P(RefusalTest, ArmingByHandIsRefusedForEachReason) {
    GetParam().set(*this);
    armAction();
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_EQ(messages(), (Messages{{GetParam().message, 3}}));
}

INSTANTIATE_TEST_SUITE_P(ArmingTest, RefusalTest, ::testing::ValuesIn(RefusalTest::Reasons()),
                         hf::testing::RowName);

TEST_F(ArmingTest, ArmingByHandSwitchesToTheLaunchWatchOnly) {
    placeAtCorner(0.0029, -0.0029);
    setFlight(1, 16383, 5.99);
    form->tmrKeystroke.SetEnabled(false);
    form->tmrFindNearest.SetEnabled(true);
    form->tmrIsCatchCheckNeeded.SetEnabled(true);
    form->tmrAccel.SetEnabled(true);
    form->CatapultSoundPlayed = true;
    armAction();
    EXPECT_TRUE(armed());
    EXPECT_EQ(armLabel(), "CATAPULT ARMED");
    EXPECT_EQ(messages(), (Messages{{"CATAPULT ARMED", 3}}));
    EXPECT_FALSE(form->CatapultSoundPlayed);
    for (const TTimer* off : {&form->tmrAccel, &form->tmrCheckForCatch, &form->tmrDecel,
                              &form->tmrIsCatchCheckNeeded, &form->tmrFindNearest}) {
        EXPECT_FALSE(off->Enabled()) << off->Name();
    }
    EXPECT_FALSE(form->tmrKeystroke.Enabled());  // not touched
    EXPECT_TRUE(form->tmrAutoCatArmCheck.Enabled());
    EXPECT_TRUE(core.writesTo(offsets::ForwardAccel).empty());
}

TEST_F(ArmingTest, ArmingAndDisarmingByHandPlayTheRadioCalls) {
    form->chkbxOpsSounds.SetChecked(true);
    for (const char* clip : {"RADIO_PILOT_ON_CAT.wav", "RADIO_DECKOFFICER_ROGER.wav",
                             "RADIO_DECKOFFICER_CAT_SET.wav"}) {
        writeOpsClip(clip);
    }
    armAction();
    EXPECT_TRUE(armed());
    const auto log = waveLog();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "play-wait " + opsClip("RADIO_DECKOFFICER_CAT_SET.wav")),
              log.end());
}

TEST_F(ArmingTest, RunningTheActionWhileArmedDisarmsByHand) {
    armByHand();
    form->tmrKeystroke.SetEnabled(false);
    armAction();
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_EQ(messages(), (Messages{{"Catapult disarmed", 3}}));
    EXPECT_FALSE(form->tmrKeystroke.Enabled());  // no timer comes back here
    EXPECT_FALSE(form->tmrFindNearest.Enabled());
    EXPECT_EQ(core.exchangeCount(), 1u);  // the message only
}

TEST_F(ArmingTest, WithoutTheMessageOptionNothingIsShownButTheLabelFollows) {
    form->chkbxShowCatArmMsgs.SetChecked(false);
    setBrake(0);
    armAction();
    setBrake(ParkingBrakeSet);
    armAction();
    EXPECT_EQ(armLabel(), "CATAPULT ARMED");
    armAction();
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    form->btnManualDisable.SetDown(true);
    armAction();
    EXPECT_TRUE(messages().empty());
}

TEST_F(ArmingTest, ManuallyDisabledTheActionOnlyTellsSo) {
    armByHand();
    form->btnManualDisable.SetDown(true);
    form->CatapultSoundPlayed = true;
    armAction();
    EXPECT_TRUE(armed());
    EXPECT_EQ(armLabel(), "CATAPULT ARMED");
    EXPECT_TRUE(form->CatapultSoundPlayed);
    EXPECT_EQ(messages(),
              (Messages{{"Catapult not available - HFast has been manually disabled", 3}}));
}

TEST_F(ArmingTest, FailedExchangesOfArmingByHand) {
    core.replyOverride = 0;
    armAction();
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_TRUE(messages().empty());
}

// 0.003 degree from the corner is too far in either axis; the double just below it is near.
// At latitude and longitude 0 the aircraft's position decodes to exactly 0.0, so the
// differences are the corner's own values.
struct Tolerance : hf::testing::Row {
    double cornerLat;
    double cornerLon;
    bool arms;
};

class ToleranceTest : public ArmingTest, public ::testing::WithParamInterface<Tolerance> {};

TEST_P(ToleranceTest, ExactlyTheToleranceFromTheCornerIsTooFar) {
    ASSERT_EQ(placeAircraft(0.0, 0.0), std::make_pair(0.0, 0.0));
    zone().FrontLeftLat = GetParam().cornerLat;
    zone().FrontLeftLon = GetParam().cornerLon;
    armAction();
    EXPECT_EQ(armed(), GetParam().arms);
    const char* text = GetParam().arms ? "CATAPULT ARMED"
                                       : "Catapult NOT armed -- too far from nearest known cables";
    EXPECT_EQ(messages(), (Messages{{text, 3}}));
}

const double JustInside = std::nextafter(0.003, 0.0);
const Tolerance Tolerances[] = {
    {{"0.003 north"}, 0.003, 0.0, false},
    {{"0.003 west"}, 0.0, -0.003, false},
    {{"just inside in both axes"}, JustInside, -JustInside, true},
};
INSTANTIATE_TEST_SUITE_P(ArmingTest, ToleranceTest, ::testing::ValuesIn(Tolerances),
                         hf::testing::RowName);

// The third exchange fails: nothing was read to give a reason by, so the refusal comes
// without one, and the catapult stays disarmed.
TEST_F(ArmingTest, AFailedThirdExchangeRefusesWithoutAReason) {
    core.setFault({hf::sim::ServerFault::Kind::RefuseRead, offsets::ParkingBrake});
    armAction();
    core.setFault({});
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_EQ(messages(), (Messages{{"Catapult NOT armed -- ", 3}}));
}

class AutoArmingTest : public hf::testing::CatapultTest {
protected:
    void SetUp() override {
        startReady();
        form->chkbxAutoCatArming.SetChecked(true);
        core.clearRecords();
    }
};

TEST_F(AutoArmingTest, ArmsWithoutPositionOrSpeedTestAndDisarmsSilently) {
    placeAtCorner(1.0, 1.0);
    setFlight(1, 16383, 50.0);
    form->tmrFindNearest.SetEnabled(true);
    autoTick();
    EXPECT_TRUE(armed());
    EXPECT_EQ(armLabel(), "CATAPULT ARMED");
    EXPECT_FALSE(form->tmrFindNearest.Enabled());
    EXPECT_EQ(form->lblFlightStatus.Caption(), "LANDED");
    EXPECT_EQ(messages(), (Messages{{"CATAPULT ARMED", 3}}));

    // Still ready: nothing more.
    autoTick();
    EXPECT_EQ(messages().size(), 1u);

    // A crash flag other than 1 keeps it armed; the brake coming off disarms silently.
    setFlight(1, 16383, 0.0, 0, 2);
    autoTick();
    EXPECT_TRUE(armed());
    setFlight(1, 16383, 0.0);
    setBrake(0);
    form->tmrKeystroke.SetEnabled(false);
    autoTick();
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_FALSE(form->tmrKeystroke.Enabled());
}

// Rows of the automatic check: a value or a situation that keeps the aircraft from a launch.
class AutoCheckTest;
struct Unready : hf::testing::Row {
    void (*set)(AutoCheckTest&);
};

class AutoCheckTest : public AutoArmingTest, public ::testing::WithParamInterface<Unready> {
public:
    static std::vector<Unready> DisarmingValues() {
        return {
            {"crash 1", [](AutoCheckTest& t) { t.setFlight(1, 16383, 0.0, 0, 1); }},
            {"slewing", [](AutoCheckTest& t) { t.setFlight(1, 16383, 0.0, 1); }},
            {"in the air", [](AutoCheckTest& t) { t.setFlight(0, 16383, 0.0); }},
            {"brake odd value", [](AutoCheckTest& t) { t.setBrake(100); }},
        };
    }
    static std::vector<Unready> UnsuitableOrUnready() {
        return {
            {"helicopter", [](AutoCheckTest& t) { t.setAircraft(3, 0); }},
            {"other kind", [](AutoCheckTest& t) { t.setAircraft(0, 2); }},
            {"trap test running",
             [](AutoCheckTest& t) { t.form->tmrCheckForCatch.SetEnabled(true); }},
            {"crash 2", [](AutoCheckTest& t) { t.setFlight(1, 16383, 0.0, 0, 2); }},
            {"gear up", [](AutoCheckTest& t) { t.setFlight(1, 0, 0.0); }},
            {"brake off", [](AutoCheckTest& t) { t.setBrake(0); }},
            {"failed exchange", [](AutoCheckTest& t) { t.core.replyOverride = 0; }},
        };
    }
};

class AutoDisarmTest : public AutoCheckTest {};
class AutoNoArmTest : public AutoCheckTest {};

TEST_P(AutoDisarmTest, DisarmsOnEachUnreadyValue) {
    autoTick();
    ASSERT_TRUE(armed());
    GetParam().set(*this);
    autoTick();
    EXPECT_FALSE(armed());
}

INSTANTIATE_TEST_SUITE_P(AutoArmingTest, AutoDisarmTest,
                         ::testing::ValuesIn(AutoCheckTest::DisarmingValues()),
                         hf::testing::RowName);

TEST_P(AutoNoArmTest, DoesNotArmAnUnsuitableOrUnreadyAircraft) {
    GetParam().set(*this);
    autoTick();
    EXPECT_FALSE(armed());
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AutoArmingTest, AutoNoArmTest,
                         ::testing::ValuesIn(AutoCheckTest::UnsuitableOrUnready()),
                         hf::testing::RowName);

// Disabled by hand, the program leaves the catapult alone: no arming every second, and the
// heartbeat keeps its interval, so the disabled reminders come every 15 s.
TEST_F(AutoArmingTest, DoesNothingWhileManuallyDisabled) {
    form->chkbxShowDisableReminders.SetChecked(true);
    form->NearestZoneIndex = 0;  // a zone is known: the heartbeat reminds, not "enabled"
    autoTick();
    ASSERT_TRUE(armed());
    form->btnManualDisable.Click();
    timers.Advance(31000);
    EXPECT_FALSE(armed());  // the watch disarmed at its first tick
    EXPECT_EQ(armLabel(), "Catapult disarmed");
    int armings = 0;
    std::vector<std::int64_t> reminders;
    for (const auto& message : core.messages()) {
        armings += message.text == "CATAPULT ARMED";
        if (message.text == "HFast has been manually disabled") reminders.push_back(message.timeMs);
    }
    EXPECT_EQ(armings, 1);  // the one before the disable
    ASSERT_GE(reminders.size(), 2u);
    for (std::size_t i = 1; i < reminders.size(); ++i) {
        EXPECT_EQ(reminders[i] - reminders[i - 1], 15000);
    }

    form->btnManualDisable.Click();  // enabled again: the next check arms
    timers.Advance(1000);
    EXPECT_TRUE(armed());
}

TEST_F(AutoArmingTest, TheBoxGreysTheMessageOptionAndTheToolbarButton) {
    EXPECT_FALSE(form->chkbxShowCatArmMsgs.Enabled());
    EXPECT_TRUE(form->chkbxShowCatArmMsgs.Checked());
    EXPECT_FALSE(form->frmToolbar->btnCatapultArm.Enabled());

    // Checking it while armed keeps the catapult armed; unchecking disarms by hand.
    autoTick();
    form->chkbxAutoCatArming.SetChecked(false);
    EXPECT_TRUE(form->chkbxShowCatArmMsgs.Enabled());
    EXPECT_TRUE(form->frmToolbar->btnCatapultArm.Enabled());
    EXPECT_FALSE(armed());
    EXPECT_EQ(messages().back(), (std::pair<std::string, int>{"Catapult disarmed", 3}));

    armByHand();
    form->chkbxAutoCatArming.SetChecked(true);
    EXPECT_TRUE(armed());
}

TEST_F(AutoArmingTest, FlightStatusFollowsTheOnGroundFlag) {
    form->chkbxAutoCatArming.SetChecked(false);
    setOnGround(true);
    autoTick();
    EXPECT_EQ(form->lblFlightStatus.Caption(), "LANDED");
    setOnGround(false);
    autoTick();
    EXPECT_EQ(form->lblFlightStatus.Caption(), "Flying");
    setOnGround(true);
    core.replyOverride = 0;
    autoTick();
    EXPECT_EQ(form->lblFlightStatus.Caption(), "Flying");
    EXPECT_FALSE(armed());  // the automatic check runs only with its box checked
}

// Each check reads the deck values it looks at in one exchange of their own, in one order.
class DeckReadingTest;
struct DeckReading : hf::testing::Row {
    void (*check)(DeckReadingTest&);
    std::vector<std::uint32_t> offsets;
};

class DeckReadingTest : public ArmingTest, public ::testing::WithParamInterface<DeckReading> {
public:
    static std::vector<DeckReading> Checks() {
        return {
            {"arming by hand", [](DeckReadingTest& t) { t.armAction(); },
             {0x0BC8, 0x0BE8, 0x0366, 0x0840, 0x3090, 0x05DC}},
            {"automatic arming",
             [](DeckReadingTest& t) {
                 t.form->chkbxAutoCatArming.SetChecked(true);
                 t.autoTick();
             },
             {0x0BC8, 0x0BE8, 0x0366, 0x0840, 0x05DC}},
            {"automatic check while armed",
             [](DeckReadingTest& t) {
                 t.form->chkbxAutoCatArming.SetChecked(true);
                 t.autoTick();
                 t.core.clearRecords();
                 t.autoTick();
             },
             {0x0BC8, 0x0366, 0x0840, 0x05DC}},
        };
    }
};

TEST_P(DeckReadingTest, ReadsTheDeckValuesInOneExchange) {
    GetParam().check(*this);
    ASSERT_TRUE(armed());
    std::vector<std::vector<std::uint32_t>> deckReadings;
    for (const auto& exchange : core.exchanges()) {
        if (exchange.empty() || exchange.front().offset != offsets::ParkingBrake) continue;
        std::vector<std::uint32_t> read;
        for (const auto& record : exchange) {
            EXPECT_EQ(record.kind, hf::sim::SimRecord::Read);
            read.push_back(record.offset);
        }
        deckReadings.push_back(read);
    }
    EXPECT_EQ(deckReadings, std::vector<std::vector<std::uint32_t>>{GetParam().offsets});
}

INSTANTIATE_TEST_SUITE_P(ArmingTest, DeckReadingTest,
                         ::testing::ValuesIn(DeckReadingTest::Checks()), hf::testing::RowName);

// Every reader of the position queues its four halves in one order, longitude first, inside
// an exchange of its own values.
class PositionReadingTest;
struct PositionReading : hf::testing::Row {
    void (*read)(PositionReadingTest&);
    std::vector<std::uint32_t> offsets;
};

class PositionReadingTest : public ArmingTest,
                            public ::testing::WithParamInterface<PositionReading> {
public:
    static std::vector<PositionReading> Readers() {
        return {
            {"arming by hand", [](PositionReadingTest& t) { t.armAction(); },
             {0x0568, 0x056C, 0x0560, 0x0564}},
            {"the launch watch",
             [](PositionReadingTest& t) {
                 t.armAction();
                 t.core.clearRecords();
                 t.watchTick();
             },
             {0x0BC8, 0x3090, 0x088C, 0x0609, 0x0790, 0x0568, 0x056C, 0x0560, 0x0564}},
            {"the nearest-zone search", [](PositionReadingTest& t) { t.form->FindNearestZone(); },
             {0x0568, 0x056C, 0x0560, 0x0564, 0x02A0}},
        };
    }
};

TEST_P(PositionReadingTest, QueuesTheHalvesLongitudeFirst) {
    GetParam().read(*this);
    std::vector<std::vector<std::uint32_t>> positionReadings;
    for (const auto& exchange : core.exchanges()) {
        std::vector<std::uint32_t> read;
        for (const auto& record : exchange) {
            if (record.kind == hf::sim::SimRecord::Read) read.push_back(record.offset);
        }
        if (std::find(read.begin(), read.end(), 0x0568u) != read.end()) {
            positionReadings.push_back(read);
        }
    }
    EXPECT_EQ(positionReadings, std::vector<std::vector<std::uint32_t>>{GetParam().offsets});
}

INSTANTIATE_TEST_SUITE_P(ArmingTest, PositionReadingTest,
                         ::testing::ValuesIn(PositionReadingTest::Readers()),
                         hf::testing::RowName);

// Arming switches a running arrest off; it ends through the arrest's own end steps, so the
// hot keys and the special sound that the catch took come back, but the end time of the
// arrest before it stays: an arrest cut short starts no 30 s wait.
class ArmDuringArrestTest;
struct ArmingWay : hf::testing::Row {
    void (*arm)(ArmDuringArrestTest&);
    bool trapAnywhere;
};

class ArmDuringArrestTest : public ArmingTest, public ::testing::WithParamInterface<ArmingWay> {
public:
    static std::vector<ArmingWay> Ways() {
        using T = ArmDuringArrestTest;
        const auto byHand = [](T& t) { t.armAction(); };
        const auto automatic = [](T& t) {
            t.form->chkbxAutoCatArming.SetChecked(true);
            t.autoTick();
        };
        return {{"by hand in a zone", byHand, false},
                {"automatically in a zone", automatic, false},
                {"by hand trapping anywhere", byHand, true},
                {"automatically trapping anywhere", automatic, true}};
    }
};

TEST_P(ArmDuringArrestTest, TheArrestEndsThroughItsOwnEnd) {
    form->chkbxSpecialSoundHandling.SetChecked(true);
    if (GetParam().trapAnywhere) {
        form->InstallTrapAnywhereHandlerPair();
        form->TrapAnywhereArmed = true;
    }
    // As the catch leaves it: braking, the other watching timers and the hot-key poll off;
    // an earlier arrest ended some time ago.
    constexpr std::uint64_t EarlierArrestEnd = 1234;
    form->LastArrestEndTime = EarlierArrestEnd;
    form->tmrDecel.SetEnabled(true);
    form->tmrCheckForCatch.SetEnabled(false);
    form->tmrFindNearest.SetEnabled(false);
    form->tmrKeystroke.SetEnabled(false);
    form->tmrIsCatchCheckNeeded.SetEnabled(false);
    core.clearRecords();

    GetParam().arm(*this);
    ASSERT_TRUE(armed());
    EXPECT_FALSE(form->tmrDecel.Enabled());
    EXPECT_TRUE(form->tmrKeystroke.Enabled());
    EXPECT_FALSE(form->tmrFindNearest.Enabled());
    EXPECT_FALSE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(form->LastArrestEndTime, EarlierArrestEnd);
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), std::vector<std::int16_t>{1});
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
}

INSTANTIATE_TEST_SUITE_P(ArmingTest, ArmDuringArrestTest,
                         ::testing::ValuesIn(ArmDuringArrestTest::Ways()), hf::testing::RowName);

}  // namespace
}  // namespace hf
