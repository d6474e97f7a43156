// A simulator that stops answering in the middle of a handler: the handler waits out one
// exchange's tries and no more, the close after it waits for none and saves the settings
// whole, the next operation tries again, and a reset recovers once the simulator answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CatapultFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "lang/ResultCodeTexts.h"

namespace hf {
namespace {

constexpr std::int64_t ExchangeTriesMs = 10 * (2000 + 100);
constexpr int Tries = 10;
constexpr std::uint32_t Half = 4194304;

class HangTest;

struct HangRow : hf::testing::Row {
    void (HangTest::*arrange)();  // brings the program into the state
    void (HangTest::*run)();      // the handler, as its timer, control or action runs it
};

class HangTest : public hf::testing::CatapultTest,
                 public ::testing::WithParamInterface<HangRow> {
public:
    // --- the states -----------------------------------------------------------------------
    void operating() { startReady(); }
    void armed() {
        startReady();
        armByHand();
    }
    void armedAndMovedOff() {
        armed();
        placeAtCorner(0.01, 0.01);
    }
    void launching() {
        armed();
        setBrake(0);
        setThrottle(16383);
        watchTick();
        ASSERT_TRUE(form->tmrAccel.Enabled());
        core.poke(offsets::ForwardSpeed, 50.0);
        core.clearRecords();
    }
    void arresting(double speed) {
        startReady();
        form->tmrDecel.SetEnabled(true);
        core.poke(offsets::ForwardSpeed, speed);
        core.clearRecords();
    }
    void braking() { arresting(150.0); }
    void stopped() { arresting(0.0); }
    void fueling(int tanks) {
        startReady();
        core.poke<std::int32_t>(offsets::AltitudeHi, 3000);
        for (int tank = 0; tank < 6; ++tank) {
            core.poke<std::uint32_t>(offsets::Tanks[tank].Capacity, tank < tanks ? 100 : 0);
            core.poke<std::uint32_t>(offsets::Tanks[tank].Level, Half);
        }
        form->actFuelLoad.Execute();
        ASSERT_TRUE(form->FuelLoadActive);
        core.clearRecords();
    }
    void fuelingThreeTanks() { fueling(3); }
    void fuelingSixTanks() { fueling(6); }
    void disabledWithReminders() {
        startReady();
        form->chkbxShowDisableReminders.SetChecked(true);
        form->btnManualDisable.Click();
        ASSERT_TRUE(form->btnManualDisable.Down());
        core.clearRecords();
    }
    void automaticArming() {
        startReady();
        form->chkbxAutoCatArming.SetChecked(true);
        core.clearRecords();
    }
    void nearAZone() {
        startReady();
        form->NearestZoneDistance = 1.0;  // the last search saw the zone farther away
        setFlight(0, 16383, 200.0);
        core.clearRecords();
    }
    void notStarted() {}

    // --- the handlers -----------------------------------------------------------------------
    void fire(TTimer& timer) { timer.OnTimer()(&timer); }
    void pollTick() { fire(form->tmrKeystroke); }
    void launchWatchTick() { fire(form->tmrLaunchCheck); }
    void strokeTick() { fire(form->tmrAccel); }
    void arrestTick() { fire(form->tmrDecel); }
    void fuelTick() { fire(form->tmrFuelOps); }
    void heartbeatTick() { fire(form->tmrFindNearest); }
    void autoArmingTick() { fire(form->tmrAutoCatArmCheck); }
    void gateTick() { fire(form->tmrIsCatchCheckNeeded); }
    void resetAction() { form->actResetProgram.Execute(); }
    void statusAction() { form->actShowStatus.Execute(); }
    void firstStart() { startProgram(); }

    // --- the simulator --------------------------------------------------------------------
    // The simulator answers `served` more exchanges, then none.
    void goSilentAfter(int served) {
        core.onServed = {};
        if (served == 0) {
            core.setFault({hf::sim::ServerFault::Kind::NoReply});
            return;
        }
        core.onServed = [this, left = served]() mutable {
            if (--left == 0) core.setFault({hf::sim::ServerFault::Kind::NoReply});
        };
    }
    void answerAgain() {
        core.onServed = {};
        core.setFault({});
    }

    // The state of the row, with no settings file yet: the stops that follow write it.
    void arrange() {
        answerAgain();
        (this->*GetParam().arrange)();
        std::filesystem::remove(settingsPath());
        core.clearRecords();
    }

    struct Cost {
        std::int64_t ms;
        int sends;
    };
    template <class F>
    Cost measure(F&& action) {
        const std::int64_t start = clock.nowMs();
        const int sends = port.sendCount();
        action();
        return {clock.nowMs() - start, port.sendCount() - sends};
    }
    Cost runRow() {
        return measure([this] { (this->*GetParam().run)(); });
    }

    std::filesystem::path settingsPath() const { return folder.path() / "Hookfast.INI"; }
    // The keys of the settings file, as "Section/Key".
    std::vector<std::string> settingsKeys() const {
        std::ifstream in(settingsPath(), std::ios::binary);
        std::vector<std::string> keys;
        std::string section;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() > 2 && line.front() == '[') {
                section = line.substr(1, line.size() - 2);
            } else if (const auto eq = line.find('='); eq != std::string::npos) {
                keys.push_back(section + "/" + line.substr(0, eq));
            }
        }
        return keys;
    }
};

