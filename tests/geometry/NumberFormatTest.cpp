#include "deck/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hf {
namespace {

struct FormatCase {
    double value;
    const char* text;
};

TEST(FormatGeneral, Table) {
    const FormatCase cases[] = {
        {90, "90"},
        {352.5, "352.5"},
        {0.1 + 0.2, "0.3"},
        {-700, "-700"},
        {712.5, "712.5"},
        {-712.5, "-712.5"},
        {120 * 1.689, "202.68"},
        {-700 * -0.14054083470239145, "98.378584291674"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0, "0"},
        {-0.0, "0"},
        {0.0001, "0.0001"},
        {1e-5, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {1e16, "1E16"},
        {1234567890123456, "1.23456789012346E15"},
        {9.9999999999999999e14, "1E15"},
        {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value), c.text) << "value " << c.value;
    }
}

TEST(FormatMagVar, Table) {
    const FormatCase cases[] = {
        {12.34, "12.3"},
        {-4, "-4.0"},
        {123.45, "123.0"},
        {-9.997, "-10.0"},
        {-1820 * 360.0 / 65536.0, "-10.0"},  // the raw value -1820
        {0, "0.0"},
        {-0.0, "0.0"},
        {-0.01, "0.0"},
        {0.05, "0.1"},     // the double lies just above the half
        {0.15, "0.1"},     // ... and this one just below
        {11.25, "11.3"},   // exact halves go away from zero
        {-11.25, "-11.3"},
        {112.5, "113.0"},
        {-157.5, "-158.0"},
        {5.649, "5.6"},    // rounded once, not first to 5.65
        {99.96, "100.0"},
        {179.99, "180.0"},
        {999.6, "1000.0"},
        {12345, "12300.0"},
        {0.0123, "0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatMagVar(c.value), c.text) << "value " << c.value;
    }
}

TEST(FormatMagVar, EveryRawValueHasOneDecimal) {
    for (int raw = -32768; raw <= 32767; ++raw) {
        const double degrees = raw * 360.0 / 65536.0;
        const std::string text = FormatMagVar(degrees);
        ASSERT_EQ(text[text.size() - 2], '.') << text;
        // Never further from the value than the rounding allows.
        const double tolerance = std::fabs(degrees) >= 99.95 ? 0.5 : 0.05;
        ASSERT_LE(std::fabs(std::stod(text) - degrees), tolerance + 1e-9) << raw << " -> " << text;
    }
}

TEST(RoundHalfEven, Table) {
    const FormatCase cases[] = {
        {-712.5, "-712"}, {712.5, "712"}, {0.5, "0"}, {1.5, "2"}, {2.5, "2"},
        {-1.5, "-2"}, {-2.5, "-2"}, {712.4999, "712"}, {712.5001, "713"},
        {0.49999999999999994, "0"}, {-700, "-700"}, {-1499.5, "-1500"}, {4503599627370497.0, "4503599627370497"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatInteger(static_cast<std::int64_t>(RoundHalfEven(c.value))), c.text) << "value " << c.value;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

TEST(SettingsTexts, IntegersAndBooleans) {
    EXPECT_EQ(FormatInteger(-1500), "-1500");
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(FormatBoolean(true), "1");
    EXPECT_EQ(FormatBoolean(false), "0");
}

}  // namespace
}  // namespace hf
