#include "DeckFixture.h"

#include <cstring>

#include "deck/SimData.h"

namespace hf::testing {

void DeckTest::startInZone() {
    folder.write("CableCatch.wav");
    startWith({RectangleZone()});
    form->NearestZoneIndex = 0;
    form->MagVar = 0;
    form->chkbxDetectTailhook.SetChecked(false);
    placeAircraft(ZoneCentreLat, ZoneCentreLon);
    setFlight(1, 16383, 200.0);
    setHeadingRaw(Degrees90);
    setBankRaw(0);
    setAltitude(0x40000000, 19);  // 19.25 m, the deck
    setHook(1.0);
    core.clearRecords();
    host.waveEvents.clear();
}

void DeckTest::setHeadingRaw(std::int32_t raw) { core.poke(offsets::Heading, raw); }
void DeckTest::setBankRaw(std::int32_t raw) { core.poke(offsets::Bank, raw); }
void DeckTest::setOnGround(bool onGround) {
    core.poke<std::uint16_t>(offsets::OnGround, onGround ? 1 : 0);
}
void DeckTest::setAltitude(std::uint32_t lo, std::int32_t hi) {
    core.poke(offsets::AltitudeLo, lo);
    core.poke(offsets::AltitudeHi, hi);
}
void DeckTest::setHook(double position) { core.poke(offsets::Tailhook, position); }

bool DeckTest::catchTick() {
    const bool wasDecelerating = form->tmrDecel.Enabled();
    form->tmrCheckForCatchTimer(&form->tmrCheckForCatch);
    return !wasDecelerating && form->tmrDecel.Enabled();
}

std::vector<DeckTest::DoubleWrite> DeckTest::doubleWritesTo(std::uint32_t offset) const {
    std::vector<DoubleWrite> values;
    for (const auto& write : core.writesTo(offset)) {
        double value = 0;
        std::memcpy(&value, write.bytes.data(), std::min<std::size_t>(8, write.bytes.size()));
        values.push_back({value, write.timeMs});
    }
    return values;
}

}  // namespace hf::testing
