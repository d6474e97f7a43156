// The settings file and the option setters.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "deck/NumberFormat.h"
#include "deck/Numbers.h"
#include "deck/Profile.h"
#include "deck/SettingsFile.h"
#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"
#include "ui/ToolbarForm.h"

namespace hf {

namespace {

constexpr std::int32_t DefaultCatapultSpeedCutoff = 120;
constexpr std::int32_t DefaultCatapultHoldFactor = 50;
constexpr std::int32_t DefaultTimingResolutionFactor = 1;
constexpr double DefaultCatapultAccel = 700.0;
constexpr double DefaultCableCatchAccel = -700.0;
// -tan 8 degrees: the sideways push of trapping anywhere follows the deceleration.
constexpr double LateralPerCableCatchAccel = -0.14054083470239145;

// An option's valid range is its spin control's, whichever way the control runs.
bool InSpinRange(const TUpDown& spin, double value) {
    const int low = std::min(spin.Min(), spin.Max());
    const int high = std::max(spin.Min(), spin.Max());
    return value >= low && value <= high;
}

// Brings the spin control and its edit in line with the value an option shows. The edit's
// text changes only when it differs, so a value already shown runs no change handler.
void ShowOptionValue(TUpDown& spin, TEdit& edit, int display) {
    const int position = static_cast<std::int16_t>(display);
    if (spin.Position() != position) spin.SetPosition(position);
    edit.SetText(FormatInteger(spin.Position()));
}

int DisplayOfDecimal(double value) { return static_cast<int>(RoundHalfEven(value)); }

std::int32_t EditInteger(const TEdit& edit) {
    const std::optional<std::int32_t> value = ParseInteger(edit.Text());
    if (!value) throw std::runtime_error(FormatWithText(rs::NotValidInteger, edit.Text()));
    return *value;
}

double EditFloat(const TEdit& edit) {
    std::optional<double> value;
    try {
        value = ParseFloat(edit.Text());
    } catch (const NumberOverflow&) {
        // No double holds it: as invalid as any other text.
    }
    if (!value) throw std::runtime_error(FormatWithText(rs::NotValidFloat, edit.Text()));
    return *value;
}

// A decimal setting that no double can hold reads as unreadable: its default.
double ReadDecimal(const Profile& settings, std::string_view section, std::string_view key,
                   double defaultValue) {
    try {
        return settings.ReadFloat(section, key, defaultValue);
    } catch (const NumberOverflow&) {
        return defaultValue;
    }
}

std::int32_t ZeroOrOne(std::int32_t index) { return index == 1 ? 1 : 0; }

}  // namespace

bool TFormMain::LoadSettings() {
    std::unique_ptr<Profile> file;
    try {
        file = std::make_unique<Profile>(ProgramFolder + std::string(SettingsFileName),
                                         host_.Files());
    } catch (const std::exception&) {
        lblConnectionInfo.SetCaption(std::string(rs::ProblemIni));
        return false;
    }
    Profile& settings = *file;

    SetLeft(settings.ReadInteger("General", "LastLeft", 300));
    SetTop(settings.ReadInteger("General", "LastTop", 200));

    const std::string lastDatFile = settings.ReadString("General", "LastDatFileUsed", "");
    const int entry = lastDatFile.empty() ? -1 : FindEntryIgnoringCase(cmbDatFile, lastDatFile);
    if (entry >= 0) {
        cmbDatFile.SetItemIndex(entry);
    } else if (!SelectDefaultDatFile(settings)) {
        return false;
    }

    frmToolbar->SetLeft(settings.ReadInteger("General", "VerticalToolbarLeft", 0));
    frmToolbar->SetTop(settings.ReadInteger("General", "VerticalToolbarTop", 124));
    chkbxShowDisableReminders.SetChecked(
        settings.ReadBool("General", "ShowRemindersWhenDisabled", true));
    chkbxSpecialSoundHandling.SetChecked(settings.ReadBool("General", "SpecialSoundHandling", false));
    chkbxDetectTailhook.SetChecked(
        settings.ReadBool("CableOps", "DetectTrapsIfTailhookExtended", false));
    SetCableCatchAccelFactor(
        ReadDecimal(settings, "CableOps", "CableCatchAccelFactor", DefaultCableCatchAccel));
    chkbxLateralOffsetTrapAnywhere.SetChecked(
        settings.ReadBool("CableOps", "AddLateralVelocityWhenTrappingAnywhere", true));
    SetCatapultAccelFactor(
        ReadDecimal(settings, "CatapultOps", "CatapultAccelFactor", DefaultCatapultAccel));
    SetCatapultSpeedCutoff(settings.ReadInteger("CatapultOps", "CatapultSpeedCutoffKnots",
                                                DefaultCatapultSpeedCutoff));
    SetCatapultHoldFactor(
        settings.ReadInteger("CatapultOps", "CatapultHoldFactor", DefaultCatapultHoldFactor));
    chkbxCatSmoke.SetChecked(settings.ReadBool("CatapultOps", "UseAircraftSmoke", false));
    chkbxAutoCatArming.SetChecked(settings.ReadBool("CatapultOps", "AutoCatArming", false));
    chkbxShowCatArmMsgs.SetChecked(settings.ReadBool("CatapultOps", "ShowCatArmDisarmMsgs", true));
    chkbxDamageSounds.SetChecked(settings.ReadBool("General", "PlayBattleDamageSounds", false));
    chkbxOpsSounds.SetChecked(settings.ReadBool("General", "PlayOpsSounds", false));
    chkbxShowCablesActiveMsg.SetChecked(settings.ReadBool("CableOps", "ShowCablesActiveMsg", false));
    rdgrpCtrlKeys.SetItemIndex(
        ZeroOrOne(settings.ReadInteger("General", "KeystrokeCompatibilityOption", 0)));
    // A later start with the window shown registers the keys here, changed choice or not
    // (through the group's event, which is the key-choice handler).
    if (Visible()) rdgrpCtrlKeys.OnClick(&rdgrpCtrlKeys);
    rdgrpFuelTransferRate.SetItemIndex(
        ZeroOrOne(settings.ReadInteger("FuelOps", "TransferRateIndex", 0)));
    SetTimingResolutionFactor(settings.ReadInteger("General", "TimingResolutionFactor",
                                                   DefaultTimingResolutionFactor));
    return true;
}

void TFormMain::SaveSettings() {
    // Enabled only while a zone file is loaded: a failed start writes nothing.
    if (!cmbDatFile.Enabled()) return;
    // All 22 keys in one rewrite of the file.
    std::vector<ProfileEntry> entries;
    const auto write = [&entries](std::string_view section, std::string_view key,
                                  std::string value) {
        entries.push_back({section, key, std::move(value)});
    };
    const auto flag = [](const TCheckBox& box) { return FormatBoolean(box.Checked()); };

    write("General", "LastDatFileUsed", cmbDatFile.Text());
    write("General", "LastLeft", FormatInteger(Left()));
    write("General", "LastTop", FormatInteger(Top()));
    write("General", "ShowRemindersWhenDisabled", flag(chkbxShowDisableReminders));
    write("General", "SpecialSoundHandling", flag(chkbxSpecialSoundHandling));
    write("General", "PlayBattleDamageSounds", flag(chkbxDamageSounds));
    write("General", "PlayOpsSounds", flag(chkbxOpsSounds));
    write("General", "TimingResolutionFactor", FormatInteger(TimingResolutionFactor));
    write("General", "KeystrokeCompatibilityOption", FormatInteger(rdgrpCtrlKeys.ItemIndex()));
    write("General", "VerticalToolbarLeft", FormatInteger(frmToolbar->Left()));
    write("General", "VerticalToolbarTop", FormatInteger(frmToolbar->Top()));
    write("CableOps", "CableCatchAccelFactor", FormatGeneral(CableCatchAccel));
    write("CableOps", "ShowCablesActiveMsg", flag(chkbxShowCablesActiveMsg));
    write("CableOps", "DetectTrapsIfTailhookExtended", flag(chkbxDetectTailhook));
    write("CableOps", "AddLateralVelocityWhenTrappingAnywhere",
          flag(chkbxLateralOffsetTrapAnywhere));
    write("CatapultOps", "CatapultAccelFactor", FormatGeneral(CatapultAccel));
    write("CatapultOps", "CatapultSpeedCutoffKnots", FormatInteger(CatapultSpeedCutoff));
    write("CatapultOps", "CatapultHoldFactor",
          FormatInteger(std::abs(static_cast<std::int64_t>(CatapultHoldFactor))));
    write("CatapultOps", "UseAircraftSmoke", flag(chkbxCatSmoke));
    write("CatapultOps", "AutoCatArming", flag(chkbxAutoCatArming));
    write("CatapultOps", "ShowCatArmDisarmMsgs", flag(chkbxShowCatArmMsgs));
    write("FuelOps", "TransferRateIndex", FormatInteger(rdgrpFuelTransferRate.ItemIndex()));
    Profile settings(ProgramFolder + std::string(SettingsFileName), host_.Files());
    WriteSettings(settings, host_.ShownPath(settings.Path()), entries);
}

void TFormMain::SetCatapultSpeedCutoff(std::int32_t value) {
    if (!InSpinRange(updwnCatapultCutoff, value)) value = DefaultCatapultSpeedCutoff;
    CatapultSpeedCutoff = value;
    CatapultSpeedCutoffFps = CatapultSpeedCutoff * KnotsToFps;
    ShowOptionValue(updwnCatapultCutoff, edtCatapultCutoff, CatapultSpeedCutoff);
}

void TFormMain::SetCatapultHoldFactor(std::int32_t value) {
    if (!InSpinRange(updwnCatapultHoldFactor, value)) value = DefaultCatapultHoldFactor;
    CatapultHoldFactor = -value;
    ShowOptionValue(updwnCatapultHoldFactor, edtCatapultHoldFactor, value);
}

void TFormMain::SetTimingResolutionFactor(std::int32_t value) {
    if (!InSpinRange(updwnTimingResolution, value)) value = DefaultTimingResolutionFactor;
    TimingResolutionFactor = value;
    ShowOptionValue(updwnTimingResolution, edtTimingResolution, TimingResolutionFactor);
    tmrDecel.SetInterval(static_cast<std::uint32_t>(10 * TimingResolutionFactor));
    tmrAccel.SetInterval(static_cast<std::uint32_t>(5 * TimingResolutionFactor));
}

void TFormMain::SetCatapultAccelFactor(double value) {
    if (!InSpinRange(updwnAccelFactor, value)) value = DefaultCatapultAccel;
    CatapultAccel = value;
    ShowOptionValue(updwnAccelFactor, edtAccelFactor, DisplayOfDecimal(CatapultAccel));
}

void TFormMain::SetCableCatchAccelFactor(double value) {
    if (!InSpinRange(updwnDecelFactor, value)) value = DefaultCableCatchAccel;
    CableCatchAccel = value;
    LateralAccel = CableCatchAccel * LateralPerCableCatchAccel;
    ShowOptionValue(updwnDecelFactor, edtDecelFactor, DisplayOfDecimal(CableCatchAccel));
}

void TFormMain::edtCatapultCutoffChange(TObject*) {
    SetCatapultSpeedCutoff(EditInteger(edtCatapultCutoff));
}

void TFormMain::edtCatapultHoldFactorChange(TObject*) {
    SetCatapultHoldFactor(EditInteger(edtCatapultHoldFactor));
}

void TFormMain::edtTimingResolutionChange(TObject*) {
    SetTimingResolutionFactor(EditInteger(edtTimingResolution));
}

void TFormMain::edtAccelFactorChange(TObject*) { SetCatapultAccelFactor(EditFloat(edtAccelFactor)); }

void TFormMain::edtDecelFactorChange(TObject*) {
    SetCableCatchAccelFactor(EditFloat(edtDecelFactor));
}

void TFormMain::lblWhenTrappingAnywhereClick(TObject*) {
    chkbxLateralOffsetTrapAnywhere.SetChecked(!chkbxLateralOffsetTrapAnywhere.Checked());
}

}  // namespace hf
