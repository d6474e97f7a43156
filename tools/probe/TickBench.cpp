// hftickbench.exe: what one tick of the trap test and one tick of the arrest cost, run by
// the program's own handlers over the real link against a running server window.
//
//   hftickbench.exe [TICKS [REPETITIONS]]     (defaults 200 and 9)
//
// The main window's logic starts as the program's does (connection, settings, the zone
// file beside this program), without windows and with timers that never fire: the
// benchmark calls the handlers itself. The aircraft is put where the trap test reads all it
// reads and tests all it tests without catching (in the height band, level, on the landing
// heading, just behind the nearest zone), and given a forward speed, so every arrest tick
// brakes (a read, then a write). The table gives the minimum and the median over the
// repetitions of each repetition's median tick, and the mean time a tick spends outside
// SendMessageTimeoutA (the handler's own work). Exit code 0 when every tick took that road.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "BenchTiming.h"
#include "deck/SimData.h"
#include "host/win32/Win32Host.h"
#include "link/SimLink.h"
#include "ui/FormHookfast.h"
#include "ui/View.h"

namespace {

using hf::bench::Spread;
using hf::bench::Stopwatch;
namespace offsets = hf::offsets;

// Timers that never tick: the benchmark runs the handlers.
class StillTimers final : public hf::TimerDriver {
public:
    void Start(hf::TTimer&) override {}
    void Stop(hf::TTimer&) override {}
};

std::int32_t AngleRaw(double degrees) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(std::llround(degrees / 360.0 * 4294967296.0) & 0xFFFFFFFF));
}

// Puts the aircraft just behind the zone, inside its height band, level and on its heading.
bool PlaceAircraft(const hf::TCatchZoneData& zone) {
    const double lat = std::fmin(zone.BackLeftLat, zone.BackRightLat) - 0.002;
    const double lon = (zone.BackLeftLon + zone.BackRightLon) / 2;
    const double altitude = zone.DeckAlt + zone.CatchZoneHeight / 2;
    const auto latHi = static_cast<std::int32_t>(std::lround(lat / hf::LatitudeScale));
    const auto lonHi = static_cast<std::int32_t>(std::lround(lon / hf::AngleScale));
    // Whole metres below, then the unsigned fraction of a metre.
    const auto altHi = static_cast<std::int32_t>(std::floor(altitude));
    const auto altLo =
        static_cast<std::uint32_t>(std::llround((altitude - altHi) * hf::FractionDivisor));
    const std::int16_t noVariation = 0;
    const std::uint16_t inFlight = 0;
    const double hookDown = 1.0;
    const double speed = 200.0;
    hf::SimExchange exchange;
    exchange.Write(offsets::MagVar, noVariation)
        .Write(offsets::Heading, AngleRaw(zone.RunwayHeading))
        .Write(offsets::Bank, std::int32_t{0})
        .Write(offsets::OnGround, inFlight)
        .Write(offsets::AltitudeLo, altLo)
        .Write(offsets::AltitudeHi, altHi)
        .Write(offsets::LatitudeLo, std::int32_t{0})
        .Write(offsets::LatitudeHi, latHi)
        .Write(offsets::LongitudeLo, std::int32_t{0})
        .Write(offsets::LongitudeHi, lonHi)
        .Write(offsets::Tailhook, hookDown)
        .Write(offsets::ForwardSpeed, speed);
    return exchange.Process();
}

struct Handler {
    const char* label;
    std::int64_t exchangesPerTick;
    std::function<void()> tick;
    std::function<bool()> tookTheRoad;  // after each tick
    Spread total;    // us, the median tick of each repetition
    Spread outside;  // us, the mean time outside the send of each repetition
};

bool Run(Handler& handler, hf::bench::TimingLinkPort& port, int ticks) {
    std::vector<double> samples;
    double own = 0;
    for (int i = 0; i < ticks; ++i) {
        const std::int64_t sendBefore = port.sendTicks;
        const std::int64_t sendsBefore = port.sends;
        const Stopwatch watch;
        handler.tick();
        const std::int64_t elapsed = watch.ticks();
        if (port.sends - sendsBefore != handler.exchangesPerTick || !handler.tookTheRoad()) {
            std::printf("failed: %s took another road (%lld exchanges)\n", handler.label,
                        static_cast<long long>(port.sends - sendsBefore));
            return false;
        }
        samples.push_back(Stopwatch::Microseconds(elapsed));
        own += Stopwatch::Microseconds(elapsed - (port.sendTicks - sendBefore));
    }
    handler.total.values.push_back(Spread{samples}.median());
    handler.outside.values.push_back(own / ticks);
    return true;
}

int Bench(int ticks, int repetitions, hf::bench::TimingLinkPort& port) {
    hf::Win32Host host;
    StillTimers timers;
    hf::HeadlessView view;
    hf::TFormMain form(host, timers, view);
    form.Create();
    if (hf::Link().ViewBase == nullptr || !form.CatchZones || form.CatchZones->empty()) {
        std::printf("failed: the start did not connect and load zones: %s\n",
                    form.lblConnectionInfo.Caption().c_str());
        return 1;
    }
    const hf::TCatchZoneData& zone = form.CatchZones->front();
    if (!PlaceAircraft(zone)) {
        std::printf("failed: the aircraft could not be placed\n");
        return 1;
    }
    form.NearestZoneIndex = 0;
    form.MagVar = 0;

    Handler trap{"trap-test tick", 1,
                 [&] { form.tmrCheckForCatchTimer(&form.tmrCheckForCatch); },
                 [&] { return form.tmrCheckForCatch.Enabled() && !form.tmrDecel.Enabled(); },
                 {}, {}};
    Handler arrest{"arrest tick", 2, [&] { form.tmrDecelTimer(&form.tmrDecel); },
                   [&] { return form.tmrDecel.Enabled(); }, {}, {}};

    for (int rep = -1; rep < repetitions; ++rep) {  // the first is a warm-up
        form.tmrDecel.SetEnabled(false);
        if (!Run(trap, port, rep < 0 ? ticks / 10 + 1 : ticks)) return 1;
        form.tmrDecel.SetEnabled(true);
        if (!Run(arrest, port, rep < 0 ? ticks / 10 + 1 : ticks)) return 1;
        if (rep < 0) {
            trap.total.values.clear(), trap.outside.values.clear();
            arrest.total.values.clear(), arrest.outside.values.clear();
        }
    }
    form.tmrDecel.SetEnabled(false);
    form.Close();

    hf::bench::PrintTableHead(repetitions, ticks, "ticks of each handler", "tick");
    for (const Handler* h : {&trap, &arrest}) {
        const long long n = h->exchangesPerTick;
        hf::bench::PrintTableRow(std::string(h->label) + ", " + std::to_string(n) +
                                     (n == 1 ? " exchange" : " exchanges"),
                                 h->total, h->outside);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = hf::bench::CountArgument(argc, argv, 1, 200);
    const int repetitions = hf::bench::CountArgument(argc, argv, 2, 9);
    if (ticks == 0 || repetitions == 0) return 2;
    hf::bench::TimingLinkPort port;
    const hf::bench::InstalledPort installed(port);
    int status = 1;
    try {
        status = Bench(ticks, repetitions, port);
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
    }
    return status;
}
