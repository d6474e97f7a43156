// Opening with the version handshake, and closing.
#include <cstdint>
#include <string>
#include <vector>

#include "LinkFixture.h"

using namespace hf;
using hf::sim::ServerWindows;

namespace {

std::vector<hf::sim::SimRecord::Kind> kinds(const std::vector<hf::sim::SimRecord>& records) {
    std::vector<hf::sim::SimRecord::Kind> out;
    for (const auto& r : records) out.push_back(r.kind);
    return out;
}

}  // namespace

TEST_F(LinkTest, ServerAnsweringAtOnceTakesOnePassAndOnePause) {
    core.setServerVersion(0x39990000);
    core.setSimulator(8);
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkOk);
    EXPECT_EQ(Link().ServerVersion, 0x39990000u);
    EXPECT_EQ(Link().SimVersion, 8u);
    EXPECT_EQ(Link().NextRequest, Link().ViewBase);

    ASSERT_EQ(core.exchangeCount(), 1u);
    const auto& pass1 = core.exchanges()[0];
    ASSERT_EQ(pass1.size(), 3u);
    EXPECT_EQ(pass1[0].offset, 0x3304u);
    EXPECT_EQ(pass1[1].offset, 0x3308u);
    EXPECT_EQ(pass1[2].kind, hf::sim::SimRecord::Write);
    EXPECT_EQ(pass1[2].offset, 0x330Au);
    EXPECT_EQ(pass1[2].size, 2u);
    EXPECT_EQ(core.libraryVersion(), 1004);
    EXPECT_EQ(port.sleeps(), std::vector<std::uint32_t>{100});
    EXPECT_EQ(clock.nowMs(), 100);
}

TEST_F(LinkTest, VersionZeroMeansFivePassesWithTheWriteOnlyInTheFirst) {
    port.faults.windows = ServerWindows::UipcOnly;
    core.setServerVersion(0);
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkBadVersion);
    ASSERT_EQ(core.exchangeCount(), 5u);
    using K = hf::sim::SimRecord::Kind;
    EXPECT_EQ(kinds(core.exchanges()[0]), (std::vector<K>{K::Read, K::Read, K::Write}));
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_EQ(kinds(core.exchanges()[i]), (std::vector<K>{K::Read, K::Read})) << i;
    EXPECT_EQ(port.sleptMs(), 500);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(port.openHandles(), 0u);
}

TEST_F(LinkTest, SimulatorWordZeroAlsoRetriesFivePasses) {
    core.setSimulatorWord(0);
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkWideClient);
    EXPECT_EQ(core.exchangeCount(), 5u);
}

struct VersionCase {
    ServerWindows windows;
    std::uint32_t version;
    std::uint32_t simWord;
    std::uint32_t code;
};

class VersionTest : public LinkTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, AcceptsFrom19980005WithTheTagAndNamesTheClass) {
    const VersionCase c = GetParam();
    port.faults.windows = c.windows;
    core.setServerVersion(c.version);
    core.setSimulatorWord(c.simWord);
    std::uint32_t code = 99;
    EXPECT_EQ(LinkOpen(0, code), c.code == LinkOk);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(Link().ServerVersion, c.version);  // kept after a refusal too
    if (c.code == LinkOk) EXPECT_EQ(Link().SimVersion, c.simWord & 0xFFFF);
    else EXPECT_EQ(Link().SimVersion, c.simWord);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionTest,
    ::testing::Values(
        VersionCase{ServerWindows::Fs98Only, 0x19980005, 0xFADE0008, LinkOk},
        VersionCase{ServerWindows::Fs98Only, 0x19980004, 0xFADE0008, LinkWideClient},
        VersionCase{ServerWindows::UipcOnly, 0x19980004, 0xFADE0008, LinkBadVersion},
        VersionCase{ServerWindows::Both, 0x19980004, 0xFADE0008, LinkBadVersion},
        VersionCase{ServerWindows::UipcOnly, 0x39990000, 0xFADF0008, LinkBadVersion},
        VersionCase{ServerWindows::Fs98Only, 0x39990000, 0x0000FADE, LinkWideClient},
        VersionCase{ServerWindows::UipcOnly, 0xFFFFFFFF, 0xFADE0007, LinkOk},
        VersionCase{ServerWindows::UipcOnly, 0x39990000, 0xFADEFFFF, LinkOk}));

TEST_F(LinkTest, RequiredSimulatorMustMatch) {
    core.setSimulator(8);
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(7, code));
    EXPECT_EQ(code, LinkWrongSim);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_TRUE(LinkOpen(8, code));
    EXPECT_EQ(code, LinkOk);
}

TEST_F(LinkTest, WindowSearchTriesUipcmainFirst) {
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkOpen(0, code));
    EXPECT_EQ(Link().ServerWindow, hf::sim::Fs98Window);
    ASSERT_GE(port.calls().size(), 2u);
    EXPECT_EQ(port.calls()[0], "FindWindowExA(UIPCMAIN)");
    EXPECT_EQ(port.calls()[1], "FindWindowExA(FS98MAIN)");
}

