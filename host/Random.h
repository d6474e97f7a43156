// The program's pseudo-random generator: a 32-bit linear congruential generator, the same
// on every platform, so a seed gives the same draws in tests and in the programs.
#pragma once

#include <cstdint>

namespace hf {

class LcgRandom {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t State() const { return state_; }

    // Uniform from 0 to range - 1: the high bits of the product, so every value is as likely.
    std::uint32_t Next(std::uint32_t range) {
        state_ = state_ * 0x08088405u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * range) >> 32);
    }

private:
    std::uint32_t state_ = 0;
};

}  // namespace hf
