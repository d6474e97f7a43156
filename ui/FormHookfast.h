// The main window TFormMain (unit FormHookfast): every control, the nine timers and all run
// state of the program. Start-up, reset and shutdown live in ui/; the operations of the
// deck (zones, settings, trapping, catapult, fuel, damage, hot keys) are members defined in
// the deck/ file of their family.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "deck/CatchZone.h"
#include "host/HostServices.h"
#include "ui/Controls.h"
#include "ui/FileListBox.h"
#include "ui/Form.h"
#include "ui/MediaPlayer.h"
#include "ui/View.h"

namespace hf {

class Profile;
class TfrmToolbar;

// Texts that are the same in every edition.
inline constexpr std::string_view ApplicationTitle = "Hookfast 2.6 Freeware";
inline constexpr std::string_view CatchSoundFile = "CableCatch.wav";
inline constexpr std::string_view CatapultSoundFile = "Catapult.wav";
inline constexpr std::string_view DatFileMask = "*.dat";

// The folder part of a full path, with its trailing delimiter ("\" or "/").
std::string ExtractFilePath(const std::string& path);

class TFormMain : public TForm {
public:
    TFormMain(HostServices& host, TimerDriver& timers, View& view);
    ~TFormMain() override;

    // Program entry's "create the main window": the view makes its windows, then
    // FormCreate runs the first start. The window is shown afterwards by the caller.
    void Create();
    // The user closes the window: FormClose runs; the program ends afterwards.
    void Close() override;
    bool Closed() const override { return closed_; }

    HostServices& Host() const { return host_; }

    // --- controls, from top to bottom ------------------------------------------------------
    TAction actResetProgram{"actResetProgram"};
    TAction actManualOverride{"actManualOverride"};
    TAction actShowStatus{"actShowStatus"};
    TAction actCatapultArm{"actCatapultArm"};
    TAction actFuelLoad{"actFuelLoad"};
    TAction actFuelOFFload{"actFuelOFFload"};
    TAction actFuelRateToggle{"actFuelRateToggle"};
    TAction actBattleDamage1{"actBattleDamage1"};
    TAction actBattleDamage2{"actBattleDamage2"};
    TAction actBattleDamage3{"actBattleDamage3"};

    TButton btnReset{*this, nullptr, "btnReset"};
    TLabel lblConnectionInfo{*this, nullptr, "lblConnectionInfo"};
    TLabel lblOtherStatus{*this, nullptr, "lblOtherStatus"};
    TButton btnToolbar{*this, nullptr, "btnToolbar"};
    TCheckBox chkbxShowDisableReminders{*this, nullptr, "chkbxShowDisableReminders"};
    TSpeedButton btnManualDisable{*this, nullptr, "btnManualDisable"};
    TPageControl pgMain{*this, nullptr, "pgMain"};

    TTabSheet tabFlightStatus{*this, pgMain, "tabFlightStatus"};
    TLabel lblCurrentMagVar{*this, &tabFlightStatus, "lblCurrentMagVar"};
    TLabel lblNumOfCarriersLoaded{*this, &tabFlightStatus, "lblNumOfCarriersLoaded"};
    TLabel lblCableCatchStatus{*this, &tabFlightStatus, "lblCableCatchStatus"};
    TLabel lblFlightStatusLabel{*this, &tabFlightStatus, "lblFlightStatusLabel"};
    TLabel lblFlightStatus{*this, &tabFlightStatus, "lblFlightStatus"};
    TLabel lblCatArmStatusLabel{*this, &tabFlightStatus, "lblCatArmStatusLabel"};
    TLabel lblCatArmStatus{*this, &tabFlightStatus, "lblCatArmStatus"};
    TLabel lblCatchCheckStatusLabel{*this, &tabFlightStatus, "lblCatchCheckStatusLabel"};
    TLabel lblActivelyCheckingStatus{*this, &tabFlightStatus, "lblActivelyCheckingStatus"};
    TLabel lblNearestCarrier{*this, &tabFlightStatus, "lblNearestCarrier"};
    TLabel lblTailhookStateLabel{*this, &tabFlightStatus, "lblTailhookStateLabel"};
    TLabel lblTailhookState{*this, &tabFlightStatus, "lblTailhookState"};

    TTabSheet tbsFueling{*this, pgMain, "tbsFueling"};
    TRadioGroup rdgrpFuelTransferRate{*this, &tbsFueling, "rdgrpFuelTransferRate"};
    TLabel lblFuelTransferStatus{*this, &tbsFueling, "lblFuelTransferStatus"};

