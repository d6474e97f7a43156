#include "host/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace hf {

namespace {

using namespace std::chrono;

constexpr std::int64_t MsPerDay = 86400000;

// Day 0 of the count.
constexpr sys_days Epoch = year{1899} / December / 30;

}  // namespace

double EncodeDateTime(const CivilDateTime& v) {
    const sys_days date = year{v.Year} / month{static_cast<unsigned>(v.Month)} /
                          day{static_cast<unsigned>(v.Day)};
    const std::int64_t dayCount = (date - Epoch).count();
    const std::int64_t ms =
        ((static_cast<std::int64_t>(v.Hour) * 60 + v.Minute) * 60 + v.Second) * 1000 +
        v.Millisecond;
    return static_cast<double>(dayCount) + static_cast<double>(ms) / MsPerDay;
}

CivilDateTime DecodeDateTime(double dayCount) {
    const auto totalMs = static_cast<std::int64_t>(std::llround(dayCount * MsPerDay));
    std::int64_t wholeDays = totalMs / MsPerDay;
    std::int64_t ms = totalMs % MsPerDay;
    if (ms < 0) {
        ms += MsPerDay;
        --wholeDays;
    }
    const year_month_day date{Epoch + days{wholeDays}};
    CivilDateTime v;
    v.Year = static_cast<int>(date.year());
    v.Month = static_cast<int>(static_cast<unsigned>(date.month()));
    v.Day = static_cast<int>(static_cast<unsigned>(date.day()));
    v.Hour = static_cast<int>(ms / 3600000);
    v.Minute = static_cast<int>(ms / 60000 % 60);
    v.Second = static_cast<int>(ms / 1000 % 60);
    v.Millisecond = static_cast<int>(ms % 1000);
    return v;
}

std::string PlainDateText(double days) {
    const CivilDateTime v = DecodeDateTime(days);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", v.Day, v.Month, v.Year);
    return text;
}

std::string PlainTimeText(double days) {
    const CivilDateTime v = DecodeDateTime(days);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", v.Hour, v.Minute, v.Second);
    return text;
}

}  // namespace hf
