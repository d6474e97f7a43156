// A server that let an exchange use all its tries: the exchanges after it fail at once with
// that exchange's code, without sending or sleeping, until a fresh attempt.
#include <cstdint>
#include <vector>

#include "LinkFixture.h"
#include "tests/ui/TableRows.h"

using namespace hf;
using hf::testing::Row;

namespace {

struct SilenceRow : Row {
    std::uint32_t lastError;  // what GetLastError gives after the failed sends
    bool sendsWait;           // a hung window (2000 ms a try) or a gone one (fails at once)
    std::uint32_t code;
    std::int64_t triesMs;     // the ten tries of the exchange that finds the silence
};

const SilenceRow SilenceRows[] = {
    {{"hung timed out with no error"}, 0, true, LinkTimedOut, 10 * 2100},
    {{"hung timed out with ERROR_TIMEOUT"}, 1460, true, LinkTimedOut, 10 * 2100},
    {{"window gone"}, 1400, false, LinkSendFailed, 10 * 100},
};

class SilentServerTest : public LinkTest, public ::testing::WithParamInterface<SilenceRow> {
protected:
    void silence() {
        port.faults.hung = true;
        port.faults.failedSendWaits = GetParam().sendsWait;
        port.faults.lastErrorAfterFailedSend = GetParam().lastError;
    }
    // One read of the server version through one exchange; its code and the time it took.
    struct Outcome {
        bool ok;
        std::uint32_t code;
        std::int64_t ms;
        int sends;
        std::size_t sleeps;
        std::uint32_t value;
    };
    Outcome exchange() {
        const std::int64_t start = clock.nowMs();
        const int sends = port.sendCount();
        const std::size_t sleeps = port.sleeps().size();
        std::uint32_t value = 0xDEADBEEF;
        std::uint32_t code = 99;
        EXPECT_TRUE(LinkRead(0x3304, 4, &value, code));
        const bool ok = LinkProcess(code);
        EXPECT_EQ(Link().NextRequest, Link().ViewBase);  // emptied whatever came of it
        return {ok, code, clock.nowMs() - start, port.sendCount() - sends,
                port.sleeps().size() - sleeps, value};
    }
    void expectAtOnce(const Outcome& o) {
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.code, GetParam().code);
        EXPECT_EQ(o.ms, 0);
        EXPECT_EQ(o.sends, 0);
        EXPECT_EQ(o.sleeps, 0u);
        EXPECT_EQ(o.value, 0xDEADBEEFu);
    }
    void expectAllTries(const Outcome& o) {
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.code, GetParam().code);
        EXPECT_EQ(o.ms, GetParam().triesMs);
        EXPECT_EQ(o.sends, 10);
    }
};

TEST_P(SilentServerTest, LaterExchangesFailAtOnceUntilAFreshAttemptTriesAgain) {
    open();
    LinkFreshAttempt();
    EXPECT_TRUE(exchange().ok);
    EXPECT_FALSE(LinkServerSilent());

    silence();
    expectAllTries(exchange());
    EXPECT_TRUE(LinkServerSilent());
    expectAtOnce(exchange());
    expectAtOnce(exchange());

    // The next operation tries once more: one exchange's tries, then at once again.
    LinkFreshAttempt();
    EXPECT_FALSE(LinkServerSilent());
    expectAllTries(exchange());
    expectAtOnce(exchange());

    // The close takes back a fresh attempt that no exchange has used.
    LinkFreshAttempt();
    LinkNoFreshAttempt();
    expectAtOnce(exchange());

    // Answering again: a fresh attempt gets through, and the exchanges after it need none.
    port.faults = {};
    core.poke<std::uint32_t>(0x3304, 0x19980005);
    LinkFreshAttempt();
    const Outcome back = exchange();
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.value, 0x19980005u);
    EXPECT_FALSE(LinkServerSilent());
    EXPECT_TRUE(exchange().ok);
    EXPECT_EQ(exchange().sends, 1);
}

TEST_P(SilentServerTest, AResetsCloseAndOpenWaitNoMoreButAnotherWindowGetsItsHandshake) {
    open();
    silence();
    LinkFreshAttempt();
    expectAllTries(exchange());

    // A reset: its stop closes the link, its start opens it again to the same window.
    LinkClose();
    const std::int64_t start = clock.nowMs();
    const int sends = port.sendCount();
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkOpen(0, code));
    EXPECT_EQ(code, GetParam().code);
    EXPECT_EQ(clock.nowMs() - start, 0);
    EXPECT_EQ(port.sendCount(), sends);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_EQ(port.liveAtoms(), 0u);
    EXPECT_EQ(port.openHandles(), 0u);

    // The simulator started anew under another window: that server is asked.
    port.faults = {};
    port.faults.windows = hf::sim::ServerWindows::UipcOnly;
    ASSERT_TRUE(LinkOpen(0, code));
    EXPECT_EQ(Link().ServerWindow, hf::sim::UipcWindow);
    EXPECT_FALSE(LinkServerSilent());
}

TEST_P(SilentServerTest, ANewPortForgetsTheSilence) {
    open();
    silence();
    expectAllTries(exchange());
    LinkClose();
    SetLinkPort(&port);
    EXPECT_FALSE(LinkServerSilent());
    port.faults = {};
    std::uint32_t code = 99;
    EXPECT_TRUE(LinkOpen(0, code));
}

INSTANTIATE_TEST_SUITE_P(Silences, SilentServerTest, ::testing::ValuesIn(SilenceRows),
                         hf::testing::RowName);

// A server that answers, even with a bad reply, is not silent: the next exchange is sent.
TEST_F(LinkTest, ABadReplyIsAnAnswer) {
    open();
    core.replyOverride = 2;
    std::uint32_t value = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x3304, 4, &value, code));
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkBadData);
    EXPECT_FALSE(LinkServerSilent());
    core.replyOverride.reset();
    ASSERT_TRUE(LinkRead(0x3304, 4, &value, code));
    EXPECT_TRUE(LinkProcess(code));
    EXPECT_EQ(port.sendCount(), 2);
}

}  // namespace
