// Battle damage at three levels: each run fails, at random, at least one still-working target
// of its level in the simulator and tells the pilot by sound or by text. Every value of a
// level's write list goes back, hit or not; it goes back before the pilot is told, so the
// follow-up sound's pause cannot let the simulator's own changes meanwhile (fuel burnt, a
// flag failed by another party) be put back to the values read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "deck/BattleDamage.h"
#include "deck/SimData.h"
#include "host/AsciiCase.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr std::uint32_t PercentScale = 100;
constexpr std::int32_t TankHitLoss = 2097152;  // a quarter of a full tank
constexpr std::uint32_t RadioFollowUpPauseMs = 1200;
constexpr std::uint32_t ElectricalFollowUpPauseMs = 1000;
constexpr std::int16_t SystemMessageSeconds = 5;
constexpr std::int16_t LevelMessageSeconds = 1;
constexpr std::int16_t RefusalSeconds = 3;
constexpr std::size_t EngineSlots = 8;

enum DamageSoundKind { FarExplosion = 0, NearExplosion = 1, RadioSound = 2, ElectricalSound = 3 };

}  // namespace

// Halves go to even: 8 candidates give 12.
std::uint32_t DamageHitThreshold(std::uint32_t candidates) {
    std::uint32_t quotient = PercentScale / candidates;
    const std::uint32_t twiceRemainder = 2 * (PercentScale % candidates);
    if (twiceRemainder > candidates || (twiceRemainder == candidates && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

// Only a to z are turned into capitals; other letters of an edition stay as they are.
std::string DamageLevelMessage(int level) {
    return AsciiUpper(rs::BattleDamage) + " (" + std::to_string(level) + ") " +
           std::string(rs::Incurred);
}

namespace {

// Passes over the candidates until at least one is hit; each is hit when its draw from 1 to
// 100 is at most the threshold. Non-candidates are never hit.
std::vector<bool> DrawHits(HostServices& host, const std::vector<bool>& candidates) {
    std::uint32_t count = 0;
    for (bool candidate : candidates) count += candidate ? 1 : 0;
    std::vector<bool> hits(candidates.size(), false);
    if (count == 0) return hits;
    const std::uint32_t threshold = DamageHitThreshold(count);
    std::uint32_t hitCount = 0;
    while (hitCount == 0) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (!candidates[i]) continue;
            if (host.Random(PercentScale) + 1 <= threshold) {
                hits[i] = true;
                ++hitCount;
            }
        }
    }
    return hits;
}

bool AnyHit(const std::vector<bool>& hits) {
    for (bool hit : hits) {
        if (hit) return true;
    }
    return false;
}

// A run of level 1 or 2, which fail flags only: the values read, the write copy, the hits.
template <std::size_t N>
struct FlagRun {
    std::array<std::uint8_t, N> start{};
    std::array<std::uint8_t, N> write{};
    std::vector<bool> hits;
};

template <std::size_t N>
bool ReadFlags(const std::array<std::uint32_t, N>& flagOffsets, FlagRun<N>& run) {
    SimExchange exchange;
    for (std::size_t i = 0; i < N; ++i) exchange.Read(flagOffsets[i], run.start[i]);
    return exchange.Process();
}

template <std::size_t N>
void WriteFlags(const std::array<std::uint32_t, N>& flagOffsets, const FlagRun<N>& run) {
    SimExchange exchange;
    for (std::size_t i = 0; i < N; ++i) exchange.Write(flagOffsets[i], run.write[i]);
    exchange.Process();
}

// Draws and applies the hits of a flags-only level; false when there was nothing to fail.
template <std::size_t N>
bool DamageFlags(HostServices& host, FlagRun<N>& run) {
    std::vector<bool> candidates(N);
    for (std::size_t i = 0; i < N; ++i) candidates[i] = run.start[i] == 0;
    run.hits = DrawHits(host, candidates);
    if (!AnyHit(run.hits)) return false;
    run.write = run.start;
    for (std::size_t i = 0; i < N; ++i) {
        if (run.hits[i]) run.write[i] = 1;
    }
    return true;
}

template <std::size_t N>
std::size_t IndexOf(const std::array<std::uint32_t, N>& flagOffsets, std::uint32_t offset) {
    for (std::size_t i = 0; i < N; ++i) {
        if (flagOffsets[i] == offset) return i;
    }
    return N;
}

}  // namespace

void TFormMain::actBattleDamage1Execute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::BattleDamage1NotAvailable, RefusalSeconds);
        return;
    }
    PlayDamageSound(FarExplosion);

    const auto& flags = offsets::DamageLevel1Flags;
    FlagRun<flags.size()> run;
    if (!ReadFlags(flags, run)) return;
    if (!DamageFlags(host_, run)) return;
    const bool transponderHit = run.hits[IndexOf(flags, offsets::TransponderFlag)];

    WriteFlags(flags, run);
    if (!chkbxDamageSounds.Checked()) {
        if (transponderHit) {
            ShowSimMessage(rs::DamageTransponder, SystemMessageSeconds);
        } else {
            ShowSimMessage(DamageLevelMessage(1), LevelMessageSeconds);
        }
    }
}

