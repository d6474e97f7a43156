// The simulator as the deck operations know it: the interface module's offsets the program
// reads and writes, typed helpers to queue them on the link, and the decodings of the raw
// values into degrees, metres and percentages.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "link/SimLink.h"

namespace hf {

namespace offsets {
inline constexpr std::uint32_t MagVar = 0x02A0;           // int16, x 360 / 65536 degrees
inline constexpr std::uint32_t OnGround = 0x0366;         // 16-bit, 1 = on the ground
// Latitude, longitude and altitude are 64-bit fixed-point numbers in two halves: the low
// half an unsigned fraction (/ 2^32) of a unit of the signed high half.
inline constexpr std::uint32_t LatitudeLo = 0x0560;       // uint32 fraction
inline constexpr std::uint32_t LatitudeHi = 0x0564;       // int32 units of LatitudeScale
inline constexpr std::uint32_t LongitudeLo = 0x0568;      // uint32 fraction
inline constexpr std::uint32_t LongitudeHi = 0x056C;      // int32 units of AngleScale
inline constexpr std::uint32_t AltitudeLo = 0x0570;       // uint32 fraction of a metre
inline constexpr std::uint32_t AltitudeHi = 0x0574;       // int32 whole metres
inline constexpr std::uint32_t Bank = 0x057C;             // int32, x AngleScale degrees
inline constexpr std::uint32_t Heading = 0x0580;          // int32, x AngleScale degrees true
inline constexpr std::uint32_t Smoke = 0x05D8;            // 16-bit write, 1 on, 0 off
inline constexpr std::uint32_t Slew = 0x05DC;             // 16-bit, 1 = slewing
inline constexpr std::uint32_t EngineType = 0x0609;       // byte, 3 = helicopter
inline constexpr std::uint32_t AircraftKind = 0x0790;     // int32, 1 = taildragger
inline constexpr std::uint32_t Crash = 0x0840;            // int16, > 0 = crashed
inline constexpr std::uint32_t Throttle1 = 0x088C;        // int16 engine 1 throttle lever
inline constexpr std::uint32_t EngineCount = 0x0AEC;      // int16
inline constexpr std::uint32_t SpecialSound = 0x0B20;     // 16-bit write
inline constexpr std::uint32_t GroundAltitude = 0x0B4C;   // int16 metres
inline constexpr std::uint32_t EngineFailures = 0x0B6B;   // byte, bit j-1 = engine j failed
inline constexpr std::uint32_t ParkingBrake = 0x0BC8;     // 16-bit, 0x7FFF set, 0 released
inline constexpr std::uint32_t GearLever = 0x0BE8;        // int32, > 0 = not up
inline constexpr std::uint32_t LateralAccel = 0x3060;     // double write, ft/s^2
inline constexpr std::uint32_t ForwardAccel = 0x3070;     // double write, ft/s^2
inline constexpr std::uint32_t ForwardSpeed = 0x3090;     // double, ft/s
inline constexpr std::uint32_t HotKeySlotCount = 0x320C;  // uint32
inline constexpr std::uint32_t HotKeySlots = 0x3210;      // uint32 each, 0x3210 + 4 x i
inline constexpr std::uint32_t MessageSeconds = 0x32FA;   // 16-bit write
inline constexpr std::uint32_t HotKeyCounter = 0x32FE;    // 32-bit read, lowest byte used
inline constexpr std::uint32_t MessageText = 0x3380;      // 128 bytes write
inline constexpr std::uint32_t Tailhook = 0x3BA0;         // double, > 0.5 = down
inline constexpr std::uint32_t AircraftTitle = 0x3D00;    // 256 bytes, zero-terminated

// Failure flags of the three battle-damage levels (one byte each, 1 = failed).
inline constexpr std::array<std::uint32_t, 7> DamageLevel1Flags = {0x0B64, 0x0B6D, 0x0B6F, 0x0B70,
                                                                   0x0B71, 0x0B72, 0x0B73};
inline constexpr std::array<std::uint32_t, 5> DamageLevel2Flags = {0x0B65, 0x0B66, 0x0B67, 0x0B68,
                                                                   0x0B6E};
inline constexpr std::array<std::uint32_t, 3> DamageLevel3Flags = {0x0B69, 0x0B6A, 0x0B6C};
inline constexpr std::uint32_t TransponderFlag = 0x0B6F;
inline constexpr std::uint32_t CommRadioFlag = 0x0B68;
inline constexpr std::uint32_t CockpitFlag = 0x0B69;
inline constexpr std::uint32_t ElectricalFlag = 0x0B6A;

// The six tanks, always in this order: centre, centre 2, left main, right main, left
// auxiliary, right auxiliary. A level and its capacity lie 4 bytes apart.
struct Tank {
    std::uint32_t Level;     // uint32, 8388608 = 100 %
    std::uint32_t Capacity;  // uint32 US gallons, 0 = no such tank
};
inline constexpr std::array<Tank, 6> Tanks = {{{0x0B74, 0x0B78},
                                               {0x1244, 0x1248},
                                               {0x0B7C, 0x0B80},
                                               {0x0B94, 0x0B98},
                                               {0x0B84, 0x0B88},
                                               {0x0B9C, 0x0BA0}}};
}  // namespace offsets

// --- conversion constants ------------------------------------------------------------
// Fixed for the life of the program, so they are constants rather than fields of the window;
// the window's members use them by these names.
inline constexpr double FractionDivisor = 4294967296.0;                       // 2^32
inline constexpr double AngleScale = 360.0 / FractionDivisor;                 // degrees per unit
inline constexpr double LatitudeScale = 90.0 / 10001750.0;                    // degrees per unit
inline constexpr double FeetPerMetre = 3.2808;                                // zone-file lengths
inline constexpr double KnotsToFps = 1.689;
inline constexpr double AglLoadLimitMetres = 1524.0;                          // 5000 ft
inline constexpr std::uint32_t FullTankLevel = 8388608;                       // 100 %
inline constexpr std::uint32_t NearlyFullTankLevel = 8346665;                 // 99.5 %
inline constexpr std::uint32_t LowTankLevel = 838861;                         // 10 %
inline constexpr std::int16_t ParkingBrakeSet = 0x7FFF;
inline constexpr double TailhookDownAbove = 0.5;       // 0x3BA0: greater is down
inline constexpr std::uint8_t HelicopterEngineType = 3;  // 0x0609
inline constexpr std::int32_t TaildraggerKind = 1;       // 0x0790

// --- decodings -----------------------------------------------------------------------
// A pair is one signed 64-bit number hi x 2^32 + lo: the low half only ever adds to it.
double DecodeLatitude(std::uint32_t lo, std::int32_t hi);
double DecodeLongitude(std::uint32_t lo, std::int32_t hi);
double DecodeAltitude(std::uint32_t lo, std::int32_t hi);
// Bank or true heading in degrees.
double DecodeAngle(std::int32_t raw);
double DecodeMagVar(std::int16_t raw);
// True heading minus the variation, plus 360 once when below 0.
double MagneticHeading(double trueHeading, double magVar);
double HeightAboveGround(double altitudeMetres, std::int16_t groundMetres);

// The aircraft's position as its four halves are read.
struct PositionHalves {
    std::uint32_t LongitudeLo = 0;
    std::int32_t LongitudeHi = 0;
    std::uint32_t LatitudeLo = 0;
    std::int32_t LatitudeHi = 0;

