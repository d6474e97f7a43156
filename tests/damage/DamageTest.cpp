// The three battle-damage levels as their actions run them: what is a candidate, how the hits
// are drawn and applied, what the pilot hears or reads, and the refusals and failures.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DamageFixture.h"
#include "TableRows.h"
#include "deck/BattleDamage.h"
#include "host/Random.h"

namespace hf {
namespace {

using testing::DamageTest;
using Log = std::vector<std::string>;
using Messages = std::vector<std::pair<std::string, int>>;

constexpr std::int32_t Full = 8388608;
constexpr std::int32_t Quarter = 2097152;

TEST(DamageArithmetic, ThresholdIsHundredOverCountWithHalvesToEven) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> cases = {
        {1, 100}, {2, 50}, {3, 33}, {4, 25},  {5, 20},  {6, 17},  {7, 14},  {8, 12}, {9, 11},
        {10, 10}, {11, 9}, {12, 8}, {13, 8},  {14, 7},  {15, 7},  {16, 6},  {17, 6}};
    for (const auto& [count, threshold] : cases) {
        EXPECT_EQ(DamageHitThreshold(count), threshold) << count << " candidates";
    }
}

TEST(DamageArithmetic, LevelMessageCapitalisesTheEditionText) {
    EXPECT_EQ(DamageLevelMessage(1), "BATTLE DAMAGE (1) INCURRED");
    EXPECT_EQ(DamageLevelMessage(3), "BATTLE DAMAGE (3) INCURRED");
}

TEST_F(DamageTest, DisabledLevelsOnlyShowTheirRefusal) {
    const std::array<std::string, 3> refusals = {
        "Battle Damage 1 not available - HFast has been manually disabled",
        "Battle Damage 2 not available - HFast has been manually disabled",
        "Battle Damage 3 not available - HFast has been manually disabled"};
    for (bool sounds : {false, true}) {
        startDamage();
        setFlag(offsets::TransponderFlag, 0);
        setFlag(offsets::CommRadioFlag, 0);
        setFlag(offsets::CockpitFlag, 0);
        form->chkbxDamageSounds.SetChecked(sounds);
        form->btnManualDisable.SetDown(true);
        for (int level = 1; level <= 3; ++level) {
            core.clearRecords();
            run(level);
            EXPECT_EQ(messages(), (Messages{{refusals[level - 1], 3}})) << level;
            EXPECT_TRUE(writtenOffsets().empty()) << level;
            // The message is the only exchange: nothing of the aircraft was read.
            EXPECT_EQ(core.exchangeCount(), 1u) << level;
        }
        EXPECT_TRUE(host.waveEvents.empty());
        EXPECT_EQ(flag(offsets::TransponderFlag), 0);
    }
}

TEST_F(DamageTest, NothingLeftToFailPlaysOnlyTheOpeningSound) {
    startDamage();
    form->chkbxDamageSounds.SetChecked(true);
    const std::array<const char*, 3> openings = {"DamageFarExplosion.wav", "DamageFarExplosion.wav",
                                                 "DamageNearExplosion.wav"};
    for (int level = 1; level <= 3; ++level) {
        host.waveEvents.clear();
        run(level);
        EXPECT_EQ(plays(), (Log{openings[level - 1]})) << level;
    }
    EXPECT_TRUE(writtenOffsets().empty());
    EXPECT_TRUE(messages().empty());

    // Without sounds the same runs say nothing at all either.
    form->chkbxDamageSounds.SetChecked(false);
    for (int level = 1; level <= 3; ++level) run(level);
    EXPECT_TRUE(writtenOffsets().empty());
    EXPECT_TRUE(messages().empty());
}

// A single candidate is hit at once; the level writes its whole write list and, with sounds
// off, names the system when it has a name and otherwise gives the level message.
TEST_F(DamageTest, SingleCandidateIsHitAndReported) {
    struct Case {
        int level;
        std::uint32_t target;
        std::string text;
        int seconds;
    };
    const std::vector<Case> cases = {
        {1, offsets::TransponderFlag, "Battle Damage to TRANSPONDER -- NO ID ON RADAR", 5},
        {1, 0x0B64, "BATTLE DAMAGE (1) INCURRED", 1},
        {2, offsets::CommRadioFlag, "Battle Damage to COMM radio -- NO COMMS", 5},
        {2, 0x0B6E, "BATTLE DAMAGE (2) INCURRED", 1},
        {3, offsets::CockpitFlag, "Battle Damage to Cockpit -- Mag Compass broken, PILOT WOUNDED", 5},
        {3, offsets::ElectricalFlag, "BATTLE DAMAGE (3) INCURRED", 1},
        {3, 0x0B6C, "BATTLE DAMAGE (3) INCURRED", 1},
    };
    for (const Case& c : cases) {
        startDamage();
        setFlag(c.target, 0);
        run(c.level);
        EXPECT_EQ(flag(c.target), 1) << c.text;
        EXPECT_EQ(messages(), (Messages{{c.text, c.seconds}})) << std::hex << c.target;
        EXPECT_TRUE(host.sleeps.empty());
    }
}

TEST_F(DamageTest, WriteListsHoldEveryValueInOrder) {
    startDamage();
    setFlag(0x0B70, 0);
    run(1);
    EXPECT_EQ(writtenOffsets(), std::vector<std::uint32_t>(offsets::DamageLevel1Flags.begin(),
                                                           offsets::DamageLevel1Flags.end()));
    core.clearRecords();
    setFlag(0x0B66, 0);
    run(2);
    EXPECT_EQ(writtenOffsets(), std::vector<std::uint32_t>(offsets::DamageLevel2Flags.begin(),
                                                           offsets::DamageLevel2Flags.end()));
    core.clearRecords();
    setFlag(0x0B6C, 0);
    run(3);
    std::vector<std::uint32_t> level3 = {0x0B69, 0x0B6A, 0x0B6C, 0x0B6B};
    for (const auto& tank : offsets::Tanks) level3.push_back(tank.Level);
    EXPECT_EQ(writtenOffsets(), level3);
}

TEST_F(DamageTest, FlagsOfOtherValuesAreNoCandidatesAndKeepTheirValue) {
    startDamage();
    setFlag(0x0B64, 2);
    setFlag(0x0B6D, 0xFF);
    setFlag(0x0B73, 0);
    run(1);
    EXPECT_EQ(flag(0x0B73), 1);
    EXPECT_EQ(flag(0x0B64), 2);
    EXPECT_EQ(flag(0x0B6D), 0xFF);
}

// Repeated runs fail the targets one after another until none is left.
TEST_F(DamageTest, DamageAccumulatesUntilTheLevelIsSpent) {
    startDamage();
    for (std::uint32_t offset : offsets::DamageLevel1Flags) setFlag(offset, 0);
    int runs = 0;
    auto failed = [&] {
        int count = 0;
        for (std::uint32_t offset : offsets::DamageLevel1Flags) count += flag(offset);
        return count;
    };
    while (failed() < 7 && runs < 7) {
        const int before = failed();
        run(1);
        ++runs;
        EXPECT_GT(failed(), before) << "run " << runs;
    }
    EXPECT_EQ(failed(), 7);
    core.clearRecords();
    run(1);
    EXPECT_TRUE(writtenOffsets().empty());
}

// The draws of a run, predicted from the seed: passes over the candidates until a pass hits.
std::vector<bool> PredictHits(std::uint32_t seed, const std::vector<bool>& candidates,
                              std::uint32_t threshold) {
    UniformRandom random;
    random.Seed(seed);
    std::vector<bool> hits(candidates.size(), false);
    bool any = false;
    while (!any) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (candidates[i] && random.Next(100) + 1 <= threshold) hits[i] = any = true;
        }
    }
    return hits;
}