void TFormMain::actBattleDamage2Execute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::BattleDamage2NotAvailable, RefusalSeconds);
        return;
    }
    PlayDamageSound(FarExplosion);

    const auto& flags = offsets::DamageLevel2Flags;
    FlagRun<flags.size()> run;
    if (!ReadFlags(flags, run)) return;
    if (!DamageFlags(host_, run)) return;
    const bool commRadioHit = run.hits[IndexOf(flags, offsets::CommRadioFlag)];

    WriteFlags(flags, run);
    if (chkbxDamageSounds.Checked()) {
        if (commRadioHit) {
            // Lets the explosion sound before the radio takes over the same player.
            host_.Sleep(RadioFollowUpPauseMs);
            PlayDamageSound(RadioSound);
        }
    } else if (commRadioHit) {
        ShowSimMessage(rs::DamageComm, SystemMessageSeconds);
    } else {
        ShowSimMessage(DamageLevelMessage(2), LevelMessageSeconds);
    }
}

void TFormMain::actBattleDamage3Execute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::BattleDamage3NotAvailable, RefusalSeconds);
        return;
    }
    PlayDamageSound(NearExplosion);

    const auto& flagOffsets = offsets::DamageLevel3Flags;
    constexpr std::size_t FlagCount = flagOffsets.size();
    constexpr std::size_t TankCount = offsets::Tanks.size();
    std::array<std::uint8_t, FlagCount> flags{};
    std::uint8_t engineFailures = 0;
    std::int16_t engineCount = 0;
    std::array<std::int32_t, TankCount> levels{};
    std::array<std::uint32_t, TankCount> capacities{};
    {
        SimExchange exchange;
        for (std::size_t i = 0; i < FlagCount; ++i) exchange.Read(flagOffsets[i], flags[i]);
        exchange.Read(offsets::EngineFailures, engineFailures).Read(offsets::EngineCount, engineCount);
        for (std::size_t t = 0; t < TankCount; ++t) exchange.Read(offsets::Tanks[t].Level, levels[t]);
        for (std::size_t t = 0; t < TankCount; ++t) {
            exchange.Read(offsets::Tanks[t].Capacity, capacities[t]);
        }
        if (!exchange.Process()) return;
    }

    // Targets in pass order: the flags, the tanks, engines 1 to 8.
    const auto engineBit = [this](std::size_t engine) {
        return static_cast<std::uint8_t>(EngineBitMask[engine]);
    };
    std::vector<bool> candidates;
    for (std::uint8_t flag : flags) candidates.push_back(flag == 0);
    for (std::size_t t = 0; t < TankCount; ++t) {
        candidates.push_back(capacities[t] != 0 && levels[t] != 0);
    }
    for (std::size_t e = 0; e < EngineSlots; ++e) {
        const bool fitted = static_cast<int>(e) < engineCount;
        candidates.push_back(fitted && (engineFailures & engineBit(e)) == 0);
    }
    const std::vector<bool> hits = DrawHits(host_, candidates);
    if (!AnyHit(hits)) return;

    auto writeFlags = flags;
    auto writeLevels = levels;
    std::uint8_t writeEngineFailures = engineFailures;
    for (std::size_t i = 0; i < FlagCount; ++i) {
        if (hits[i]) writeFlags[i] = 1;
    }
    for (std::size_t t = 0; t < TankCount; ++t) {
        if (!hits[FlagCount + t]) continue;
        // Widened so a level near the bottom of the signed range cannot wrap.
        const std::int64_t left = static_cast<std::int64_t>(levels[t]) - TankHitLoss;
        writeLevels[t] = left > 0 ? static_cast<std::int32_t>(left) : 0;
    }
    for (std::size_t e = 0; e < EngineSlots; ++e) {
        if (hits[FlagCount + TankCount + e]) writeEngineFailures |= engineBit(e);
    }
    const bool cockpitHit = hits[IndexOf(flagOffsets, offsets::CockpitFlag)];
    const bool electricalHit = hits[IndexOf(flagOffsets, offsets::ElectricalFlag)];

    {
        SimExchange exchange;
        for (std::size_t i = 0; i < FlagCount; ++i) exchange.Write(flagOffsets[i], writeFlags[i]);
        exchange.Write(offsets::EngineFailures, writeEngineFailures);
        for (std::size_t t = 0; t < TankCount; ++t) {
            exchange.Write(offsets::Tanks[t].Level, writeLevels[t]);
        }
        exchange.Process();
    }

    if (chkbxDamageSounds.Checked()) {
        if (electricalHit) {
            host_.Sleep(ElectricalFollowUpPauseMs);
            PlayDamageSound(ElectricalSound);
        }
    } else if (cockpitHit) {
        ShowSimMessage(rs::DamageCockpit, SystemMessageSeconds);
    } else {
        ShowSimMessage(DamageLevelMessage(3), LevelMessageSeconds);
    }
}

}  // namespace hf
