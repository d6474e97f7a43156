// Plane geometry of the catch zones, in plain degrees of latitude and longitude.
// Longitude differences are deliberately not scaled by the cosine of the latitude:
// the zone files and the nearest-zone search work in the same unscaled degrees.
#pragma once

#include "deck/CatchZone.h"

namespace hf {

// A difference of two positions: latitude first, then longitude, in degrees.
struct TDegreeVector {
    double DLat = 0;
    double DLon = 0;
};

// Both diagonal angles must exceed this (strictly) for a point to be inside a zone.
inline constexpr double InsideAngleLimit = 1.5707963267948966;  // pi/2

// Unsigned angle in radians (0 to pi) between the directions of two vectors.
// A vector with dLon exactly 0 (either sign of zero) takes the direction 0 when dLat >= 0
// and pi otherwise, without calling atan2. This is the trap test's established behaviour,
// kept on purpose so that existing zones catch exactly where pilots expect.
double AngleBetween(TDegreeVector first, TDegreeVector second);

// True when the point lies strictly inside both circles that have the zone's diagonals
// (front right to back left, front left to back right) as diameters.
bool IsInsideCatchZone(const TCatchZoneData& zone, double lat, double lon);

// Distance measure of the nearest-zone search in plain degrees: longitude difference taken
// the short way round the date line, latitude difference as it is, no cosine factor.
double CornerDistance(double aircraftLat, double aircraftLon, double cornerLat, double cornerLon);

}  // namespace hf
