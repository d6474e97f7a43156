// Catapult arming by hand and automatically, the disarm that ends an armed catapult or its
// stroke, and the flight status. The catapult is armed exactly while tmrLaunchCheck runs.
#include <cmath>
#include <cstdint>
#include <string>

#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"
#include "ui/ToolbarForm.h"

namespace hf {

namespace {

constexpr double ArmingPositionTolerance = 0.003;  // degrees from the front-left corner
constexpr double StationarySpeedFps = 6.0;

// Engine type and aircraft kind: what rules the catapult out for this aircraft.
struct AircraftValues {
    std::uint8_t EngineType = 0;
    std::int32_t Kind = 0;
};

bool ReadAircraftValues(AircraftValues& values) {
    SimExchange exchange;
    exchange.Read(offsets::EngineType, values.EngineType).Read(offsets::AircraftKind, values.Kind);
    return exchange.Process();
}

// The values that say whether the aircraft stands ready on the deck.
struct DeckValues {
    std::int16_t ParkingBrake = 0;
    std::int32_t Gear = 0;
    std::uint16_t OnGround = 0;
    std::int16_t Crash = 0;
    double Speed = 0;
    std::uint16_t Slew = 0;
};

// What each check reads besides the brake, the on-ground, crash and slew flags.
struct DeckReading {
    bool Gear;
    bool Speed;
};
constexpr DeckReading ArmedCheck{false, false};
constexpr DeckReading AutomaticArming{true, false};
constexpr DeckReading ArmingByHand{true, true};

// One exchange, always in the same order; what a check leaves out stays as it was.
bool ReadDeckValues(DeckValues& v, DeckReading what) {
    SimExchange exchange;
    exchange.Read(offsets::ParkingBrake, v.ParkingBrake);
    if (what.Gear) exchange.Read(offsets::GearLever, v.Gear);
    exchange.Read(offsets::OnGround, v.OnGround).Read(offsets::Crash, v.Crash);
    if (what.Speed) exchange.Read(offsets::ForwardSpeed, v.Speed);
    exchange.Read(offsets::Slew, v.Slew);
    return exchange.Process();
}

// Ready for a launch, the speed aside (the automatic check does not look at it).
bool StandsReady(const DeckValues& v) {
    return v.Crash == 0 && v.Slew == 0 && v.Gear > 0 && v.OnGround == 1 &&
           v.ParkingBrake == ParkingBrakeSet;
}

// The reason a ready test failed, by priority; empty when none of the named tests holds
// (a crash, a negative gear lever or an odd flag value have no reason of their own).
std::string_view RefusalReason(const DeckValues& v) {
    if (v.OnGround == 0) return rs::NotLandedState;
    if (v.Gear == 0) return rs::CheckGear;
    if (v.ParkingBrake != ParkingBrakeSet) return rs::ParkingBrakeNotSet;
    if (v.Slew == 1) return rs::SlewMode;
    if (v.Speed >= StationarySpeedFps) return rs::NotStationary;
    return {};
}

}  // namespace

void TFormMain::SwitchToLaunchWatch() {
    tmrAccel.SetEnabled(false);
    tmrCheckForCatch.SetEnabled(false);
    EndArrest();  // a running arrest still gives back the hot keys and sound its catch took
    tmrIsCatchCheckNeeded.SetEnabled(false);
    tmrFindNearest.SetEnabled(false);
    tmrLaunchCheck.SetEnabled(true);
}

void TFormMain::ShowCatArmMessage(bool armed) {
    if (!chkbxShowCatArmMsgs.Checked()) return;
    ShowSimMessage(armed ? rs::CatapultArmed : rs::CatapultDisarmed, 3);
}

void TFormMain::actCatapultArmExecute(TObject*) {
    const auto refuse = [this](std::string_view reason) {
        if (chkbxShowCatArmMsgs.Checked()) ShowSimMessage(std::string(rs::CatNotArmed) + std::string(reason), 3);
    };
    const auto arm = [this] {
        ShowCatArmMessage(true);
        if (chkbxOpsSounds.Checked()) PlayCatSetOpsSounds();
        lblCatArmStatus.SetCaption(rs::CatapultArmed);
        SwitchToLaunchWatch();
    };
    const auto tryToArm = [&, this] {
        if (btnManualDisable.Down()) {
            if (chkbxShowCatArmMsgs.Checked()) ShowSimMessage(rs::CatNotAvailable, 3);
            return;
        }
        CatapultSoundPlayed = false;

        if (tmrLaunchCheck.Enabled()) {
            ShowCatArmMessage(false);
            lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
            if (chkbxOpsSounds.Checked()) PlayCatDisengagedOpsSounds();
            tmrLaunchCheck.SetEnabled(false);
            return;
        }

        AircraftValues aircraft;
        if (!ReadAircraftValues(aircraft)) return;
        if (aircraft.EngineType == HelicopterEngineType || aircraft.Kind != 0 ||
            tmrCheckForCatch.Enabled()) {
            if (aircraft.EngineType == HelicopterEngineType) {
                refuse(rs::WontWorkHelicopters);
            } else if (aircraft.Kind == TaildraggerKind) {
                refuse(rs::WontWorkTaildraggers);
            } else {
                refuse({});
            }
            return;
        }

        PositionHalves position;
        if (!SimExchange().ReadPosition(position).Process()) return;
        const double lat = position.Latitude();
        const double lon = position.Longitude();

        // Without a known nearest zone there are no cables to stand at: too far from them.
        const TCatchZoneData* zone = NearestZone();
        const bool near = zone != nullptr &&
                          std::fabs(zone->FrontLeftLat - lat) < ArmingPositionTolerance &&
                          std::fabs(zone->FrontLeftLon - lon) < ArmingPositionTolerance;
        if (!near) {
            if (chkbxShowCatArmMsgs.Checked()) ShowSimMessage(rs::CatNotArmedTooFar, 3);
            return;
        }

        DeckValues deck;
        if (!ReadDeckValues(deck, ArmingByHand)) {
            // Nothing was read to name a reason by.
            refuse({});
            return;
        }
        if (StandsReady(deck) && deck.Speed < StationarySpeedFps) {
            arm();
            return;
        }
        refuse(RefusalReason(deck));
    };

    tryToArm();
    lblCatArmStatus.SetCaption(
        std::string(tmrLaunchCheck.Enabled() ? rs::CatapultArmed : rs::CatapultDisarmed));
}

void TFormMain::AutoCatArmCheck() {
    // Disabled by hand means left alone: arming here would also restart the heartbeat's
    // interval through the hand-over, so its disabled reminders would never come.
    if (btnManualDisable.Down()) return;
    CatapultSoundPlayed = false;
    const auto check = [this] {
        if (tmrLaunchCheck.Enabled()) {
            DeckValues deck;
            if (!ReadDeckValues(deck, ArmedCheck)) return;
            if (deck.Crash == 1 || deck.ParkingBrake != ParkingBrakeSet || deck.Slew == 1 ||
                deck.OnGround == 0) {
                lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
                tmrLaunchCheck.SetEnabled(false);
            }
            return;
        }

        AircraftValues aircraft;
        if (!ReadAircraftValues(aircraft)) return;
        if (aircraft.EngineType == HelicopterEngineType || aircraft.Kind != 0 ||
            tmrCheckForCatch.Enabled()) {
            return;
        }
        DeckValues deck;
        if (!ReadDeckValues(deck, AutomaticArming) || !StandsReady(deck)) return;

        ShowCatArmMessage(true);
        lblCatArmStatus.SetCaption(rs::CatapultArmed);
        SwitchToLaunchWatch();
    };
    check();
    lblCatArmStatus.SetCaption(
        std::string(tmrLaunchCheck.Enabled() ? rs::CatapultArmed : rs::CatapultDisarmed));
}

void TFormMain::tmrAutoCatArmCheckTimer(TObject*) {
    if (chkbxAutoCatArming.Checked()) AutoCatArmCheck();
    CheckFlightStatus();
}

void TFormMain::CheckFlightStatus() {
    std::uint16_t onGround = 0;
    SimExchange exchange;
    const bool landed = exchange.Read(offsets::OnGround, onGround).Process() && onGround == 1;
    lblFlightStatus.SetCaption(std::string(landed ? rs::StatusLanded : rs::StatusFlying));
}

void TFormMain::chkbxAutoCatArmingClick(TObject*) {
    const bool automatic = chkbxAutoCatArming.Checked();
    // The message option still governs the automatic messages; it is only greyed out.
    chkbxShowCatArmMsgs.SetEnabled(!automatic);
    if (frmToolbar) frmToolbar->btnCatapultArm.SetEnabled(!automatic);
    if (automatic) return;
    if (tmrLaunchCheck.Enabled()) actCatapultArm.Execute();
}

void TFormMain::DisarmCatapult(bool showMessage) {
    tmrLaunchCheck.SetEnabled(false);
    tmrAccel.SetEnabled(false);
    // The watching timers come back by hand-over from the hot-key poll.
    tmrKeystroke.SetEnabled(true);
    CatapultSoundPlayed = false;
    SetSmoke(false);
    if (showMessage) ShowCatArmMessage(false);
    lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
    SetSmoke(false);
    SetSpecialSound(true);
}

}  // namespace hf