// Eight candidates (three flags, three tanks, two engines): each draw from 1 to 12 hits.
TEST_F(DamageTest, EightCandidatesAreHitByDrawsUpToTwelve) {
    for (std::uint32_t seed : {1u, 7u, 12345u, 99991u, 424242u}) {
        startDamage(seed);
        for (std::uint32_t offset : offsets::DamageLevel3Flags) setFlag(offset, 0);
        for (std::size_t t = 0; t < 3; ++t) setTank(t, Full, 100);
        setEngines(2, 0);
        run(3);

        std::vector<bool> candidates(17, false);
        for (std::size_t i : {0, 1, 2, 3, 4, 5, 9, 10}) candidates[i] = true;
        const std::vector<bool> expected = PredictHits(seed, candidates, 12);
        std::vector<bool> actual;
        for (std::uint32_t offset : offsets::DamageLevel3Flags) actual.push_back(flag(offset) == 1);
        for (std::size_t t = 0; t < 6; ++t) actual.push_back(tankLevel(t) != (t < 3 ? Full : 0));
        const auto engines = core.peek<std::uint8_t>(offsets::EngineFailures);
        for (int e = 0; e < 8; ++e) actual.push_back((engines >> e & 1) != 0);
        EXPECT_EQ(actual, expected) << "seed " << seed;
    }
}

TEST_F(DamageTest, TankHitLosesAQuarterFlooredAtZero) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {Full, Full - Quarter},
        {Quarter + 1, 1},
        {Quarter, 0},
        {1000, 0},
        {-5, 0},
        {INT32_MIN, 0},
    };
    for (const auto& [start, after] : cases) {
        startDamage();
        setTank(3, start, 40);
        // Neither a tank without capacity nor an empty one is ever hit; both keep their level.
        setTank(0, 123456, 0);
        setTank(5, 0, 60);
        run(3);
        EXPECT_EQ(tankLevel(3), after) << start;
        EXPECT_EQ(tankLevel(0), 123456);
        EXPECT_EQ(tankLevel(5), 0);
        EXPECT_EQ(messages(), (Messages{{"BATTLE DAMAGE (3) INCURRED", 1}}));
    }
}

