// The settings file: what a start reads from it and what a stop writes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ZonesFixture.h"
#include "deck/Profile.h"
#include "deck/SettingsFile.h"

namespace hf::testing {
namespace {

class SettingsTest : public ZonesTest {};

struct SettingsCase {
    const char* name;
    std::string ini;
    std::function<void(const TFormMain&)> expect;
};

TEST_F(SettingsTest, EachValueIsReadWithItsTypeRangeAndDefault) {
    const std::vector<SettingsCase> cases = {
        {"hold factor below range", "[CatapultOps]\r\nCatapultHoldFactor=20\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.CatapultHoldFactor, -50);
             EXPECT_EQ(f.edtCatapultHoldFactor.Text(), "50");
         }},
        {"hold factor in range", "[CatapultOps]\r\nCatapultHoldFactor=120\r\n",
         [](const TFormMain& f) { EXPECT_EQ(f.CatapultHoldFactor, -120); }},
        {"deceleration too strong", "[CableOps]\r\nCableCatchAccelFactor=-2000\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.CableCatchAccel, -700.0);
             EXPECT_EQ(f.edtDecelFactor.Text(), "-700");
             EXPECT_NEAR(f.LateralAccel, 98.3786, 1e-4);
         }},
        {"deceleration positive", "[CableOps]\r\nCableCatchAccelFactor=5\r\n",
         [](const TFormMain& f) { EXPECT_EQ(f.CableCatchAccel, -700.0); }},
        {"deceleration with a half", "[CableOps]\r\nCableCatchAccelFactor=-712.5\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.edtDecelFactor.Text(), "-712");
             EXPECT_EQ(f.updwnDecelFactor.Position(), -712);
             EXPECT_EQ(f.CableCatchAccel, -712.0);  // the shown value came back through the edit
         }},
        {"acceleration too large for a double", "[CatapultOps]\r\nCatapultAccelFactor=1e999\r\n",
         [](const TFormMain& f) { EXPECT_EQ(f.CatapultAccel, 700.0); }},
        {"cut-off at the top", "[CatapultOps]\r\nCatapultSpeedCutoffKnots=180\r\n",
         [](const TFormMain& f) { EXPECT_DOUBLE_EQ(f.CatapultSpeedCutoffFps, 304.02); }},
        {"cut-off above", "[CatapultOps]\r\nCatapultSpeedCutoffKnots=181\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.CatapultSpeedCutoff, 120);
             EXPECT_DOUBLE_EQ(f.CatapultSpeedCutoffFps, 202.68);
         }},
        {"timing zero", "[General]\r\nTimingResolutionFactor=0\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.TimingResolutionFactor, 1);
             EXPECT_EQ(f.tmrDecel.Interval(), 10u);
             EXPECT_EQ(f.tmrAccel.Interval(), 5u);
         }},
        {"timing 21", "[General]\r\nTimingResolutionFactor=21\r\n",
         [](const TFormMain& f) { EXPECT_EQ(f.TimingResolutionFactor, 1); }},
        {"timing 20", "[General]\r\nTimingResolutionFactor=20\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.tmrDecel.Interval(), 200u);
             EXPECT_EQ(f.tmrAccel.Interval(), 100u);
         }},
        {"choices out of range", "[General]\r\nKeystrokeCompatibilityOption=5\r\n[FuelOps]\r\nTransferRateIndex=2\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.rdgrpCtrlKeys.ItemIndex(), 0);
             EXPECT_EQ(f.rdgrpFuelTransferRate.ItemIndex(), 0);
         }},
        {"choices negative and one", "[General]\r\nKeystrokeCompatibilityOption=-1\r\n[FuelOps]\r\nTransferRateIndex=1\r\n",
         [](const TFormMain& f) {
             EXPECT_EQ(f.rdgrpCtrlKeys.ItemIndex(), 0);
             EXPECT_EQ(f.rdgrpFuelTransferRate.ItemIndex(), 1);
         }},
        {"a last line ending in the DOS end-of-file mark", "[FuelOps]\r\nTransferRateIndex=1\x1A",
         [](const TFormMain& f) { EXPECT_EQ(f.rdgrpFuelTransferRate.ItemIndex(), 1); }},
        {"boolean forms and hexadecimal",
         "[General]\r\nPlayOpsSounds=2\r\nShowRemindersWhenDisabled=yes\r\nLastLeft=0x1F\r\n"
         "[CatapultOps]\r\nAutoCatArming=yes\r\nShowCatArmDisarmMsgs=0\r\n",
         [](const TFormMain& f) {
             EXPECT_TRUE(f.chkbxOpsSounds.Checked());
             EXPECT_TRUE(f.chkbxShowDisableReminders.Checked());  // its default
             EXPECT_FALSE(f.chkbxAutoCatArming.Checked());        // its default
             EXPECT_FALSE(f.chkbxShowCatArmMsgs.Checked());
             EXPECT_EQ(f.Left(), 31);
         }},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("Hookfast.INI", c.ini);
        form.reset();
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
        c.expect(*form);
        form->Close();
    }
}

