#include "DamageFixture.h"

namespace hf::testing {

void DamageTest::startDamage(std::optional<std::uint32_t> seed) {
    for (const char* name : {"DamageFarExplosion.wav", "DamageNearExplosion.wav",
                             "DamageRadio.wav", "DamageElectricalSystem.wav"}) {
        folder.write(name);
    }
    host.fixedSeed = seed;
    for (const auto& flags : {std::vector<std::uint32_t>(offsets::DamageLevel1Flags.begin(),
                                                         offsets::DamageLevel1Flags.end()),
                              std::vector<std::uint32_t>(offsets::DamageLevel2Flags.begin(),
                                                         offsets::DamageLevel2Flags.end()),
                              std::vector<std::uint32_t>(offsets::DamageLevel3Flags.begin(),
                                                         offsets::DamageLevel3Flags.end())}) {
        for (std::uint32_t offset : flags) setFlag(offset, 1);
    }
    setEngines(0, 0);
    for (std::size_t t = 0; t < offsets::Tanks.size(); ++t) setTank(t, 0, 0);
    startWith({});
    host.sleeps.clear();
}

void DamageTest::setEngines(std::int16_t count, std::uint8_t failedBits) {
    core.poke(offsets::EngineCount, count);
    core.poke(offsets::EngineFailures, failedBits);
}

void DamageTest::setTank(std::size_t tank, std::int32_t level, std::uint32_t capacity) {
    core.poke(offsets::Tanks[tank].Level, level);
    core.poke(offsets::Tanks[tank].Capacity, capacity);
}

std::int32_t DamageTest::tankLevel(std::size_t tank) const {
    return core.peek<std::int32_t>(offsets::Tanks[tank].Level);
}

void DamageTest::run(int level) {
    TAction* actions[] = {&form->actBattleDamage1, &form->actBattleDamage2,
                          &form->actBattleDamage3};
    actions[level - 1]->Execute();
}

std::vector<std::uint8_t> DamageTest::byteWritesTo(std::uint32_t offset) const {
    std::vector<std::uint8_t> values;
    for (const auto& write : core.writesTo(offset)) values.push_back(write.bytes.at(0));
    return values;
}

std::vector<std::string> DamageTest::plays() const {
    std::vector<std::string> started;
    for (const auto& event : host.waveEvents) {
        if (event.action == "play") started.push_back(event.path);
    }
    return started;
}

std::vector<std::uint32_t> DamageTest::writtenOffsets() const {
    std::vector<std::uint32_t> written;
    for (const auto& write : core.writes()) {
        if (write.offset != offsets::MessageText && write.offset != offsets::MessageSeconds) {
            written.push_back(write.offset);
        }
    }
    return written;
}

}  // namespace hf::testing
