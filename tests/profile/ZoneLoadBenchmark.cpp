// How long a zone load and a settings save take: a load opens the file once and reads it
// key by key, so its time must grow in proportion to the number of zones.
#include "deck/Profile.h"
#include "deck/ZoneFile.h"
#include "host/SystemFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ZoneFileText(int zones) {
    std::string text = "; generated\r\n";
    for (int n = 1; n <= zones; ++n) {
        text += "[" + hf::ZoneSectionName(n) + "]\r\nCarrierIdent=Carrier " + std::to_string(n) + "\r\n";
        for (const char* key : {"FrontRightCornerLat=36.0010", "FrontRightCornerLon=-75.0000", "FrontLeftCornerLat=36.0010",
                                "FrontLeftCornerLon=-75.0010", "BackRightCornerLat=36.0000", "BackRightCornerLon=-75.0000",
                                "BackLeftCornerLat=36.0000", "BackLeftCornerLon=-75.0010", "DeckAltInFeet=60",
                                "CableCatchZoneHeightInFeet=3", "RunwayHeadingInDegreesMag=352.5"}) {
            text += key;
            text += "\r\n";
        }
    }
    return text;
}

std::string TempFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void LoadZoneFile(benchmark::State& state) {
    const int zones = static_cast<int>(state.range(0));
    const std::string path = TempFile("hf_bench_zones_" + std::to_string(zones) + ".dat");
    std::ofstream(path, std::ios::binary) << ZoneFileText(zones);
    hf::SystemFiles files;
    for (auto _ : state) {
        hf::ZoneLoad load;
        hf::ReadCatchZones(hf::Profile(path, files).Document(), 3.2808, load);
        if (load.Zones.size() != static_cast<std::size_t>(zones)) {
            state.SkipWithError("zones lost");
        }
        benchmark::DoNotOptimize(load);
    }
    state.SetComplexityN(zones);
    std::remove(path.c_str());
}
BENCHMARK(LoadZoneFile)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void SaveSettings(benchmark::State& state) {
    const std::string path = TempFile("hf_bench_Hookfast.INI");
    std::vector<std::string> keys;
    for (int key = 0; key < 22; ++key) keys.push_back("Key" + std::to_string(key));
    std::vector<hf::ProfileEntry> entries;
    for (int key = 0; key < 22; ++key) entries.push_back({key < 11 ? "General" : "CableOps", keys[key], "700"});
    hf::SystemFiles files;
    for (auto _ : state) {
        hf::Profile settings(path, files);
        settings.WriteStrings(entries);  // as a stop saves: one rewrite for all the keys
    }
    std::remove(path.c_str());
}
BENCHMARK(SaveSettings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
