// The nearest catch zone and the 15-second heartbeat of the program.
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation: the search for the nearest zone. Until then it reports the
// result of a failed search and changes nothing.
double TFormMain::FindNearestZone() { return 180.0; }

void TFormMain::tmrFindNearestTimer(TObject*) {
    lblFlightStatus.SetColor(lblFlightStatus.Color() == clBtnFace ? clWhite : clBtnFace);
    tmrFindNearest.SetEnabled(false);
    if (NearestZoneIndex == -1) {
        ShowSimMessage(rs::HookfastEnabled, 3);
    } else if (btnManualDisable.Down() && chkbxShowDisableReminders.Checked()) {
        ShowSimMessage(rs::ManuallyDisabled, 3);
    }
    FindNearestZone();
    lblCableCatchStatus.SetCaption({});
    tmrFindNearest.SetEnabled(true);
    tmrIsCatchCheckNeeded.SetEnabled(true);
    tmrAutoCatArmCheck.SetEnabled(true);
}

}  // namespace hf
