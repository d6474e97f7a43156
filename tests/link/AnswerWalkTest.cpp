// The answer walk against a server that scribbles on the block after serving it: copies go
// only to the buffers the caller queued, and the walk stops at the first record that is no
// longer what was queued.
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <cstring>
#include <span>

#include "LinkFixture.h"

using namespace hf;

namespace {

void put32(std::span<std::uint8_t> block, std::size_t at, std::uint32_t v) {
    std::memcpy(block.data() + at, &v, sizeof v);
}

// Layout of the three reads every case queues: 16 + 4, 16 + 4, 16 + 4.
constexpr std::size_t Second = 20;
constexpr std::size_t Third = 40;

}  // namespace

struct ScribbleCase {
    const char* what;
    std::size_t at;         // byte of the block to overwrite
    std::uint32_t value;
    int copied;             // how many of the three reads still reach their callers
};

class ScribblingServer : public LinkTest, public ::testing::WithParamInterface<ScribbleCase> {};

TEST_P(ScribblingServer, WalkStopsAtTheFirstChangedRecord) {
    open();
    for (std::uint32_t i = 0; i < 3; ++i) core.poke<std::uint32_t>(0x100 + 4 * i, 100 + i);
    const ScribbleCase c = GetParam();
    port.faults.scribble = [c](std::span<std::uint8_t> block) { put32(block, c.at, c.value); };

    std::array<std::uint32_t, 3> values{1, 1, 1};
    std::uint32_t code = 99;
    for (std::uint32_t i = 0; i < 3; ++i) ASSERT_TRUE(LinkRead(0x100 + 4 * i, 4, &values[i], code));
    const bool ok = LinkProcess(code);

    EXPECT_EQ(ok, c.copied == 3) << c.what;
    EXPECT_EQ(code, c.copied == 3 ? LinkOk : LinkBadData) << c.what;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(values[i], i < c.copied ? 100u + i : 1u) << c.what << i;
    EXPECT_EQ(Link().NextRequest, Link().ViewBase);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScribblingServer,
    ::testing::Values(
        ScribbleCase{"second id made a write", Second, 2, 1},
        ScribbleCase{"second id unknown", Second, 7, 1},
        ScribbleCase{"second id zero", Second, 0, 1},
        ScribbleCase{"first size grown", 8, 8, 0},
        ScribbleCase{"third size shrunk", Third + 8, 2, 2},
        ScribbleCase{"second size past the block", Second + 8, 0x7FF0, 1},
        ScribbleCase{"third size wraps the walk", Third + 8, 0xFFFFFFF0u, 2},
        // The destination fields are the server's to read, not the walk's to trust.
        ScribbleCase{"first destination zeroed", 12, 0, 3},
        ScribbleCase{"second destination moved", Second + 12, 0x00401000, 3},
        ScribbleCase{"offset changed", Third + 4, 0x3304, 3},
        // Whatever follows the terminator is not part of this exchange.
        ScribbleCase{"terminator replaced by a read", 60, 1, 3}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name) if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST_F(LinkTest, WriteRecordChangedByServerStopsTheWalkBeforeLaterReads) {
    open();
    core.poke<std::uint32_t>(0x200, 42);
    const std::uint16_t value = 1;
    std::uint32_t after = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkWrite(0x05D8, 2, &value, code));
    ASSERT_TRUE(LinkRead(0x200, 4, &after, code));
    port.faults.scribble = [](std::span<std::uint8_t> block) { put32(block, 8, 0x7FFF); };
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkBadData);
    EXPECT_EQ(after, 0u);
}

TEST_F(LinkTest, ReadFillingTheWholeQueueIsCopiedWhole) {
    open();
    static std::array<std::uint8_t, 32512 - 4 - 16> big{};
    core.poke<std::uint8_t>(0x0000 + 32512 - 4 - 16 - 1, 0x77);
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0000, big.size(), big.data(), code));
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(big.back(), 0x77);
}
