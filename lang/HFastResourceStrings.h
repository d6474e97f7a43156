// The edition's texts (unit HFastResourceStrings): every caption, hint, label text and
// message the program shows, once per language. Each program links exactly one table.
// Texts are Windows-1252 bytes, as the ANSI window functions and the simulator take them;
// blanks at either end belong to the text.
#pragma once

#include <string_view>

namespace hf::rs {

// --- main window: frame, buttons, tabs ---------------------------------------------------
extern const std::string_view WindowTitle;           // "Hookfast v2.6 Freeware for FS2004/X"
extern const std::string_view VerticalToolbar;       // btnToolbar
extern const std::string_view ShowDisabledReminders; // chkbxShowDisableReminders
extern const std::string_view ResetProgramAndConnection;  // actResetProgram, btnReset
extern const std::string_view TabFlightStatus;
extern const std::string_view TabFuelTransfers;
extern const std::string_view TabOptions;
extern const std::string_view TabKeystrokes;
extern const std::string_view ManualOverrideDisable;  // btnManualDisable up
extern const std::string_view PressToReenable;        // btnManualDisable down

// --- flight-status tab -----------------------------------------------------------------
extern const std::string_view FlightStatusCaption;
extern const std::string_view CatArmStatusCaption;
extern const std::string_view TailhookStatusCaption;
extern const std::string_view CatchCheckingCaption;
extern const std::string_view CablesCaught;
extern const std::string_view StatusActive;
extern const std::string_view StatusNotNeeded;
extern const std::string_view StatusLanded;
extern const std::string_view StatusFlying;
extern const std::string_view StatusCrashed;
extern const std::string_view CatapultArmed;         // label and message
extern const std::string_view CatapultDisarmed;      // label and message
extern const std::string_view TailhookDown;
extern const std::string_view TailhookUp;
extern const std::string_view NearestCablesLabel;    // "Nearest cables: "
extern const std::string_view NearestCablesAnnounce; // "Nearest cables: (rwy hdg "
extern const std::string_view RwyHdg;                // "rwy hdg"
extern const std::string_view NearestCablesError;
extern const std::string_view CurrentMagVar;         // "Current Mag Var: "
extern const std::string_view DegUnit;               // " deg"
extern const std::string_view CableZonesCount;       // "# of cable zones: "
extern const std::string_view OutOf;                 // "out of"

// --- fuel tab ----------------------------------------------------------------------------
extern const std::string_view TransferRateCaption;
extern const std::string_view Rate500;
extern const std::string_view Rate1200;

// --- options tab -------------------------------------------------------------------------
extern const std::string_view CatapultCutoffCaption;
extern const std::string_view CatHoldFactorCaption;
extern const std::string_view AccelFactorCaption;
extern const std::string_view DecelFactorCaption;
extern const std::string_view TimingGranularityCaption;
extern const std::string_view AccelDecelCaption;
extern const std::string_view KeyComboCaption;
extern const std::string_view KeyComboShift;
extern const std::string_view KeyComboShiftCtrl;
extern const std::string_view AutoCatArming;
extern const std::string_view ShowCatArmMsgs;
extern const std::string_view CatSmoke;
extern const std::string_view ShowTrappingActiveMsg;
extern const std::string_view DetectTailhook;
extern const std::string_view DamageSounds;
extern const std::string_view OpsSounds;
extern const std::string_view SpecialSoundHandling;
extern const std::string_view AddLateralVelocity;
extern const std::string_view WhenTrappingAnywhere;

// --- keystrokes tab ----------------------------------------------------------------------
extern const std::string_view KeyPrefixShift;        // "SHIFT+"
extern const std::string_view KeyPrefixShiftCtrl;    // "SHIFT+CTRL+"
extern const std::string_view KeyFuelLoad;           // "F5   Fuel LOAD On/Off"
extern const std::string_view KeyFuelOffload;
extern const std::string_view KeyFuelRate;
extern const std::string_view KeyStatus;
extern const std::string_view KeyCatapult;
extern const std::string_view KeyManualOverride;
extern const std::string_view KeyReset;
extern const std::string_view KeyTrapAnywhere;
extern const std::string_view KeyBattleDamage1;
extern const std::string_view KeyBattleDamage2;
extern const std::string_view KeyBattleDamage3;
extern const std::string_view SomeKeys;              // "some keys"
extern const std::string_view NotAvailable;
extern const std::string_view AlreadyAllocated;

// --- actions (captions and hints) and the toolbar --------------------------------------
extern const std::string_view ActManualOverride;     // "Manual Override"
extern const std::string_view ActShowStatus;
extern const std::string_view ActCatapultArm;
extern const std::string_view ActFuelLoad;
extern const std::string_view ActFuelOffload;
extern const std::string_view ActFuelRateToggle;
extern const std::string_view ActBattleDamage1;
extern const std::string_view ActBattleDamage2;
extern const std::string_view ActBattleDamage3;
extern const std::string_view TbReset;               // "Rst "
extern const std::string_view TbManualOverride;      // "MO"
extern const std::string_view TbShowStatus;
extern const std::string_view TbCatapultArm;
extern const std::string_view TbFuelLoad;
extern const std::string_view TbFuelOffload;
extern const std::string_view TbFuelRate;
extern const std::string_view TbBattleDamage1;
extern const std::string_view TbBattleDamage2;
extern const std::string_view TbBattleDamage3;

// --- connection and start-up -------------------------------------------------------------
extern const std::string_view Dashes;                // " -- "
extern const std::string_view IsFsRunning;
extern const std::string_view ConnectionStatus;      // " connection status : "
extern const std::string_view FsuipcVer;             // ",  FSUIPC Ver : "
extern const std::string_view VersionPoint;          // "."
extern const std::string_view OnlyFs2004X;
extern const std::string_view OnlyFsuipc283;
extern const std::string_view ConnectedBut;          // "Connection to FSUIPC OK, but..."
extern const std::string_view NoDatFiles;            // ConnectedBut + "No .dat files found."
extern const std::string_view HookfastDatNotFound;
// The folder listing could not read the program's folder; its path follows.
extern const std::string_view FolderUnreadable;      // ConnectedBut + "cannot read the folder "
// Zone files are there, but none has a name that the system's code page can write and a
// short name to stand in for it.
extern const std::string_view DatNamesUnshown;
extern const std::string_view ProblemIni;
extern const std::string_view NoValidZones;
extern const std::string_view DatLoadException;      // "Exception occurred during .dat file load.  Program halted."
extern const std::string_view NotFound;              // "not found"
// In place of NotFound for a sound file that is there but that the sound device cannot be
// given under the folder's name.
extern const std::string_view NotOpenableInFolder;   // "cannot be opened under this folder name"
extern const std::string_view SoundFilesFound;
extern const std::string_view CatchSoundPlayed;
extern const std::string_view CatapultSoundPlayed;

// --- load-failure log --------------------------------------------------------------------
extern const std::string_view LogHeader;             // "HFast .dat load failure log for file : "
extern const std::string_view LogRunResetTime;       // "Run/Reset time: "
extern const std::string_view LogFailedZone;         // "  -- Failed to load Zone #"
extern const std::string_view LogTrailer1;
extern const std::string_view LogTrailer2;

// --- errors ------------------------------------------------------------------------------
extern const std::string_view UnableToWrite;         // "Unable to write to %s"
extern const std::string_view CannotCreateFile;      // "Cannot create file \"%s\"" (the load-failure log)
extern const std::string_view NotValidInteger;       // "'%s' is not a valid integer value"
extern const std::string_view NotValidFloat;         // "'%s' is not a valid floating point value"

// --- simulator messages ------------------------------------------------------------------
extern const std::string_view HookfastEnabled;
extern const std::string_view HookfastDeactivated;
extern const std::string_view DisabledWhileResetting;
extern const std::string_view ManuallyDisabled;      // "HFast has been manually disabled"
extern const std::string_view TrappingActive;
extern const std::string_view SecondsUntilCables;    // "seconds until cables are ready"
extern const std::string_view MovingCarrierTooClose;
extern const std::string_view CatNotArmed;           // "Catapult NOT armed -- "
extern const std::string_view CatNotArmedTooFar;
extern const std::string_view CatNotAvailable;
extern const std::string_view WontWorkHelicopters;
extern const std::string_view WontWorkTaildraggers;
extern const std::string_view NotLandedState;
extern const std::string_view CheckGear;
extern const std::string_view ParkingBrakeNotSet;
extern const std::string_view SlewMode;
extern const std::string_view NotStationary;
extern const std::string_view FuelLoadNotAvailable;
extern const std::string_view FuelOffloadNotAvailable;
extern const std::string_view FuelRateNotAvailable;
extern const std::string_view FuelLoadStarted;       // "Fuel Load started: "
extern const std::string_view FuelOffloadStarted;
extern const std::string_view FuelLoadTerminated;
extern const std::string_view FuelOffloadTerminated;
extern const std::string_view FuelOffloadInProgress; // "... -- load request ignored"
extern const std::string_view FuelLoadInProgress;    // "... -- OffLoad request ignored"
extern const std::string_view FuelLoadBelow5000;     // "Fuel load not allowed below 5000' AGL"
extern const std::string_view ReasonBelow5000;       // " (not allowed below 5000' AGL)"
extern const std::string_view ReasonTanksFull;
extern const std::string_view ReasonBelow10;
extern const std::string_view FuelRateNowSet;        // "Fuel transfer rate now set to "
extern const std::string_view Loading;               // "LOADING @ "
extern const std::string_view Offloading;            // "OFFLOADING @ "
extern const std::string_view BattleDamage1NotAvailable;
extern const std::string_view BattleDamage2NotAvailable;
extern const std::string_view BattleDamage3NotAvailable;
extern const std::string_view DamageTransponder;
extern const std::string_view DamageComm;
extern const std::string_view DamageCockpit;
extern const std::string_view BattleDamage;          // "Battle Damage"
extern const std::string_view Incurred;              // "INCURRED"
extern const std::string_view DisabledCatapultDisarmed;
extern const std::string_view DisabledFuelLoadPaused;
extern const std::string_view DisabledFuelOffloadPaused;
extern const std::string_view Reenabled;
extern const std::string_view ReenabledFuelLoad;
extern const std::string_view ReenabledFuelOffload;
extern const std::string_view StatusManuallyDisabled;
extern const std::string_view StatusTrapping;        // "TRAPPING"
extern const std::string_view StatusLoadingFuel;     // "LOADING FUEL @"
extern const std::string_view StatusOffloadingFuel;  // "OFFLOADING FUEL @"
extern const std::string_view StatusCatArmed;        // "CAT ARMED"
extern const std::string_view StatusNearestCables;   // "Nearest cables"
extern const std::string_view StatusAutocat;         // "AUTOCAT"

}  // namespace hf::rs