TEST_F(DamageTest, EnginesBeyondTheCountOrAlreadyFailedAreNoCandidates) {
    struct Case {
        std::int16_t count;
        std::uint8_t failedBefore;
        std::optional<std::uint8_t> failedAfter;  // none: nothing to fail, nothing written
    };
    const std::vector<Case> cases = {
        {2, 0x01, 0x03}, {1, 0x00, 0x01}, {12, 0x7F, 0xFF},  {2, 0x03, std::nullopt},
        {0, 0x00, std::nullopt}, {-1, 0x00, std::nullopt}, {3, 0xFB, 0xFF},
    };
    for (const Case& c : cases) {
        startDamage();
        setEngines(c.count, c.failedBefore);
        run(3);
        const auto writes = byteWritesTo(offsets::EngineFailures);
        if (c.failedAfter) {
            EXPECT_EQ(writes, std::vector<std::uint8_t>{*c.failedAfter}) << c.count;
        } else {
            EXPECT_TRUE(writes.empty()) << c.count;
        }
    }
}

// With sounds on, a hit plays its level's explosion; a COMM radio or electrical hit follows it
// after a pause with a sound of its own.
struct HitSound : hf::testing::Row {
    int level;
    std::uint32_t flag;
    Log sounds;
    std::vector<std::uint32_t> pauses;
};

const HitSound HitSounds[] = {
    {"transponder", 1, offsets::TransponderFlag,
     {"open DamageFarExplosion.wav", "play DamageFarExplosion.wav"}, {}},
    {"level 2 flag", 2, 0x0B65, {"open DamageFarExplosion.wav", "play DamageFarExplosion.wav"},
     {}},
    {"cockpit", 3, offsets::CockpitFlag,
     {"open DamageNearExplosion.wav", "play DamageNearExplosion.wav"}, {}},
    {"COMM radio", 2, offsets::CommRadioFlag,
     {"open DamageFarExplosion.wav", "play DamageFarExplosion.wav", "close DamageFarExplosion.wav",
      "open DamageRadio.wav", "play DamageRadio.wav"},
     {1200}},
    {"electrical system", 3, offsets::ElectricalFlag,
     {"open DamageNearExplosion.wav", "play DamageNearExplosion.wav",
      "close DamageNearExplosion.wav", "open DamageElectricalSystem.wav",
      "play DamageElectricalSystem.wav"},
     {1000}},
};

class HitSoundTest : public DamageTest, public ::testing::WithParamInterface<HitSound> {};

TEST_P(HitSoundTest, HitsWithSoundsPlayTheExplosionAndTheFollowUpAfterAPause) {
    const HitSound& c = GetParam();
    startDamage();
    form->chkbxDamageSounds.SetChecked(true);
    setFlag(c.flag, 0);
    run(c.level);
    EXPECT_EQ(waveLog(), c.sounds);
    EXPECT_EQ(host.sleeps, c.pauses);
    if (!c.pauses.empty()) {
        ASSERT_EQ(host.waveEvents.size(), 5u);
        EXPECT_EQ(host.waveEvents[3].timeMs - host.waveEvents[1].timeMs, c.pauses[0]);
    }
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(flag(c.flag), 1);
}

INSTANTIATE_TEST_SUITE_P(DamageTest, HitSoundTest, ::testing::ValuesIn(HitSounds),
                         hf::testing::RowName);

// The write-back goes in before the pause, so what the simulator changes meanwhile (fuel
// burnt, a flag failed by someone else) is not put back to the values read before it.
TEST_F(DamageTest, WriteBackComesBeforeThePause) {
    startDamage();
    form->chkbxDamageSounds.SetChecked(true);
    setFlag(offsets::CommRadioFlag, 0);
    run(2);
    const auto writes = core.writesTo(offsets::CommRadioFlag);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_LT(writes[0].timeMs, host.waveEvents[3].timeMs);
}

TEST_F(DamageTest, CockpitAndTankHitTogetherShowOnlyTheCockpit) {
    startDamage();
    bool both = false;
    for (int attempt = 0; attempt < 200 && !both; ++attempt) {
        setFlag(offsets::CockpitFlag, 0);
        setTank(2, Full, 50);
        core.clearRecords();
        run(3);
        both = flag(offsets::CockpitFlag) == 1 && tankLevel(2) == Full - Quarter;
        if (both) {
            EXPECT_EQ(messages(),
                      (Messages{{"Battle Damage to Cockpit -- Mag Compass broken, PILOT WOUNDED", 5}}));
        }
    }
    EXPECT_TRUE(both) << "no run hit both targets";
}

TEST_F(DamageTest, FailedReadEndsAfterTheOpeningSound) {
    startDamage();
    form->chkbxDamageSounds.SetChecked(true);
    setFlag(offsets::TransponderFlag, 0);
    port.faults.hung = true;
    port.faults.failedSendWaits = false;
    for (int level = 1; level <= 3; ++level) run(level);
    port.faults.hung = false;
    EXPECT_EQ(plays(), (Log{"DamageFarExplosion.wav", "DamageFarExplosion.wav",
                            "DamageNearExplosion.wav"}));
    EXPECT_TRUE(core.writes().empty());
    EXPECT_EQ(flag(offsets::TransponderFlag), 0);
}

}  // namespace
}  // namespace hf