const std::vector<std::string> AllSettingsKeys = {
    "General/LastDatFileUsed",
    "General/LastLeft",
    "General/LastTop",
    "General/ShowRemindersWhenDisabled",
    "General/SpecialSoundHandling",
    "General/PlayBattleDamageSounds",
    "General/PlayOpsSounds",
    "General/TimingResolutionFactor",
    "General/KeystrokeCompatibilityOption",
    "General/VerticalToolbarLeft",
    "General/VerticalToolbarTop",
    "CableOps/CableCatchAccelFactor",
    "CableOps/ShowCablesActiveMsg",
    "CableOps/DetectTrapsIfTailhookExtended",
    "CableOps/AddLateralVelocityWhenTrappingAnywhere",
    "CatapultOps/CatapultAccelFactor",
    "CatapultOps/CatapultSpeedCutoffKnots",
    "CatapultOps/CatapultHoldFactor",
    "CatapultOps/UseAircraftSmoke",
    "CatapultOps/AutoCatArming",
    "CatapultOps/ShowCatArmDisarmMsgs",
    "FuelOps/TransferRateIndex",
};

const HangRow HangRows[] = {
    {{"hot-key poll, idle"}, &HangTest::operating, &HangTest::pollTick},
    {{"launch watch disarms a catapult moved off"}, &HangTest::armedAndMovedOff,
     &HangTest::launchWatchTick},
    {{"mid-stroke"}, &HangTest::launching, &HangTest::strokeTick},
    {{"mid-arrest braking with special sound"}, &HangTest::braking, &HangTest::arrestTick},
    {{"arrest end with special sound"}, &HangTest::stopped, &HangTest::arrestTick},
    {{"fuel step 3 tanks"}, &HangTest::fuelingThreeTanks, &HangTest::fuelTick},
    {{"fuel step 6 tanks"}, &HangTest::fuelingSixTanks, &HangTest::fuelTick},
    {{"heartbeat reminder then search"}, &HangTest::disabledWithReminders,
     &HangTest::heartbeatTick},
    {{"automatic arming check then flight status"}, &HangTest::automaticArming,
     &HangTest::autoArmingTick},
    {{"trap gate then its reset"}, &HangTest::nearAZone, &HangTest::gateTick},
    {{"status line"}, &HangTest::operating, &HangTest::statusAction},
    {{"reset"}, &HangTest::operating, &HangTest::resetAction},
    {{"first start"}, &HangTest::notStarted, &HangTest::firstStart},
};

