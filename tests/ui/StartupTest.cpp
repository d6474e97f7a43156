// Start-up, reset and shutdown of the whole window, headless against the stand-in.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "lang/ResultCodeTexts.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

// Records every caption a label shows, in order.
class CaptionLog final : public ControlObserver {
public:
    explicit CaptionLog(const TLabel& label) : label_(label) {}
    void ControlChanged(TControl& control) override {
        if (&control != &label_) return;
        if (captions.empty() || captions.back() != label_.Caption()) {
            captions.push_back(label_.Caption());
        }
    }
    void FormChanged(TForm&) override {}
    std::vector<std::string> captions;

private:
    const TLabel& label_;
};

class StartupTest : public hf::testing::ProgramTest {
protected:
    std::string folderText() const { return host.programFolderText(); }
    bool scheduled(const TTimer& timer) const { return timers.Scheduled(timer); }
};

TEST_F(StartupTest, FirstStartWithoutSimulatorShowsWhyAndStaysDisabled) {
    port.faults.windows = hf::sim::ServerWindows::None;
    startProgram();

    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              std::string(ResultCodeTexts[LinkNoServer]) + " -- Is FS running?");
    EXPECT_FALSE(form->pgMain.Enabled());
    EXPECT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_FALSE(form->btnManualDisable.Enabled());
    EXPECT_TRUE(form->btnReset.Enabled());
    EXPECT_EQ(form->lblOtherStatus.Caption(),
              "   (" + folderText() + "CableCatch.wav not found)   (" + folderText() +
                  "Catapult.wav not found)");
    // The three timers enabled at load run whatever the start did.
    for (const TTimer* timer : {&form->tmrIsCatchCheckNeeded, &form->tmrAutoCatArmCheck,
                                &form->tmrFuelOps}) {
        EXPECT_TRUE(scheduled(*timer)) << timer->Name();
    }
    for (const TTimer* timer : {&form->tmrCheckForCatch, &form->tmrFindNearest, &form->tmrDecel,
                                &form->tmrAccel, &form->tmrKeystroke, &form->tmrLaunchCheck}) {
        EXPECT_FALSE(scheduled(*timer)) << timer->Name();
    }
    // A first start that stopped before the settings load keeps the design texts.
    EXPECT_EQ(form->lblCatapultKey.Caption(), "SHIFT+CTRL+F9   Arm/Disarm Catapult");
    EXPECT_EQ(form->rdgrpCtrlKeys.ItemIndex(), -1);
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), -1);

    timers.Advance(5000);
    form->Close();
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Hookfast.INI"));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(StartupTest, FormCreatePreparesTheWindowBeforeTheStart) {
    startProgram();
    EXPECT_EQ(form->Caption(), "Hookfast v2.6 Freeware for FS2004/X");
    EXPECT_EQ(form->pgMain.ActivePage(), &form->tabFlightStatus);
    EXPECT_EQ(form->ProgramFolder, folderText());
    EXPECT_EQ(form->lblActivelyCheckingStatus.Left(),
              form->lblCatchCheckStatusLabel.Left() + form->lblCatchCheckStatusLabel.Width() + 9);
    ASSERT_NE(form->frmToolbar, nullptr);
    EXPECT_FALSE(form->frmToolbar->Visible());
    EXPECT_EQ(form->frmToolbar->ClientWidth(), 30);
    EXPECT_EQ(form->frmToolbar->btnFuelOffload.Caption(), "F-  ");
    EXPECT_EQ(form->frmToolbar->btnFuelOffload.Hint(), "Fuel OFFload");
    EXPECT_EQ(form->frmToolbar->btnToolbarToggle.Hint(), "Return to HFast Main Window");
    EXPECT_EQ(form->btnReset.Caption(), "Reset Program and Connection");
    EXPECT_EQ(form->frmToolbar->btnReset.Caption(), "Rst ");

    const auto& rates = form->rdgrpFuelTransferRate.Items();
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0].Text, "500 GPM (drogue)");
    EXPECT_EQ(rates[0].Object, 69905067u);
    EXPECT_EQ(rates[1].Object, 167772160u);
    EXPECT_TRUE(form->chkbxDetectTailhook.ShowHint());
    EXPECT_EQ(form->chkbxDetectTailhook.Hint(), form->chkbxDetectTailhook.Caption());
    for (std::size_t j = 0; j < 8; ++j) EXPECT_EQ(form->EngineBitMask[j], float(1u << j));
    EXPECT_EQ(form->InsideAngleLimit, 1.5707963267948966);
}

