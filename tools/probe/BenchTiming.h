// Timing for the benchmarks run under Wine: a link port that notes how long each
// SendMessageTimeoutA took, and the minimum and median of repetitions.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/SimLink.h"
#include "link/Win32LinkPort.h"
#include "tools/stopwatch/Stopwatch.h"

namespace hf::bench {

using timing::Stopwatch;

// The system's port with a stopwatch around the message send, so the time a client spends
// outside the send (queueing, answer walk, its own logic) is the total minus `sendTicks`.
// Hand-made exchanges call SendMessageTimeoutA here too, so both sides pay the same clock.
class TimingLinkPort final : public LinkPort {
public:
    WindowHandle FindWindowExA(const char* className) override {
        return system_.FindWindowExA(className);
    }
    std::uint32_t RegisterWindowMessageA(const char* name) override {
        return system_.RegisterWindowMessageA(name);
    }
    std::uint16_t GlobalAddAtomA(const char* name) override { return system_.GlobalAddAtomA(name); }
    void GlobalDeleteAtom(std::uint16_t atom) override { system_.GlobalDeleteAtom(atom); }
    ObjectHandle CreateFileMappingA(std::uint32_t sizeLow, const char* name) override {
        return system_.CreateFileMappingA(sizeLow, name);
    }
    void* MapViewOfFile(ObjectHandle mapping) override { return system_.MapViewOfFile(mapping); }
    void UnmapViewOfFile(void* view) override { system_.UnmapViewOfFile(view); }
    void CloseHandle(ObjectHandle handle) override { system_.CloseHandle(handle); }
    std::uintptr_t SendMessageTimeoutA(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam,
                                       std::uint32_t timeoutMs, std::uintptr_t* reply) override {
        const Stopwatch send;
        const std::uintptr_t sent =
            system_.SendMessageTimeoutA(window, message, wParam, lParam, timeoutMs, reply);
        sendTicks += send.ticks();
        ++sends;
        return sent;
    }
    std::uint32_t GetLastError() override { return system_.GetLastError(); }
    std::uint32_t GetCurrentProcessId() override { return system_.GetCurrentProcessId(); }
    void Sleep(std::uint32_t ms) override { system_.Sleep(ms); }

    void reset() {
        sendTicks = 0;
        sends = 0;
    }

    std::int64_t sendTicks = 0;
    std::int64_t sends = 0;

private:
    Win32LinkPort system_;
};

// The port installed for the link while it lives: the link is closed through it before it
// goes, however the program returns, so the link's own stop at program end finds no port.
class InstalledPort {
public:
    explicit InstalledPort(LinkPort& port) { SetLinkPort(&port); }
    ~InstalledPort() {
        LinkClose();
        SetLinkPort(nullptr);
    }
    InstalledPort(const InstalledPort&) = delete;
    InstalledPort& operator=(const InstalledPort&) = delete;
};

// Per-repetition figures and what is reported of them.
struct Spread {
    std::vector<double> values;
    double min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    // The middle value; of an even count, the mean of the two middle ones.
    double median() const {
        if (values.empty()) return 0;
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

// The numeric argument at `index`, or the fallback when there is none; 0 when it is not a
// positive number.
inline int CountArgument(int argc, char** argv, int index, int fallback) {
    if (index >= argc) return fallback;
    const int value = std::atoi(argv[index]);
    return value > 0 ? value : 0;
}

// The table both benchmarks print (scripts read it): a heading, then one row per kind with
// the minimum and the median of the repetitions' medians and the mean time outside the send.
inline void PrintTableHead(int repetitions, int count, const char* what, const char* column) {
    std::printf("%d repetitions of %d %s; medians of the repetitions,\n"
                "minimum and median of those; microseconds per %s\n",
                repetitions, count, what, column);
    std::printf("%-30s %10s %10s %16s\n", column, "min", "median", "outside the send");
}

inline void PrintTableRow(const std::string& label, const Spread& total, const Spread& outside) {
    std::printf("%-30s %10.1f %10.1f %16.2f\n", label.c_str(), total.min(), total.median(),
                outside.median());
}

}  // namespace hf::bench
