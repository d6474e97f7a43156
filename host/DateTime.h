// Local date and time as a day count since 1899-12-30 with the time of day as its fraction.
#pragma once

#include <cstdint>
#include <string>

namespace hf {

struct CivilDateTime {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

double EncodeDateTime(const CivilDateTime& value);
// Rounds to the millisecond first, so 23:59:59.9996 becomes the next day's 00:00:00.000.
CivilDateTime DecodeDateTime(double days);

// "dd/mm/yyyy" and "hh:mm:ss": the texts of a machine without regional settings.
std::string PlainDateText(double days);
std::string PlainTimeText(double days);

}  // namespace hf
