// Number texts shown to the pilot and written to the settings file. Always with a point as
// the decimal separator, whatever the process locale: nothing here consults the locale.
#pragma once

#include <cstdint>
#include <string>

namespace hf {

// General form: the value to 15 significant digits, the shortest such text, no trailing
// zeros (352.5, 90, -700, 0.3 for 0.1 + 0.2). Values whose magnitude is below 0.0001 or has
// more than 15 integer digits use an exponent: 1E-5, 1.5E20 (no plus sign, no leading zeros).
// Negative zero shows as 0; non-finite values as NAN, INF, -INF.
std::string FormatGeneral(double value);

// Magnetic-variation form: rounded once, halves away from zero, to at most three significant
// digits and at most one decimal, then shown with exactly one decimal: 12.34 -> 12.3,
// -4 -> -4.0, 123.45 -> 123.0, -9.997 -> -10.0. A value that rounds to zero shows as 0.0.
std::string FormatMagVar(double degrees);

// Decimal integer text, as spin-control positions and integer settings are written.
std::string FormatInteger(std::int64_t value);

// Boolean settings are written as 1 or 0.
std::string FormatBoolean(bool value);

// Nearest whole number, halves to even (-712.5 -> -712, 0.5 -> 0, 1.5 -> 2), independent of
// the floating-point rounding mode in force.
double RoundHalfEven(double value);

}  // namespace hf