    TTabSheet tabParameters{*this, pgMain, "tabParameters"};
    TLabel lblCutoff{*this, &tabParameters, "lblCutoff"};
    TEdit edtCatapultCutoff{*this, &tabParameters, "edtCatapultCutoff"};
    TUpDown updwnCatapultCutoff{*this, &tabParameters, "updwnCatapultCutoff"};
    TLabel lblCatHoldFactor{*this, &tabParameters, "lblCatHoldFactor"};
    TEdit edtCatapultHoldFactor{*this, &tabParameters, "edtCatapultHoldFactor"};
    TUpDown updwnCatapultHoldFactor{*this, &tabParameters, "updwnCatapultHoldFactor"};
    TLabel lblAccelFactor{*this, &tabParameters, "lblAccelFactor"};
    TEdit edtAccelFactor{*this, &tabParameters, "edtAccelFactor"};
    TUpDown updwnAccelFactor{*this, &tabParameters, "updwnAccelFactor"};
    TLabel lblDecelFactor{*this, &tabParameters, "lblDecelFactor"};
    TEdit edtDecelFactor{*this, &tabParameters, "edtDecelFactor"};
    TUpDown updwnDecelFactor{*this, &tabParameters, "updwnDecelFactor"};
    TLabel lblTimingExcludes{*this, &tabParameters, "lblTimingExcludes"};
    TLabel lblTimingResolution{*this, &tabParameters, "lblTimingResolution"};
    TEdit edtTimingResolution{*this, &tabParameters, "edtTimingResolution"};
    TUpDown updwnTimingResolution{*this, &tabParameters, "updwnTimingResolution"};
    TRadioGroup rdgrpCtrlKeys{*this, &tabParameters, "rdgrpCtrlKeys"};
    TCheckBox chkbxAutoCatArming{*this, &tabParameters, "chkbxAutoCatArming"};
    TCheckBox chkbxShowCatArmMsgs{*this, &tabParameters, "chkbxShowCatArmMsgs"};
    TCheckBox chkbxCatSmoke{*this, &tabParameters, "chkbxCatSmoke"};
    TCheckBox chkbxShowCablesActiveMsg{*this, &tabParameters, "chkbxShowCablesActiveMsg"};
    TCheckBox chkbxDetectTailhook{*this, &tabParameters, "chkbxDetectTailhook"};
    TCheckBox chkbxDamageSounds{*this, &tabParameters, "chkbxDamageSounds"};
    TCheckBox chkbxOpsSounds{*this, &tabParameters, "chkbxOpsSounds"};
    TCheckBox chkbxSpecialSoundHandling{*this, &tabParameters, "chkbxSpecialSoundHandling"};
    TCheckBox chkbxLateralOffsetTrapAnywhere{*this, &tabParameters,
                                             "chkbxLateralOffsetTrapAnywhere"};
    TLabel lblWhenTrappingAnywhere{*this, &tabParameters, "lblWhenTrappingAnywhere"};

    TTabSheet tbsKeyStrokes{*this, pgMain, "tbsKeyStrokes"};
    TLabel lblStatusKey{*this, &tbsKeyStrokes, "lblStatusKey"};
    TLabel lblCatapultKey{*this, &tbsKeyStrokes, "lblCatapultKey"};
    TLabel lblFuelLoadKey{*this, &tbsKeyStrokes, "lblFuelLoadKey"};
    TLabel lblFuelOffloadKey{*this, &tbsKeyStrokes, "lblFuelOffloadKey"};
    TLabel lblFuelTransferRateKey{*this, &tbsKeyStrokes, "lblFuelTransferRateKey"};
    TLabel lblManualOverrideKey{*this, &tbsKeyStrokes, "lblManualOverrideKey"};
    TLabel lblResetKey{*this, &tbsKeyStrokes, "lblResetKey"};
    TLabel lblBattleDamage1Key{*this, &tbsKeyStrokes, "lblBattleDamage1Key"};
    TLabel lblBattleDamage2Key{*this, &tbsKeyStrokes, "lblBattleDamage2Key"};
    TLabel lblBattleDamage3Key{*this, &tbsKeyStrokes, "lblBattleDamage3Key"};
    TLabel lblToggleTrapOnLandingAnywhere{*this, &tbsKeyStrokes,
                                          "lblToggleTrapOnLandingAnywhere"};

    TComboBox cmbDatFile{*this, nullptr, "cmbDatFile"};

    // Parts that are never visible.
    TFileListBox lstboxDatFiles;
    TMediaPlayer mplyrCatchSound;
    TMediaPlayer mplyrCatapultSound;
    TMediaPlayer mplyrBattleDamage;
    TMediaPlayer mplyrOpsSounds;

