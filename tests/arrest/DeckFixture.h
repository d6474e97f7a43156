// The operating program with one rectangular zone and the aircraft's trap-test values
// written straight into the stand-in's offsets.
#pragma once

#include <cstdint>
#include <vector>

#include "GateFixture.h"
#include "tests/geometry/RectangleZone.h"

namespace hf::testing {

// Raw 32-bit angle units (360 / 2^32 degree).
inline constexpr std::int32_t Degrees90 = 0x40000000;

class DeckTest : public GateTest {
protected:
    // Starts with the catch sound beside the program and the rectangle zone as the nearest
    // one; the aircraft sits on the deck at the zone's centre, wings level, on the runway
    // heading, hook down, gear down; no variation; the tailhook option off.
    void startInZone();

    void setHeadingRaw(std::int32_t raw);
    void setBankRaw(std::int32_t raw);
    void setOnGround(bool onGround);
    void setAltitude(std::uint32_t lo, std::int32_t hi);
    void setHook(double position);
    TCatchZoneData& zone() { return form->CatchZones->front(); }

    // The trap test's tick, as its timer runs it; true when it caught.
    bool catchTick();

    // Doubles the program wrote to one offset, with their times.
    struct DoubleWrite {
        double value;
        std::int64_t timeMs;
    };
    std::vector<DoubleWrite> doubleWritesTo(std::uint32_t offset) const;
};

}  // namespace hf::testing
