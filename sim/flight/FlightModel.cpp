#include "sim/flight/FlightModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hf::sim::flight {

namespace {

constexpr double Radians = std::numbers::pi / 180.0;

double WrapLongitude(double lon) {
    if (lon >= 180.0) return lon - 360.0;
    if (lon < -180.0) return lon + 360.0;
    return lon;
}

// Speed after a step: resistances and brakes bring the aircraft to a standstill, they never
// turn the motion round within the step.
double NextSpeed(double speed, double acceleration, double seconds) {
    const double next = speed + acceleration * seconds;
    if ((speed > 0 && next < 0) || (speed < 0 && next > 0)) return 0.0;
    return next;
}

}  // namespace

double MetresPerDegreeLatitude(double latitude) {
    const double p = latitude * Radians;
    return 111132.92 - 559.82 * std::cos(2 * p) + 1.175 * std::cos(4 * p) - 0.0023 * std::cos(6 * p);
}

double MetresPerDegreeLongitude(double latitude) {
    const double p = latitude * Radians;
    return 111412.84 * std::cos(p) - 93.5 * std::cos(3 * p) + 0.118 * std::cos(5 * p);
}

FlightModel::FlightModel(FlightParameters parameters) : parameters_(parameters) {}

void FlightModel::startApproach(const Approach& approach) {
    const double h = approach.heading * Radians;
    // Touchdown point moved sideways by the offset, then the start point behind it; the
    // degree sizes are taken half way along, as the flight itself meets them on average.
    auto shift = [](double lat, double lon, double northMetres, double eastMetres) {
        double midLat = lat + northMetres / MetresPerDegreeLatitude(lat) / 2;
        return std::pair{lat + northMetres / MetresPerDegreeLatitude(midLat),
                         WrapLongitude(lon + eastMetres / MetresPerDegreeLongitude(midLat))};
    };
    const auto [touchLat, touchLon] = shift(approach.touchdownLat, approach.touchdownLon,
                                            -approach.offset * std::sin(h), approach.offset * std::cos(h));
    const auto [startLat, startLon] = shift(touchLat, touchLon, -approach.distance * std::cos(h),
                                            -approach.distance * std::sin(h));

    state_.latitude = startLat;
    state_.longitude = startLon;
    state_.surfaceAltitude = approach.deckAltitude;
    state_.glidePath = approach.glidePath;
    state_.altitude = approach.deckAltitude + approach.distance * std::tan(approach.glidePath * Radians);
    state_.heading = approach.heading;
    state_.bank = approach.bank;
    state_.forwardSpeed = approach.speedKnots * FpsPerKnot;
    state_.lateralSpeed = 0;
    state_.onGround = false;
    state_.gearLever = GearLeverDown;
    clearEvents();

    sinkRate_ = state_.forwardSpeed * MetresPerFoot * std::tan(approach.glidePath * Radians);
    const double seconds = approach.distance / (state_.forwardSpeed * MetresPerFoot);
    planned_ = {timeMs_ + seconds * 1000.0, touchLat, touchLon, state_.forwardSpeed};
}

void FlightModel::moveTo(double latitude, double longitude, double heading, double altitude,
                         double surfaceAltitude, double forwardSpeed) {
    state_.latitude = latitude;
    state_.longitude = WrapLongitude(longitude);
    state_.heading = heading;
    state_.altitude = altitude;
    state_.surfaceAltitude = surfaceAltitude;
    state_.onGround = altitude <= surfaceAltitude;
    state_.bank = 0;
    state_.forwardSpeed = forwardSpeed;
    state_.lateralSpeed = 0;
    state_.glidePath = 0;
    sinkRate_ = 0;
    clearEvents();
}

void FlightModel::place(const Placement& p) {
    moveTo(p.latitude, p.longitude, p.heading, p.deckAltitude, p.deckAltitude, 0);
    state_.gearLever = GearLeverDown;
}

void FlightModel::cruise(const Cruise& c) {
    moveTo(c.latitude, c.longitude, c.heading, c.altitude, c.groundAltitude, c.speedKnots * FpsPerKnot);
}

void FlightModel::setClimbRate(double metresPerSecond) {
    sinkRate_ = -metresPerSecond;
    if (state_.onGround && metresPerSecond > 0) state_.onGround = false;
}

void FlightModel::crash() {
    state_.crash = 1;
    state_.forwardSpeed = 0;
    state_.lateralSpeed = 0;
    sinkRate_ = 0;
    forwardHoldMs_ = 0;
    lateralHoldMs_ = 0;
}

void FlightModel::clearEvents() {
    forwardHoldMs_ = 0;
    lateralHoldMs_ = 0;
    touchdown_.reset();
    stoppedAtMs_.reset();
}

void FlightModel::writeForwardAcceleration(double value) {
    forwardAccel_ = value;
    forwardHoldMs_ = parameters_.accelerationHoldMs;
}

void FlightModel::writeLateralAcceleration(double value) {
    lateralAccel_ = value;
    lateralHoldMs_ = parameters_.accelerationHoldMs;
}

