#include "sim/flight/FlightOffsets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace hf::sim::flight {

namespace {

constexpr double TwoTo32 = 4294967296.0;

std::uint32_t EncodeAngle(double degrees) {
    const double turns = degrees / 360.0;
    const double units = std::round((turns - std::floor(turns)) * TwoTo32);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(units) & 0xFFFFFFFFu);
}

double DecodeAngle(std::int32_t raw) { return raw * AngleUnit; }

double DecodeHeading(std::uint32_t raw) { return raw * AngleUnit; }  // 0 to 360

std::int16_t EncodeMagVar(double degrees) {
    const double raw = std::clamp(std::round(degrees * 65536.0 / 360.0), -32768.0, 32767.0);
    return static_cast<std::int16_t>(raw);
}

void PokePair(ServerCore& core, std::uint32_t offset, FixedPair pair) {
    core.poke<std::uint32_t>(offset, pair.low);
    core.poke<std::int32_t>(offset + 4, pair.high);
}

FixedPair PeekPair(const ServerCore& core, std::uint32_t offset) {
    return {core.peek<std::uint32_t>(offset), core.peek<std::int32_t>(offset + 4)};
}

}  // namespace

bool Overlaps(std::uint32_t offset, std::size_t size, std::uint32_t fieldOffset, std::size_t fieldSize) {
    return offset < fieldOffset + fieldSize && fieldOffset < offset + size;
}

FixedPair EncodeFixed(double units) {
    const double whole = std::floor(units);
    double fraction = std::round((units - whole) * TwoTo32);
    double high = whole;
    if (fraction >= TwoTo32) {  // rounded up into the next unit
        fraction -= TwoTo32;
        high += 1;
    }
    return {static_cast<std::uint32_t>(fraction), static_cast<std::int32_t>(high)};
}

double DecodeFixedUnsigned(FixedPair pair) {
    return pair.high + pair.low / TwoTo32;
}

void PublishState(const AircraftState& state, ServerCore& core) {
    core.poke<std::int16_t>(MagVarOffset, EncodeMagVar(state.magVar));
    core.poke<std::uint16_t>(OnGroundOffset, state.onGround ? 1 : 0);
    PokePair(core, LatitudeOffset, EncodeFixed(state.latitude / LatitudeUnit));
    PokePair(core, LongitudeOffset, EncodeFixed(state.longitude / AngleUnit));
    PokePair(core, AltitudeOffset, EncodeFixed(state.altitude));
    core.poke<std::uint32_t>(BankOffset, EncodeAngle(state.bank));
    core.poke<std::uint32_t>(HeadingOffset, EncodeAngle(state.heading));
    core.poke<std::int16_t>(SlewOffset, state.slew);
    core.poke<std::int16_t>(CrashOffset, state.crash);
    core.poke<std::int16_t>(GroundAltitudeOffset, static_cast<std::int16_t>(std::clamp(
                                                      std::round(state.surfaceAltitude), -32768.0, 32767.0)));
    core.poke<std::int32_t>(GearLeverOffset, state.gearLever);
    core.poke<double>(ForwardSpeedOffset, state.forwardSpeed);
    core.poke<double>(HookOffset, state.hook);
    std::array<char, TitleSize> title{};
    std::memcpy(title.data(), state.title.data(), std::min<std::size_t>(state.title.size(), TitleSize - 1));
    core.pokeBytes(TitleOffset, title.data(), title.size());
}

void AbsorbState(const ServerCore& core, std::uint32_t offset, std::size_t size, AircraftState& state) {
    auto touched = [&](std::uint32_t field, std::size_t fieldSize) {
        return Overlaps(offset, size, field, fieldSize);
    };
    if (touched(MagVarOffset, 2)) state.magVar = core.peek<std::int16_t>(MagVarOffset) * 360.0 / 65536.0;
    if (touched(LatitudeOffset, 8)) state.latitude = DecodeFixedUnsigned(PeekPair(core, LatitudeOffset)) * LatitudeUnit;
    if (touched(LongitudeOffset, 8)) state.longitude = DecodeFixedUnsigned(PeekPair(core, LongitudeOffset)) * AngleUnit;
    if (touched(AltitudeOffset, 8)) state.altitude = DecodeFixedUnsigned(PeekPair(core, AltitudeOffset));
    if (touched(BankOffset, 4)) state.bank = DecodeAngle(core.peek<std::int32_t>(BankOffset));
    if (touched(HeadingOffset, 4)) state.heading = DecodeHeading(core.peek<std::uint32_t>(HeadingOffset));
    if (touched(SlewOffset, 2)) state.slew = core.peek<std::int16_t>(SlewOffset);
    if (touched(CrashOffset, 2)) state.crash = core.peek<std::int16_t>(CrashOffset);
    if (touched(GroundAltitudeOffset, 2)) state.surfaceAltitude = core.peek<std::int16_t>(GroundAltitudeOffset);
    if (touched(GearLeverOffset, 4)) state.gearLever = core.peek<std::int32_t>(GearLeverOffset);
    if (touched(ForwardSpeedOffset, 8)) state.forwardSpeed = core.peek<double>(ForwardSpeedOffset);
    if (touched(HookOffset, 8)) state.hook = core.peek<double>(HookOffset);
    if (touched(TitleOffset, TitleSize)) {
        std::array<char, TitleSize> title{};
        core.peekBytes(TitleOffset, title.data(), title.size() - 1);
        state.title = title.data();
    }
}

void ReadControls(const ServerCore& core, AircraftState& state) {
    state.parkingBrake = core.peek<std::int16_t>(ParkingBrakeOffset);
    state.throttle = core.peek<std::int16_t>(ThrottleOffset);
}

std::string_view ComputedOffsetIn(std::uint32_t offset, std::size_t size) {
    if (Overlaps(offset, size, OnGroundOffset, 2)) return "0x0366 (on ground)";
    return {};
}

}  // namespace hf::sim::flight
