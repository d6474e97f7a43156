#include "deck/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <optional>
#include <string>

namespace hf {
namespace {

struct FloatCase {
    std::string Text;
    std::optional<double> Expected;
};

TEST(ParseFloat, AcceptsPointDecimalsWithSignAndExponentOnly) {
    const FloatCase cases[] = {
        {"-712.5", -712.5}, {"700", 700.0}, {"+4.98", 4.98}, {"0", 0.0}, {"-0", -0.0},
        {".5", 0.5}, {"5.", 5.0}, {"-.25", -0.25}, {"1e3", 1000.0}, {"1E+3", 1000.0},
        {"2.5e-3", 0.0025}, {"007.50", 7.5}, {"36.0012345678901234567890", 36.0012345678901234567890},
        {"", std::nullopt}, {" 5 ", std::nullopt}, {"5 ", std::nullopt}, {"\t5", std::nullopt},
        {"1,5", std::nullopt}, {"1 000", std::nullopt}, {"1.000,5", std::nullopt},
        {"yes", std::nullopt}, {"0x1F", std::nullopt}, {"0x1p3", std::nullopt},
        {"inf", std::nullopt}, {"-INF", std::nullopt}, {"nan", std::nullopt},
        {".", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt}, {"1e", std::nullopt},
        {"1e+", std::nullopt}, {"e5", std::nullopt}, {".e5", std::nullopt}, {"1.2.3", std::nullopt},
        {"+-1", std::nullopt}, {"--1", std::nullopt}, {"1e5.5", std::nullopt}, {"12abc", std::nullopt},
        {"1d5", std::nullopt}, {std::string("1\0", 2), std::nullopt}, {"\xB2", std::nullopt},
    };
    for (const FloatCase& c : cases) {
        SCOPED_TRACE("text: '" + c.Text + "'");
        const std::optional<double> parsed = ParseFloat(c.Text);
        ASSERT_EQ(parsed.has_value(), c.Expected.has_value());
        if (parsed) {
            EXPECT_EQ(*parsed, *c.Expected);
            EXPECT_EQ(std::signbit(*parsed), std::signbit(*c.Expected));
        }
    }
}

TEST(ParseFloat, NumberTooLargeForADoubleThrowsTinyOneIsZero) {
    for (const char* huge : {"1e400", "-1e400", "1.8e308", "1e99999999999999999999", "0.0001e313",
                             "100000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"}) {
        SCOPED_TRACE(huge);
        try {
            ParseFloat(huge);
            ADD_FAILURE() << "no error";
        } catch (const NumberOverflow& error) {
            EXPECT_STREQ(error.what(), "Floating point overflow");
        }
    }
    EXPECT_EQ(ParseFloat("1.7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(ParseFloat("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(*ParseFloat("-1e-400")));
    EXPECT_EQ(ParseFloat("0e999999"), 0.0);  // zero, however large its exponent
    EXPECT_GT(*ParseFloat("5e-324"), 0.0);   // the smallest subnormal still holds
}

TEST(ParseInteger, AcceptsDecimalWithSignAndLongHexOnly) {
    const struct {
        std::string Text;
        std::optional<std::int32_t> Expected;
    } cases[] = {
        {"0x1F", 31}, {"0X1f", 31}, {"0x0000001F", 31}, {"0x7FFFFFFF", 2147483647},
        {"2", 2}, {"-1", -1}, {"+5", 5}, {"007", 7}, {"-0", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"0", 0}, {"00", 0}, {"0x", std::nullopt}, {"0X", std::nullopt},
        {"0x80000000", std::nullopt}, {"0xFFFFFFFF", std::nullopt}, {"0x-1", std::nullopt},
        {"0x+1", std::nullopt}, {"-0x1F", std::nullopt}, {"0x1G", std::nullopt}, {"0x 1", std::nullopt},
        {"x1F", std::nullopt}, {"$1F", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"-712.5", std::nullopt}, {"1e3", std::nullopt}, {"yes", std::nullopt}, {"", std::nullopt},
        {" 5 ", std::nullopt}, {"5 ", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
        {"+-5", std::nullopt}, {"--5", std::nullopt}, {"1,000", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: '" + c.Text + "'");
        EXPECT_EQ(ParseInteger(c.Text), c.Expected);
    }
}

// A decimal comma in the global C++ locale must not change what is accepted.
TEST(ParseNumbers, IgnoreTheProcessLocale) {
    struct CommaDecimals : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    const std::optional<double> point = ParseFloat("1.5");
    const std::optional<double> comma = ParseFloat("1,5");
    const std::optional<std::int32_t> grouped = ParseInteger("1.000");
    std::locale::global(previous);
    EXPECT_EQ(point, 1.5);
    EXPECT_EQ(comma, std::nullopt);
    EXPECT_EQ(grouped, std::nullopt);
}

}  // namespace
}  // namespace hf
