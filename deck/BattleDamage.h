// The arithmetic of a battle-damage run that the window's handlers share.
#pragma once

#include <cstdint>
#include <string>

namespace hf {

// Percent chance of each candidate when `candidates` (at least 1) are left: 100 / count,
// rounded to the nearest integer with halves to even.
std::uint32_t DamageHitThreshold(std::uint32_t candidates);

// The level message: "Battle Damage" in capitals, then " (level) INCURRED".
std::string DamageLevelMessage(int level);

}  // namespace hf
