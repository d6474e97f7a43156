// The trap gates: once a second, whether the trap test runs. The normal gate serves the
// zones of the zone file; the trap-anywhere gate serves touchdowns away from them and ends
// its mode at the first tick that leaves the trap test off.
#include <cstdint>
#include <string>

#include "deck/SimData.h"
#include "deck/Trapping.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr double NormalGateRange = 0.05;  // degrees
constexpr double LandedSpeedFps = 50.0;

enum class Gate { Normal, TrapAnywhere };

// The whole seconds of a remaining time: 30 at most, 0 in the last second.
std::string WholeSecondsText(std::uint64_t ms) { return std::to_string(ms / 1000); }

// The five values that decide whether the aircraft may trap.
struct GateValues {
    std::int16_t Crash = 0;
    std::uint16_t OnGround = 0;
    std::int32_t Gear = 0;
    double Speed = 0;
    std::uint16_t Slew = 0;
};

void RunTrapGate(TFormMain& form, Gate gate) {
    const bool trapAnywhere = gate == Gate::TrapAnywhere;
    const bool wasActive = form.tmrCheckForCatch.Enabled();

    // Everything up to the closing steps; returning early goes straight to them.
    const auto decide = [&] {
        if (form.btnManualDisable.Down()) {
            form.tmrCheckForCatch.SetEnabled(false);
            return;
        }

        const bool detectHook = form.chkbxDetectTailhook.Checked();
        bool hookDown = true;
        if (detectHook) {
            double hook = 0;
            SimExchange exchange;
            exchange.Read(offsets::Tailhook, hook);
            hookDown = exchange.Process() && hook > TailhookDownAbove;
        }
        if (!hookDown) {
            form.tmrCheckForCatch.SetEnabled(false);
            form.lblTailhookState.SetCaption(detectHook ? rs::TailhookUp : std::string_view());
            if (trapAnywhere && form.chkbxShowCablesActiveMsg.Checked()) {
                form.actShowStatus.Execute();
            }
            return;
        }
        form.lblTailhookState.SetCaption(detectHook ? rs::TailhookDown : std::string_view());

        double previous = 0;
        double distance = 0;
        if (trapAnywhere) {
            distance = form.FindNearestZone();
            if (distance < TrapAnywhereMinimumDistance) {
                form.TrapAnywhereArmed = false;
                form.tmrCheckForCatch.SetEnabled(false);
                form.InstallNormalHandlerPair();
                if (form.chkbxShowCablesActiveMsg.Checked()) {
                    form.ShowSimMessage(rs::MovingCarrierTooClose, 3);
                    form.lblActivelyCheckingStatus.SetCaption(rs::StatusNotNeeded);
                }
                return;
            }
        } else {
            previous = form.NearestZoneDistance;
            distance = form.FindNearestZone();
            // Out of range: a trap test that runs goes on running.
            if (!(distance < NormalGateRange)) return;
        }

        GateValues values;
        SimExchange exchange;
        exchange.Read(offsets::Crash, values.Crash)
            .Read(offsets::OnGround, values.OnGround)
            .Read(offsets::GearLever, values.Gear)
            .Read(offsets::ForwardSpeed, values.Speed)
            .Read(offsets::Slew, values.Slew);
        if (!exchange.Process()) {
            // The link is gone or broken: start afresh.
            if (exchange.code != LinkOk) form.actResetProgram.Execute();
            return;
        }

        if (values.Crash > 0) {
            if (trapAnywhere) form.TrapAnywhereArmed = false;
            form.tmrDecel.SetEnabled(false);
            if (trapAnywhere) form.InstallNormalHandlerPair();
            form.tmrFindNearest.SetEnabled(true);
            form.tmrCheckForCatch.SetEnabled(false);
            form.lblFlightStatus.SetCaption(rs::StatusCrashed);
            form.lblCableCatchStatus.SetCaption({});
            form.lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
            form.CatapultSoundPlayed = false;
            form.tmrLaunchCheck.SetEnabled(false);
            form.tmrAccel.SetEnabled(false);
            return;
        }

        const bool landed =
            values.Gear > 0 && values.OnGround == 1 && values.Speed < LandedSpeedFps;
        const std::uint64_t waitLeft =
            ArrestWaitLeftMs(form.Host().MonotonicMs(), form.LastArrestEndTime);
        bool active = values.Slew == 0 && !landed && values.Gear > 0;
        if (!trapAnywhere) active = active && distance < previous;
        active = active && waitLeft == 0;
        form.tmrCheckForCatch.SetEnabled(active);
        form.lblFlightStatus.SetCaption(landed ? rs::StatusLanded : rs::StatusFlying);

        if (trapAnywhere && form.chkbxShowCablesActiveMsg.Checked() &&
            !form.tmrCheckForCatch.Enabled() && waitLeft > 0) {
            form.ShowSimMessage(WholeSecondsText(waitLeft).append(" ").append(rs::SecondsUntilCables), 3);
        }
    };
    decide();

    if (form.tmrCheckForCatch.Enabled()) {
        form.lblActivelyCheckingStatus.SetCaption(rs::StatusActive);
        if (!wasActive) {
            form.lblCableCatchStatus.SetCaption({});
            if (trapAnywhere && form.chkbxOpsSounds.Checked()) form.PlayApproachOpsSounds();
            if (form.chkbxShowCablesActiveMsg.Checked()) {
                form.ShowSimMessage(rs::TrappingActive, 3);
            }
        }
    } else {
        form.lblActivelyCheckingStatus.SetCaption(rs::StatusNotNeeded);
        if (trapAnywhere) {
            form.TrapAnywhereArmed = false;
            form.InstallNormalHandlerPair();
        }
    }
    form.tmrFindNearest.SetEnabled(true);
}

}  // namespace

void TFormMain::tmrIsCatchCheckNeededForNormalTrappingTimer(TObject*) {
    RunTrapGate(*this, Gate::Normal);
}

void TFormMain::tmrIsCatchCheckNeededForForcedTrappingTimer(TObject*) {
    RunTrapGate(*this, Gate::TrapAnywhere);
}

}  // namespace hf
