// The aircraft's state as the interface module's offsets show it, in the encodings the
// program decodes: fixed-point position and altitude pairs, angles as fractions of 2^32 of
// a turn, the magnetic variation as a 16-bit fraction, speeds in feet per second.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "sim/ServerCore.h"
#include "sim/flight/FlightModel.h"

namespace hf::sim::flight {

inline constexpr std::uint32_t MagVarOffset = 0x02A0;         // signed 16-bit, x 360/65536
inline constexpr std::uint32_t OnGroundOffset = 0x0366;       // 16-bit, 1 on the ground
inline constexpr std::uint32_t LatitudeOffset = 0x0560;       // low half, then high half
inline constexpr std::uint32_t LongitudeOffset = 0x0568;
inline constexpr std::uint32_t AltitudeOffset = 0x0570;       // fraction, then whole metres
inline constexpr std::uint32_t BankOffset = 0x057C;           // signed 32-bit angle
inline constexpr std::uint32_t HeadingOffset = 0x0580;        // 32-bit angle, true
inline constexpr std::uint32_t SlewOffset = 0x05DC;           // 16-bit
inline constexpr std::uint32_t CrashOffset = 0x0840;          // signed 16-bit
inline constexpr std::uint32_t ThrottleOffset = 0x088C;       // signed 16-bit, engine 1 lever (the pilot's)
inline constexpr std::uint32_t GroundAltitudeOffset = 0x0B4C; // signed 16-bit, whole metres
inline constexpr std::uint32_t ParkingBrakeOffset = 0x0BC8;   // 16-bit, 0x7FFF set (the pilot's)
inline constexpr std::uint32_t GearLeverOffset = 0x0BE8;      // signed 32-bit, 0 up, 16383 down
inline constexpr std::uint32_t LateralAccelOffset = 0x3060;   // double, ft/s^2, written
inline constexpr std::uint32_t ForwardAccelOffset = 0x3070;   // double, ft/s^2, written
inline constexpr std::uint32_t ForwardSpeedOffset = 0x3090;   // double, ft/s
inline constexpr std::uint32_t HookOffset = 0x3BA0;           // double, > 0.5 down
inline constexpr std::uint32_t TitleOffset = 0x3D00;          // 256 bytes, zero-terminated
inline constexpr std::uint32_t TitleSize = 256;

// Degrees of latitude per unit of the high half, and of a turn per unit of a 32-bit angle.
inline constexpr double LatitudeUnit = 90.0 / 10001750.0;
inline constexpr double AngleUnit = 360.0 / 4294967296.0;

// Writes every offset the model owns from its state.
void PublishState(const AircraftState& state, ServerCore& core);

// The pilot's controls, parking brake and throttle, are the simulator's inputs: whatever
// sets them in the offset memory (a scenario, a test) works the aircraft from the next step.
void ReadControls(const ServerCore& core, AircraftState& state);

// Takes back into the state what was poked into owned offsets in [offset, offset + size):
// a scenario that sets the hook or the speed changes the model, not only the memory.
void AbsorbState(const ServerCore& core, std::uint32_t offset, std::size_t size, AircraftState& state);

// Owned offsets that follow from the model alone and cannot be set (the on-ground flag);
// the name of the first one in the range, or empty.
std::string_view ComputedOffsetIn(std::uint32_t offset, std::size_t size);

bool Overlaps(std::uint32_t offset, std::size_t size, std::uint32_t fieldOffset, std::size_t fieldSize);

// A 64-bit fixed-point pair as the interface module fills it: the whole units in the high
// half, the fraction of a unit as an unsigned 32-bit low half.
struct FixedPair {
    std::uint32_t low = 0;
    std::int32_t high = 0;
};
FixedPair EncodeFixed(double units);
double DecodeFixedUnsigned(FixedPair pair);

}  // namespace hf::sim::flight
