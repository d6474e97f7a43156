#include "sim/flight/FlightModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace hf::sim::flight {
namespace {

constexpr double Radians = std::numbers::pi / 180.0;

// Ground distance in metres between two nearby points.
double MetresBetween(double lat1, double lon1, double lat2, double lon2) {
    double dLon = lon2 - lon1;
    if (dLon > 180) dLon -= 360;
    if (dLon < -180) dLon += 360;
    const double mid = (lat1 + lat2) / 2;
    return std::hypot((lat2 - lat1) * MetresPerDegreeLatitude(mid), dLon * MetresPerDegreeLongitude(mid));
}

Approach DemoApproach() {
    Approach a;
    a.name = "demo";
    a.touchdownLat = 32.6;
    a.touchdownLon = -117.45;
    a.deckAltitude = 19.202634;
    a.heading = 1.25;
    a.glidePath = 3.5;
    a.speedKnots = 140;
    a.distance = 1852;
    return a;
}

void StepUntilTouchdown(FlightModel& model, double limitMs = 120000) {
    while (!model.touchdown() && model.timeMs() < limitMs) model.step(10);
}

TEST(FlightModel, ApproachStartsOnThePathAndTouchesDownWhereAndWhenPlanned) {
    struct Case {
        const char* name;
        double lat, lon, heading, offset;
    };
    const Case cases[] = {
        {"demo zone", 32.6, -117.45, 1.25, 0},
        {"westbound", 10.0, 20.0, 270, 0},
        {"southbound, 80 m right of the line", -33.9, 151.3, 181.25, 80},
        {"across the date line", 0.0, -179.995, 90, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FlightModel model;
        Approach a = DemoApproach();
        a.touchdownLat = c.lat;
        a.touchdownLon = c.lon;
        a.heading = c.heading;
        a.offset = c.offset;
        model.startApproach(a);

        const AircraftState& s = model.state();
        EXPECT_FALSE(s.onGround);
        EXPECT_EQ(s.gearLever, GearLeverDown);
        EXPECT_NEAR(s.altitude, a.deckAltitude + 1852 * std::tan(3.5 * Radians), 1e-9);
        EXPECT_DOUBLE_EQ(s.forwardSpeed, 140 * 1.689);
        const Touchdown planned = model.plannedTouchdown();
        EXPECT_NEAR(MetresBetween(s.latitude, s.longitude, planned.latitude, planned.longitude), 1852, 0.01);
        // The planned point lies `offset` metres to the right of the given one.
        EXPECT_NEAR(MetresBetween(c.lat, c.lon, planned.latitude, planned.longitude), c.offset, 0.01);

        StepUntilTouchdown(model);
        ASSERT_TRUE(model.touchdown());
        const Touchdown& t = *model.touchdown();
        EXPECT_NEAR(t.timeMs, 1852 / (140 * 1.689 * 0.3048) * 1000, 0.5);
        EXPECT_NEAR(t.timeMs, planned.timeMs, 0.5);
        EXPECT_LT(MetresBetween(t.latitude, t.longitude, planned.latitude, planned.longitude), 0.05);
        EXPECT_TRUE(s.onGround);
        EXPECT_DOUBLE_EQ(s.altitude, a.deckAltitude);
    }
}

TEST(FlightModel, TouchdownIsFoundInsideALongStep) {
    FlightModel fine;
    FlightModel coarse;
    fine.startApproach(DemoApproach());
    coarse.startApproach(DemoApproach());
    StepUntilTouchdown(fine);
    coarse.step(30000);  // one call far past the touchdown
    ASSERT_TRUE(coarse.touchdown());
    EXPECT_NEAR(coarse.touchdown()->timeMs, fine.touchdown()->timeMs, 1e-6);
    EXPECT_DOUBLE_EQ(coarse.state().altitude, DemoApproach().deckAltitude);
}

TEST(FlightModel, WrittenAccelerationActsForItsHoldOrUntilReplaced) {
    FlightModel model;
    model.startApproach(DemoApproach());  // airborne: the approach holds its speed by itself
    const double v0 = model.state().forwardSpeed;

    model.step(1000);
    EXPECT_DOUBLE_EQ(model.state().forwardSpeed, v0);

    // Rewritten every 10 ms for a second, as the arrest does: it acts the whole second.
    for (int i = 0; i < 100; ++i) {
        model.writeForwardAcceleration(-20);
        model.step(10);
    }
    EXPECT_NEAR(model.state().forwardSpeed, v0 - 20, 1e-9);

    // The last write goes on for the rest of its 50 ms hold, then nothing.
    model.step(1000);
    EXPECT_NEAR(model.state().forwardSpeed, v0 - 20 - 20 * 0.040, 1e-9);

    // Written every 200 ms (the coarsest timing): only 50 ms of every 200 are braked.
    const double v1 = model.state().forwardSpeed;
    for (int i = 0; i < 5; ++i) {
        model.writeForwardAcceleration(-20);
        model.step(200);
    }
    EXPECT_NEAR(model.state().forwardSpeed, v1 - 5 * 20 * 0.050, 1e-9);
}

TEST(FlightModel, BrakingStopsTheAircraftWithoutRollingItBack) {
    FlightModel model;
    AircraftState& s = model.state();
    s.onGround = true;
    s.forwardSpeed = 10;
    model.writeForwardAcceleration(-700);
    model.step(50);
    EXPECT_EQ(s.forwardSpeed, 0.0);
    model.step(5000);
    EXPECT_EQ(s.forwardSpeed, 0.0);  // idle thrust does not overcome the rolling resistance
}

TEST(FlightModel, OnTheDeckWithoutBrakingSpeedDecaysSlowlyByDragAndRolling) {
    FlightModel model;
    model.startApproach(DemoApproach());
    StepUntilTouchdown(model);
    const double t0 = model.timeMs();
    const double v0 = model.state().forwardSpeed;
    const FlightParameters& p = model.parameters();
    // dv/dt = -(c + k v^2): v(t) = sqrt(c/k) tan(atan(v0 sqrt(k/c)) - sqrt(c k) t)
    const double c = p.rollingResistance - model.state().groundThrust;
    const double k = p.dragPerSpeedSquared;
    auto expected = [&](double seconds) {
        return std::sqrt(c / k) * std::tan(std::atan(v0 * std::sqrt(k / c)) - std::sqrt(c * k) * seconds);
    };
    for (double seconds : {1.0, 5.0, 10.0}) {
        model.step((t0 + seconds * 1000) - model.timeMs());
        EXPECT_NEAR(model.state().forwardSpeed, expected(seconds), 0.05) << seconds << " s";
    }
    EXPECT_GT(model.state().forwardSpeed, 150);  // an unbraked aircraft leaves the deck fast

    const double stopSeconds = std::atan(v0 * std::sqrt(k / c)) / std::sqrt(c * k);
    model.step(stopSeconds * 1000 + 1000);
    EXPECT_EQ(model.state().forwardSpeed, 0.0);
    ASSERT_TRUE(model.stoppedAtMs());
    EXPECT_NEAR(*model.stoppedAtMs() - t0, stopSeconds * 1000, 20);
}

TEST(FlightModel, SidewaysPushMovesTheAircraftRightAndTyresTakeItOut) {
    FlightModel model;
    AircraftState& s = model.state();
    s.onGround = true;
    s.heading = 0;  // north: right is east
    s.latitude = 10;
    s.longitude = 20;
    s.forwardSpeed = 0;
    for (int i = 0; i < 50; ++i) {
        model.writeLateralAcceleration(98.3786);
        model.step(10);
    }
    EXPECT_GT(s.lateralSpeed, 30);
    EXPECT_GT(s.longitude, 20);
    EXPECT_NEAR(s.latitude, 10, 1e-12);
    model.step(10000);
    EXPECT_LT(std::fabs(s.lateralSpeed), 0.01);
}

Placement OnTheDeck() {
    Placement p;
    p.latitude = 32.600341;
    p.longitude = -117.450151;
    p.deckAltitude = 19.2;
    p.heading = 1.25;
    return p;
}

TEST(FlightModel, ParkingBrakeHoldsUntilThrottleOutpushesItAndBrakesARoll) {
    const FlightParameters p;
    const double idle = AircraftState{}.groundThrust;
    struct Case {
        std::int16_t brake;
        std::int16_t throttle;
        double speedAfterOneSecond;
    };
    const Case cases[] = {
        {ParkingBrakeSet, 0, 0.0},
        {ParkingBrakeSet, FullThrottle, idle + p.fullThrottleThrust - p.rollingResistance - p.parkingBrakeHold},
        {1, FullThrottle, idle + p.fullThrottleThrust - p.rollingResistance - p.parkingBrakeHold},
        {0, 0, 0.0},
        {0, 15565, idle + 15565.0 / FullThrottle * p.fullThrottleThrust - p.rollingResistance},
        {0, -4000, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "brake " << c.brake << " throttle " << c.throttle);
        FlightModel model;
        model.place(OnTheDeck());
        model.state().parkingBrake = c.brake;
        model.state().throttle = c.throttle;
        model.step(1000);
        EXPECT_NEAR(model.state().forwardSpeed, c.speedAfterOneSecond, 0.05);  // drag is small here
        EXPECT_TRUE(model.state().onGround);
    }

    FlightModel rolling;
    rolling.place(OnTheDeck());
    rolling.state().forwardSpeed = 100;
    rolling.state().parkingBrake = ParkingBrakeSet;
    rolling.step(1000);
    const double drag = p.dragPerSpeedSquared * 92 * 92;
    EXPECT_NEAR(rolling.state().forwardSpeed, 100 - (p.rollingResistance + p.parkingBrakeHold - idle + drag), 0.1);
}

TEST(FlightModel, PlacedAircraftStandsOnTheDeckUntilPushedAndACrashStopsIt) {
    FlightModel model;
    model.startApproach(DemoApproach());
    model.step(3000);
    model.place(OnTheDeck());
    const AircraftState& s = model.state();
    EXPECT_TRUE(s.onGround);
    EXPECT_EQ(s.altitude, 19.2);
    EXPECT_EQ(s.forwardSpeed, 0.0);
    EXPECT_EQ(s.gearLever, GearLeverDown);
    EXPECT_FALSE(model.touchdown());
    model.step(5000);
    EXPECT_EQ(s.latitude, 32.600341);

    for (int i = 0; i < 20; ++i) {  // a catapult stroke: 700 ft/s^2 every 5 ms
        model.writeForwardAcceleration(700);
        model.step(5);
    }
    EXPECT_NEAR(s.forwardSpeed, 70, 0.5);
    EXPECT_GT(MetresBetween(32.600341, -117.450151, s.latitude, s.longitude), 1);
    model.crash();
    EXPECT_EQ(s.crash, 1);
    EXPECT_EQ(s.forwardSpeed, 0.0);
    const double lat = s.latitude;
    model.step(1000);
    EXPECT_EQ(s.latitude, lat);
}

TEST(FlightModel, CruiseHoldsHeightAndSpeedUntilAClimbAndLandsOnTheGround) {
    FlightModel model;
    Cruise c;
    c.latitude = 32.7;
    c.longitude = -117.4;
    c.altitude = 1600;
    c.heading = 0;
    c.speedKnots = 250;
    c.groundAltitude = 12;
    model.cruise(c);
    const AircraftState& s = model.state();
    EXPECT_FALSE(s.onGround);
    model.step(10000);
    EXPECT_EQ(s.altitude, 1600);
    EXPECT_DOUBLE_EQ(s.forwardSpeed, 250 * FpsPerKnot);
    EXPECT_NEAR(MetresBetween(32.7, -117.4, s.latitude, s.longitude), 250 * FpsPerKnot * MetresPerFoot * 10, 0.5);

    model.setClimbRate(-50);
    model.step(2000);
    EXPECT_NEAR(s.altitude, 1500, 1e-6);
    model.setClimbRate(-200);
    model.step(10000);
    EXPECT_TRUE(s.onGround);
    EXPECT_EQ(s.altitude, 12);
    ASSERT_TRUE(model.touchdown());
    EXPECT_NEAR(model.touchdown()->timeMs, 12000 + (1500.0 - 12) / 200 * 1000, 1);
}

}  // namespace
}  // namespace hf::sim::flight
