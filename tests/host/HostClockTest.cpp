// The host's clocks: the tick count that runs on across its 32-bit wrap, and the local date
// and time as a day count.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/DateTime.h"
#include "host/TickCount.h"

namespace hf {
namespace {

TEST(WidenedTickCount, RunsOnAcrossEveryWrap) {
    WidenedTickCount clock;
    constexpr std::uint64_t Wrap = std::uint64_t{1} << 32;
    struct Reading {
        std::uint32_t ticks;
        std::uint64_t widened;
    };
    for (const Reading r :
         {Reading{1000, 1000}, Reading{1000, 1000}, Reading{0xFFFFFF00u, 0xFFFFFF00u},
          Reading{0x10, Wrap + 0x10}, Reading{0x20, Wrap + 0x20},
          Reading{0xFFFFFFFFu, Wrap + 0xFFFFFFFFu}, Reading{0, 2 * Wrap}}) {
        EXPECT_EQ(clock.Widen(r.ticks), r.widened) << r.ticks;
    }
}

TEST(DateTime, DayCountsAndCivilDatesMatch) {
    struct Case {
        CivilDateTime civil;
        double days;
    };
    for (const Case& c : {Case{{1899, 12, 30}, 0.0}, Case{{1899, 12, 29}, -1.0},
                          Case{{1900, 3, 1}, 61.0}, Case{{2000, 1, 1, 12}, 36526.5},
                          Case{{2024, 2, 29, 6}, 45351.25}, Case{{1600, 3, 1}, -109511.0}}) {
        EXPECT_EQ(EncodeDateTime(c.civil), c.days);
        const CivilDateTime back = DecodeDateTime(c.days);
        EXPECT_EQ(std::vector<int>({back.Year, back.Month, back.Day, back.Hour}),
                  std::vector<int>({c.civil.Year, c.civil.Month, c.civil.Day, c.civil.Hour}))
            << c.days;
    }
    // Rounded to the millisecond first: the last instant of a day becomes the next day.
    const CivilDateTime next =
        DecodeDateTime(EncodeDateTime({2023, 12, 31}) + 86399999.6 / 86400000.0);
    EXPECT_EQ(std::vector<int>({next.Year, next.Month, next.Day, next.Hour, next.Second}),
              std::vector<int>({2024, 1, 1, 0, 0}));
    EXPECT_EQ(PlainDateText(36526.5), "01/01/2000");
    EXPECT_EQ(PlainTimeText(36526.5), "12:00:00");
}

}  // namespace
}  // namespace hf
