#include "host/DateTime.h"

#include <cmath>
#include <cstdio>

namespace hf {

namespace {

constexpr std::int64_t MsPerDay = 86400000;

// Days from 1970-01-01 of a civil date (proleptic Gregorian), and back.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const std::int64_t EpochShift = DaysFromCivil(1899, 12, 30);  // 1899-12-30 from 1970-01-01

}  // namespace

double EncodeDateTime(const CivilDateTime& v) {
    const std::int64_t days = DaysFromCivil(v.Year, v.Month, v.Day) - EpochShift;
    const std::int64_t ms =
        ((static_cast<std::int64_t>(v.Hour) * 60 + v.Minute) * 60 + v.Second) * 1000 +
        v.Millisecond;
    return static_cast<double>(days) + static_cast<double>(ms) / MsPerDay;
}

CivilDateTime DecodeDateTime(double days) {
    const auto totalMs = static_cast<std::int64_t>(std::llround(days * MsPerDay));
    std::int64_t day = totalMs / MsPerDay;
    std::int64_t ms = totalMs % MsPerDay;
    if (ms < 0) {
        ms += MsPerDay;
        --day;
    }
    CivilDateTime v;
    CivilFromDays(day + EpochShift, v.Year, v.Month, v.Day);
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