struct OpenFault {
    const char* what;
    void (*arrange)(hf::sim::Faults&);
    std::uint32_t code;
};

class OpenFailure : public LinkTest, public ::testing::WithParamInterface<OpenFault> {};

TEST_P(OpenFailure, GivesItsCodeAndLeavesNothingHeld) {
    GetParam().arrange(port.faults);
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, GetParam().code) << GetParam().what;
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(Link().NextRequest, nullptr);
    EXPECT_EQ(Link().MappingAtom, 0);
    EXPECT_EQ(Link().MappingHandle, 0u);
    EXPECT_EQ(port.liveAtoms(), 0u);
    EXPECT_EQ(port.openHandles(), 0u);
    EXPECT_EQ(port.mappedViews(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OpenFailure,
    ::testing::Values(
        OpenFault{"no window", [](auto& f) { f.windows = ServerWindows::None; }, LinkNoServer},
        OpenFault{"no message", [](auto& f) { f.registerMessageFails = true; }, LinkNoMessage},
        OpenFault{"no atom", [](auto& f) { f.atomFails = true; }, LinkNoAtom},
        OpenFault{"no mapping", [](auto& f) { f.mappingFails = true; }, LinkNoMapping},
        OpenFault{"name exists", [](auto& f) { f.mappingExists = true; }, LinkNoMapping},
        OpenFault{"no view", [](auto& f) { f.viewFails = true; }, LinkNoView},
        OpenFault{"hung server", [](auto& f) { f.hung = true; }, LinkTimedOut},
        OpenFault{"send fails",
                  [](auto& f) {
                      f.hung = true;
                      f.failedSendWaits = false;
                      f.lastErrorAfterFailedSend = 1400;
                  },
                  LinkSendFailed}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name) if (ch == ' ') ch = '_';
        return name;
    });

TEST_F(LinkTest, BadReplyDuringHandshakeClosesWithThirteen) {
    core.replyOverride = 2;
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkBadData);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(core.exchangeCount(), 1u);
}

TEST_F(LinkTest, HungServerBlocksOneExchangeOfTwentyOneSeconds) {
    port.faults.hung = true;
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(clock.nowMs(), 21000);
}

TEST_F(LinkTest, SecondOpenGivesOneAndLeavesTheFirstWorking) {
    open();
    const auto* view = Link().ViewBase;
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkAlreadyOpen);
    EXPECT_EQ(Link().ViewBase, view);
    EXPECT_EQ(port.sendCount(), 0);

    std::uint32_t version = 0;
    ASSERT_TRUE(LinkRead(0x3304, 4, &version, code));
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(version, hf::sim::DefaultServerVersion);
}

TEST_F(LinkTest, CloseGivesEverythingBackInOrderAndTwiceDoesNothing) {
    open();
    LinkClose();
    EXPECT_EQ(port.calls(),
              (std::vector<std::string>{"GlobalDeleteAtom", "UnmapViewOfFile", "CloseHandle"}));
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(Link().NextRequest, nullptr);
    EXPECT_EQ(Link().ServerWindow, 0u);
    EXPECT_EQ(Link().ServerMessage, 0u);
    EXPECT_EQ(port.liveAtoms() + port.openHandles() + port.mappedViews(), 0u);
    // The versions stay, so a refusal can still be described.
    EXPECT_EQ(Link().ServerVersion, hf::sim::DefaultServerVersion);
    EXPECT_EQ(Link().SimVersion, 8u);

    LinkClose();
    EXPECT_EQ(port.calls().size(), 3u);

    std::uint32_t code = 99;
    EXPECT_TRUE(LinkOpen(0, code));  // and it opens again
}

struct NameCase {
    std::uint32_t pid;
    const char* name;
};

class BlockName : public LinkTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(BlockName, HoldsTheProcessIdInCapitalHex) {
    port.setProcessId(GetParam().pid);
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkOpen(0, code));
    ASSERT_EQ(port.atomNames().size(), 1u);
    EXPECT_EQ(port.atomNames()[0], GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Pids, BlockName,
                         ::testing::Values(NameCase{6700, "FSASMLIB:IPC:1A2C:1"},
                                           NameCase{1, "FSASMLIB:IPC:1:1"},
                                           NameCase{0xABCDEF01, "FSASMLIB:IPC:ABCDEF01:1"}));

TEST_F(LinkTest, AnotherProcessesBlockDoesNotCollideButOurOwnNameDoes) {
    port.createForeignMapping("FSASMLIB:IPC:1A2D:1");  // a second instance, pid 6701
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkOpen(0, code));
    LinkClose();
    port.createForeignMapping("FSASMLIB:IPC:1A2C:1");
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, LinkNoMapping);
    EXPECT_EQ(port.openHandles(), 0u);  // our handle to the other object was closed
}

TEST(SimNamesTable, NamesTheNineSimulators) {
    EXPECT_EQ(hf::SimNames[0], "Any");
    EXPECT_EQ(hf::SimNames[6], "FS2002");
    EXPECT_EQ(hf::SimNames[7], "FS2004");
    EXPECT_EQ(hf::SimNames[8], "FSX");
}
