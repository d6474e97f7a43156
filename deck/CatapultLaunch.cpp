// The armed catapult's watch, the launch and the stroke: every 7 ms the watch holds the
// braked aircraft against any roll and launches when the brake comes off with the throttle
// forward; the stroke then pushes the aircraft until it passes the cut-off speed.
#include <cmath>
#include <cstdint>

#include "deck/SimData.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr double PositionWatchTolerance = 0.03;  // degrees from the front-left corner
constexpr std::int16_t LaunchThrottle = 15565;   // the lever must be above this
constexpr std::int16_t ParkingBrakeReleased = 0;

struct WatchValues {
    std::int16_t ParkingBrake = 0;
    double Speed = 0;
    std::int16_t Throttle = 0;
    std::uint8_t EngineType = 0;
    std::int32_t Kind = 0;
    PositionHalves Position;
};

bool ReadWatchValues(WatchValues& v) {
    SimExchange exchange;
    exchange.Read(offsets::ParkingBrake, v.ParkingBrake)
        .Read(offsets::ForwardSpeed, v.Speed)
        .Read(offsets::Throttle1, v.Throttle)
        .Read(offsets::EngineType, v.EngineType)
        .Read(offsets::AircraftKind, v.Kind)
        .ReadPosition(v.Position);
    return exchange.Process();
}

}  // namespace

void TFormMain::tmrLaunchCheckTimer(TObject*) {
    if (btnManualDisable.Down()) {
        DisarmCatapult(false);
        return;
    }
    WatchValues v;
    if (!ReadWatchValues(v)) return;  // still armed; the next tick tries again

    if (v.EngineType == HelicopterEngineType || v.Kind == TaildraggerKind) {
        DisarmCatapult(true);
        return;
    }

    const bool automatic = chkbxAutoCatArming.Checked();
    // Automatic arming needs no zone; without a known one there is no corner to watch from,
    // so only the position watch is passed over.
    const TCatchZoneData* zone = NearestZone();
    if (!automatic && zone != nullptr) {
        const double lat = v.Position.Latitude();
        const double lon = v.Position.Longitude();
        if (std::fabs(zone->FrontLeftLat - lat) > PositionWatchTolerance &&
            std::fabs(zone->FrontLeftLon - lon) > PositionWatchTolerance) {
            DisarmCatapult(true);
            return;
        }
    }

    if (v.ParkingBrake == ParkingBrakeReleased && v.Throttle > LaunchThrottle) {
        SetSpecialSound(false);
        tmrKeystroke.SetEnabled(false);
        tmrLaunchCheck.SetEnabled(false);
        tmrIsCatchCheckNeeded.SetEnabled(false);
        tmrAutoCatArmCheck.SetEnabled(false);
        PlayCatapultSound();
        tmrAccel.SetEnabled(true);
        return;
    }

    if (!automatic && v.ParkingBrake == ParkingBrakeSet && v.Speed > 0.0) {
        // Negative factor: the force opposes the roll. A lost write is made good next tick.
        const double hold = static_cast<double>(CatapultHoldFactor) * v.Speed;
        SimExchange exchange;
        exchange.Write(offsets::ForwardAccel, hold).Process();
    }
}

void TFormMain::tmrAccelTimer(TObject*) {
    double speed = 0;
    SimExchange exchange;
    // The read goes first: the speed is the one from before this tick's push.
    exchange.Read(offsets::ForwardSpeed, speed).Write(offsets::ForwardAccel, CatapultAccel);
    if (!exchange.Process()) {
        DisarmCatapult(true);
        return;
    }
    if (speed > CatapultSpeedCutoffFps) DisarmCatapult(false);
}

}  // namespace hf
