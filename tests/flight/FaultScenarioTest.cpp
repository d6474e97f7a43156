// The stand-in's timed faults: a scenario's `fault` command and what a client sees over the
// link while each is in force.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"
#include "sim/flight/FlightSim.h"
#include "sim/flight/Scenario.h"
#include "testing/VirtualClock.h"

namespace hf::sim::flight {
namespace {

TEST(FaultScenario, ParsesEachFaultAndNamesABadOne) {
    const Scenario s = ParseScenario(
        "at 100 fault no-reply\n"
        "at 200 fault reply 2   # bad data\n"
        "at 300 fault refuse-read 0x0840\n"
        "at 350 fault refuse-write 0x3070\n"
        "at 400 fault none\n");
    ASSERT_EQ(s.commands.size(), 5u);
    const ServerFault expected[] = {{ServerFault::Kind::NoReply, 0},
                                    {ServerFault::Kind::Reply, 2},
                                    {ServerFault::Kind::RefuseRead, 0x0840},
                                    {ServerFault::Kind::RefuseWrite, 0x3070},
                                    {}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(std::get<SetFault>(s.commands[i].action).fault, expected[i]) << i;
    }

    // The parser's message for a scenario text; empty when it parses.
    const auto errorOf = [](const char* text) -> std::string {
        try {
            ParseScenario(text);
        } catch (const ScenarioError& e) {
            return e.what();
        }
        return {};
    };
    EXPECT_EQ(errorOf("at 0 fault\n"), "line 1: missing fault");
    EXPECT_EQ(errorOf("at 0 fault sometimes\n"),
              "line 1: unknown fault 'sometimes' (none no-reply reply refuse-read refuse-write)");
    EXPECT_EQ(errorOf("at 0 fault reply\n"), "line 1: missing reply value");
    EXPECT_EQ(errorOf("at 0 fault reply -1\n"), "line 1: reply value must be a 32-bit value");
    EXPECT_EQ(errorOf("at 0 fault refuse-read 0x10000\n"),
              "line 1: offset 65536 lies outside the offset memory");
    EXPECT_EQ(errorOf("at 0 fault none 1\n"), "line 1: unexpected '1' at the end of the line");
}

// Each fault starts at its time and ends when the next command replaces it; an exchange under
// way sees the fault change between its tries.
TEST(FaultScenario, FaultsStartAndStopAtTheirTimesOverTheLink) {
    testing::VirtualClock clock;
    ServerCore core;
    core.setClock([&] { return clock.nowMs(); });
    std::ostringstream log;
    core.setLog(&log);
    InProcessLinkPort port(core, clock);
    FlightSim sim(core);
    sim.load(ParseScenario(
        "at 0 set 0x0840 i16 1\n"
        "at 1000 fault no-reply\n"
        "at 3000 fault reply 2\n"
        "at 5000 fault refuse-read 0x0840\n"
        "at 6000 fault refuse-write 0x0840\n"
        "at 7000 fault none\n"));
    SetLinkPort(&port);
    std::uint32_t code = 0;
    ASSERT_TRUE(LinkOpen(0, code)) << code;

    constexpr std::uint16_t Unread = 7;
    std::int16_t crash = 0;
    std::uint16_t onGround = Unread;
    const auto exchange = [&](bool readCrash) {
        crash = 0;
        onGround = Unread;
        if (readCrash) {
            EXPECT_TRUE(LinkRead(0x0840, 2, &crash, code));
        }
        EXPECT_TRUE(LinkRead(0x0366, 2, &onGround, code));
        LinkProcess(code);
        return code;
    };
    clock.advance(500 - clock.nowMs());
    EXPECT_EQ(exchange(true), LinkOk);
    EXPECT_EQ(crash, 1);

    // No reply from 1000: the first try waits out its 2 s; the second, at 3100, is answered
    // with the bad-data reply in force by then, and nothing is copied.
    clock.advance(1000 - clock.nowMs());
    const int sends = port.sendCount();
    EXPECT_EQ(exchange(true), LinkBadData);
    EXPECT_EQ(clock.nowMs(), 3100);
    EXPECT_EQ(port.sendCount(), sends + 2);
    EXPECT_EQ(onGround, Unread);

    // A refused read: any block reading 0x0840 is not served; others are.
    clock.advance(5000 - clock.nowMs());
    EXPECT_EQ(exchange(true), LinkBadData);
    EXPECT_EQ(crash, 0);
    EXPECT_EQ(onGround, Unread);
    EXPECT_EQ(exchange(false), LinkOk);
    EXPECT_NE(onGround, Unread);

    // A refused write: a block writing 0x0840 is not served, so the write is lost; a block
    // that only reads it is served.
    clock.advance(6000 - clock.nowMs());
    const std::int16_t cleared = 0;
    EXPECT_TRUE(LinkWrite(0x0840, 2, &cleared, code));
    EXPECT_TRUE(LinkRead(0x0366, 2, &onGround, code));
    onGround = Unread;
    LinkProcess(code);
    EXPECT_EQ(code, LinkBadData);
    EXPECT_EQ(onGround, Unread);
    EXPECT_EQ(exchange(true), LinkOk);
    EXPECT_EQ(crash, 1);

    clock.advance(7000 - clock.nowMs());
    EXPECT_EQ(exchange(true), LinkOk);
    EXPECT_EQ(crash, 1);
    LinkClose();
    SetLinkPort(nullptr);
    core.setLog(nullptr);

    for (const char* note : {"\"detail\":\"no-reply\"", "\"detail\":\"reply 2\"",
                             "\"detail\":\"refuse-read 0x0840\"",
                             "\"detail\":\"refuse-write 0x0840\"", "\"detail\":\"none\""}) {
        EXPECT_NE(log.str().find(note), std::string::npos) << note;
    }
}

}  // namespace
}  // namespace hf::sim::flight