TEST_F(StartupTest, StartShowsHookfastEnabledOnceAndAgainAfterEveryReset) {
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(), "FSX connection status : Okay,  FSUIPC Ver : 3.999");
    EXPECT_TRUE(form->pgMain.Enabled());
    EXPECT_TRUE(form->cmbDatFile.Enabled());
    EXPECT_TRUE(form->btnManualDisable.Enabled());
    for (const TTimer* timer : {&form->tmrFindNearest, &form->tmrIsCatchCheckNeeded,
                                &form->tmrAutoCatArmCheck}) {
        EXPECT_TRUE(scheduled(*timer)) << timer->Name();
    }
    timers.Advance(14000);
    // The first search announces the nearest carrier; a reset does not announce it again.
    EXPECT_EQ(messages(), (Messages{{"Hookfast enabled", 3},
                                    {"Nearest cables: (rwy hdg 75) \"CVN-69 Eisenhower\"", 5}}));

    for (int reset = 0; reset < 2; ++reset) {
        const std::int64_t before = clock.nowMs() - 1;
        form->actResetProgram.Execute();
        timers.Advance(14000);
        EXPECT_EQ(messagesSince(before),
                  (Messages{{"HFast disabled while resetting", 3}, {"Hookfast enabled", 3}}));
    }
    EXPECT_EQ(host.cursorChanges, (std::vector<bool>{true, false, true, false}));

    const std::int64_t beforeClose = clock.nowMs() - 1;
    form->Close();
    EXPECT_EQ(messagesSince(beforeClose), (Messages{{"Hookfast deactivated", 8}}));
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_FALSE(scheduled(form->tmrFindNearest));
    EXPECT_TRUE(scheduled(form->tmrFuelOps));  // runs on after a stop
}

