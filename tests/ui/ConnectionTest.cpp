// The connection check: which simulators and FSUIPC versions pass, and the status texts.
#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"
#include "TableRows.h"
#include "lang/ResultCodeTexts.h"

namespace hf {
namespace {

struct ConnectionCase : hf::testing::Row {
    bool serverRuns;
    std::uint16_t simulator;
    std::uint32_t version;
    bool accepted;
    std::string label;
};

class ConnectionTest : public hf::testing::ProgramTest,
                       public ::testing::WithParamInterface<ConnectionCase> {};

TEST_P(ConnectionTest, LabelResultAndLinkFollowTheServer) {
    const ConnectionCase& c = GetParam();
    if (!c.serverRuns) port.faults.windows = hf::sim::ServerWindows::None;
    core.setSimulator(c.simulator);
    core.setServerVersion(c.version);
    form = std::make_unique<TFormMain>(host, timers, view);

    EXPECT_EQ(form->ConnectToSimulator(), c.accepted);
    EXPECT_EQ(form->lblConnectionInfo.Caption(), c.label);
    EXPECT_EQ(Link().ViewBase != nullptr, c.accepted);  // a refusal closes the link
}

const std::string Fsx = "FSX connection status : Okay,  FSUIPC Ver : ";
const std::string Fs2004 = "FS2004 connection status : Okay,  FSUIPC Ver : ";
const std::string WrongSim = "Program only works with FS2004/X -- Connection Aborted";
const std::string OldFsuipc = "Program only works with FSUIPC 2.83 or later -- Connection Aborted";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectionTest,
    ::testing::Values(
        ConnectionCase{"NoServer", false, 8, 0x39990000, false,
                       "FSUIPC/WideClient not currently available -- Is FS running?"},
        ConnectionCase{"Fs2002", true, 6, 0x39990000, false, WrongSim},
        ConnectionCase{"IndexNine", true, 9, 0x39990000, false, WrongSim},
        ConnectionCase{"FsxBuildZ", true, 8, 0x3999001A, true, Fsx + "3.999z"},
        ConnectionCase{"Fs2004", true, 7, 0x36500000, true, Fs2004 + "3.650"},
        ConnectionCase{"Exactly283", true, 8, 0x28300000, true, Fsx + "2.830"},
        ConnectionCase{"Below283", true, 8, 0x28200000, false, OldFsuipc},
        ConnectionCase{"TwoNine", true, 8, 0x29000000, true, Fsx + "2.900"},
        ConnectionCase{"TwoTen", true, 8, 0x2A000000, true, Fsx + "2.:00"},
        ConnectionCase{"OneF", true, 8, 0x1F000000, false, OldFsuipc},
        ConnectionCase{"BuildWordLowByteZero", true, 8, 0x39990100, true, Fsx + "3.999`"}),
    hf::testing::RowName);

TEST(SupportedSimIndex, ExactAndCaseSensitive) {
    hf::testing::VirtualClock clock;
    hf::testing::TestHost host(clock, ".");
    hf::testing::HeadlessTimers timers(clock);
    HeadlessView view;
    TFormMain form(host, timers, view);
    EXPECT_EQ(form.SupportedSimIndex("FS2004"), 1);
    EXPECT_EQ(form.SupportedSimIndex("FSX"), 2);
    EXPECT_EQ(form.SupportedSimIndex("fsx"), 3);
    EXPECT_EQ(form.SupportedSimIndex("FS2002"), 3);
    EXPECT_EQ(form.SupportedSimIndex(""), 3);
}

}  // namespace
}  // namespace hf
