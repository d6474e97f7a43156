#include "testing/HeadlessTimers.h"

#include <stdexcept>

namespace hf::testing {

void HeadlessTimers::Start(hf::TTimer& timer) {
    entries_[&timer] = Entry{&timer, clock_.nowMs() + timer.Interval(), nextOrder_++};
}

void HeadlessTimers::Stop(hf::TTimer& timer) { entries_.erase(&timer); }

bool HeadlessTimers::Scheduled(const hf::TTimer& timer) const {
    return entries_.count(&timer) != 0;
}

std::int64_t HeadlessTimers::NextTickMs(const hf::TTimer& timer) const {
    const auto found = entries_.find(&timer);
    return found == entries_.end() ? -1 : found->second.dueMs;
}

void HeadlessTimers::Advance(std::int64_t ms) {
    if (firing_) throw std::logic_error("Advance called from inside a timer handler");
    const std::int64_t target = clock_.nowMs() + ms;
    for (;;) {
        const Entry* next = nullptr;
        for (const auto& [key, entry] : entries_) {
            if (next == nullptr || entry.dueMs < next->dueMs ||
                (entry.dueMs == next->dueMs && entry.order < next->order)) {
                next = &entry;
            }
        }
        if (next == nullptr || next->dueMs > target) break;
        hf::TTimer* timer = next->timer;
        const std::int64_t due = next->dueMs;
        if (due > clock_.nowMs()) clock_.advance(due - clock_.nowMs());

        // The next tick keeps the timer's phase; ticks missed while the thread was busy
        // collapse into this one, and a handler that blocks past the next tick gets one
        // tick as soon as it returns (the system's timer messages do not pile up).
        const std::uint64_t order = nextOrder_++;
        std::int64_t nextDue = due + timer->Interval();
        if (nextDue <= clock_.nowMs()) nextDue = clock_.nowMs() + timer->Interval();
        entries_[timer] = Entry{timer, nextDue, order};
        ticks_.push_back({timer->Name(), clock_.nowMs()});
        firing_ = true;
        try {
            timer->Fire();
        } catch (const std::exception& error) {
            firing_ = false;
            if (!onError) throw;
            onError(error);
        }
        firing_ = false;
        const auto again = entries_.find(timer);
        if (again != entries_.end() && again->second.order == order &&
            again->second.dueMs < clock_.nowMs()) {
            again->second.dueMs = clock_.nowMs();
        }
    }
    if (clock_.nowMs() < target) clock_.advance(target - clock_.nowMs());
}

}  // namespace hf::testing