    // --- the nine timers --------------------------------------------------------------------
    TTimer tmrCheckForCatch;
    TTimer tmrFindNearest;
    TTimer tmrIsCatchCheckNeeded;
    TTimer tmrDecel;
    TTimer tmrAccel;
    TTimer tmrKeystroke;
    TTimer tmrLaunchCheck;
    TTimer tmrAutoCatArmCheck;
    TTimer tmrFuelOps;

    // The toolbar window, created hidden by FormCreate.
    std::unique_ptr<TfrmToolbar> frmToolbar;

    // --- run state (in declaration order) ---------------------------------------------------
    std::string ProgramFolder;
    std::unique_ptr<std::vector<TCatchZoneData>> CatchZones;
    double MagVar = 0;
    double NearestZoneDistance = 0;
    double InsideAngleLimit = 0;
    double CatapultSpeedCutoffFps = 0;
    double CableCatchAccel = 0;
    double LateralAccel = 0;
    double CatapultAccel = 0;
    std::int32_t CatapultSpeedCutoff = 0;
    std::int32_t NearestZoneIndex = 0;
    std::int32_t CatapultHoldFactor = 0;
    std::int32_t TimingResolutionFactor = 0;
    bool FuelLoadActive = false;
    bool FuelOffloadActive = false;
    bool CatapultSoundPlayed = false;
    bool TrapAnywhereArmed = false;
    std::string AnnouncedCarrierIdent;
    std::array<std::uint32_t, 6> TankCapacity{};  // tanks 1 to 6 at index 0 to 5
    std::uint32_t ResetKeySlot = 0;
    std::uint32_t StatusKeySlot = 0;
    std::uint32_t FuelLoadKeySlot = 0;
    std::uint32_t FuelOffloadKeySlot = 0;
    std::uint32_t BattleDamage1KeySlot = 0;
    std::uint32_t BattleDamage2KeySlot = 0;
    std::uint32_t BattleDamage3KeySlot = 0;
    std::uint32_t FuelRateKeySlot = 0;
    std::uint32_t CatapultKeySlot = 0;
    std::uint32_t TrapAnywhereKeySlot = 0;
    std::uint32_t ManualOverrideKeySlot = 0;
    std::uint32_t KeyComboBase = 0;
    std::uint8_t HotKeyCounter = 0;
    // When the last arrest ended, on the host's monotonic clock (ms); 0 = none since the reset.
    std::uint64_t LastArrestEndTime = 0;
    std::int16_t SpecialSoundOnValue = 0;
    std::int16_t SpecialSoundOffValue = 0;
    std::array<float, 8> EngineBitMask{};  // engine j at index j - 1
    // The keys hold their slots: set by RegisterHotKeys, cleared by ReleaseHotKeys. A start
    // registers only when its settings load has not done so already.
    bool HotKeysRegistered = false;
    // Slot fields that a release could not give back: the server may have freed them since
    // (a restart) and given them to another add-on, so they are looked at before they go.
    bool HotKeySlotsUnconfirmed = false;

    // --- start-up, reset and shutdown -------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender);
    void StartOperations(bool initial);
    void ResetProgramState(bool initial);
    void StopOperations();
    // StopOperations that hands back the error of a settings file it could not write instead
    // of raising it, so that the caller can finish its own steps first.
    std::exception_ptr StopOperationsHoldingSaveError();
    void actResetProgramExecute(TObject* Sender);
    void SetCaptions();
    void btnToolbarClick(TObject* Sender);

    // The handler pairs of tmrIsCatchCheckNeeded and tmrDecel; installing a pair never
    // switches either timer on or off.
    enum class HandlerPair { Normal, TrapAnywhere };
    void InstallNormalHandlerPair();
    void InstallTrapAnywhereHandlerPair();
    // The pair installed last: which handler tmrDecel runs, so which arrest is braking.
    HandlerPair InstalledHandlerPair = HandlerPair::Normal;

    // --- connection and simulator data ------------------------------------------------------
    bool ConnectToSimulator();
    std::int16_t SupportedSimIndex(std::string_view name) const;
    void ShowSimMessage(std::string_view text, std::int16_t seconds);
    // ShowSimMessage that gives the link's result code.
    std::uint32_t SendSimMessage(std::string_view text, std::int16_t seconds);

    // --- catch zones and the zone file ------------------------------------------------------
    bool InitCatchZoneList();
    bool FillDatFileList();
    bool SelectDefaultDatFile(Profile& settings);
    bool LoadCatchZones();
    void cmbDatFileChange(TObject* Sender);

    // --- nearest zone -----------------------------------------------------------------------
    double FindNearestZone();
    void tmrFindNearestTimer(TObject* Sender);
    // The zone at NearestZoneIndex; none before a search has found one or without a list.
    const TCatchZoneData* NearestZone() const;