TEST_F(SettingsTest, WithoutAFileTheDefaultsStandAndTheFileAppears) {
    startProgram();
    EXPECT_EQ(form->Left(), 300);
    EXPECT_EQ(form->Top(), 200);
    EXPECT_EQ(form->frmToolbar->Left(), 0);
    EXPECT_EQ(form->frmToolbar->Top(), 124);
    EXPECT_EQ(form->CatapultHoldFactor, -50);
    EXPECT_EQ(form->CatapultAccel, 700.0);
    EXPECT_TRUE(form->chkbxShowDisableReminders.Checked());
    EXPECT_TRUE(form->chkbxLateralOffsetTrapAnywhere.Checked());
    EXPECT_TRUE(form->chkbxShowCatArmMsgs.Checked());
    EXPECT_FALSE(form->chkbxDetectTailhook.Checked());
    EXPECT_EQ(readFile("Hookfast.INI"), "[General]\r\nLastDatFileUsed=Hookfast.dat\r\n");

    form->Close();
    EXPECT_EQ(readFile("Hookfast.INI"),
              "[General]\r\nLastDatFileUsed=Hookfast.dat\r\nLastLeft=300\r\nLastTop=200\r\n"
              "ShowRemindersWhenDisabled=1\r\nSpecialSoundHandling=0\r\nPlayBattleDamageSounds=0\r\n"
              "PlayOpsSounds=0\r\nTimingResolutionFactor=1\r\nKeystrokeCompatibilityOption=0\r\n"
              "VerticalToolbarLeft=0\r\nVerticalToolbarTop=124\r\n\r\n"
              "[CableOps]\r\nCableCatchAccelFactor=-700\r\nShowCablesActiveMsg=0\r\n"
              "DetectTrapsIfTailhookExtended=0\r\nAddLateralVelocityWhenTrappingAnywhere=1\r\n\r\n"
              "[CatapultOps]\r\nCatapultAccelFactor=700\r\nCatapultSpeedCutoffKnots=120\r\n"
              "CatapultHoldFactor=50\r\nUseAircraftSmoke=0\r\nAutoCatArming=0\r\n"
              "ShowCatArmDisarmMsgs=1\r\n\r\n[FuelOps]\r\nTransferRateIndex=0\r\n");
}

TEST_F(SettingsTest, OptionsChangedOnScreenSurviveAResetAndTheSaveKeepsOtherLines) {
    const std::string ini =
        "; my settings\r\n[General]\r\nLastLeft=40\r\nMyOwnKey=keep me\r\n\r\n"
        "[Extra]\r\nAnything=1\r\n\r\n[CatapultOps]\r\n; the hold factor\r\nCatapultHoldFactor=120\r\n";
    writeFile("Hookfast.INI", ini);
    startProgram();
    form->updwnCatapultCutoff.ClickArrow(true);
    form->chkbxCatSmoke.Click();
    form->rdgrpCtrlKeys.SetItemIndex(1);
    form->frmToolbar->MovedTo(600, 50);
    form->MovedTo(41, 42);
    form->actResetProgram.Execute();  // the stop writes, the start reads back
    EXPECT_EQ(form->CatapultSpeedCutoff, 130);
    EXPECT_TRUE(form->chkbxCatSmoke.Checked());
    EXPECT_EQ(form->rdgrpCtrlKeys.ItemIndex(), 1);
    EXPECT_EQ(form->frmToolbar->Left(), 600);
    EXPECT_EQ(form->Top(), 42);
    form->Close();

    const std::string saved = readFile("Hookfast.INI");
    for (const char* line : {"; my settings\r\n[General]\r\nLastLeft=41\r\nMyOwnKey=keep me\r\n",
                             "\r\n[Extra]\r\nAnything=1\r\n\r\n[CatapultOps]\r\n; the hold factor\r\n"
                             "CatapultHoldFactor=120\r\n",
                             "CatapultSpeedCutoffKnots=130\r\n", "UseAircraftSmoke=1\r\n",
                             "KeystrokeCompatibilityOption=1\r\n", "VerticalToolbarTop=50\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
}

TEST_F(SettingsTest, NothingIsWrittenWhileNoZoneFileIsLoaded) {
    const std::string ini = "[General]\r\nLastDatFileUsed=Hookfast.dat\r\nLastLeft=10\r\n";
    writeFile("Hookfast.INI", ini);
    writeFile("Hookfast.dat", "[Zone01]\r\nCarrierIdent=incomplete\r\n");
    startProgram();
    ASSERT_FALSE(form->cmbDatFile.Enabled());
    form->MovedTo(77, 77);
    form->SaveSettings();
    form->Close();
    EXPECT_EQ(readFile("Hookfast.INI"), ini);
}

TEST_F(SettingsTest, AnInterruptedSaveLeavesTheOldFileAndReportsThePath) {
    startProgram();
    const std::string before = readFile("Hookfast.INI");
    // The temporary file beside it cannot be written: the write stops before any replace.
    host.files.faults.diskFull = true;
    try {
        form->Close();
        ADD_FAILURE() << "the save did not fail";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path("Hookfast.INI"));
    }
    EXPECT_EQ(readFile("Hookfast.INI"), before);
}

// A read-only settings file cannot be written, as the system's writer says; the reset still
// starts the program again, and the error is reported once, afterwards.
TEST_F(SettingsTest, AReadOnlySettingsFileDoesNotLeaveAHalfStoppedProgram) {
    namespace fs = std::filesystem;
    startProgram();
    const fs::path ini = folder.path() / "Hookfast.INI";
    const std::string before = readFile("Hookfast.INI");
    const fs::perms writable = fs::status(ini).permissions();
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::int64_t resetAt = clock.nowMs();
    try {
        form->actResetProgram.Execute();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path("Hookfast.INI"));
    }
    EXPECT_TRUE(form->cmbDatFile.Enabled());
    EXPECT_TRUE(form->pgMain.Enabled());
    EXPECT_NE(Link().ViewBase, nullptr);
    EXPECT_EQ(form->lblConnectionInfo.Caption(), "FSX connection status : Okay,  FSUIPC Ver : 3.999");
    EXPECT_TRUE(scheduled(form->tmrIsCatchCheckNeeded));
    EXPECT_TRUE(scheduled(form->tmrKeystroke));
    EXPECT_EQ(messagesSince(resetAt).back(), (std::pair<std::string, int>{"Hookfast enabled", 3}));
    EXPECT_EQ(readFile("Hookfast.INI"), before);

    // The close still frees everything and closes the link before it reports the error.
    EXPECT_THROW(form->Close(), SettingsWriteError);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(form->CatchZones, nullptr);
    EXPECT_EQ(readFile("Hookfast.INI"), before);
    fs::permissions(ini, writable);
}

