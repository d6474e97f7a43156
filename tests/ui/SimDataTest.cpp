// Decoding the simulator's values, and the message block of ShowSimMessage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ProgramFixture.h"
#include "deck/SimData.h"

namespace hf {
namespace {

TEST(SimData, PairsDecodeAsOneSigned64BitNumber) {
    // One unit of a high half, and of an angle, in degrees.
    EXPECT_DOUBLE_EQ(DecodeLatitude(0, 1), 8.998425275576774e-06);
    EXPECT_DOUBLE_EQ(DecodeLongitude(0, 1), 8.381903171539307e-08);
    EXPECT_DOUBLE_EQ(DecodeAngle(1), 8.381903171539307e-08);
    // The low half is an unsigned fraction: 0x80000000 is half a unit above, never below.
    EXPECT_DOUBLE_EQ(DecodeLatitude(0x80000000u, 0), 0.5 * LatitudeScale);
    EXPECT_DOUBLE_EQ(DecodeLatitude(0, 1111750), 1111750 * LatitudeScale);
    EXPECT_DOUBLE_EQ(DecodeLatitude(0x80000000u, -1), -0.5 * LatitudeScale);
    EXPECT_DOUBLE_EQ(DecodeLongitude(0xC0000000u, 1), 1.75 * AngleScale);
    EXPECT_DOUBLE_EQ(DecodeLongitude(0x40000000u, -2), -1.75 * AngleScale);
    EXPECT_DOUBLE_EQ(DecodeAltitude(0x40000000, 30), 30.25);
    EXPECT_DOUBLE_EQ(DecodeAltitude(0x80000000u, 30), 30.5);
    EXPECT_DOUBLE_EQ(DecodeAltitude(0xB3333333u, 19), 19.0 + 0xB3333333u / 4294967296.0);
    EXPECT_NEAR(DecodeMagVar(-1820), -9.997, 0.001);
    EXPECT_EQ(DecodeMagVar(0), 0.0);
    EXPECT_DOUBLE_EQ(DecodeAngle(0x40000000), 90.0);
    EXPECT_DOUBLE_EQ(DecodeAngle(static_cast<std::int32_t>(0xC0000000u)), -90.0);
    EXPECT_DOUBLE_EQ(MagneticHeading(-90.0, 0.0), 270.0);
    EXPECT_DOUBLE_EQ(MagneticHeading(-2.0, -5.0), 3.0);
    EXPECT_DOUBLE_EQ(MagneticHeading(359.0, -5.0), 364.0);  // no reduction at 360 or more
    EXPECT_DOUBLE_EQ(HeightAboveGround(1600.0, 76), 1524.0);
}

class ShowSimMessageTest : public hf::testing::ProgramTest {
protected:
    void SetUp() override {
        std::uint32_t code;
        ASSERT_TRUE(LinkOpen(0, code));
        form = std::make_unique<TFormMain>(host, timers, view);
    }
    std::string block() const {
        const auto writes = core.writesTo(offsets::MessageText);
        if (writes.empty()) return {};
        return std::string(writes.back().bytes.begin(), writes.back().bytes.end());
    }
};

TEST_F(ShowSimMessageTest, SendsTheFirstHundredCharactersZeroPaddedWithTheSeconds) {
    struct Case {
        std::size_t length;
        std::size_t sent;
    };
    for (const Case c : {Case{150, 100}, Case{100, 100}, Case{37, 37}, Case{0, 0}}) {
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('A' + i % 26);
        const std::size_t exchanges = core.exchangeCount();
        form->ShowSimMessage(text, 6);
        EXPECT_EQ(core.exchangeCount(), exchanges + 1) << c.length;
        const std::string sent = block();
        ASSERT_EQ(sent.size(), 128u);
        EXPECT_EQ(sent.substr(0, c.sent), text.substr(0, c.sent)) << c.length;
        EXPECT_EQ(sent.substr(c.sent), std::string(128 - c.sent, '\0')) << c.length;
        EXPECT_EQ(core.peek<std::uint16_t>(offsets::MessageSeconds), 6);
    }
}

TEST_F(ShowSimMessageTest, AccentedTextGoesAsSingleBytes) {
    const std::string text = "Hookfast activ\xE9";  // Windows-1252
    form->ShowSimMessage(text, 3);
    EXPECT_EQ(block().substr(0, 16), text + '\0');
    EXPECT_EQ(core.messages().back().text, text);
}

TEST_F(ShowSimMessageTest, ExchangeReadsTypedValuesInOneGoAndStopsAtTheFirstRefusal) {
    core.poke<std::uint32_t>(offsets::LatitudeLo, 0x80000000u);
    core.poke<std::int32_t>(offsets::LatitudeHi, -1);
    core.poke<std::int16_t>(offsets::MagVar, -1820);
    core.poke<double>(offsets::ForwardSpeed, 202.68);
    std::uint32_t lo = 0;
    std::int32_t hi = 7;
    std::int16_t magVar = 0;
    double speed = 0;
    const std::size_t exchanges = core.exchangeCount();
    SimExchange exchange;
    exchange.Read(offsets::LatitudeLo, lo).Read(offsets::LatitudeHi, hi);
    exchange.Read(offsets::MagVar, magVar).Read(offsets::ForwardSpeed, speed);
    ASSERT_TRUE(exchange.Process());
    EXPECT_EQ(core.exchangeCount(), exchanges + 1);
    EXPECT_DOUBLE_EQ(DecodeLatitude(lo, hi), -0.5 * LatitudeScale);
    EXPECT_EQ(magVar, -1820);
    EXPECT_EQ(speed, 202.68);

    LinkClose();
    SimExchange closed;
    double unchanged = 1.5;
    closed.Read(offsets::ForwardSpeed, unchanged).Write(offsets::Smoke, std::int16_t{1});
    EXPECT_FALSE(closed.Process());
    EXPECT_EQ(closed.code, LinkNotOpen);
    EXPECT_EQ(unchanged, 1.5);
}

TEST_F(ShowSimMessageTest, ShowsNothingWhenTheLinkIsClosed) {
    LinkClose();
    const std::size_t exchanges = core.exchangeCount();
    form->ShowSimMessage("Hookfast deactivated", 8);
    EXPECT_EQ(core.exchangeCount(), exchanges);
    EXPECT_TRUE(core.messages().empty());
}

}  // namespace
}  // namespace hf
