// One exchange: sending the block, retries, the reply value, copying the answers back.
#include <array>
#include <cstdint>

#include "LinkFixture.h"

using namespace hf;

TEST_F(LinkTest, ExchangeFillsReadsAppliesWritesAndEmptiesTheQueue) {
    open();
    core.poke<std::uint32_t>(0x0BE8, 16383);
    core.poke<double>(0x3090, 123.5);
    std::uint32_t gear = 0;
    double speed = 0;
    const double accel = -35.0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0BE8, 4, &gear, code));
    ASSERT_TRUE(LinkWrite(0x3070, 8, &accel, code));
    ASSERT_TRUE(LinkRead(0x3090, 8, &speed, code));
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(code, LinkOk);
    EXPECT_EQ(gear, 16383u);
    EXPECT_EQ(speed, 123.5);
    EXPECT_EQ(core.peek<double>(0x3070), accel);
    EXPECT_EQ(port.sendCount(), 1);
    EXPECT_TRUE(port.sleeps().empty());  // first try answered: no pause
    EXPECT_EQ(Link().NextRequest, Link().ViewBase);
    EXPECT_EQ(u32At(16 + 4 + 12 + 8 + 16 + 8), 0u);  // the terminator after the last record

    EXPECT_FALSE(LinkProcess(code));  // straight after: nothing queued, nothing sent
    EXPECT_EQ(code, LinkNothingQueued);
    EXPECT_EQ(port.sendCount(), 1);
}

TEST_F(LinkTest, EmptyAndDestinationlessReadsAreServedButCopyNothing) {
    open();
    core.poke<std::uint32_t>(0x0AEC, 2);
    core.poke<std::uint32_t>(0x0B78, 40);
    std::uint32_t untouched = 0xDEADBEEF;
    std::uint32_t after = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0AEC, 0, &untouched, code));
    EXPECT_EQ(queuedBytes(), 16u);
    ASSERT_TRUE(LinkRead(0x0AEC, 4, nullptr, code));
    ASSERT_TRUE(LinkRead(0x0B78, 4, &after, code));
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(untouched, 0xDEADBEEFu);
    EXPECT_EQ(after, 40u);  // the walk stepped over both correctly
    ASSERT_EQ(core.exchanges().back().size(), 3u);
}

class BadReply : public LinkTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(BadReply, GivesThirteenAndCopiesNothing) {
    open();
    core.poke<std::uint32_t>(0x0BE8, 16383);
    core.replyOverride = GetParam();
    std::uint32_t gear = 7;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0BE8, 4, &gear, code));
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkBadData);
    EXPECT_EQ(gear, 7u);  // the server filled the block, the link must not take it
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkNothingQueued);
}

INSTANTIATE_TEST_SUITE_P(Replies, BadReply, ::testing::Values(0u, 2u));

struct SilentCase {
    std::uint32_t lastError;
    std::uint32_t expected;
};

class SilentServer : public LinkTest, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentServer, TenTriesOfTwoSecondsThenElevenOrTwelve) {
    open();
    port.faults.hung = true;
    port.faults.lastErrorAfterFailedSend = GetParam().lastError;
    std::uint32_t value = 5;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x3304, 4, &value, code));
    const auto start = clock.nowMs();
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, GetParam().expected);
    EXPECT_EQ(port.sendCount(), 10);
    EXPECT_EQ(port.sleeps(), std::vector<std::uint32_t>(10, 100));  // also after the tenth
    EXPECT_EQ(clock.nowMs() - start, 10 * (2000 + 100));
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(Link().NextRequest, Link().ViewBase);
}

INSTANTIATE_TEST_SUITE_P(LastError, SilentServer,
                         ::testing::Values(SilentCase{0, LinkTimedOut},
                                           SilentCase{1460, LinkTimedOut},  // ERROR_TIMEOUT
                                           SilentCase{1400, LinkSendFailed},
                                           SilentCase{5, LinkSendFailed}));

TEST_F(LinkTest, FourthTrySucceedsAfterThreePauses) {
    open();
    port.faults.failSends = 3;
    core.poke<std::uint32_t>(0x0BE8, 1);
    std::uint32_t gear = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0BE8, 4, &gear, code));
    const auto start = clock.nowMs();
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(gear, 1u);
    EXPECT_EQ(port.sendCount(), 4);
    EXPECT_EQ(port.sleptMs(), 300);
    EXPECT_EQ(clock.nowMs() - start, 3 * 2000 + 300);
}

TEST_F(LinkTest, ReadsQueuedInOneExchangeLandInTheirOwnBuffers) {
    open();
    // As many 4-byte reads as fit: every answer must reach its own caller's variable.
    constexpr std::uint32_t reads = (32512 - 4) / 20;
    static std::array<std::uint32_t, reads> values{};
    for (std::uint32_t i = 0; i < reads; ++i) core.poke<std::uint32_t>(4 * i, i * 7 + 1);
    std::uint32_t code = 99;
    for (std::uint32_t i = 0; i < reads; ++i) ASSERT_TRUE(LinkRead(4 * i, 4, &values[i], code));
    ASSERT_TRUE(LinkProcess(code));
    for (std::uint32_t i = 0; i < reads; ++i) ASSERT_EQ(values[i], i * 7 + 1) << i;
}

TEST_F(LinkTest, ServerWindowGoneFailsEachSendAtOnceWithTwelve) {
    open();
    port.faults.windows = hf::sim::ServerWindows::None;  // the simulator was closed
    std::uint32_t value = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x3304, 4, &value, code));
    const auto start = clock.nowMs();
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkSendFailed);
    EXPECT_EQ(port.sendCount(), 10);
    EXPECT_EQ(clock.nowMs() - start, 10 * 100);
    EXPECT_NE(Link().ViewBase, nullptr);  // the link stays open: callers decide
}