void FlightModel::step(double ms) {
    while (ms > 0) {
        double dt = std::min(ms, parameters_.maxStepMs);
        if (forwardHoldMs_ > 0) dt = std::min(dt, forwardHoldMs_);
        if (lateralHoldMs_ > 0) dt = std::min(dt, lateralHoldMs_);
        integrate(dt / 1000.0);
        timeMs_ += dt;
        forwardHoldMs_ = std::max(0.0, forwardHoldMs_ - dt);
        lateralHoldMs_ = std::max(0.0, lateralHoldMs_ - dt);
        ms -= dt;
    }
}

double FlightModel::forwardAcceleration(double speed, double programAccel) const {
    // Standing still, a push backwards moves nothing: aircraft do not reverse on a deck.
    if (!state_.onGround) {
        // The approach holds its speed by itself; only the program changes it.
        return speed == 0 ? std::max(0.0, programAccel) : programAccel;
    }
    // The parking brake adds to the rolling resistance: it holds a standing aircraft until
    // the push exceeds both, and brakes a rolling one.
    const double brake = state_.parkingBrake != 0 ? parameters_.parkingBrakeHold : 0.0;
    const double resistance = parameters_.rollingResistance + brake;
    const double drag = parameters_.dragPerSpeedSquared * speed * speed;
    const double throttle = std::clamp<double>(state_.throttle, 0, FullThrottle) / FullThrottle;
    const double push = programAccel + state_.groundThrust + throttle * parameters_.fullThrottleThrust;
    if (speed > 0) return push - resistance - drag;
    if (speed < 0) return push + resistance + drag;  // only a scenario sets a speed below 0
    return push > resistance ? push - resistance : 0.0;  // held until pushed harder
}

void FlightModel::integrate(double seconds) {
    const double programForward = forwardHoldMs_ > 0 ? forwardAccel_ : 0.0;
    const double programLateral = lateralHoldMs_ > 0 ? lateralAccel_ : 0.0;
    const double v0 = state_.forwardSpeed;

    if (!state_.onGround) {
        const double a = forwardAcceleration(v0, programForward);
        const double v1 = NextSpeed(v0, a, seconds);
        if (v0 != 0 && v1 == 0 && a != 0 && !stoppedAtMs_) {
            // Braked to a standstill while still sinking onto the deck.
            stoppedAtMs_ = timeMs_ + std::min(seconds, std::fabs(v0 / a)) * 1000.0;
        }
        const double average = (v0 + v1) / 2;
        // The aircraft sinks at the approach's rate whatever is done to its forward speed:
        // caught in the band above the deck, it still comes down onto it.
        const double drop = sinkRate_ * seconds;
        const double above = state_.altitude - state_.surfaceAltitude;
        if (drop > 0 && drop >= above) {
            // Touchdown inside this step: fly the part of it that reaches the deck.
            const double fraction = std::max(0.0, above) / drop;
            const double airborne = seconds * fraction;
            move(average * airborne, state_.lateralSpeed * airborne);
            state_.altitude = state_.surfaceAltitude;
            state_.forwardSpeed = v0 + (v1 - v0) * fraction;
            state_.lateralSpeed += programLateral * airborne;
            state_.onGround = true;
            touchdown_ = Touchdown{timeMs_ + airborne * 1000.0, state_.latitude, state_.longitude,
                                   state_.forwardSpeed};
            const double rest = seconds - airborne;
            if (rest > 0) {
                integrate(rest);
            }
            return;
        }
        move(average * seconds, state_.lateralSpeed * seconds);
        state_.altitude -= drop;
        state_.forwardSpeed = v1;
        state_.lateralSpeed += programLateral * seconds;
        return;
    }

    // Midpoint rule, as drag changes with the speed within the step; a step in which the
    // aircraft comes to a standstill keeps the acceleration it began with.
    const double a0 = forwardAcceleration(v0, programForward);
    const double vHalf = NextSpeed(v0, a0, seconds / 2);
    const double a = (v0 != 0 && vHalf == 0) ? a0 : forwardAcceleration(vHalf, programForward);
    const double v1 = NextSpeed(v0, a, seconds);
    double moving = seconds;  // time spent moving within the step
    if (v0 != 0 && v1 == 0 && a != 0) {
        moving = std::min(seconds, std::fabs(v0 / a));
        if (touchdown_ && !stoppedAtMs_) {
            stoppedAtMs_ = timeMs_ + moving * 1000.0;
        }
    }
    const double lateral0 = state_.lateralSpeed;
    const double lateral1 = lateral0 + (programLateral - lateral0 / parameters_.lateralDampingSeconds) * seconds;
    move((v0 + v1) / 2 * moving, (lateral0 + lateral1) / 2 * seconds);
    state_.forwardSpeed = v1;
    state_.lateralSpeed = lateral1;
}

void FlightModel::move(double forwardFeet, double rightFeet) {
    const double h = state_.heading * Radians;
    const double north = (forwardFeet * std::cos(h) - rightFeet * std::sin(h)) * MetresPerFoot;
    const double east = (forwardFeet * std::sin(h) + rightFeet * std::cos(h)) * MetresPerFoot;
    const double lat = state_.latitude;
    state_.latitude = lat + north / MetresPerDegreeLatitude(lat);
    state_.longitude = WrapLongitude(state_.longitude + east / MetresPerDegreeLongitude(lat));
}

}  // namespace hf::sim::flight
