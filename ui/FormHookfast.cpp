#include "ui/FormHookfast.h"

#include <clocale>

#include "deck/Geometry.h"
#include "deck/SettingsFile.h"
#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "link/SimLink.h"
#include "ui/ToolbarForm.h"

namespace hf {

namespace {

// The key labels as the window was designed: English with the Shift+Ctrl prefix, in every
// edition, until the key-combination choice writes them.
struct DesignKeyLabel {
    TLabel TFormMain::*Label;
    std::string_view Text;
};
constexpr std::array<DesignKeyLabel, 11> DesignKeyLabels = {{
    {&TFormMain::lblStatusKey, "SHIFT+CTRL+F8   Show Status Message"},
    {&TFormMain::lblCatapultKey, "SHIFT+CTRL+F9   Arm/Disarm Catapult"},
    {&TFormMain::lblFuelLoadKey, "SHIFT+CTRL+F5   Fuel LOAD On/Off"},
    {&TFormMain::lblFuelOffloadKey, "SHIFT+CTRL+F6   Fuel OFFload On/Off"},
    {&TFormMain::lblFuelTransferRateKey, "SHIFT+CTRL+F7   Toggle Transfer Rate"},
    {&TFormMain::lblManualOverrideKey, "SHIFT+CTRL+F12   Program Disable/Enable"},
    {&TFormMain::lblResetKey, "SHIFT+CTRL+F11   Reset Program"},
    {&TFormMain::lblBattleDamage1Key, "SHIFT+CTRL+F1   Battle Damage Level 1"},
    {&TFormMain::lblBattleDamage2Key, "SHIFT+CTRL+F2   Battle Damage Level 2"},
    {&TFormMain::lblBattleDamage3Key, "SHIFT+CTRL+F3   Battle Damage Level 3"},
    {&TFormMain::lblToggleTrapOnLandingAnywhere, "SHIFT+CTRL+F10   Toggle Trap On Landing Anywhere"},
}};

// The numbers attached to the transfer rates: gallons per second times a full tank's level.
constexpr std::uint32_t Rate500Object = 69905067;
constexpr std::uint32_t Rate1200Object = 167772160;

void SetHintToCaption(TControl& control, std::string_view caption) {
    control.SetHint(caption);
    control.SetShowHint(true);
}

// Opens a sound once per process: a player that has a file name keeps it; a file that is
// missing now is looked for again at the next reset. True when the file is there but the
// device cannot be handed its path (the folder's name is the cause).
bool OpenSoundOnce(HostServices& host, TMediaPlayer& player, const std::string& path) {
    if (!player.FileName().empty() || !host.FileExists(path)) return false;
    player.SetFileName(path);
    try {
        player.Open();
    } catch (const UnreachablePath&) {
        player.SetFileName({});
        return true;
    } catch (const std::exception&) {
        player.SetFileName({});
    }
    return false;
}

}  // namespace

std::string ExtractFilePath(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

TFormMain::TFormMain(HostServices& host, TimerDriver& timers, View& view)
    : TForm("FormMain", nullptr),
      lstboxDatFiles(*this, nullptr, "lstboxDatFiles", host),
      mplyrCatchSound("mplyrCatchSound", host),
      mplyrCatapultSound("mplyrCatapultSound", host),
      mplyrBattleDamage("mplyrBattleDamage", host),
      mplyrOpsSounds("mplyrOpsSounds", host),
      tmrCheckForCatch(timers, "tmrCheckForCatch", 50, false),
      tmrFindNearest(timers, "tmrFindNearest", 15000, false),
      tmrIsCatchCheckNeeded(timers, "tmrIsCatchCheckNeeded", 1000, true),
      tmrDecel(timers, "tmrDecel", 10, false),
      tmrAccel(timers, "tmrAccel", 5, false),
      tmrKeystroke(timers, "tmrKeystroke", 250, false),
      tmrLaunchCheck(timers, "tmrLaunchCheck", 7, false),
      tmrAutoCatArmCheck(timers, "tmrAutoCatArmCheck", 1000, true),
      tmrFuelOps(timers, "tmrFuelOps", 1000, true),
      host_(host),
      view_(view) {
    DesignLayout();
    ConnectEvents();
    // Each new operation may try a simulator that stopped answering once more.
    Operation::SetOnBegin([] { LinkFreshAttempt(); });
}

TFormMain::~TFormMain() { Operation::SetOnBegin({}); }

void TFormMain::DesignLayout() {
    SetCaption("Hookfast");
    SetClientSize(498, 406);
    SetLeft(300);
    SetTop(200);

    actManualOverride.SetCaption(rs::ActManualOverride);
    actShowStatus.SetCaption(rs::ActShowStatus);
    actCatapultArm.SetCaption(rs::ActCatapultArm);
    actFuelLoad.SetCaption(rs::ActFuelLoad);
    actFuelOFFload.SetCaption(rs::ActFuelOffload);
    actFuelRateToggle.SetCaption(rs::ActFuelRateToggle);
    actBattleDamage1.SetCaption(rs::ActBattleDamage1);
    actBattleDamage2.SetCaption(rs::ActBattleDamage2);
    actBattleDamage3.SetCaption(rs::ActBattleDamage3);
    for (TAction* action : {&actManualOverride, &actShowStatus, &actCatapultArm, &actFuelLoad,
                            &actFuelOFFload, &actFuelRateToggle, &actBattleDamage1,
                            &actBattleDamage2, &actBattleDamage3}) {
        action->SetHint(action->Caption());
    }

    // Placed so that every edition's texts show whole: the status labels have two lines,
    // the tab sheets' columns leave room for the widest translation.
    btnReset.SetBounds(4, 3, 490, 23);
    btnReset.SetAction(&actResetProgram);
    lblConnectionInfo.SetAutoSize(false);
    lblConnectionInfo.SetWordWrap(true);
    lblConnectionInfo.SetBounds(6, 28, 486, 26);
    lblOtherStatus.SetAutoSize(false);
    lblOtherStatus.SetWordWrap(true);
    lblOtherStatus.SetBounds(6, 54, 486, 26);
    btnToolbar.SetBounds(4, 82, 140, 23);
    btnToolbar.SetCaption("Vertical Toolbar");
    chkbxShowDisableReminders.SetBounds(156, 85, 300, 17);
    chkbxShowDisableReminders.SetCaption("Show \"Disabled\" Reminders");
    btnManualDisable.SetBounds(4, 107, 490, 23);
    btnManualDisable.SetGroupIndex(1);
    btnManualDisable.SetAllowAllUp(true);
    btnManualDisable.SetAction(&actManualOverride);
    pgMain.SetBounds(4, 133, 490, 245);
    pgMain.SetMultiLine(true);
    cmbDatFile.SetBounds(4, 381, 490, 21);
    cmbDatFile.SetDropDownCount(15);
    lstboxDatFiles.SetMask(std::string(DatFileMask));

    // Tab sheets: their controls are placed relative to the sheet.
    tabFlightStatus.SetCursor(TCursor::Cross);
    tabParameters.SetCursor(TCursor::HandPoint);
    for (TTabSheet* sheet : {&tabFlightStatus, &tbsFueling, &tabParameters, &tbsKeyStrokes}) {
        sheet->SetBounds(0, 0, 482, 216);
    }

    const auto place = [](TLabel& label, int left, int top) {
        label.SetBounds(left, top, label.Width(), 13);
    };
    // A label of fixed size whose text wraps onto a second line when it needs one.
    const auto box = [](TLabel& label, int left, int top, int width) {
        label.SetAutoSize(false);
        label.SetWordWrap(true);
        label.SetBounds(left, top, width, 26);
    };
    place(lblCurrentMagVar, 8, 8);
    place(lblNumOfCarriersLoaded, 8, 26);
    place(lblCableCatchStatus, 8, 44);
    lblFlightStatusLabel.SetCaption("Flight status:");
    place(lblFlightStatusLabel, 8, 70);
    place(lblFlightStatus, 140, 70);
    lblCatArmStatusLabel.SetCaption("Cat Arm status:");
    place(lblCatArmStatusLabel, 8, 90);
    place(lblCatArmStatus, 140, 90);
    lblCatchCheckStatusLabel.SetCaption("Cable-catch checking:");
    place(lblCatchCheckStatusLabel, 8, 110);
    place(lblActivelyCheckingStatus, 140, 110);
    box(lblNearestCarrier, 8, 136, 466);
    lblTailhookStateLabel.SetCaption("Tailhook status:");
    place(lblTailhookStateLabel, 8, 172);
    place(lblTailhookState, 140, 172);

    rdgrpFuelTransferRate.SetBounds(8, 8, 240, 72);
    rdgrpFuelTransferRate.SetCaption(" Transfer Rate ");
    place(lblFuelTransferStatus, 8, 96);

    struct Spin {
        TLabel& Caption;
        std::string_view Text;
        TEdit& Edit;
        TUpDown& UpDown;
        int Min, Max, Step, Position, Top;
    };
    const std::array<Spin, 5> spins = {{
        {lblCutoff, "Catapult cutoff (knots):", edtCatapultCutoff, updwnCatapultCutoff, 60, 180,
         10, 120, 4},
        {lblCatHoldFactor, "Cat Hold Factor:", edtCatapultHoldFactor, updwnCatapultHoldFactor,
         50, 200, 5, 50, 27},
        {lblAccelFactor, "Accel Factor:", edtAccelFactor, updwnAccelFactor, 350, 1500, 50, 700,
         50},
        {lblDecelFactor, "Decel Factor:", edtDecelFactor, updwnDecelFactor, -100, -1500, 50,
         -700, 73},
        {lblTimingResolution, "Timing granularity:", edtTimingResolution, updwnTimingResolution,
         1, 20, 1, 1, 112},
    }};
    for (const Spin& spin : spins) {
        spin.Caption.SetCaption(spin.Text);
        place(spin.Caption, 6, spin.Top + 4);
        spin.Edit.SetBounds(148, spin.Top, 44, 21);
        spin.UpDown.SetBounds(192, spin.Top, 16, 21);
        spin.UpDown.SetRange(spin.Min, spin.Max);
        spin.UpDown.SetIncrement(spin.Step);
        spin.UpDown.SetAssociate(&spin.Edit);
        spin.UpDown.SetPosition(spin.Position);
    }
    lblCutoff.SetShowHint(true);
    lblTimingExcludes.SetCaption("Accel/Decel");
    place(lblTimingExcludes, 6, 99);
    // Across the whole sheet, below both columns: room for the longest caption.
    rdgrpCtrlKeys.SetBounds(6, 178, 470, 34);
    rdgrpCtrlKeys.SetColumns(2);
    rdgrpCtrlKeys.SetCaption("  Special Key Combo for all Keystrokes:  ");

    struct Box {
        TCheckBox& Control;
        std::string_view Text;
        int Lines;
    };
    const std::array<Box, 9> boxes = {{
        {chkbxAutoCatArming, "Automatic Catapult Arming", 1},
        {chkbxShowCatArmMsgs, "Show Cat Arm/Disarm Messages", 1},
        {chkbxCatSmoke, "Use Aircraft Smoke when Catapulting", 1},
        {chkbxShowCablesActiveMsg, "Show \"Trapping Active\" Message", 1},
        {chkbxDetectTailhook, "Detect Traps only if Tailhook is extended", 2},
        {chkbxDamageSounds, "Play Battle Damage sounds", 1},
        {chkbxOpsSounds, "Play Ops sounds", 1},
        {chkbxSpecialSoundHandling, "Special sound handling", 1},
        {chkbxLateralOffsetTrapAnywhere, "Add Lateral Velocity", 1},
    }};
    int top = 4;
    for (const Box& option : boxes) {
        const int height = option.Lines == 1 ? 16 : 28;
        option.Control.SetCaption(option.Text);
        option.Control.SetBounds(216, top, 260, height);
        top += height;
    }
    // The second line of the last box's caption, where the box's own text begins.
    lblWhenTrappingAnywhere.SetCaption("when Trapping Anywhere");
    place(lblWhenTrappingAnywhere, 232, top);

    for (const DesignKeyLabel& key : DesignKeyLabels) {
        TLabel& label = this->*key.Label;
        label.SetFontColor(clNavy);
        label.SetCaption(key.Text);
    }
    // Two columns of key groups; a label that its column cannot hold on one line wraps.
    box(lblStatusKey, 8, 8, 228);
    box(lblCatapultKey, 8, 38, 228);
    box(lblFuelLoadKey, 8, 78, 228);
    box(lblFuelOffloadKey, 8, 108, 228);
    box(lblFuelTransferRateKey, 8, 138, 228);
    box(lblManualOverrideKey, 246, 8, 228);
    box(lblResetKey, 246, 38, 228);
    box(lblBattleDamage1Key, 246, 78, 228);
    box(lblBattleDamage2Key, 246, 108, 228);
    box(lblBattleDamage3Key, 246, 138, 228);
    lblToggleTrapOnLandingAnywhere.SetAutoSize(false);
    lblToggleTrapOnLandingAnywhere.SetAlignment(TAlignment::Center);
    lblToggleTrapOnLandingAnywhere.SetBounds(8, 180, 466, 13);
}

void TFormMain::ConnectEvents() {
    const auto event = [this](std::string_view name, void (TFormMain::*method)(TObject*)) {
        return TNotifyEvent{name, [this, method](TObject* sender) { (this->*method)(sender); }};
    };
    actResetProgram.OnExecute = event("actResetProgramExecute", &TFormMain::actResetProgramExecute);
    actManualOverride.OnExecute =
        event("actManualOverrideExecute", &TFormMain::actManualOverrideExecute);
    actShowStatus.OnExecute = event("actShowStatusExecute", &TFormMain::actShowStatusExecute);
    actCatapultArm.OnExecute = event("actCatapultArmExecute", &TFormMain::actCatapultArmExecute);
    actFuelLoad.OnExecute = event("actFuelLoadExecute", &TFormMain::actFuelLoadExecute);
    actFuelOFFload.OnExecute = event("actFuelOFFloadExecute", &TFormMain::actFuelOFFloadExecute);
    actFuelRateToggle.OnExecute =
        event("actFuelRateToggleExecute", &TFormMain::actFuelRateToggleExecute);
    actBattleDamage1.OnExecute =
        event("actBattleDamage1Execute", &TFormMain::actBattleDamage1Execute);
    actBattleDamage2.OnExecute =
        event("actBattleDamage2Execute", &TFormMain::actBattleDamage2Execute);
    actBattleDamage3.OnExecute =
        event("actBattleDamage3Execute", &TFormMain::actBattleDamage3Execute);

    btnToolbar.OnClick = event("btnToolbarClick", &TFormMain::btnToolbarClick);
    cmbDatFile.OnChange = event("cmbDatFileChange", &TFormMain::cmbDatFileChange);
    rdgrpCtrlKeys.OnClick = event("rdgrpCtrlKeysClick", &TFormMain::rdgrpCtrlKeysClick);
    chkbxAutoCatArming.OnClick =
        event("chkbxAutoCatArmingClick", &TFormMain::chkbxAutoCatArmingClick);
    edtCatapultCutoff.OnChange =
        event("edtCatapultCutoffChange", &TFormMain::edtCatapultCutoffChange);
    edtCatapultHoldFactor.OnChange =
        event("edtCatapultHoldFactorChange", &TFormMain::edtCatapultHoldFactorChange);
    edtTimingResolution.OnChange =
        event("edtTimingResolutionChange", &TFormMain::edtTimingResolutionChange);
    edtAccelFactor.OnChange = event("edtAccelFactorChange", &TFormMain::edtAccelFactorChange);
    edtDecelFactor.OnChange = event("edtDecelFactorChange", &TFormMain::edtDecelFactorChange);
    lblWhenTrappingAnywhere.OnClick =
        event("lblWhenTrappingAnywhereClick", &TFormMain::lblWhenTrappingAnywhereClick);

    tmrCheckForCatch.SetOnTimer(event("tmrCheckForCatchTimer", &TFormMain::tmrCheckForCatchTimer));
    tmrFindNearest.SetOnTimer(event("tmrFindNearestTimer", &TFormMain::tmrFindNearestTimer));
    InstallNormalHandlerPair();
    tmrAccel.SetOnTimer(event("tmrAccelTimer", &TFormMain::tmrAccelTimer));
    tmrKeystroke.SetOnTimer(event("tmrKeystrokeTimer", &TFormMain::tmrKeystrokeTimer));
    tmrLaunchCheck.SetOnTimer(event("tmrLaunchCheckTimer", &TFormMain::tmrLaunchCheckTimer));
    tmrAutoCatArmCheck.SetOnTimer(
        event("tmrAutoCatArmCheckTimer", &TFormMain::tmrAutoCatArmCheckTimer));
    tmrFuelOps.SetOnTimer(event("tmrFuelOpsTimer", &TFormMain::tmrFuelOpsTimer));
}

void TFormMain::InstallNormalHandlerPair() {
    InstalledHandlerPair = HandlerPair::Normal;
    tmrIsCatchCheckNeeded.SetOnTimer(
        {"tmrIsCatchCheckNeededForNormalTrappingTimer",
         [this](TObject* sender) { tmrIsCatchCheckNeededForNormalTrappingTimer(sender); }});
    tmrDecel.SetOnTimer({"tmrDecelTimer", [this](TObject* sender) { tmrDecelTimer(sender); }});
}

void TFormMain::InstallTrapAnywhereHandlerPair() {
    InstalledHandlerPair = HandlerPair::TrapAnywhere;
    tmrIsCatchCheckNeeded.SetOnTimer(
        {"tmrIsCatchCheckNeededForForcedTrappingTimer",
         [this](TObject* sender) { tmrIsCatchCheckNeededForForcedTrappingTimer(sender); }});
    tmrDecel.SetOnTimer({"tmrMovingCarrierDecelTimer",
                         [this](TObject* sender) { tmrMovingCarrierDecelTimer(sender); }});
}

void TFormMain::Create() {
    view_.Attach(*this);
    // The first start is an operation of its own: the handlers it runs from code belong to it.
    const Operation::Hold start(true);
    FormCreate(this);
}

void TFormMain::Close() {
    if (closed_) return;
    // Closing ends the program even when the stop raises an error: the error is reported
    // by the caller and the window still goes.
    closed_ = true;
    // The close tries no simulator that has stopped answering: after a hang it sends
    // nothing and ends at once. The handlers it runs from code belong to it.
    LinkNoFreshAttempt();
    const Operation::Hold close(false);
    FormClose(this);
}

void TFormMain::FormCreate(TObject*) {
    pgMain.SetActivePage(&tabFlightStatus);
    SetCaptions();
    lblActivelyCheckingStatus.SetLeft(lblCatchCheckStatusLabel.Left() +
                                      lblCatchCheckStatusLabel.Width() + 9);
    frmToolbar = std::make_unique<TfrmToolbar>(*this);
    view_.Attach(*frmToolbar);
    frmToolbar->FormCreate(frmToolbar.get());
    KeyComboBase = 0;
    // A path by the folder's real name (UTF-8), whatever letters the code page has.
    ProgramFolder = ExtractFilePath(host_.ProgramFilePath());
    AnnouncedCarrierIdent.clear();
    for (std::size_t j = 0; j < EngineBitMask.size(); ++j) {
        EngineBitMask[j] = static_cast<float>(1u << j);
    }
    StartOperations(true);
}

void TFormMain::SetCaptions() {
    SetCaption(rs::WindowTitle);
    btnToolbar.SetCaption(rs::VerticalToolbar);
    chkbxShowDisableReminders.SetCaption(rs::ShowDisabledReminders);
    SetHintToCaption(chkbxShowDisableReminders, rs::ShowDisabledReminders);
    actResetProgram.SetCaption(rs::ResetProgramAndConnection);
    tabFlightStatus.SetCaption(rs::TabFlightStatus);
    tbsFueling.SetCaption(rs::TabFuelTransfers);
    tabParameters.SetCaption(rs::TabOptions);
    tbsKeyStrokes.SetCaption(rs::TabKeystrokes);
    lblFlightStatusLabel.SetCaption(rs::FlightStatusCaption);
    lblCatArmStatusLabel.SetCaption(rs::CatArmStatusCaption);
    lblTailhookStateLabel.SetCaption(rs::TailhookStatusCaption);
    lblCatchCheckStatusLabel.SetCaption(rs::CatchCheckingCaption);
    rdgrpFuelTransferRate.SetCaption(rs::TransferRateCaption);
    SetHintToCaption(rdgrpFuelTransferRate, rs::TransferRateCaption);
    lblCutoff.SetCaption(rs::CatapultCutoffCaption);
    lblCutoff.SetHint(rs::CatapultCutoffCaption);

    const auto captionAndHint = [](auto& control, std::string_view text) {
        control.SetCaption(text);
        SetHintToCaption(control, text);
    };
    captionAndHint(lblCatHoldFactor, rs::CatHoldFactorCaption);
    captionAndHint(lblAccelFactor, rs::AccelFactorCaption);
    captionAndHint(lblDecelFactor, rs::DecelFactorCaption);
    captionAndHint(lblTimingExcludes, rs::AccelDecelCaption);
    captionAndHint(lblTimingResolution, rs::TimingGranularityCaption);
    captionAndHint(chkbxShowCablesActiveMsg, rs::ShowTrappingActiveMsg);
    captionAndHint(chkbxDamageSounds, rs::DamageSounds);
    captionAndHint(chkbxOpsSounds, rs::OpsSounds);
    captionAndHint(chkbxCatSmoke, rs::CatSmoke);
    captionAndHint(chkbxSpecialSoundHandling, rs::SpecialSoundHandling);
    captionAndHint(chkbxDetectTailhook, rs::DetectTailhook);
    captionAndHint(chkbxAutoCatArming, rs::AutoCatArming);
    captionAndHint(chkbxShowCatArmMsgs, rs::ShowCatArmMsgs);
    captionAndHint(chkbxLateralOffsetTrapAnywhere, rs::AddLateralVelocity);
    captionAndHint(lblWhenTrappingAnywhere, rs::WhenTrappingAnywhere);
    captionAndHint(rdgrpCtrlKeys, rs::KeyComboCaption);

    rdgrpCtrlKeys.ClearItems();
    rdgrpCtrlKeys.AddItem(rs::KeyComboShift);
    rdgrpCtrlKeys.AddItem(rs::KeyComboShiftCtrl);
    rdgrpFuelTransferRate.ClearItems();
    rdgrpFuelTransferRate.AddItem(rs::Rate500, Rate500Object);
    rdgrpFuelTransferRate.AddItem(rs::Rate1200, Rate1200Object);
}

void TFormMain::StartOperations(bool initial) {
    ResetProgramState(initial);
    if (!ConnectToSimulator()) return;
    try {
        if (!InitCatchZoneList()) return;
        if (!FillDatFileList()) return;
        if (!LoadSettings()) return;
        if (!LoadCatchZones()) return;
        // The settings load registers the keys when the key choice changes or the window is
        // visible; otherwise they are registered here, never twice over held slots.
        if (!HotKeysRegistered) RegisterHotKeys();
        cmbDatFile.SetEnabled(true);
        btnManualDisable.SetEnabled(true);
        btnManualDisable.SetDown(false);
        frmToolbar->btnManualOverride.SetDown(false);
        pgMain.SetEnabled(true);
        tmrFindNearestTimer(&tmrFindNearest);
    } catch (const std::exception& error) {
        lblConnectionInfo.SetCaption(std::string(rs::ConnectedBut) + error.what());
    }
}

void TFormMain::ResetProgramState(bool initial) {
    host_.Randomize();
    InstallNormalHandlerPair();
    TrapAnywhereArmed = false;
    FuelLoadActive = false;
    FuelOffloadActive = false;
    TankCapacity.fill(0);
    SpecialSoundOnValue = 1;
    SpecialSoundOffValue = 0;
    LastArrestEndTime = 0;
    // Numbers are formatted and parsed with a point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    lstboxDatFiles.SetDirectory(ProgramFolder);
    HotKeyCounter = 0;
    btnManualDisable.SetCaption(rs::ManualOverrideDisable);
    for (TLabel* label : {&lblFuelTransferStatus, &lblNearestCarrier, &lblNumOfCarriersLoaded,
                          &lblCurrentMagVar, &lblActivelyCheckingStatus, &lblFlightStatus,
                          &lblCatArmStatus, &lblTailhookState, &lblCableCatchStatus}) {
        label->SetCaption({});
    }
    cmbDatFile.SetEnabled(false);
    pgMain.SetEnabled(false);
    btnManualDisable.SetEnabled(false);
    btnManualDisable.SetDown(false);
    frmToolbar->btnManualOverride.SetDown(false);
    NearestZoneIndex = -1;
    MagVar = 0;
    NearestZoneDistance = 0;

    const std::string catchPath = ProgramFolder + std::string(CatchSoundFile);
    const std::string catapultPath = ProgramFolder + std::string(CatapultSoundFile);
    const bool catchUnreachable = OpenSoundOnce(host_, mplyrCatchSound, catchPath);
    const bool catapultUnreachable = OpenSoundOnce(host_, mplyrCatapultSound, catapultPath);
    lblOtherStatus.SetCaption({});
    std::string soundStatus;
    // A file that is there but out of the device's reach names the folder as the cause
    // rather than being "not found".
    const auto missing = [this](const std::string& path, bool unreachable) {
        std::string text("   (");
        text.append(host_.ShownPath(path)).append(" ");
        text.append(unreachable ? rs::NotOpenableInFolder : rs::NotFound).append(")");
        return text;
    };
    if (mplyrCatchSound.FileName().empty()) soundStatus = missing(catchPath, catchUnreachable);
    if (mplyrCatapultSound.FileName().empty()) soundStatus += missing(catapultPath, catapultUnreachable);
    lblOtherStatus.SetCaption(soundStatus.empty() ? rs::SoundFilesFound : std::string_view(soundStatus));

    InsideAngleLimit = hf::InsideAngleLimit;
    CatapultSoundPlayed = false;
    if (initial) {
        SetCatapultSpeedCutoff(120);
        SetCableCatchAccelFactor(-700.0);
        SetCatapultAccelFactor(700.0);
        SetTimingResolutionFactor(1);
    }
}

void TFormMain::StopOperations() {
    if (const std::exception_ptr saveError = StopOperationsHoldingSaveError()) {
        std::rethrow_exception(saveError);
    }
}

std::exception_ptr TFormMain::StopOperationsHoldingSaveError() {
    tmrKeystroke.SetEnabled(false);
    tmrLaunchCheck.SetEnabled(false);
    lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
    tmrAccel.SetEnabled(false);
    tmrDecel.SetEnabled(false);
    tmrCheckForCatch.SetEnabled(false);
    lblCableCatchStatus.SetCaption({});
    tmrIsCatchCheckNeeded.SetEnabled(false);
    tmrFindNearest.SetEnabled(false);
    ReleaseHotKeys();
    // A settings file that cannot be written leaves no half-stopped program: the zones go
    // and the link closes all the same.
    std::exception_ptr saveError;
    try {
        SaveSettings();
    } catch (const SettingsWriteError&) {
        saveError = std::current_exception();
    }
    CatchZones.reset();
    LinkClose();
    return saveError;
}

void TFormMain::FormClose(TObject*) {
    ShowSimMessage(rs::HookfastDeactivated, 8);
    StopOperations();
}

void TFormMain::actResetProgramExecute(TObject*) {
    host_.SetHourglassCursor(true);
    // The default cursor comes back however the reset ends; an error travels on.
    struct RestoreCursor {
        HostServices& host;
        ~RestoreCursor() { host.SetHourglassCursor(false); }
    } restore{host_};
    ShowSimMessage(rs::DisabledWhileResetting, 3);
    // A settings file that cannot be written does not keep the program stopped: the start
    // runs, then the error is reported.
    const std::exception_ptr saveError = StopOperationsHoldingSaveError();
    StartOperations(false);
    if (saveError) std::rethrow_exception(saveError);
}

void TFormMain::btnToolbarClick(TObject*) {
    frmToolbar->Show();
    Hide();
}

}  // namespace hf
