// The data files shipped beside the program: what a pilot gets in the release folder must
// load and play as it is.
#include "deck/Profile.h"
#include "deck/SimData.h"
#include "deck/ZoneFile.h"
#include "host/SystemFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedZoneFile, EveryZoneLoadsAndTheCarriersDiffer) {
    hf::SystemFiles files;
    const hf::Profile file(std::string(HF_ASSETS_DIR) + "/Hookfast.dat", files);
    hf::ZoneLoad load;
    hf::ReadCatchZones(file.Document(), hf::FeetPerMetre, load);

    EXPECT_EQ(load.Found, 2);
    EXPECT_TRUE(load.FailedZoneNumbers.empty());
    ASSERT_EQ(load.Zones.size(), 2u);
    // Two carriers, so the nearest-zone search has a choice and announces a change.
    EXPECT_NE(load.Zones[0].CarrierIdent, load.Zones[1].CarrierIdent);
}

// The parts of a RIFF wave file that decide whether the wave-audio device opens it.
struct Wave {
    std::uint16_t Format = 0, Channels = 0, BitsPerSample = 0, BlockAlign = 0;
    std::uint32_t SampleRate = 0, ByteRate = 0;
    std::vector<std::int16_t> Samples;
};

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
    return v;
}

// Walks the chunks; fails the test on anything a player would choke on.
Wave ParseWave(const std::vector<std::uint8_t>& b) {
    Wave w;
    EXPECT_GE(b.size(), 44u);
    if (b.size() < 12) return w;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
    EXPECT_EQ(Le(b, 4, 4), b.size() - 8) << "RIFF size does not match the file";
    bool sawFormat = false, sawData = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::uint32_t size = Le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) {
            ADD_FAILURE() << "chunk " << id << " runs past the end of the file";
            break;
        }
        if (id == "fmt ") {
            sawFormat = true;
            w.Format = Le(b, body, 2);
            w.Channels = Le(b, body + 2, 2);
            w.SampleRate = Le(b, body + 4, 4);
            w.ByteRate = Le(b, body + 8, 4);
            w.BlockAlign = Le(b, body + 12, 2);
            w.BitsPerSample = Le(b, body + 14, 2);
        } else if (id == "data") {
            EXPECT_TRUE(sawFormat) << "data before fmt";
            sawData = true;
            for (std::size_t i = 0; i + 1 < size; i += 2)
                w.Samples.push_back(static_cast<std::int16_t>(Le(b, body + i, 2)));
        }
        at = body + size + (size & 1);
    }
    EXPECT_TRUE(sawFormat && sawData);
    return w;
}

class ShippedSound : public testing::TestWithParam<std::string> {};

TEST_P(ShippedSound, IsSmallMonoPcmThatIsNeitherSilentNorClipped) {
    const std::vector<std::uint8_t> bytes = ReadBytes(GetParam());
    ASSERT_FALSE(bytes.empty()) << GetParam() << " is missing";
    const Wave w = ParseWave(bytes);

    EXPECT_EQ(w.Format, 1) << "plain PCM, not the extensible format";
    EXPECT_EQ(w.Channels, 1);
    EXPECT_EQ(w.SampleRate, 11025u);
    EXPECT_EQ(w.BitsPerSample, 16);
    EXPECT_EQ(w.BlockAlign, 2);
    EXPECT_EQ(w.ByteRate, 22050u);

    const double seconds = static_cast<double>(w.Samples.size()) / 11025.0;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 5.0);
    int peak = 0;
    for (std::int16_t s : w.Samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 32768 / 4) << "too quiet to hear over the simulator";
    EXPECT_LT(peak, 32767) << "clipped";
}

// The names the program opens, relative to its folder; the demo aircraft's title clips too.
std::vector<std::string> ShippedSounds() {
    std::vector<std::string> paths;
    for (const char* name : {"CableCatch.wav", "Catapult.wav", "DamageFarExplosion.wav", "DamageNearExplosion.wav",
                             "DamageRadio.wav", "DamageElectricalSystem.wav", "Ops_Sounds/RADIO_PILOT_ON_APPROACH.wav",
                             "Ops_Sounds/RADIO_DECKOFFICER_ROGER.wav", "Ops_Sounds/RADIO_PILOT_ON_CAT.wav",
                             "Ops_Sounds/RADIO_DECKOFFICER_CAT_SET.wav",
                             "Ops_Sounds/RADIO_DECKOFFICER_CAT_DISENGAGED.wav"})
        paths.push_back(std::string(HF_ASSETS_DIR) + "/sounds/" + name);
    for (const char* name : {"Ops_Sounds/RADIO_PILOT_Hookfast Demo Hornet_ID.wav",
                             "Ops_Sounds/RADIO_DECKOFFICER_Hookfast Demo Hornet_ID.wav"})
        paths.push_back(std::string(HF_DEMO_DATA_DIR) + "/" + name);
    return paths;
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(info.param.find_last_of('/') + 1);
    name = name.substr(0, name.size() - 4);
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(ReleaseFolder, ShippedSound, testing::ValuesIn(ShippedSounds()), TestName);

}  // namespace
