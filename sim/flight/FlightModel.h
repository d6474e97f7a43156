// A flight model good enough for the deck: a straight approach at constant speed down a
// fixed glide path onto a flat deck, a roll-out slowed by drag and rolling resistance, an
// aircraft parked on the deck with its parking brake and throttle (for the catapult), and
// level or climbing flight over flat ground (for fuel transfers), all driven by the forward
// and sideways accelerations the program writes.
// Portable and free of any clock: the owner moves it on with step().
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hf::sim::flight {

inline constexpr double MetresPerFoot = 0.3048;
inline constexpr double FpsPerKnot = 1.689;  // the program's own factor
inline constexpr std::int32_t GearLeverDown = 16383;
inline constexpr std::int16_t ParkingBrakeSet = 0x7FFF;
inline constexpr std::int16_t FullThrottle = 16383;

struct FlightParameters {
    // How long a written acceleration acts when no other write replaces it (ms).
    double accelerationHoldMs = 50;
    // Rolling resistance of the wheels on the deck, ft/s^2 against the motion (0.02 g).
    double rollingResistance = 0.64;
    // Aerodynamic drag on the deck: this factor times the speed squared (6 ft/s^2 at 140 kt).
    double dragPerSpeedSquared = 6.0 / (140 * FpsPerKnot * 140 * FpsPerKnot);
    // Tyres take out sideways speed on the deck with this time constant (s).
    double lateralDampingSeconds = 1.0;
    // Largest integration step (ms); steps are also cut at every change of the forces.
    double maxStepMs = 5;
    // Engine thrust on the deck at full throttle (0x088C = 16383), on top of the idle
    // thrust: about 0.6 g, a fighter at full military power.
    double fullThrottleThrust = 20.0;
    // Push the parking brake holds on the deck, ft/s^2. A little less than full throttle:
    // a braked aircraft at full power creeps forward unless something holds it back.
    double parkingBrakeHold = 16.0;
};

struct AircraftState {
    double latitude = 0;          // degrees, north positive
    double longitude = 0;         // degrees, east positive, -180 to 180
    double altitude = 0;          // metres
    double heading = 0;           // degrees true, 0 to 360
    double bank = 0;              // degrees, held as set (a wing-low approach flies straight)
    double forwardSpeed = 0;      // ft/s along the heading
    double lateralSpeed = 0;      // ft/s to the right
    double glidePath = 0;         // degrees below the horizon while airborne
    double surfaceAltitude = 0;   // metres: the deck, taken as flat and endless
    bool onGround = true;
    std::int32_t gearLever = GearLeverDown;  // 0 = up
    double hook = 0;              // greater than 0.5 = down
    std::int16_t slew = 0;
    std::int16_t crash = 0;
    std::int16_t parkingBrake = 0;  // 0x7FFF set; any other non-zero value holds as well
    std::int16_t throttle = 0;      // engine 1 lever, 0 to 16383 (below 0: reverse, no thrust;
                                    // above 16383: full)
    double magVar = 0;            // degrees, east positive
    double groundThrust = 0.5;    // ft/s^2 of engine thrust on the deck at idle (less than
                                  // the rolling resistance, so a stopped aircraft stays put)
    std::string title = "Hookfast Demo Hornet";
};

// A straight-in approach, flown from `distance` metres before the touchdown point.
struct Approach {
    std::string name;
    double touchdownLat = 0;
    double touchdownLon = 0;
    double deckAltitude = 0;  // metres
    double heading = 0;       // degrees true
    double glidePath = 3.5;   // degrees
    double speedKnots = 140;
    double distance = 1852;   // metres before touchdown
    double offset = 0;        // metres right of the line through the touchdown point
    double bank = 0;          // degrees
};

// Parked on a deck: on the ground, at a standstill, gear down.
struct Placement {
    double latitude = 0;
    double longitude = 0;
    double deckAltitude = 0;  // metres
    double heading = 0;       // degrees true
};

// Level flight at a height over flat ground.
struct Cruise {
    double latitude = 0;
    double longitude = 0;
    double altitude = 0;        // metres
    double heading = 0;         // degrees true
    double speedKnots = 250;
    double groundAltitude = 0;  // metres
};

struct Touchdown {
    double timeMs = 0;
    double latitude = 0;
    double longitude = 0;
    double forwardSpeed = 0;  // ft/s
};

class FlightModel {
public:
    explicit FlightModel(FlightParameters parameters = {});

    const FlightParameters& parameters() const { return parameters_; }
    AircraftState& state() { return state_; }
    const AircraftState& state() const { return state_; }
    double timeMs() const { return timeMs_; }

    // Puts the aircraft at the approach's start point, airborne, gear down, at its speed.
    void startApproach(const Approach& approach);
    // Where and when the approach started last will touch down if nothing changes its speed.
    Touchdown plannedTouchdown() const { return planned_; }
    // Puts the aircraft on a deck at a standstill (its brake, throttle and hook stay as set).
    void place(const Placement& placement);
    // Puts the aircraft in level flight; it keeps its speed and height until told otherwise.
    void cruise(const Cruise& cruise);
    // Vertical speed in the air, metres per second, up positive; on the ground a climb lifts off.
    void setClimbRate(double metresPerSecond);
    // The simulator's crash: the flag goes up and the aircraft lies still where it is.
    void crash();

    // A write of the forward (0x3070) or sideways (0x3060) acceleration, ft/s^2. It acts from
    // now for the hold time or until the next write of the same offset replaces it.
    void writeForwardAcceleration(double value);
    void writeLateralAcceleration(double value);
    double forwardAccelerationInForce() const { return forwardHoldMs_ > 0 ? forwardAccel_ : 0; }

    void step(double ms);

    // The last touchdown since the approach began, and the first standstill after it.
    const std::optional<Touchdown>& touchdown() const { return touchdown_; }
    const std::optional<double>& stoppedAtMs() const { return stoppedAtMs_; }

private:
    void integrate(double seconds);
    double forwardAcceleration(double speed, double programAccel) const;
    // Wings level, moving straight ahead at that speed; on the ground when at the surface.
    void moveTo(double latitude, double longitude, double heading, double altitude,
                double surfaceAltitude, double forwardSpeed);
    void clearEvents();
    void move(double forwardFeet, double rightFeet);

    FlightParameters parameters_;
    AircraftState state_;
    double timeMs_ = 0;
    double forwardAccel_ = 0;
    double forwardHoldMs_ = 0;
    double lateralAccel_ = 0;
    double lateralHoldMs_ = 0;
    double sinkRate_ = 0;  // metres per second while airborne, set by the approach or a climb
    Touchdown planned_;
    std::optional<Touchdown> touchdown_;
    std::optional<double> stoppedAtMs_;
};

// Metres per degree at a latitude (WGS84 series).
double MetresPerDegreeLatitude(double latitude);
double MetresPerDegreeLongitude(double latitude);

}  // namespace hf::sim::flight