    double Latitude() const { return DecodeLatitude(LatitudeLo, LatitudeHi); }
    double Longitude() const { return DecodeLongitude(LongitudeLo, LongitudeHi); }
};

// --- queuing on the link ---------------------------------------------------------------
// One exchange being put together: requests are queued in order until one is refused;
// Process sends them. `ok` and `code` tell the first failure.
class SimExchange {
public:
    template <class T>
    SimExchange& Read(std::uint32_t offset, T& destination) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (ok) ok = LinkRead(offset, sizeof(T), &destination, code);
        return *this;
    }
    SimExchange& ReadBytes(std::uint32_t offset, std::uint32_t size, void* destination) {
        if (ok) ok = LinkRead(offset, size, destination, code);
        return *this;
    }
    // The four halves of the position, as every reader of it queues them: longitude before
    // latitude, each low half before its high half.
    SimExchange& ReadPosition(PositionHalves& position) {
        return Read(offsets::LongitudeLo, position.LongitudeLo)
            .Read(offsets::LongitudeHi, position.LongitudeHi)
            .Read(offsets::LatitudeLo, position.LatitudeLo)
            .Read(offsets::LatitudeHi, position.LatitudeHi);
    }
    template <class T>
    SimExchange& Write(std::uint32_t offset, const T& source) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (ok) ok = LinkWrite(offset, sizeof(T), &source, code);
        return *this;
    }
    // Sends what was queued, if everything was; true when the exchange succeeded.
    bool Process() {
        if (ok) ok = LinkProcess(code);
        return ok;
    }

    bool ok = true;
    std::uint32_t code = LinkOk;
};

// The exchange failed all its tries: the simulator does not answer (hung or gone).
constexpr bool ExchangeGaveUp(std::uint32_t code) {
    return code == LinkTimedOut || code == LinkSendFailed;
}

// The 128-byte message block: the first 100 characters of the text, then zeros.
inline constexpr std::size_t MessageTextLimit = 100;
std::array<char, 128> MessageBlock(std::string_view text);

}  // namespace hf
