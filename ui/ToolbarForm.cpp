#include "ui/ToolbarForm.h"

#include <string>

#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

TfrmToolbar::TfrmToolbar(TFormMain& owner) : TForm("frmToolbar", &owner), main_(owner) {
    SetCaption("HF");
    SetHint("HFast as Toolbar");
    SetShowHint(true);
    SetLeft(0);
    SetTop(124);
    SetClientSize(30, 284);
    SetHeight(311);

    struct Design {
        TSpeedButton& Button;
        int Top;
        TAction* Action;
    };
    const std::array<Design, 11> buttons = {{
        {btnToolbarToggle, 0, nullptr},
        {btnReset, 32, &main_.actResetProgram},
        {btnManualOverride, 56, nullptr},
        {btnShowStatus, 80, &main_.actShowStatus},
        {btnCatapultArm, 108, &main_.actCatapultArm},
        {btnFuelLoad, 136, &main_.actFuelLoad},
        {btnFuelOffload, 160, &main_.actFuelOFFload},
        {btnToggleFuelRate, 184, &main_.actFuelRateToggle},
        {btnBattleDamage1, 212, &main_.actBattleDamage1},
        {btnBattleDamage2, 236, &main_.actBattleDamage2},
        {btnBattleDamage3, 260, &main_.actBattleDamage3},
    }};
    for (const Design& design : buttons) {
        design.Button.SetBounds(4, design.Top, 23, 23);
        design.Button.SetAllowAllUp(true);
        design.Button.SetShowHint(true);
        if (design.Action != nullptr) design.Button.SetAction(design.Action);
    }
    btnToolbarToggle.SetHasGlyph(true);
    btnToolbarToggle.SetHint("Return to HFast Main Window");
    btnManualOverride.SetGroupIndex(1);

    struct Bar {
        int Top, Bottom;
        TColor Color;
    };
    const std::array<Bar, 4> bars = {{{33, 102, clGray},
                                      {108, 131, clLime},
                                      {137, 206, clAqua},
                                      {213, 283, clRed}}};
    for (std::size_t i = 0; i < bars.size(); ++i) {
        for (std::size_t side = 0; side < 2; ++side) {
            TLabel& bar = GroupBars[i * 2 + side];
            bar.SetAutoSize(false);
            bar.SetFilled(true);
            bar.SetColor(bars[i].Color);
            bar.SetBounds(side == 0 ? 0 : 27, bars[i].Top, 3, bars[i].Bottom - bars[i].Top + 1);
        }
    }

    btnToolbarToggle.OnClick = {"btnToolbarToggleClick",
                                [this](TObject* sender) { btnToolbarToggleClick(sender); }};
    btnManualOverride.OnClick = {"btnManualOverrideClick",
                                 [this](TObject* sender) { btnManualOverrideClick(sender); }};
}

void TfrmToolbar::FormCreate(TObject*) {
    SetClientWidth(30);
    struct Texts {
        TSpeedButton& Button;
        std::string_view Caption;
        std::string_view Hint;
    };
    const std::array<Texts, 10> texts = {{
        {btnReset, rs::TbReset, rs::ResetProgramAndConnection},
        {btnManualOverride, rs::TbManualOverride, rs::ActManualOverride},
        {btnShowStatus, rs::TbShowStatus, rs::ActShowStatus},
        {btnCatapultArm, rs::TbCatapultArm, rs::ActCatapultArm},
        {btnFuelLoad, rs::TbFuelLoad, rs::ActFuelLoad},
        {btnFuelOffload, rs::TbFuelOffload, rs::ActFuelOffload},
        {btnToggleFuelRate, rs::TbFuelRate, rs::ActFuelRateToggle},
        {btnBattleDamage1, rs::TbBattleDamage1, rs::ActBattleDamage1},
        {btnBattleDamage2, rs::TbBattleDamage2, rs::ActBattleDamage2},
        {btnBattleDamage3, rs::TbBattleDamage3, rs::ActBattleDamage3},
    }};
    for (const Texts& text : texts) {
        text.Button.SetCaption(text.Caption);
        text.Button.SetHint(text.Hint);
    }
}

void TfrmToolbar::btnToolbarToggleClick(TObject*) {
    main_.Show();
    Hide();
}

void TfrmToolbar::Close() { btnToolbarToggleClick(this); }

void TfrmToolbar::btnManualOverrideClick(TObject*) {
    main_.btnManualDisable.SetDown(!main_.btnManualDisable.Down());
    btnManualOverride.SetDown(!btnManualOverride.Down());
    main_.actManualOverride.Execute();
}

}  // namespace hf
