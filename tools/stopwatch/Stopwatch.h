// The stopwatch of the stand-in and the probe tools: the performance counter, because
// GetTickCount may move in steps of 10 to 16 ms, too coarse to show a 10 ms write cadence or
// an exchange of half a millisecond.
#pragma once

#include <windows.h>

#include <cstdint>

namespace hf::timing {

class Stopwatch {
public:
    Stopwatch() : start_(Now()) {}

    // Counter ticks since the start: the finest it measures (see Microseconds).
    std::int64_t ticks() const { return Now() - start_; }
    std::int64_t ms() const { return ticks() * 1000 / Frequency(); }

    static double Microseconds(std::int64_t ticks) {
        return static_cast<double>(ticks) * 1e6 / static_cast<double>(Frequency());
    }

private:
    static std::int64_t Now() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    static std::int64_t Frequency() {
        static const std::int64_t perSecond = [] {
            LARGE_INTEGER frequency;
            QueryPerformanceFrequency(&frequency);
            return frequency.QuadPart;
        }();
        return perSecond;
    }

    std::int64_t start_;
};

}  // namespace hf::timing
