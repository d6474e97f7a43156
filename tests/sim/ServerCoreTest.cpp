// The stand-in's server core: serving blocks in place, handshake words, messages, hot keys
// and the exchange log.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "sim/ServerCore.h"

using hf::sim::ServerCore;

namespace {

// Builds a request block the way a client does.
class Block {
public:
    Block& read(std::uint32_t offset, std::uint32_t size) {
        header(1, offset, size);
        put(0);  // destination field: the server does not use it
        bytes_.resize(bytes_.size() + size, 0xCC);
        return *this;
    }
    Block& write(std::uint32_t offset, const std::vector<std::uint8_t>& data) {
        header(2, offset, static_cast<std::uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    Block& raw(std::uint32_t v) {
        put(v);
        return *this;
    }
    std::vector<std::uint8_t> done() {
        put(0);
        bytes_.resize(0x8000, 0);
        return bytes_;
    }

private:
    void header(std::uint32_t id, std::uint32_t offset, std::uint32_t size) {
        put(id);
        put(offset);
        put(size);
    }
    void put(std::uint32_t v) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
        bytes_.insert(bytes_.end(), p, p + 4);
    }
    std::vector<std::uint8_t> bytes_;
};

template <class T>
T at(const std::vector<std::uint8_t>& block, std::size_t pos) {
    T v;
    std::memcpy(&v, block.data() + pos, sizeof v);
    return v;
}

std::vector<std::uint8_t> text128(const std::string& s) {
    std::vector<std::uint8_t> v(128, 0);
    std::memcpy(v.data(), s.data(), s.size());
    return v;
}

}  // namespace

TEST(ServerCore, ServesReadsAndWritesInRecordOrder) {
    ServerCore core;
    std::int64_t now = 500;
    core.setClock([&] { return now; });
    core.poke<std::uint32_t>(0x0BE8, 16383);
    std::vector<std::uint32_t> hooked;
    core.onWrite = [&](std::uint32_t offset, std::span<const std::uint8_t>) { hooked.push_back(offset); };

    auto block = Block{}
                     .read(0x0BE8, 4)
                     .write(0x0BE8, {1, 0, 0, 0})
                     .read(0x0BE8, 4)
                     .read(0xFFFE, 4)  // reaches past the memory: the rest reads as zero
                     .done();
    core.poke<std::uint16_t>(0xFFFE, 0x1234);
    EXPECT_EQ(core.serveBlock(block.data(), block.size()), hf::sim::ReplyServed);
    EXPECT_EQ(at<std::uint32_t>(block, 16), 16383u);
    EXPECT_EQ(at<std::uint32_t>(block, 20 + 16 + 16), 1u);
    EXPECT_EQ(at<std::uint32_t>(block, 20 + 16 + 20 + 16), 0x1234u);
    EXPECT_EQ(hooked, std::vector<std::uint32_t>{0x0BE8});
    ASSERT_EQ(core.writesTo(0x0BE8).size(), 1u);
    EXPECT_EQ(core.writesTo(0x0BE8)[0].timeMs, 500);
    EXPECT_EQ(core.exchanges().back().size(), 4u);
}

// A model catches up in the hook: the block's reads see what it set, once per block, also
// for a block the walk refuses.
TEST(ServerCore, BeforeServeRunsOncePerBlockBeforeItsReads) {
    ServerCore core;
    int calls = 0;
    core.beforeServe = [&] { core.poke<std::uint32_t>(0x0BE8, static_cast<std::uint32_t>(++calls)); };
    auto block = Block{}.read(0x0BE8, 4).read(0x0BE8, 4).done();
    core.serveBlock(block.data(), block.size());
    EXPECT_EQ(at<std::uint32_t>(block, 16), 1u);
    EXPECT_EQ(at<std::uint32_t>(block, 20 + 16), 1u);
    auto bad = Block{}.raw(7).done();
    EXPECT_EQ(core.serveBlock(bad.data(), bad.size()), hf::sim::ReplyBadBlock);
    EXPECT_EQ(calls, 2);
}

TEST(ServerCore, HandshakeWordsStayTheServersWhenTheClientWritesItsVersion) {
    ServerCore core;
    core.setServerVersion(0x36100000);
    core.setSimulator(7);
    auto block = Block{}.write(0x330A, {0xEC, 0x03}).read(0x3304, 4).read(0x3308, 4).done();
    core.serveBlock(block.data(), block.size());
    EXPECT_EQ(core.libraryVersion(), 1004);
    EXPECT_EQ(at<std::uint32_t>(block, 14 + 16), 0x36100000u);
    EXPECT_EQ(at<std::uint32_t>(block, 14 + 20 + 16), 0xFADE0007u);
    core.setSimulatorWord(0x12345678);
    EXPECT_EQ(core.peek<std::uint32_t>(0x3308), 0x12345678u);
}

TEST(ServerCore, MessageShowsWhenItsSecondsAreWritten) {
    ServerCore core;
    std::int64_t now = 0;
    core.setClock([&] { return now; });
    auto textOnly = Block{}.write(0x3380, text128("held back")).done();
    core.serveBlock(textOnly.data(), textOnly.size());
    EXPECT_TRUE(core.messages().empty());

    now = 1234;
    auto both = Block{}.write(0x3380, text128("Hookfast enabled")).write(0x32FA, {3, 0}).done();
    core.serveBlock(both.data(), both.size());
    ASSERT_EQ(core.messages().size(), 1u);
    EXPECT_EQ(core.messages()[0].text, "Hookfast enabled");
    EXPECT_EQ(core.messages()[0].seconds, 3);
    EXPECT_EQ(core.messages()[0].timeMs, 1234);
}

struct BadBlockCase {
    const char* what;
    std::vector<std::uint8_t> block;
};

TEST(ServerCore, MalformedBlocksStopTheWalkAndReplyZero) {
    std::vector<std::uint8_t> noTerminator(0x8000, 0);
    for (std::size_t i = 0; i + 16 <= noTerminator.size(); i += 16) {
        std::uint32_t id = 1;  // back-to-back empty reads up to the last byte
        std::memcpy(noTerminator.data() + i, &id, 4);
    }
    const std::vector<BadBlockCase> cases = {
        {"unknown id", Block{}.read(0x3304, 4).raw(7).raw(0).raw(0).done()},
        {"size past the end", Block{}.raw(1).raw(0x3304).raw(0x8000).raw(0).done()},
        {"size wraps", Block{}.raw(2).raw(0x3304).raw(0xFFFFFFF8u).done()},
        {"no terminator", noTerminator},
    };
    for (auto c : cases) {
        ServerCore core;
        std::ostringstream log;
        core.setLog(&log);
        EXPECT_EQ(core.serveBlock(c.block.data(), c.block.size()), hf::sim::ReplyBadBlock) << c.what;
        EXPECT_NE(log.str().find("\"bad\":true"), std::string::npos) << c.what;
    }
}

TEST(ServerCore, ReplyOverrideStillServesTheBlock) {
    ServerCore core;
    core.replyOverride = 2;
    auto block = Block{}.read(0x3304, 4).done();
    EXPECT_EQ(core.serveBlock(block.data(), block.size()), 2u);
    EXPECT_EQ(at<std::uint32_t>(block, 16), hf::sim::DefaultServerVersion);
}

TEST(ServerCore, HotKeyPressFlagsItsSlotAndMovesTheCounter) {
    ServerCore core;
    core.setHotKeySlotCount(4);
    core.poke<std::uint32_t>(0x3210 + 8, 0x00010178);  // Shift+F9 in slot 2
    core.poke<std::uint8_t>(0x32FE, 0xFF);
    EXPECT_FALSE(core.pressHotKey(0x00010378));  // Shift+Ctrl+F9: nobody holds it
    EXPECT_EQ(core.peek<std::uint8_t>(0x32FE), 0xFF);
    EXPECT_TRUE(core.pressHotKey(0x00010178));
    EXPECT_EQ(core.peek<std::uint32_t>(0x3210 + 8), 0x01010178u);
    EXPECT_EQ(core.peek<std::uint8_t>(0x32FE), 0x00);  // the counter byte wraps
    core.poke<std::uint32_t>(0x3210 + 16, 0x00010170);  // beyond the slot count
    EXPECT_FALSE(core.pressHotKey(0x00010170));
}

TEST(ServerCore, LogHasOneJsonLinePerExchangeAndMessage) {
    ServerCore core;
    std::ostringstream log;
    core.setLog(&log);
    core.setClock([] { return std::int64_t{42}; });
    auto block = Block{}
                     .read(0x3304, 4)
                     .write(0x3380, text128("Ca\xE7 \"ok\" \x80"))  // Windows-1252 bytes
                     .write(0x32FA, {5, 0})
                     .done();
    core.serveBlock(block.data(), block.size());
    std::istringstream lines(log.str());
    std::string exchange, message, extra;
    ASSERT_TRUE(std::getline(lines, exchange));
    ASSERT_TRUE(std::getline(lines, message));
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(exchange.rfind("{\"t\":42,\"exchange\":1,\"reply\":1,\"records\":[{\"op\":\"read\","
                             "\"offset\":\"0x3304\",\"size\":4,\"data\":\"00009939\"}",
                             0),
              0u)
        << exchange;
    EXPECT_EQ(message, "{\"t\":42,\"message\":\"Ca\\u00E7 \\\"ok\\\" \\u20AC\",\"seconds\":5}");
}
