#include "deck/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/geometry/RectangleZone.h"

namespace hf {
namespace {

using hf::testing::RectangleZone;

constexpr double Pi = std::numbers::pi;

struct AngleCase {
    const char* name;
    TDegreeVector first;
    TDegreeVector second;
    double expected;
};

TEST(AngleBetween, DirectionsAndFolding) {
    const AngleCase cases[] = {
        {"same direction", {1, 1}, {2, 2}, 0.0},
        {"opposite along latitude", {0, 1}, {0, -1}, Pi},
        {"quarter turn", {0, 1}, {1, 1e-300}, Pi / 2},
        // A vector along the meridian (dLon exactly 0) points at 0 or pi, not at pi/2.
        {"north on the meridian", {1, 0}, {0, 1}, 0.0},
        {"south on the meridian", {-1, 0}, {0, 1}, Pi},
        {"negative zero longitude", {1, -0.0}, {0, 1}, 0.0},
        {"zero vector", {0, 0}, {0, -1}, Pi},
        // Directions either side of east: the raw difference is almost 2 pi, folded back.
        {"across the zero direction", {0.001, 1}, {-0.001, 1}, 2 * std::atan2(0.001, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(AngleBetween(c.first, c.second), c.expected, 1e-14);
        EXPECT_DOUBLE_EQ(AngleBetween(c.first, c.second), AngleBetween(c.second, c.first));
    }
}

TEST(AngleBetween, MeridianRuleGivesExactConstants) {
    EXPECT_EQ(AngleBetween({-3, 0}, {2, 0}), 3.141592653589793);
    EXPECT_EQ(AngleBetween({-3, -0.0}, {0, 5}), 3.141592653589793);
    EXPECT_EQ(AngleBetween({0, 0}, {7, 0}), 0.0);
}

struct PointCase {
    const char* name;
    double lat;
    double lon;
    bool inside;
};

TEST(IsInsideCatchZone, RectanglePoints) {
    const TCatchZoneData zone = RectangleZone();
    const double centreLat = hf::testing::ZoneCentreLat;
    const double centreLon = hf::testing::ZoneCentreLon;
    // Radius of the circumscribed circle, in degrees.
    const double radius = std::hypot(0.0005, 0.001);
    const PointCase cases[] = {
        {"centre", centreLat, centreLon, true},
        {"just inside the front edge", 10.000999, centreLon, true},
        {"just inside the back edge", 10.000001, centreLon, true},
        {"just inside the left edge", centreLat, 20.000001, true},
        {"just inside the right edge", centreLat, 20.001999, true},
        // Outside the rectangle but within the circle through its corners: still inside.
        {"just beyond the front edge", 10.001001, centreLon, true},
        {"just beyond the back edge", 9.999999, centreLon, true},
        {"beyond the front edge, inside the circle", centreLat + radius - 1e-7, centreLon, true},
        {"beyond the circle ahead", centreLat + radius + 1e-7, centreLon, false},
        {"beyond the circle behind", centreLat - radius - 1e-7, centreLon, false},
        {"just beyond the left edge", centreLat, 19.999999, true},
        {"just beyond the right edge", centreLat, 20.002001, true},
        {"beyond the circle on the left", centreLat, centreLon - radius - 1e-7, false},
        {"beyond the circle on the right", centreLat, centreLon + radius + 1e-7, false},
        {"beyond the front edge near the right corner", 10.0010004, 20.0019, true},
        {"outside the circle, off a corner", 10.001001, 20.002001, false},
        {"far away", 11, 21, false},
        {"front right corner", 10.001, 20.002, false},
        {"back left corner", 10.000, 20.000, false},
        {"back right corner", 10.000, 20.002, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsInsideCatchZone(zone, c.lat, c.lon), c.inside);
    }
}

TEST(IsInsideCatchZone, PointOnACornersMeridian) {
    const TCatchZoneData zone = RectangleZone();
    // Exactly on the left edge's longitude, the vectors from the two left corners point
    // along the meridian and take the directions 0 and pi: the front-left/back-right
    // angle then comes out small, so the point counts as outside ...
    EXPECT_FALSE(IsInsideCatchZone(zone, 10.0005, 20.000));
    EXPECT_FALSE(IsInsideCatchZone(zone, 10.0005, 20.002));
    // ... while the smallest step off that meridian is well inside.
    EXPECT_TRUE(IsInsideCatchZone(zone, 10.0005, std::nextafter(20.000, 21.0)));
    EXPECT_TRUE(IsInsideCatchZone(zone, 10.0005, std::nextafter(20.002, 19.0)));
    // At the front-left corner the back-left vector lies on the meridian (direction 0) and
    // the front-right one points west (pi): the corner itself counts as inside, the other
    // three corners do not.
    EXPECT_TRUE(IsInsideCatchZone(zone, 10.001, 20.000));
}

TEST(IsInsideCatchZone, KiteUsesBothDiagonals) {
    // A kite: the front-right/back-left diagonal is long, the other one short. A point
    // inside the long diagonal's circle but outside the short one's is not inside.
    TCatchZoneData zone;
    zone.FrontRightLat = 1.0;
    zone.FrontRightLon = 0.0001;
    zone.BackLeftLat = -1.0;
    zone.BackLeftLon = -0.0001;
    zone.FrontLeftLat = 0.0;
    zone.FrontLeftLon = -0.1;
    zone.BackRightLat = 0.0;
    zone.BackRightLon = 0.1;
    EXPECT_TRUE(IsInsideCatchZone(zone, 0.0, 0.0));
    EXPECT_TRUE(IsInsideCatchZone(zone, 0.05, 0.05));
    EXPECT_FALSE(IsInsideCatchZone(zone, 0.5, 0.0005));
}

struct DistanceCase {
    const char* name;
    double aircraftLat, aircraftLon, cornerLat, cornerLon;
    double expected;
};

TEST(CornerDistance, PlainDegrees) {
    const DistanceCase cases[] = {
        {"three-four-five", 0, 0, 3, 4, 5},
        {"wrap east to west", 0, 179.9, 0, -179.9, 0.2},
        {"wrap west to east", 0, -179.9, 0, 179.9, 0.2},
        {"exactly half way round is not wrapped", 0, -90, 0, 90, 180},
        {"no cosine at 60 degrees north", 60, 20, 60, 20.1, 0.1},
        {"latitude is not wrapped", 89, 0, -89, 0, 178},
        {"same point", 12.5, -33.25, 12.5, -33.25, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(CornerDistance(c.aircraftLat, c.aircraftLon, c.cornerLat, c.cornerLon), c.expected, 1e-12);
    }
}

}  // namespace
}  // namespace hf
