// A 32-bit millisecond tick count, as the system keeps it since boot, widened to 64 bits
// across its wrap every 49.7 days: a clock that only runs forward, whatever is done to the
// local date and time.
#pragma once

#include <cstdint>

namespace hf {

class WidenedTickCount {
public:
    // The 64-bit count for a 32-bit reading. Readings must come at least once per wrap;
    // the program reads the clock every second while it watches for traps.
    std::uint64_t Widen(std::uint32_t ticks) {
        if (ticks < last_) high_ += std::uint64_t{1} << 32;
        last_ = ticks;
        return high_ | ticks;
    }

private:
    std::uint64_t high_ = 0;
    std::uint32_t last_ = 0;
};

}  // namespace hf
