// The arrest and trapping anywhere: after a catch every tmrDecel tick writes the cable's
// deceleration until the aircraft has stopped (in a zone) or slowed to taxi speed (on a
// moving carrier, with an optional sideways push); F10 toggles trapping anywhere.
#include <cstdint>
#include <string>

#include "deck/HotKeySlots.h"
#include "deck/SimData.h"
#include "deck/Trapping.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr double MovingCarrierEndSpeedFps = 32.0;
constexpr std::uint32_t TrapAnywhereKeyDefinition = 0x00010179;  // Shift+F10 before the combo

// One exchange that reads the forward speed; false when it failed.
bool ReadForwardSpeed(double& speed) {
    SimExchange exchange;
    exchange.Read(offsets::ForwardSpeed, speed);
    return exchange.Process();
}

// Queues one acceleration and sends it if it was queued; a failed write is made good by the
// next tick, so its outcome is not looked at.
void WriteAcceleration(std::uint32_t offset, double value) {
    SimExchange exchange;
    exchange.Write(offset, value).Process();
}

// How an arrest ends: braked to a stop (or the simulator stopped answering), or cut short by
// another operation (the manual disable, arming the catapult). Both give back what the
// catch took; only a stop notes the end time that the 30 s wait before the next trap runs
// from, so an approach soon after a cut-short arrest can still be caught.
enum class ArrestEnd { Stopped, CutShort };

// The end of an arrest in a zone: the watching timers and the hot keys come back.
void EndNormalArrest(TFormMain& form, ArrestEnd end) {
    form.tmrDecel.SetEnabled(false);
    form.tmrFindNearest.SetEnabled(true);
    form.tmrKeystroke.SetEnabled(true);
    if (end == ArrestEnd::Stopped) form.LastArrestEndTime = form.Host().MonotonicMs();
    form.SetSpecialSound(true);
    form.tmrIsCatchCheckNeeded.SetEnabled(true);
}

// The end of a trap-anywhere arrest: as above, with the normal handler pair back; the gate
// timer comes back with the next heartbeat (or F10 check), not here.
void EndMovingCarrierArrest(TFormMain& form, ArrestEnd end) {
    form.TrapAnywhereArmed = false;
    form.tmrDecel.SetEnabled(false);
    form.InstallNormalHandlerPair();
    form.tmrFindNearest.SetEnabled(true);
    form.tmrKeystroke.SetEnabled(true);
    if (end == ArrestEnd::Stopped) form.LastArrestEndTime = form.Host().MonotonicMs();
    form.SetSpecialSound(true);
}

}  // namespace

void TFormMain::tmrDecelTimer(TObject*) {
    double speed = 0;
    if (ReadForwardSpeed(speed) && speed > 0.0) {
        WriteAcceleration(offsets::ForwardAccel, CableCatchAccel);
        return;
    }
    // Stopped, or the simulator no longer answers: the arrest is over either way.
    EndNormalArrest(*this, ArrestEnd::Stopped);
}

void TFormMain::tmrMovingCarrierDecelTimer(TObject*) {
    double speed = 0;
    if (ReadForwardSpeed(speed) && speed > MovingCarrierEndSpeedFps) {
        WriteAcceleration(offsets::ForwardAccel, CableCatchAccel);
        if (chkbxLateralOffsetTrapAnywhere.Checked()) {
            WriteAcceleration(offsets::LateralAccel, LateralAccel);
        }
        return;
    }
    EndMovingCarrierArrest(*this, ArrestEnd::Stopped);
}

void TFormMain::EndArrest() {
    if (!tmrDecel.Enabled()) return;
    // The end steps of the handler that brakes it: the installed pair says which.
    if (InstalledHandlerPair == HandlerPair::TrapAnywhere) {
        EndMovingCarrierArrest(*this, ArrestEnd::CutShort);
    } else {
        EndNormalArrest(*this, ArrestEnd::CutShort);
    }
}

void TFormMain::CheckTrapAnywhereKey() {
    tmrIsCatchCheckNeeded.SetEnabled(false);
    // The gate timer comes back however the check ends, an error included.
    struct GateBack {
        TTimer& gate;
        ~GateBack() { gate.SetEnabled(true); }
    } gateBack{tmrIsCatchCheckNeeded};

    if (!IsHotKeySlot(TrapAnywhereKeySlot)) return;
    std::uint32_t slotValue = 0;
    SimExchange read;
    if (!read.Read(TrapAnywhereKeySlot, slotValue).Process()) return;
    if (!IsHotKeyPressed(slotValue)) return;

    if (btnManualDisable.Down()) {
        // The press stays in the slot: once enabled again, the next poll toggles the mode.
        if (chkbxShowDisableReminders.Checked()) ShowSimMessage(rs::ManuallyDisabled, 3);
        return;
    }

    if (TrapAnywhereArmed) {
        TrapAnywhereArmed = false;
    } else {
        TrapAnywhereArmed = FindNearestZone() >= TrapAnywhereMinimumDistance;
        if (!TrapAnywhereArmed) ShowSimMessage(rs::MovingCarrierTooClose, 4);
    }
    if (TrapAnywhereArmed) {
        InstallTrapAnywhereHandlerPair();
    } else {
        InstallNormalHandlerPair();
    }

    const std::uint32_t keyDefinition = KeyComboBase + TrapAnywhereKeyDefinition;
    SimExchange rearm;
    rearm.Write(TrapAnywhereKeySlot, keyDefinition).Process();
}

}  // namespace hf
