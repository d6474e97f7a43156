#include "GateFixture.h"

#include <cmath>
#include <cstring>
#include <filesystem>

#include "deck/SimData.h"

namespace hf::testing {

namespace fs = std::filesystem;

TCatchZoneData PointZone(std::string ident, double lat, double lon, double heading) {
    TCatchZoneData zone;
    zone.CarrierIdent = std::move(ident);
    zone.RunwayHeading = heading;
    zone.DeckAlt = 19.2;
    zone.CatchZoneHeight = 3.0;
    zone.FrontRightLat = zone.FrontLeftLat = zone.BackRightLat = zone.BackLeftLat = lat;
    zone.FrontRightLon = zone.FrontLeftLon = zone.BackRightLon = zone.BackLeftLon = lon;
    return zone;
}

void GateTest::startWith(std::vector<TCatchZoneData> zones) {
    fs::copy_file(fs::path(HF_ASSETS_DIR) / "Hookfast.dat", folder.path() / "Hookfast.dat",
                  fs::copy_options::overwrite_existing);
    startProgram();
    form->CatchZones = std::make_unique<std::vector<TCatchZoneData>>(std::move(zones));
    form->NearestZoneIndex = -1;
    form->NearestZoneDistance = 0;
    form->AnnouncedCarrierIdent.clear();
    form->tmrCheckForCatch.SetEnabled(false);
    core.clearRecords();
    host.waveEvents.clear();
}

std::pair<double, double> GateTest::placeAircraft(double lat, double lon) {
    const auto latHi = static_cast<std::int32_t>(std::lround(lat / LatitudeScale));
    const auto lonHi = static_cast<std::int32_t>(std::lround(lon / AngleScale));
    core.poke<std::int32_t>(offsets::LatitudeLo, 0);
    core.poke<std::int32_t>(offsets::LatitudeHi, latHi);
    core.poke<std::int32_t>(offsets::LongitudeLo, 0);
    core.poke<std::int32_t>(offsets::LongitudeHi, lonHi);
    return {DecodeLatitude(0, latHi), DecodeLongitude(0, lonHi)};
}

void GateTest::setFlight(std::uint16_t onGround, std::int32_t gear, double speed,
                         std::uint16_t slew, std::int16_t crash) {
    core.poke(offsets::OnGround, onGround);
    core.poke(offsets::GearLever, gear);
    core.poke(offsets::ForwardSpeed, speed);
    core.poke(offsets::Slew, slew);
    core.poke(offsets::Crash, crash);
}

void GateTest::setTitle(const std::string& title) {
    std::vector<char> block(256, '\0');
    std::memcpy(block.data(), title.data(), std::min<std::size_t>(title.size(), block.size()));
    core.pokeBytes(offsets::AircraftTitle, block.data(), block.size());
}

std::vector<std::int16_t> GateTest::int16WritesTo(std::uint32_t offset) const {
    std::vector<std::int16_t> values;
    for (const auto& write : core.writesTo(offset)) {
        std::int16_t value = 0;
        std::memcpy(&value, write.bytes.data(), std::min<std::size_t>(2, write.bytes.size()));
        values.push_back(value);
    }
    return values;
}

std::vector<std::string> GateTest::waveLog() const {
    std::vector<std::string> log;
    for (const auto& event : host.waveEvents) log.push_back(event.action + " " + event.path);
    return log;
}

void GateTest::writeOpsClip(const std::string& name) const {
    fs::create_directories(folder.path() / "Ops_Sounds");
    folder.write("Ops_Sounds/" + name);
}

}  // namespace hf::testing
