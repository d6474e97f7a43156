// Each edition shows its own texts, as Windows-1252 bytes, through the same logic. This file
// is built once per edition, with that edition's table and expected texts.
#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "ProgramFixture.h"
#include "lang/HFastResourceStrings.h"

namespace hf {
namespace {

using hf::testing::Expected;

class EditionTest : public hf::testing::ProgramTest {};

TEST_F(EditionTest, ConnectionTexts) {
    struct Case {
        bool serverRuns;
        std::uint16_t simulator;
        std::uint32_t version;
        std::string label;
    };
    for (const Case& c : {Case{false, 8, 0x39990000, Expected.noServer},
                          Case{true, 6, 0x39990000, Expected.wrongSim},
                          Case{true, 8, 0x28200000, Expected.oldFsuipc},
                          Case{true, 8, 0x3999001A, Expected.fsxStatus}}) {
        port.faults.windows =
            c.serverRuns ? hf::sim::ServerWindows::Fs98Only : hf::sim::ServerWindows::None;
        core.setSimulator(c.simulator);
        core.setServerVersion(c.version);
        TFormMain check(host, timers, view);
        check.ConnectToSimulator();
        EXPECT_EQ(check.lblConnectionInfo.Caption(), c.label);
        LinkClose();
    }
}

TEST_F(EditionTest, WindowTextsAndSimulatorMessages) {
    startProgram();
    EXPECT_EQ(form->Caption(), Expected.windowTitle);
    EXPECT_EQ(form->tabFlightStatus.Caption(), Expected.tabFlightStatus);
    EXPECT_EQ(form->rdgrpCtrlKeys.Items().at(0).Text, Expected.keyComboShift);
    EXPECT_EQ(form->lblOtherStatus.Caption(),
              "   (" + host.programFolderText() + "CableCatch.wav " + Expected.soundMissing +
                  ")   (" + host.programFolderText() + "Catapult.wav " + Expected.soundMissing +
                  ")");
    // Texts kept from the design in every edition.
    EXPECT_EQ(form->frmToolbar->Caption(), "HF");
    EXPECT_EQ(form->frmToolbar->Hint(), "HFast as Toolbar");
    EXPECT_EQ(form->frmToolbar->btnToolbarToggle.Hint(), "Return to HFast Main Window");

    form->actResetProgram.Execute();
    form->Close();
    std::vector<std::string> shown;
    // The start's search also announces the nearest carrier; that text has its own tests.
    for (const auto& message : core.messages()) {
        if (!message.text.starts_with(rs::NearestCablesAnnounce)) shown.push_back(message.text);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{Expected.enabled, Expected.resetting,
                                               Expected.enabled, Expected.deactivated}));
}

}  // namespace
}  // namespace hf