TEST_F(StartupTest, ResetDuringAManoeuvreStopsItAndClearsTheRunState) {
    startProgram();
    timers.Advance(300);
    form->tmrDecel.SetEnabled(true);
    form->tmrAccel.SetEnabled(true);
    form->tmrLaunchCheck.SetEnabled(true);
    form->tmrCheckForCatch.SetEnabled(true);
    form->tmrKeystroke.SetEnabled(true);
    form->InstallTrapAnywhereHandlerPair();
    EXPECT_TRUE(scheduled(form->tmrDecel));  // installing a pair switches nothing
    form->TrapAnywhereArmed = true;
    form->FuelLoadActive = true;
    form->TankCapacity = {100, 0, 200, 0, 0, 0};
    form->LastArrestEndTime = form->Host().MonotonicMs();
    form->NearestZoneIndex = 0;
    const std::int64_t fuelTick = timers.NextTickMs(form->tmrFuelOps);
    const std::int64_t armTick = timers.NextTickMs(form->tmrAutoCatArmCheck);

    CaptionLog armStatus(form->lblCatArmStatus);
    form->SetObserver(&armStatus);
    form->actResetProgram.Execute();
    form->SetObserver(nullptr);

    for (const TTimer* timer : {&form->tmrDecel, &form->tmrAccel, &form->tmrLaunchCheck,
                                &form->tmrCheckForCatch}) {
        EXPECT_FALSE(scheduled(*timer)) << timer->Name();
    }
    EXPECT_TRUE(scheduled(form->tmrKeystroke));  // the start registered the keys again
    EXPECT_EQ(form->tmrIsCatchCheckNeeded.OnTimer().Name,
              "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_EQ(form->tmrDecel.OnTimer().Name, "tmrDecelTimer");
    EXPECT_TRUE(scheduled(form->tmrIsCatchCheckNeeded));
    EXPECT_TRUE(scheduled(form->tmrFindNearest));
    // The two timers that run on after a stop keep their phase through the reset.
    EXPECT_EQ(timers.NextTickMs(form->tmrFuelOps), fuelTick);
    EXPECT_EQ(timers.NextTickMs(form->tmrAutoCatArmCheck), armTick);
    // The stop shows the catapult disarmed; the start's state reset then clears the label.
    EXPECT_EQ(armStatus.captions, (std::vector<std::string>{"Catapult disarmed", ""}));
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(form->TankCapacity, (std::array<std::uint32_t, 6>{}));
    EXPECT_EQ(form->LastArrestEndTime, 0u);
    // The reset forgot the nearest zone: the start's heartbeat says "enabled" again.
    EXPECT_EQ(core.messages().back().text, "Hookfast enabled");
    EXPECT_FALSE(form->btnManualDisable.Down());
    EXPECT_FALSE(form->frmToolbar->btnManualOverride.Down());
}

// A failure inside the stop, made by a label that cannot be measured (the view's seam).
void FailWhenMeasuring(TFormMain& form, std::string_view text) {
    form.SetTextMeasure([text](const TControl&, std::string_view measured) -> int {
        if (measured == text) throw std::runtime_error("Out of system resources");
        return static_cast<int>(measured.size()) * 5;
    });
}

TEST_F(StartupTest, ResetLetsAnErrorTravelOnButRestoresTheCursor) {
    startProgram();
    FailWhenMeasuring(*form, "Catapult disarmed");
    EXPECT_THROW(form->actResetProgram.Execute(), std::runtime_error);
    EXPECT_EQ(host.cursorChanges, (std::vector<bool>{true, false}));
}

TEST_F(StartupTest, ClosingEndsTheProgramEvenWhenTheStopFails) {
    startProgram();
    FailWhenMeasuring(*form, "Catapult disarmed");
    EXPECT_THROW(form->Close(), std::runtime_error);
    EXPECT_TRUE(form->Closed());
    form->Close();  // a second close does not run the stop again
    EXPECT_EQ(messages().back(), (std::pair<std::string, int>{"Hookfast deactivated", 8}));
    EXPECT_EQ(messages().size(), 3u);  // enabled, the nearest carrier, deactivated
}

// A simulator that stopped answering (hung: every try waits out its 2 s; gone: every try
// fails at once) costs a close one failed exchange, the farewell, and no hot-key releases.
// The slots stay recorded, the settings are saved and the link is closed; a reset likewise
// waits for its farewell only: its start's handshake with the same window fails at once.
TEST_F(StartupTest, AStopMakesNoExchangesAfterOneFailedAllItsTries) {
    struct Case {
        const char* what;
        bool waits;
        std::int64_t exchangeMs;  // one exchange that fails all ten tries
    };
    for (const Case& c : {Case{"hung", true, 10 * 2100}, Case{"gone", false, 10 * 100}}) {
        SCOPED_TRACE(c.what);
        startProgram();
        port.faults.hung = true;
        port.faults.failedSendWaits = c.waits;

        std::int64_t start = clock.nowMs();
        form->actResetProgram.Execute();
        EXPECT_LE(clock.nowMs() - start, c.exchangeMs);  // the farewell
        EXPECT_FALSE(form->cmbDatFile.Enabled());

        port.faults.hung = false;
        startProgram();  // a fresh start; then the simulator stops answering
        std::filesystem::remove(folder.path() / "Hookfast.INI");
        port.faults.hung = true;
        start = clock.nowMs();
        form->Close();
        EXPECT_LE(clock.nowMs() - start, c.exchangeMs);
        EXPECT_EQ(Link().ViewBase, nullptr);
        EXPECT_NE(form->ManualOverrideKeySlot, 0u);
        EXPECT_TRUE(std::filesystem::exists(folder.path() / "Hookfast.INI"));
        port.faults = {};
    }
}

TEST_F(StartupTest, SoundFilesAreOpenedOncePerProcessAndAMissingOneIsPickedUpByAReset) {
    folder.write("CableCatch.wav");
    host.failingWaves.insert(folderText() + "Catapult.wav");
    folder.write("Catapult.wav");
    startProgram();
    EXPECT_EQ(form->lblOtherStatus.Caption(),
              "   (" + folderText() + "Catapult.wav not found)");  // exists but failed to open
    EXPECT_EQ(form->mplyrCatapultSound.FileName(), "");

    host.failingWaves.clear();
    form->actResetProgram.Execute();
    EXPECT_EQ(form->lblOtherStatus.Caption(), "Sound files found");
    form->actResetProgram.Execute();
    int opens = 0;
    for (const auto& event : host.waveEvents) opens += event.action == "open";
    EXPECT_EQ(opens, 3);  // catch once, catapult failed once and then once
}

TEST_F(StartupTest, ToolbarStandsInForTheMainWindowAndBack) {
    startProgram();
    form->btnToolbar.Click();
    EXPECT_TRUE(form->frmToolbar->Visible());
    EXPECT_FALSE(form->Visible());
    form->frmToolbar->btnToolbarToggle.Click();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->frmToolbar->Visible());
    EXPECT_TRUE(scheduled(form->tmrFindNearest));
    // Alt+F4 closes even a window without a close box: the main window comes back.
    form->btnToolbar.Click();
    form->frmToolbar->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->frmToolbar->Visible());
}

TEST_F(StartupTest, HeartbeatBlinksTheFlightStatusAndRemindsWhileDisabled) {
    startProgram();
    EXPECT_EQ(form->lblFlightStatus.Color(), clWhite);  // the start's tick
    form->NearestZoneIndex = 0;  // a zone is known: no more "enabled" message
    form->btnManualDisable.SetDown(true);
    form->chkbxShowDisableReminders.SetChecked(true);
    form->lblCableCatchStatus.SetCaption("Cables were CAUGHT.");
    const std::int64_t before = clock.nowMs();
    timers.Advance(15000);
    EXPECT_EQ(form->lblFlightStatus.Color(), clBtnFace);
    EXPECT_EQ(messagesSince(before), (Messages{{"HFast has been manually disabled", 3}}));
    EXPECT_EQ(form->lblCableCatchStatus.Caption(), "");
    form->chkbxShowDisableReminders.SetChecked(false);
    timers.Advance(15000);
    EXPECT_EQ(form->lblFlightStatus.Color(), clWhite);
    EXPECT_EQ(messagesSince(before).size(), 1u);
}

}  // namespace
}  // namespace hf
