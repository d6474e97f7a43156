// Virtual time for native tests: nothing really sleeps; a blocking wait moves the clock.
#pragma once

#include <cstdint>

namespace hf::testing {

class VirtualClock {
public:
    // Local date and time at ms 0, as days since 1899-12-30 with the time of day as fraction.
    // nowMs is the monotonic clock: moving the local date and time leaves it alone.
    explicit VirtualClock(double startDays = 46000.5) : startDays_(startDays) {}

    std::int64_t nowMs() const { return nowMs_; }
    double localDateTime() const { return startDays_ + static_cast<double>(nowMs_) / 86400000.0; }
    void advance(std::int64_t ms) { nowMs_ += ms; }
    void setStartDays(double days) { startDays_ = days; }
    // The user or a time sync sets the local clock: positive forward, negative back.
    void shiftLocalDateTime(double days) { startDays_ += days; }

private:
    double startDays_;
    std::int64_t nowMs_ = 0;
};

}  // namespace hf::testing
