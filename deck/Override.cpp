// Manual override (switching the deck operations off and on without closing the link) and
// the one-line status report shown in the simulator.
#include <cstddef>
#include <string>
#include <string_view>

#include "deck/NumberFormat.h"
#include "host/AsciiCase.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"
#include "ui/ToolbarForm.h"

namespace hf {

namespace {

// The identifier fills the line up to this length at most, so that with its closing quote
// and bracket the line stays within the 100 characters the simulator shows.
constexpr std::size_t IdentBudget = 97;

}  // namespace

void TFormMain::actManualOverrideExecute(TObject*) {
    // The caller has already flipped btnManualDisable; its state is the one asked for.
    const bool disable = btnManualDisable.Down();
    btnManualDisable.SetDown(disable);
    if (frmToolbar) frmToolbar->btnManualOverride.SetDown(disable);

    if (!disable) {
        btnManualDisable.SetCaption(rs::ManualOverrideDisable);
        // Nothing to switch on: every operation looks at the button again at its next tick.
        if (FuelLoadActive) {
            ShowSimMessage(rs::ReenabledFuelLoad, 5);
        } else if (FuelOffloadActive) {
            ShowSimMessage(rs::ReenabledFuelOffload, 5);
        } else {
            ShowSimMessage(rs::Reenabled, 5);
        }
        return;
    }

    btnManualDisable.SetCaption(rs::PressToReenable);
    // Braking stops at once, but the arrest still gives back what its catch took: the hot
    // keys and the special sound come back, or the pilot could never enable the program
    // again by key. No wait starts: the arrest did not end in a stop. The nearest-zone
    // heartbeat carries on while disabled.
    EndArrest();
    tmrFindNearest.SetEnabled(true);
    if (tmrAccel.Enabled()) {
        // The stroke runs out by itself: its own end disarms fully (hot keys, smoke, sound).
        tmrLaunchCheck.SetEnabled(false);
        ShowSimMessage(rs::DisabledCatapultDisarmed, 8);
        lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
    } else if (FuelLoadActive) {
        ShowSimMessage(rs::DisabledFuelLoadPaused, 8);
    } else if (FuelOffloadActive) {
        ShowSimMessage(rs::DisabledFuelOffloadPaused, 8);
    } else {
        ShowSimMessage(rs::ManuallyDisabled, 8);
    }
}

void TFormMain::actShowStatusExecute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::StatusManuallyDisabled, 3);
        return;
    }

    std::string s;
    if (!lblFlightStatus.Caption().empty()) s = AsciiUpper(lblFlightStatus.Caption()) + ", ";
    if (chkbxDetectTailhook.Checked()) s += lblTailhookState.Caption() + ", ";
    s += std::string(rs::StatusTrapping) + " " + AsciiUpper(lblActivelyCheckingStatus.Caption());
    if (FuelLoadActive) {
        s += ", " + std::string(rs::StatusLoadingFuel) + " " +
             AsciiUpper(rdgrpFuelTransferRate.SelectedText());
    } else if (FuelOffloadActive) {
        s += ", " + std::string(rs::StatusOffloadingFuel) + " " +
             AsciiUpper(rdgrpFuelTransferRate.SelectedText());
    }
    if (tmrLaunchCheck.Enabled()) s += ", " + std::string(rs::StatusCatArmed);

    // Without a nearest zone (none found yet, or operations stopped) there is no heading to
    // give: the line goes out without the nearest-cables piece.
    if (const TCatchZoneData* zone = NearestZone()) {
        s += ", " + std::string(rs::StatusNearestCables) + " " + std::string(rs::RwyHdg) + " " +
             FormatGeneral(zone->RunwayHeading) + " (\"";
        if (s.size() < IdentBudget) s += AnnouncedCarrierIdent.substr(0, IdentBudget - s.size());
        s += "\")";
    }
    if (chkbxAutoCatArming.Checked()) s += ", " + std::string(rs::StatusAutocat);
    ShowSimMessage(s, 7);
}

}  // namespace hf
