#include "deck/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hf {

namespace {

constexpr double Pi = std::numbers::pi;             // 3.141592653589793
constexpr double TwoPi = 2.0 * std::numbers::pi;    // 6.283185307179586

double Direction(TDegreeVector v) {
    if (v.DLon == 0.0) {  // true for -0.0 as well
        return v.DLat >= 0.0 ? 0.0 : Pi;
    }
    double direction = std::atan2(v.DLat, v.DLon);
    if (direction < 0.0) {
        direction += TwoPi;
    }
    return direction;
}

TDegreeVector FromCorner(double lat, double lon, double cornerLat, double cornerLon) {
    return {lat - cornerLat, lon - cornerLon};
}

}  // namespace

double AngleBetween(TDegreeVector first, TDegreeVector second) {
    const double a = Direction(first);
    const double b = Direction(second);
    const double d = std::max(a, b) - std::min(a, b);
    return d <= Pi ? d : TwoPi - d;
}

bool IsInsideCatchZone(const TCatchZoneData& zone, double lat, double lon) {
    const TDegreeVector fr = FromCorner(lat, lon, zone.FrontRightLat, zone.FrontRightLon);
    const TDegreeVector fl = FromCorner(lat, lon, zone.FrontLeftLat, zone.FrontLeftLon);
    const TDegreeVector br = FromCorner(lat, lon, zone.BackRightLat, zone.BackRightLon);
    const TDegreeVector bl = FromCorner(lat, lon, zone.BackLeftLat, zone.BackLeftLon);
    const double a1 = AngleBetween(fr, bl);
    const double a2 = AngleBetween(fl, br);
    return a1 > InsideAngleLimit && a2 > InsideAngleLimit;
}

double CornerDistance(double aircraftLat, double aircraftLon, double cornerLat, double cornerLon) {
    double dLon = std::fabs(cornerLon - aircraftLon);
    if (dLon > 180.0) {
        dLon = 360.0 - dLon;
    }
    const double dLat = cornerLat - aircraftLat;
    return std::sqrt(dLat * dLat + dLon * dLon);
}

}  // namespace hf
