// The operating program with its battle-damage sounds beside it and the aircraft's failure
// flags, engines and tanks written straight into the stand-in's offsets.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "GateFixture.h"
#include "deck/SimData.h"

namespace hf::testing {

class DamageTest : public GateTest {
protected:
    // Starts with all four damage sounds beside the program and every target of every level
    // out of reach: all flags failed, no engines, no tanks. Tests then open what they need.
    // With `seed` the draws follow it instead of the clock.
    void startDamage(std::optional<std::uint32_t> seed = std::nullopt);

    void setFlag(std::uint32_t offset, std::uint8_t value) { core.poke(offset, value); }
    std::uint8_t flag(std::uint32_t offset) const { return core.peek<std::uint8_t>(offset); }
    void setEngines(std::int16_t count, std::uint8_t failedBits);
    void setTank(std::size_t tank, std::int32_t level, std::uint32_t capacity);
    std::int32_t tankLevel(std::size_t tank) const;

    void run(int level);
    // Byte writes the program made to one offset.
    std::vector<std::uint8_t> byteWritesTo(std::uint32_t offset) const;
    // The sounds started, in order.
    std::vector<std::string> plays() const;
    // Offsets the program wrote, in order, pilot messages left out.
    std::vector<std::uint32_t> writtenOffsets() const;
};

}  // namespace hf::testing
