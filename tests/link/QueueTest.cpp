// Queueing reads and writes into the shared block: record layout, capacity, refusals.
#include <array>
#include <cstdint>
#include <cstring>

#include "LinkFixture.h"

using namespace hf;

TEST_F(LinkTest, ClosedLinkRefusesEveryCallWithNine) {
    std::uint32_t value = 0;
    std::uint32_t code = 0;
    EXPECT_FALSE(LinkRead(0x3304, 4, &value, code));
    EXPECT_EQ(code, LinkNotOpen);
    code = 0;
    EXPECT_FALSE(LinkWrite(0x330A, 4, &value, code));
    EXPECT_EQ(code, LinkNotOpen);
    code = 0;
    EXPECT_FALSE(LinkProcess(code));
    EXPECT_EQ(code, LinkNotOpen);
    EXPECT_EQ(port.sendCount(), 0);
}

TEST_F(LinkTest, RecordsLieBackToBackInTheBlock) {
    open();
    std::array<std::uint8_t, 3> dest{0xAA, 0xAA, 0xAA};
    const std::uint16_t source = 0xBEEF;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x0560, 3, dest.data(), code));
    EXPECT_EQ(code, LinkOk);
    ASSERT_TRUE(LinkWrite(0x05D8, 2, &source, code));

    EXPECT_EQ(u32At(0), 1u);
    EXPECT_EQ(u32At(4), 0x0560u);
    EXPECT_EQ(u32At(8), 3u);
    // The destination field keeps the low 32 bits of the caller's address.
    EXPECT_EQ(u32At(12), static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(dest.data())));
    EXPECT_EQ(Link().ViewBase[16] | Link().ViewBase[17] | Link().ViewBase[18], 0);
    EXPECT_EQ(u32At(19), 2u);
    EXPECT_EQ(u32At(23), 0x05D8u);
    EXPECT_EQ(u32At(27), 2u);
    EXPECT_EQ(Link().ViewBase[31], 0xEF);
    EXPECT_EQ(Link().ViewBase[32], 0xBE);
    EXPECT_EQ(queuedBytes(), 16u + 3 + 12 + 2);
}

TEST_F(LinkTest, ReadOverStaleBlockBytesZeroesItsDataArea) {
    open();
    std::memset(Link().ViewBase, 0x5A, 64);
    std::uint32_t dest = 0;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkRead(0x3304, 8, &dest, code));
    for (int i = 16; i < 24; ++i) EXPECT_EQ(Link().ViewBase[i], 0) << i;
}

struct CapacityCase {
    bool write;
    std::uint32_t size;
    bool accepted;
};

class QueueCapacity : public LinkTest, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(QueueCapacity, NeedUpTo32512IsAcceptedBeyondRefusedWith15) {
    open();
    const CapacityCase c = GetParam();
    static std::array<std::uint8_t, 0x8000> buffer{};
    std::uint32_t code = 99;
    const bool ok = c.write ? LinkWrite(0x3380, c.size, buffer.data(), code)
                            : LinkRead(0x3380, c.size, buffer.data(), code);
    EXPECT_EQ(ok, c.accepted);
    EXPECT_EQ(code, c.accepted ? LinkOk : LinkQueueFull);
    if (!c.accepted) {
        EXPECT_EQ(Link().NextRequest, Link().ViewBase);  // queue unchanged
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, QueueCapacity,
    ::testing::Values(CapacityCase{false, 32512 - 4 - 16, true},      // need exactly 32512
                      CapacityCase{false, 32512 - 4 - 16 + 1, false},
                      CapacityCase{true, 32512 - 4 - 12, true},
                      CapacityCase{true, 32512 - 4 - 12 + 1, false},
                      // Sums that wrap 32 bits would come out small: always refused.
                      CapacityCase{false, 0xFFFFFFF0u, false},  // size + 16 wraps to 0
                      CapacityCase{false, 0xFFFFFFECu, false},  // 4 + size + 16 wraps to 0
                      CapacityCase{false, 0xFFFFFFFFu, false},
                      CapacityCase{true, 0xFFFFFFF4u, false},   // size + 12 wraps to 0
                      CapacityCase{true, 0xFFFFFFF0u, false})); // 4 + size + 12 wraps to 0

TEST_F(LinkTest, RefusedRequestLeavesEarlierOnesQueuedAndSent) {
    open();
    const std::uint32_t first = 0x11223344;
    std::uint32_t code = 99;
    ASSERT_TRUE(LinkWrite(0x1000, 4, &first, code));
    const std::uint32_t before = queuedBytes();
    static std::array<std::uint8_t, 0x8000> big{};
    EXPECT_FALSE(LinkWrite(0x2000, 32512 - 4 - 12 - before + 1, big.data(), code));
    EXPECT_EQ(code, LinkQueueFull);
    EXPECT_EQ(queuedBytes(), before);

    ASSERT_TRUE(LinkProcess(code));
    ASSERT_EQ(core.writes().size(), 1u);
    EXPECT_EQ(core.peek<std::uint32_t>(0x1000), first);
}

TEST_F(LinkTest, QueueHoldsAsManyEmptyWritesAsFitAndSendsThemAll) {
    open();
    constexpr std::uint32_t fit = (32512 - 4) / 12;  // 2709 bare write headers
    std::uint32_t code = 99;
    for (std::uint32_t i = 0; i < fit; ++i) ASSERT_TRUE(LinkWrite(i, 0, nullptr, code)) << i;
    EXPECT_FALSE(LinkWrite(fit, 0, nullptr, code));
    EXPECT_EQ(code, LinkQueueFull);
    ASSERT_TRUE(LinkProcess(code));
    EXPECT_EQ(core.writes().size(), fit);
}

TEST_F(LinkTest, WriteWithoutSourceIsRefusedNotReadThroughNull) {
    open();
    std::uint32_t code = 99;
    EXPECT_FALSE(LinkWrite(0x0B74, 4, nullptr, code));
    EXPECT_EQ(code, LinkBadData);
    EXPECT_EQ(Link().NextRequest, Link().ViewBase);
    EXPECT_TRUE(LinkWrite(0x0B74, 0, nullptr, code));  // nothing to copy: a bare header
}
