// The timers of the headless window in virtual time: ticks come in time order as a test
// advances the clock, never while a handler runs (a blocking wait inside a handler moves
// the clock without letting other timers tick meanwhile).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "testing/VirtualClock.h"
#include "ui/Controls.h"

namespace hf::testing {

class HeadlessTimers final : public hf::TimerDriver {
public:
    explicit HeadlessTimers(VirtualClock& clock) : clock_(clock) {}

    void Start(hf::TTimer& timer) override;
    void Stop(hf::TTimer& timer) override;

    // Runs every tick that falls due within the next `ms` milliseconds, in time order (ties
    // in the order the timers were started). The clock ends at the later of the target and
    // where the last handler left it.
    void Advance(std::int64_t ms);

    bool Scheduled(const hf::TTimer& timer) const;
    // Time of the timer's next tick; -1 when it is not scheduled.
    std::int64_t NextTickMs(const hf::TTimer& timer) const;

    // An error that a handler lets out goes here (the default error report); without a
    // sink it ends the test.
    std::function<void(const std::exception&)> onError;

    // Every tick as it ran: timer name and time.
    struct Tick {
        std::string timer;
        std::int64_t timeMs;
    };
    const std::vector<Tick>& ticks() const { return ticks_; }
    void clearTicks() { ticks_.clear(); }

private:
    struct Entry {
        hf::TTimer* timer;
        std::int64_t dueMs;
        std::uint64_t order;
    };

    VirtualClock& clock_;
    std::map<const hf::TTimer*, Entry> entries_;
    std::uint64_t nextOrder_ = 0;
    std::vector<Tick> ticks_;
    bool firing_ = false;
};

}  // namespace hf::testing