    // --- settings and options ---------------------------------------------------------------
    bool LoadSettings();
    void SaveSettings();
    void SetCatapultSpeedCutoff(std::int32_t value);
    void SetCatapultHoldFactor(std::int32_t value);
    void SetTimingResolutionFactor(std::int32_t value);
    void SetCatapultAccelFactor(double value);
    void SetCableCatchAccelFactor(double value);
    void edtCatapultCutoffChange(TObject* Sender);
    void edtCatapultHoldFactorChange(TObject* Sender);
    void edtTimingResolutionChange(TObject* Sender);
    void edtAccelFactorChange(TObject* Sender);
    void edtDecelFactorChange(TObject* Sender);
    void lblWhenTrappingAnywhereClick(TObject* Sender);

    // --- sounds and simulator effects -------------------------------------------------------
    void PlayCatchSound();
    void PlayCatapultSound();
    void SetSmoke(bool on);
    void SetSpecialSound(bool on);
    void PlayApproachOpsSounds();
    void PlayCatSetOpsSounds();
    void PlayCatDisengagedOpsSounds();
    void PlayDamageSound(int index);

    // --- trap gates, trap test, arrest --------------------------------------------------------
    void tmrIsCatchCheckNeededForNormalTrappingTimer(TObject* Sender);
    void tmrIsCatchCheckNeededForForcedTrappingTimer(TObject* Sender);
    void tmrCheckForCatchTimer(TObject* Sender);
    void tmrDecelTimer(TObject* Sender);
    void tmrMovingCarrierDecelTimer(TObject* Sender);
    // Ends a running arrest at once through the end steps of its handler, without braking
    // further (the manual disable, arming the catapult), but leaves LastArrestEndTime as it
    // was: a cut-short arrest starts no wait. Nothing when no arrest runs.
    void EndArrest();
    void CheckTrapAnywhereKey();

    // --- catapult ---------------------------------------------------------------------------
    void actCatapultArmExecute(TObject* Sender);
    void AutoCatArmCheck();
    void ShowCatArmMessage(bool armed);
    // The arming steps that hand the watching over to the armed catapult's watch.
    void SwitchToLaunchWatch();
    void tmrAutoCatArmCheckTimer(TObject* Sender);
    void CheckFlightStatus();
    void chkbxAutoCatArmingClick(TObject* Sender);
    void tmrLaunchCheckTimer(TObject* Sender);
    void tmrAccelTimer(TObject* Sender);
    void DisarmCatapult(bool showMessage);

    // --- fuel transfers ---------------------------------------------------------------------
    void actFuelLoadExecute(TObject* Sender);
    void actFuelOFFloadExecute(TObject* Sender);
    void actFuelRateToggleExecute(TObject* Sender);
    void tmrFuelOpsTimer(TObject* Sender);
    void SetFuelLoadActive(bool active, std::string_view reason);
    void SetFuelOffloadActive(bool active, std::string_view reason);
    std::uint32_t FuelRateForTank(std::uint32_t capacity);
    void FuelLoadStep();
    void FuelOffloadStep();

    // --- battle damage ----------------------------------------------------------------------
    void actBattleDamage1Execute(TObject* Sender);
    void actBattleDamage2Execute(TObject* Sender);
    void actBattleDamage3Execute(TObject* Sender);

    // --- manual override and status line ----------------------------------------------------
    void actManualOverrideExecute(TObject* Sender);
    void actShowStatusExecute(TObject* Sender);

    // --- hot keys ---------------------------------------------------------------------------
    void RegisterHotKeys();
    void ReleaseHotKeys();
    void AllocateHotKeySlot(std::uint32_t keyDefinition, std::uint32_t& slotField);
    // Writes 0 to every recorded slot; a field is cleared only when its release went through.
    void GiveBackHotKeySlots();
    bool AnyHotKeySlotRecorded() const;
    void tmrKeystrokeTimer(TObject* Sender);
    // The checks of the poll, one per key (F10's, CheckTrapAnywhereKey, is the arrest's).
    void CheckBattleDamage1Key();
    void CheckBattleDamage2Key();
    void CheckBattleDamage3Key();
    void CheckFuelLoadKey();
    void CheckFuelOffloadKey();
    void CheckFuelRateKey();
    void CheckShowStatusKey();
    void CheckCatapultArmKey();
    void CheckResetKey();
    void CheckManualOverrideKey();
    bool IsHotKeyPressed(std::uint32_t slotValue) const;
    void rdgrpCtrlKeysClick(TObject* Sender);

private:
    void DesignLayout();
    void ConnectEvents();

    HostServices& host_;
    View& view_;
    bool closed_ = false;
};

}  // namespace hf