// The row's handler with the simulator answering: how many exchanges it makes and what it
// costs without a hang.
TEST_P(HangTest, AHangAtAnyExchangeCostsOneExchangesTriesAndTheCloseNone) {
    arrange();
    const std::size_t before = core.exchangeCount();
    const Cost answered = runRow();
    if (HasFatalFailure()) return;
    const auto exchanges = static_cast<int>(core.exchangeCount() - before);
    ASSERT_GE(exchanges, 1);
    if (form) form->Close();
    // The row's exchanges and the close's hang alike; the second is where the Parts' handlers
    // went on waiting.
    for (int served = 0; served < exchanges; ++served) {
        SCOPED_TRACE("silent after " + std::to_string(served) + " of " +
                     std::to_string(exchanges) + " exchanges");
        arrange();
        if (HasFatalFailure()) return;
        goSilentAfter(served);
        const Cost hung = runRow();
        EXPECT_EQ(hung.sends, served + Tries);
        EXPECT_GE(hung.ms, ExchangeTriesMs);
        EXPECT_LE(hung.ms, answered.ms + ExchangeTriesMs);

        // A start that the hang stopped leaves no settings to save; every other close, or
        // the stop of the reset before it, saved them whole.
        const bool operating = form->cmbDatFile.Enabled();
        const Cost close = measure([this] { form->Close(); });
        EXPECT_EQ(close.sends, 0);
        EXPECT_EQ(close.ms, 0);
        EXPECT_EQ(Link().ViewBase, nullptr);
        if (operating || GetParam().run != &HangTest::firstStart) {
            EXPECT_EQ(settingsKeys(), AllSettingsKeys);
        } else {
            EXPECT_FALSE(std::filesystem::exists(settingsPath()));
        }
    }
}

// After the hang the next operation tries the simulator once more, and only once; when it
// answers again the next tick is served as before and a reset makes the program operate.
TEST_P(HangTest, TheNextOperationTriesAgainAndAResetRecovers) {
    arrange();
    if (HasFatalFailure()) return;
    goSilentAfter(1);
    runRow();
    const bool open = Link().ViewBase != nullptr;

    const Cost nextTick = measure([this] { pollTick(); });
    EXPECT_EQ(nextTick.sends, open ? Tries : 0);
    const Cost nextAction = measure([this] { statusAction(); });
    EXPECT_EQ(nextAction.sends, open ? Tries : 0);

    answerAgain();
    if (open) {
        const Cost served = measure([this] { pollTick(); });
        EXPECT_EQ(served.sends, 1);
    }
    const std::int64_t resetAt = clock.nowMs();
    resetAction();
    EXPECT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    const auto shown = messagesSince(resetAt);
    EXPECT_NE(std::find(shown.begin(), shown.end(),
                        std::pair<std::string, int>{std::string(rs::HookfastEnabled), 3}),
              shown.end());
}

INSTANTIATE_TEST_SUITE_P(States, HangTest, ::testing::ValuesIn(HangRows), hf::testing::RowName);

class HangResetTest : public hf::testing::CatapultTest {};

// The pilot's reset after the simulator stopped answering: the farewell waits out its tries,
// the stop, the new connection's handshake and the close send nothing more; the settings the
// stop wrote are whole.
TEST_F(HangResetTest, AResetWhileHungWaitsOneExchangesTriesAndTheCloseNone) {
    startReady();
    const auto settings = folder.path() / "Hookfast.INI";
    std::filesystem::remove(settings);
    core.setFault({hf::sim::ServerFault::Kind::NoReply});
    std::int64_t start = clock.nowMs();
    int sends = port.sendCount();
    form->actResetProgram.Execute();
    EXPECT_EQ(port.sendCount() - sends, Tries);
    EXPECT_GE(clock.nowMs() - start, ExchangeTriesMs);
    EXPECT_LE(clock.nowMs() - start, ExchangeTriesMs + 1000);
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              std::string(ResultCodeTexts[LinkTimedOut]) + " -- Is FS running?");
    EXPECT_TRUE(std::filesystem::exists(settings));
    EXPECT_FALSE(form->cmbDatFile.Enabled());

    start = clock.nowMs();
    sends = port.sendCount();
    form->Close();
    EXPECT_EQ(port.sendCount() - sends, 0);
    EXPECT_EQ(clock.nowMs() - start, 0);
}

// A close that is the first to meet the silence waits out its farewell's tries, no more.
TEST_F(HangResetTest, ACloseThatFindsTheSilenceItselfWaitsOnlyForItsFarewell) {
    startReady();
    std::filesystem::remove(folder.path() / "Hookfast.INI");
    core.setFault({hf::sim::ServerFault::Kind::NoReply});
    const std::int64_t start = clock.nowMs();
    const int sends = port.sendCount();
    form->Close();
    EXPECT_EQ(port.sendCount() - sends, Tries);
    EXPECT_LE(clock.nowMs() - start, ExchangeTriesMs);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Hookfast.INI"));
}

}  // namespace
}  // namespace hf
