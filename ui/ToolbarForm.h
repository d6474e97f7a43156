// The narrow vertical toolbar window (unit ToolbarForm), which can stand in for the main
// window while the user flies. Its buttons run the main window's actions.
#pragma once

#include <array>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace hf {

class TFormMain;

class TfrmToolbar : public TForm {
public:
    explicit TfrmToolbar(TFormMain& owner);

    TSpeedButton btnToolbarToggle{*this, nullptr, "btnToolbarToggle"};
    TSpeedButton btnReset{*this, nullptr, "btnReset"};
    TSpeedButton btnManualOverride{*this, nullptr, "btnManualOverride"};
    TSpeedButton btnShowStatus{*this, nullptr, "btnShowStatus"};
    TSpeedButton btnCatapultArm{*this, nullptr, "btnCatapultArm"};
    TSpeedButton btnFuelLoad{*this, nullptr, "btnFuelLoad"};
    TSpeedButton btnFuelOffload{*this, nullptr, "btnFuelOffload"};
    TSpeedButton btnToggleFuelRate{*this, nullptr, "btnToggleFuelRate"};
    TSpeedButton btnBattleDamage1{*this, nullptr, "btnBattleDamage1"};
    TSpeedButton btnBattleDamage2{*this, nullptr, "btnBattleDamage2"};
    TSpeedButton btnBattleDamage3{*this, nullptr, "btnBattleDamage3"};

    // The coloured bars that mark the button groups, left and right of the column.
    std::array<TLabel, 8> GroupBars{{{*this, nullptr, "shpLeftPlain"},
                                     {*this, nullptr, "shpRightPlain"},
                                     {*this, nullptr, "shpLeftCatapult"},
                                     {*this, nullptr, "shpRightCatapult"},
                                     {*this, nullptr, "shpLeftFuel"},
                                     {*this, nullptr, "shpRightFuel"},
                                     {*this, nullptr, "shpLeftDamage"},
                                     {*this, nullptr, "shpRightDamage"}}};

    void FormCreate(TObject* Sender);
    // The toolbar has no close box, but Alt+F4 still closes it: the main window comes back
    // as with the return button, so the program is never left without a window.
    void Close() override;
    void btnToolbarToggleClick(TObject* Sender);
    void btnManualOverrideClick(TObject* Sender);

private:
    TFormMain& main_;
};

}  // namespace hf
