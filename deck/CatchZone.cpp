#include "deck/CatchZone.h"

namespace hf {

namespace {
bool ValidCorner(double lat, double lon) {
    return lat > -90 && lat < 90 && lon > -180 && lon < 180;
}
}  // namespace

bool TCatchZoneData::IsValid() const {
    return !CarrierIdent.empty()
        && DeckAlt >= 0 && DeckAlt <= 9144
        && CatchZoneHeight > 0 && CatchZoneHeight < 1.52
        && RunwayHeading >= 0 && RunwayHeading < 360
        && ValidCorner(FrontRightLat, FrontRightLon)
        && ValidCorner(FrontLeftLat, FrontLeftLon)
        && ValidCorner(BackLeftLat, BackLeftLon)
        && ValidCorner(BackRightLat, BackRightLon);
}

}  // namespace hf
