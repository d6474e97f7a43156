// Rules that the trap gates, the trap test and the arrest share.
#pragma once

#include <cstdint>

namespace hf {

// After an arrest ends, trapping waits this long. It is measured on the host's monotonic
// clock, so a local clock set back (summer time, a time sync) cannot stretch it.
inline constexpr std::uint64_t ArrestWaitMs = 30000;
// Trapping anywhere only this far (degrees) from the nearest known zone.
inline constexpr double TrapAnywhereMinimumDistance = 0.07;

// What is left of the wait at `nowMs` after an arrest that ended at `lastArrestEndMs`; 0 when
// it is over, or when no arrest has ended since the reset (0).
constexpr std::uint64_t ArrestWaitLeftMs(std::uint64_t nowMs, std::uint64_t lastArrestEndMs) {
    if (lastArrestEndMs == 0 || nowMs < lastArrestEndMs) return 0;
    const std::uint64_t elapsed = nowMs - lastArrestEndMs;
    return elapsed < ArrestWaitMs ? ArrestWaitMs - elapsed : 0;
}

}  // namespace hf
