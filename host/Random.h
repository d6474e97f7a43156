// The program's random draws: a standard uniform generator, seeded from the clock at every
// reset (tests may give it a fixed seed).
#pragma once

#include <cstdint>
#include <random>

namespace hf {

class UniformRandom {
public:
    void Seed(std::uint32_t seed) { engine_.seed(seed); }

    // Uniform from 0 to range - 1; 0 when range is 0.
    std::uint32_t Next(std::uint32_t range) {
        if (range == 0) return 0;
        return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(engine_);
    }

private:
    std::mt19937 engine_;
};

}  // namespace hf
