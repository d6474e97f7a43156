// hfnearesttie: zones and aircraft positions at which two zones are exactly equally near.
//
//   hfnearesttie ZONE-FILE SCENARIO-FILE
//
// Writes a zone file of twelve pairs of zones, PnnA before PnnB, the pairs several degrees
// apart, and a stand-in scenario that puts the aircraft near one pair after another (hook
// down, so the trap gate searches for the nearest zone every second). At each position the
// front-right corners of the pair's two zones lie at exactly the same distance as the
// program computes it in IEEE double, so the earlier zone, PnnA, is the nearest. The
// positions are picked where 80-bit x87 arithmetic (what an i686 build without SSE2 math
// computes with) finds PnnB nearer, so the check fails for such a build. Prints one line per
// pair: its name, the position's latitude and longitude and the distance.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "deck/Geometry.h"
#include "deck/SimData.h"

namespace {

constexpr int Pairs = 12;
constexpr double Radius = 0.3;      // degrees from the aircraft to each front-right corner
constexpr int HoldMs = 2500;        // two or three trap-gate ticks per position

struct Corner {
    double lat;
    double lon;
};

// What an x87 build computes: the decoded position rounded to double where it is passed on,
// the distance kept in 80 bits.
long double X87Distance(std::int32_t latHi, std::int32_t lonHi, Corner c) {
    const double lat = static_cast<double>(static_cast<long double>(latHi) * hf::LatitudeScale);
    const double lon = static_cast<double>(static_cast<long double>(lonHi) * hf::AngleScale);
    long double dLon = std::fabs(static_cast<long double>(c.lon) - lon);
    if (dLon > 180.0L) dLon = 360.0L - dLon;
    const long double dLat = static_cast<long double>(c.lat) - lat;
    return std::sqrt(dLat * dLat + dLon * dLon);
}

void WriteZone(std::FILE* file, int number, const std::string& ident, Corner fr) {
    std::fprintf(file,
                 "[Zone%02d]\nCarrierIdent=%s\n"
                 "FrontRightCornerLat=%.17g\nFrontRightCornerLon=%.17g\n"
                 "FrontLeftCornerLat=%.17g\nFrontLeftCornerLon=%.17g\n"
                 "BackRightCornerLat=%.17g\nBackRightCornerLon=%.17g\n"
                 "BackLeftCornerLat=%.17g\nBackLeftCornerLon=%.17g\n"
                 "DeckAltInFeet=60\nCableCatchZoneHeightInFeet=3\nRunwayHeadingInDegreesMag=0\n\n",
                 number, ident.c_str(), fr.lat, fr.lon, fr.lat, fr.lon - 0.0005, fr.lat - 0.0005,
                 fr.lon, fr.lat - 0.0005, fr.lon - 0.0005);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: hfnearesttie ZONE-FILE SCENARIO-FILE\n", stderr);
        return 2;
    }
    std::FILE* zones = std::fopen(argv[1], "w");
    std::FILE* scenario = std::fopen(argv[2], "w");
    if (zones == nullptr || scenario == nullptr) {
        std::perror("hfnearesttie");
        return 1;
    }
    std::fputs("; Pairs of zones whose front-right corners are equally near the aircraft\n\n", zones);
    std::fputs("# The aircraft at one pair after another, hook down\nat 0 set 0x3BA0 f64 1.0\n",
               scenario);

    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> angle(0.2, 1.3);  // away from the axes
    int number = 0;
    int at = 0;
    for (int pair = 1; pair <= Pairs; ++pair) {
        // Whole units of the position pair (the fractions are 0), so the stand-in serves
        // them exactly as written.
        const auto latHi = static_cast<std::int32_t>(std::lround((8.0 + 6.0 * pair) / hf::LatitudeScale));
        const auto lonHi = static_cast<std::int32_t>(std::lround((-150.0 + 23.0 * pair) / hf::AngleScale));
        const double lat = hf::DecodeLatitude(0, latHi);
        const double lon = hf::DecodeLongitude(0, lonHi);

        Corner a{};
        Corner b{};
        double distance = 0;
        bool found = false;
        for (int trial = 0; trial < 1000000 && !found; ++trial) {
            const double alpha = angle(random);
            a = {lat + Radius * std::sin(alpha), lon + Radius * std::cos(alpha)};
            distance = hf::CornerDistance(lat, lon, a.lat, a.lon);
            const double beta = -angle(random);  // the other zone on the other side
            b = {lat + distance * std::sin(beta), lon + distance * std::cos(beta)};
            if (hf::CornerDistance(lat, lon, b.lat, b.lon) != distance) continue;
            const long double xa = X87Distance(latHi, lonHi, a);
            const long double xb = X87Distance(latHi, lonHi, b);
            // Whether the x87 build keeps the best distance in 80 bits or stores it as a
            // double, it takes the later zone.
            found = xb < xa && xb < static_cast<long double>(static_cast<double>(xa));
        }
        if (!found) {
            std::fprintf(stderr, "hfnearesttie: no tie for pair %d\n", pair);
            return 1;
        }
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", pair);
        WriteZone(zones, ++number, std::string(name) + "A", a);
        WriteZone(zones, ++number, std::string(name) + "B", b);
        std::fprintf(scenario, "at %d set 0x0560 u32 0\nat %d set 0x0564 i32 %ld\n", at, at,
                     static_cast<long>(latHi));
        std::fprintf(scenario, "at %d set 0x0568 u32 0\nat %d set 0x056C i32 %ld\n", at, at,
                     static_cast<long>(lonHi));
        // The first position stays until the program operates (the test's signal).
        if (pair == 1) std::fputs("at 0 wait ready\n", scenario);
        at += HoldMs;
        std::printf("%s %.17g %.17g %.17g\n", name, lat, lon, distance);
    }
    std::fprintf(scenario, "at %d end\n", at);
    const bool written = std::fclose(zones) == 0 && std::fclose(scenario) == 0;
    return written ? 0 : 1;
}
