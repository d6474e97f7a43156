// A catch zone laid out as a rectangle in degrees, for the zone geometry and for the trap test
// through the whole program.
#pragma once

#include "deck/CatchZone.h"

namespace hf::testing {

// Back edge at latitude 10.000, front edge at 10.001, left edge at longitude 20.000, right
// edge at 20.002; deck at 19.25 m with a 3 m band, runway 90 degrees magnetic.
inline TCatchZoneData RectangleZone() {
    TCatchZoneData zone;
    zone.CarrierIdent = "RECT";
    zone.DeckAlt = 19.25;
    zone.CatchZoneHeight = 3.0;
    zone.RunwayHeading = 90.0;
    zone.BackLeftLat = 10.000;
    zone.BackLeftLon = 20.000;
    zone.BackRightLat = 10.000;
    zone.BackRightLon = 20.002;
    zone.FrontLeftLat = 10.001;
    zone.FrontLeftLon = 20.000;
    zone.FrontRightLat = 10.001;
    zone.FrontRightLon = 20.002;
    return zone;
}
inline constexpr double ZoneCentreLat = 10.0005;
inline constexpr double ZoneCentreLon = 20.001;

}  // namespace hf::testing