TEST_F(SettingsTest, TheDefaultChoiceThatCannotBeRecordedStopsTheStart) {
    host.files.faults.diskFull = true;
    startProgram();
    EXPECT_EQ(form->lblConnectionInfo.Caption(),
              "Connection to FSUIPC OK, but...Unable to write to " + path("Hookfast.INI"));
    EXPECT_FALSE(form->cmbDatFile.Enabled());
}

// Where the settings file itself can be written, the start records the default zone file
// and the close saves the options: in a folder whose path leaves room for the file's name
// and no more, and with the file held open by another program sharing reading and writing.
TEST_F(SettingsTest, TheSettingsAreSavedWhereverTheFileCanBeWritten) {
    const std::vector<std::pair<const char*, std::function<void(FileFaults&)>>> cases = {
        {"a path with no room to spare",
         [this](FileFaults& f) { f.maxPathLength = path("Hookfast.INI").size(); }},
        {"held by another program", [](FileFaults& f) { f.replaceRefused = FileReplace::Held; }},
    };
    for (const auto& [name, fault] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove(folder.path() / "Hookfast.INI");
        host.files.faults = {};
        fault(host.files.faults);
        form.reset();
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
        EXPECT_EQ(readFile("Hookfast.INI"), "[General]\r\nLastDatFileUsed=Hookfast.dat\r\n");
        form->chkbxCatSmoke.Click();
        form->Close();
        EXPECT_NE(readFile("Hookfast.INI").find("UseAircraftSmoke=1\r\n"), std::string::npos);
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
        }
    }
}

TEST_F(SettingsTest, TheClickHandlingRunsWhenTheLoadChangesAStateAndForAShownWindow) {
    writeFile("Hookfast.INI", "[CatapultOps]\r\nAutoCatArming=1\r\n");
    int keyClicks = 0, autoArmClicks = 0;
    startWith([&](TFormMain& f) {
        f.rdgrpCtrlKeys.OnClick = {"counted", [&, inner = f.rdgrpCtrlKeys.OnClick](TObject* s) {
                                       ++keyClicks;
                                       inner(s);
                                   }};
        f.chkbxAutoCatArming.OnClick = {"counted", [&, inner = f.chkbxAutoCatArming.OnClick](
                                                       TObject* s) {
                                            ++autoArmClicks;
                                            inner(s);
                                        }};
    });
    EXPECT_EQ(keyClicks, 1);  // the first selection; the window was not shown yet
    EXPECT_EQ(autoArmClicks, 1);
    EXPECT_TRUE(form->HotKeysRegistered);

    form->actResetProgram.Execute();  // same choice, window shown
    EXPECT_EQ(keyClicks, 2);
    EXPECT_EQ(autoArmClicks, 1);

    form->btnToolbar.Click();  // main window hidden, choice unchanged
    form->actResetProgram.Execute();
    EXPECT_EQ(keyClicks, 2);
    EXPECT_TRUE(form->HotKeysRegistered);
}

}  // namespace
}  // namespace hf::testing
