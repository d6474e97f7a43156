#include "CatapultFixture.h"

#include "deck/SimData.h"

namespace hf::testing {

void CatapultTest::startReady() {
    folder.write("Catapult.wav");
    startInZone();
    form->chkbxSpecialSoundHandling.SetChecked(true);
    form->chkbxOpsSounds.SetChecked(false);
    placeAtCorner();
    setFlight(1, 16383, 0.0);
    setBrake(ParkingBrakeSet);
    setThrottle(0);
    setAircraft(0, 0);
    core.clearRecords();
    host.waveEvents.clear();
}

void CatapultTest::setBrake(std::int16_t value) { core.poke(offsets::ParkingBrake, value); }
void CatapultTest::setThrottle(std::int16_t value) { core.poke(offsets::Throttle1, value); }
void CatapultTest::setAircraft(std::uint8_t engineType, std::int32_t kind) {
    core.poke(offsets::EngineType, engineType);
    core.poke(offsets::AircraftKind, kind);
}

void CatapultTest::placeAtCorner(double dLat, double dLon) {
    placeAircraft(zone().FrontLeftLat + dLat, zone().FrontLeftLon + dLon);
}

std::vector<double> CatapultTest::accelWrites() const {
    std::vector<double> values;
    for (const auto& write : doubleWritesTo(offsets::ForwardAccel)) values.push_back(write.value);
    return values;
}

void CatapultTest::armByHand() {
    armAction();
    ASSERT_TRUE(armed()) << (messages().empty() ? "" : messages().back().first);
    core.clearRecords();
    host.waveEvents.clear();
}

}  // namespace hf::testing
