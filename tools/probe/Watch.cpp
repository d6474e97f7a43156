// hfwatch.exe: a small client that flies a landing against the stand-in the way the program
// will. On a 10 ms window timer it reads the forward speed and the on-ground flag; once on
// the ground it writes a deceleration to 0x3070 on every tick until the speed is 0. Every
// 100 ms it prints the position, speed and on-ground flag.
//
//   hfwatch [SECONDS [ACCEL]]      defaults: 30 s, -700 ft/s^2
//
// Exit code 0 when every exchange succeeded, otherwise the link's last result code.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "deck/SimData.h"
#include "link/SimLink.h"
#include "link/Win32LinkPort.h"
#include "tools/stopwatch/Stopwatch.h"

namespace {

constexpr UINT TickMs = 10;
constexpr std::int64_t SampleMs = 100;


struct Watch {
    double accel = -700.0;
    hf::timing::Stopwatch clock;
    std::int64_t nextSampleMs = 0;
    bool braking = false;
    bool stopped = false;
    int ticks = 0;
    int writes = 0;
    int failures = 0;
    std::uint32_t lastCode = 0;

    bool exchangeFailed(bool ok, std::uint32_t code) {
        if (ok) return false;
        ++failures;
        lastCode = code;
        std::printf("t=%lld exchange failed: code %u\n", static_cast<long long>(clock.ms()), code);
        std::fflush(stdout);
        return true;
    }

    void sample() {
        std::int64_t lat = 0, lon = 0, alt = 0;
        double speed = 0;
        std::uint16_t ground = 0;
        std::uint32_t code = 0;
        const bool ok = hf::LinkRead(0x0560, 8, &lat, code) && hf::LinkRead(0x0568, 8, &lon, code) &&
                        hf::LinkRead(0x0570, 8, &alt, code) && hf::LinkRead(0x3090, 8, &speed, code) &&
                        hf::LinkRead(0x0366, 2, &ground, code) && hf::LinkProcess(code);
        if (exchangeFailed(ok, code)) return;
        // The pairs are one 64-bit fixed-point number each: whole units above, fraction below.
        std::printf("t=%lld lat=%.7f lon=%.7f alt=%.2f speed=%.2f ground=%u\n",
                    static_cast<long long>(clock.ms()),
                    static_cast<double>(lat) / hf::FractionDivisor * hf::LatitudeScale,
                    static_cast<double>(lon) / hf::FractionDivisor * hf::AngleScale,
                    static_cast<double>(alt) / hf::FractionDivisor, speed, ground);
        std::fflush(stdout);
    }

    void brake() {
        double speed = 0;
        std::uint16_t ground = 0;
        std::uint32_t code = 0;
        const bool ok = hf::LinkRead(0x3090, 8, &speed, code) && hf::LinkRead(0x0366, 2, &ground, code) &&
                        hf::LinkProcess(code);
        if (exchangeFailed(ok, code)) return;
        if (ground == 1 && speed > 0.0) {
            if (!braking) {
                std::printf("t=%lld braking from speed=%.2f\n", static_cast<long long>(clock.ms()), speed);
                braking = true;
            }
            const bool written = hf::LinkWrite(0x3070, 8, &accel, code) && hf::LinkProcess(code);
            if (!exchangeFailed(written, code)) ++writes;
        } else if (braking) {
            stopped = true;
            std::printf("t=%lld stopped speed=%.2f writes=%d\n", static_cast<long long>(clock.ms()), speed,
                        writes);
            std::fflush(stdout);
        }
    }

    void tick() {
        ++ticks;
        if (!stopped) brake();
        const std::int64_t now = clock.ms();
        if (now >= nextSampleMs) {
            sample();
            while (nextSampleMs <= now) nextSampleMs += SampleMs;  // a late tick skips, never bunches
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    Watch watch;
    if (argc > 2) watch.accel = std::strtod(argv[2], nullptr);
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: hfwatch [SECONDS [ACCEL]]\n");
        return 2;
    }

    hf::SetLinkPort(&hf::SystemLinkPort());
    std::uint32_t code = 0;
    if (!hf::LinkOpen(0, code)) {
        std::printf("open failed: code %u\n", code);
        return static_cast<int>(code);
    }
    std::printf("t=%lld open, watching for %d s, decelerating with %.1f ft/s^2\n",
                static_cast<long long>(watch.clock.ms()), seconds, watch.accel);

    const UINT_PTR timer = SetTimer(nullptr, 0, TickMs, nullptr);
    const std::int64_t endMs = watch.clock.ms() + std::int64_t{seconds} * 1000;
    MSG msg;
    while (watch.clock.ms() < endMs && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == timer) {
            watch.tick();
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    KillTimer(nullptr, timer);
    hf::LinkClose();
    std::printf("t=%lld done: ticks=%d writes=%d stopped=%d failures=%d\n",
                static_cast<long long>(watch.clock.ms()), watch.ticks, watch.writes, watch.stopped ? 1 : 0,
                watch.failures);
    if (watch.failures == 0) return 0;
    return watch.lastCode != 0 ? static_cast<int>(watch.lastCode) : 1;
}
