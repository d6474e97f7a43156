// English edition.
#include "HFastResourceStrings.h"

namespace hf::rs {

const std::string_view WindowTitle = "Hookfast v2.6 Freeware for FS2004/X";
const std::string_view VerticalToolbar = "Vertical Toolbar";
const std::string_view ShowDisabledReminders = "Show \"Disabled\" Reminders";
const std::string_view ResetProgramAndConnection = "Reset Program and Connection";
const std::string_view TabFlightStatus = "  &FLIGHT STATUS  ";
const std::string_view TabFuelTransfers = " F&UEL TRANSFERS ";
const std::string_view TabOptions = "  O&PTIONS  ";
const std::string_view TabKeystrokes = " &KEYSTROKES ";
const std::string_view ManualOverrideDisable = "Manual override -- disable program";
const std::string_view PressToReenable = "Press to REENABLE program";

const std::string_view FlightStatusCaption = "Flight status:";
const std::string_view CatArmStatusCaption = "Cat Arm status:";
const std::string_view TailhookStatusCaption = "Tailhook status:";
const std::string_view CatchCheckingCaption = "Cable-catch checking:";
const std::string_view CablesCaught = "Cables were CAUGHT.";
const std::string_view StatusActive = "ACTIVE";
const std::string_view StatusNotNeeded = "NOT NEEDED";
const std::string_view StatusLanded = "LANDED";
const std::string_view StatusFlying = "Flying";
const std::string_view StatusCrashed = "CRASHED";
const std::string_view CatapultArmed = "CATAPULT ARMED";
const std::string_view CatapultDisarmed = "Catapult disarmed";
const std::string_view TailhookDown = "Tailhook is DOWN";
const std::string_view TailhookUp = "Tailhook is UP";
const std::string_view NearestCablesLabel = "Nearest cables: ";
const std::string_view NearestCablesAnnounce = "Nearest cables: (rwy hdg ";
const std::string_view RwyHdg = "rwy hdg";
const std::string_view NearestCablesError =
    "Error: unable to find nearest cables. Please send a bug report.";
const std::string_view CurrentMagVar = "Current Mag Var: ";
const std::string_view DegUnit = " deg";
const std::string_view CableZonesCount = "# of cable zones: ";
const std::string_view OutOf = "out of";

const std::string_view TransferRateCaption = " Transfer Rate ";
const std::string_view Rate500 = "500 GPM (drogue)";
const std::string_view Rate1200 = "1200 GPM (boom)";

const std::string_view CatapultCutoffCaption = "Catapult cutoff (knots):";
const std::string_view CatHoldFactorCaption = "Cat Hold Factor:";
const std::string_view AccelFactorCaption = "Accel Factor:";
const std::string_view DecelFactorCaption = "Decel Factor:";
const std::string_view TimingGranularityCaption = "Timing granularity:";
const std::string_view AccelDecelCaption = "Accel/Decel";
const std::string_view KeyComboCaption = "  Special Key Combo for all Keystrokes:  ";
const std::string_view KeyComboShift = "SHIFT+<key>";
const std::string_view KeyComboShiftCtrl = "SHIFT+CTRL+<key>";
const std::string_view AutoCatArming = "Automatic Catapult Arming";
const std::string_view ShowCatArmMsgs = "Show Cat Arm/Disarm Messages";
const std::string_view CatSmoke = "Use Aircraft Smoke when Catapulting";
const std::string_view ShowTrappingActiveMsg = "Show \"Trapping Active\" Message";
const std::string_view DetectTailhook = "Detect Traps only if Tailhook is extended";
const std::string_view DamageSounds = "Play Battle Damage sounds";
const std::string_view OpsSounds = "Play Ops sounds";
const std::string_view SpecialSoundHandling = "Special sound handling";
const std::string_view AddLateralVelocity = "Add Lateral Velocity";
const std::string_view WhenTrappingAnywhere = "when Trapping Anywhere";

const std::string_view KeyPrefixShift = "SHIFT+";
const std::string_view KeyPrefixShiftCtrl = "SHIFT+CTRL+";
const std::string_view KeyFuelLoad = "F5   Fuel LOAD On/Off";
const std::string_view KeyFuelOffload = "F6   Fuel OFFload On/Off";
const std::string_view KeyFuelRate = "F7   Toggle Transfer Rate";
const std::string_view KeyStatus = "F8   Show Status Message";
const std::string_view KeyCatapult = "F9   Arm/Disarm Catapult";
const std::string_view KeyManualOverride = "F12   Program Disable/Enable";
const std::string_view KeyReset = "F11   Reset Program";
const std::string_view KeyTrapAnywhere = "F10   Toggle Trap On Landing Anywhere";
const std::string_view KeyBattleDamage1 = "F1   Battle Damage Level 1";
const std::string_view KeyBattleDamage2 = "F2   Battle Damage Level 2";
const std::string_view KeyBattleDamage3 = "F3   Battle Damage Level 3";
const std::string_view SomeKeys = "some keys";
const std::string_view NotAvailable = "not available";
const std::string_view AlreadyAllocated = "already allocated";

const std::string_view ActManualOverride = "Manual Override";
const std::string_view ActShowStatus = "Show Status";
const std::string_view ActCatapultArm = "Catapult Arm/Disarm";
const std::string_view ActFuelLoad = "Fuel Load";
const std::string_view ActFuelOffload = "Fuel OFFload";
const std::string_view ActFuelRateToggle = "Fuel Rate Toggle";
const std::string_view ActBattleDamage1 = "Battle Damage Level 1";
const std::string_view ActBattleDamage2 = "Battle Damage Level 2";
const std::string_view ActBattleDamage3 = "Battle Damage Level 3";
const std::string_view TbReset = "Rst ";
const std::string_view TbManualOverride = "MO";
const std::string_view TbShowStatus = "Stat ";
const std::string_view TbCatapultArm = "Cat ";
const std::string_view TbFuelLoad = "F+ ";
const std::string_view TbFuelOffload = "F-  ";
const std::string_view TbFuelRate = "FR ";
const std::string_view TbBattleDamage1 = "D1";
const std::string_view TbBattleDamage2 = "D2";
const std::string_view TbBattleDamage3 = "D3";

const std::string_view Dashes = " -- ";
const std::string_view IsFsRunning = "Is FS running?";
const std::string_view ConnectionStatus = " connection status : ";
const std::string_view FsuipcVer = ",  FSUIPC Ver : ";
const std::string_view VersionPoint = ".";
const std::string_view OnlyFs2004X = "Program only works with FS2004/X -- Connection Aborted";
const std::string_view OnlyFsuipc283 =
    "Program only works with FSUIPC 2.83 or later -- Connection Aborted";
const std::string_view ConnectedBut = "Connection to FSUIPC OK, but...";
const std::string_view NoDatFiles = "Connection to FSUIPC OK, but...No .dat files found.";
const std::string_view HookfastDatNotFound =
    "Connection to FSUIPC OK, but...Hookfast.dat file not found.";
const std::string_view FolderUnreadable = "Connection to FSUIPC OK, but...cannot read the folder ";
const std::string_view DatNamesUnshown =
    "Connection to FSUIPC OK, but...the .dat file names have letters this Windows cannot show: rename them.";
const std::string_view ProblemIni =
    "Connection to FSUIPC OK, but...problem loading/creating Hookfast.INI";
const std::string_view NoValidZones =
    "Selected .dat file contains no valid catch zones.  Program stopped.";
const std::string_view DatLoadException =
    "Exception occurred during .dat file load.  Program halted.";
const std::string_view NotFound = "not found";
const std::string_view NotOpenableInFolder = "cannot be opened under this folder name";
const std::string_view SoundFilesFound = "Sound files found";
const std::string_view CatchSoundPlayed = "Cable catch sound played";
const std::string_view CatapultSoundPlayed = "Catapult sound played";

const std::string_view LogHeader = "HFast .dat load failure log for file : ";
const std::string_view LogRunResetTime = "Run/Reset time: ";
const std::string_view LogFailedZone = "  -- Failed to load Zone #";
const std::string_view LogTrailer1 =
    "Verify that the failed zones contain all the required data fields";
const std::string_view LogTrailer2 =
    "and that the values fall within acceptable ranges.  See HFast*.txt.";

const std::string_view UnableToWrite = "Unable to write to %s";
const std::string_view CannotCreateFile = "Cannot create file \"%s\"";
const std::string_view NotValidInteger = "'%s' is not a valid integer value";
const std::string_view NotValidFloat = "'%s' is not a valid floating point value";

const std::string_view HookfastEnabled = "Hookfast enabled";
const std::string_view HookfastDeactivated = "Hookfast deactivated";
const std::string_view DisabledWhileResetting = "HFast disabled while resetting";
const std::string_view ManuallyDisabled = "HFast has been manually disabled";
const std::string_view TrappingActive = "TRAPPING ACTIVE";
const std::string_view SecondsUntilCables = "seconds until cables are ready";
const std::string_view MovingCarrierTooClose =
    "Moving Carrier Trapping NOT enabled - too close to defined cable catch zone";
const std::string_view CatNotArmed = "Catapult NOT armed -- ";
const std::string_view CatNotArmedTooFar =
    "Catapult NOT armed -- too far from nearest known cables";
const std::string_view CatNotAvailable =
    "Catapult not available - HFast has been manually disabled";
const std::string_view WontWorkHelicopters = "won't work with helicopters";
const std::string_view WontWorkTaildraggers = "won't work with taildraggers";
const std::string_view NotLandedState = "aircraft not in a landed state";
const std::string_view CheckGear = "check landing gear and lever";
const std::string_view ParkingBrakeNotSet = "parking brake is not set";
const std::string_view SlewMode = "slew mode";
const std::string_view NotStationary = "not stationary";
const std::string_view FuelLoadNotAvailable =
    "Fuel Load not available - HFast has been manually disabled";
const std::string_view FuelOffloadNotAvailable =
    "Fuel OFFLoad not available - HFast has been manually disabled";
const std::string_view FuelRateNotAvailable =
    "Fuel rate toggle not available - HFast has been manually disabled";
const std::string_view FuelLoadStarted = "Fuel Load started: ";
const std::string_view FuelOffloadStarted = "Fuel OFFLoad started: ";
const std::string_view FuelLoadTerminated = "Fuel Load terminated";
const std::string_view FuelOffloadTerminated = "Fuel OFFLoad terminated";
const std::string_view FuelOffloadInProgress = "Fuel OFFLoad in progress -- load request ignored";
const std::string_view FuelLoadInProgress = "Fuel Load in progress -- OffLoad request ignored";
const std::string_view FuelLoadBelow5000 = "Fuel load not allowed below 5000' AGL";
const std::string_view ReasonBelow5000 = " (not allowed below 5000' AGL)";
const std::string_view ReasonTanksFull = " (tanks are full)";
const std::string_view ReasonBelow10 = " (not allowed below 10% capacity)";
const std::string_view FuelRateNowSet = "Fuel transfer rate now set to ";
const std::string_view Loading = "LOADING @ ";
const std::string_view Offloading = "OFFLOADING @ ";
const std::string_view BattleDamage1NotAvailable =
    "Battle Damage 1 not available - HFast has been manually disabled";
const std::string_view BattleDamage2NotAvailable =
    "Battle Damage 2 not available - HFast has been manually disabled";
const std::string_view BattleDamage3NotAvailable =
    "Battle Damage 3 not available - HFast has been manually disabled";
const std::string_view DamageTransponder = "Battle Damage to TRANSPONDER -- NO ID ON RADAR";
const std::string_view DamageComm = "Battle Damage to COMM radio -- NO COMMS";
const std::string_view DamageCockpit =
    "Battle Damage to Cockpit -- Mag Compass broken, PILOT WOUNDED";
const std::string_view BattleDamage = "Battle Damage";
const std::string_view Incurred = "INCURRED";
const std::string_view DisabledCatapultDisarmed =
    "HFast has been manually disabled - Catapult disarmed";
const std::string_view DisabledFuelLoadPaused = "HFast has been manually disabled - fuel load paused";
const std::string_view DisabledFuelOffloadPaused =
    "HFast has been manually disabled - fuel OFFload paused";
const std::string_view Reenabled = "Hookfast reenabled";
const std::string_view ReenabledFuelLoad = "Hookfast reenabled - fuel load resumed";
const std::string_view ReenabledFuelOffload = "Hookfast reenabled - fuel OFFload resumed";
const std::string_view StatusManuallyDisabled = "HFast status: manually disabled";
const std::string_view StatusTrapping = "TRAPPING";
const std::string_view StatusLoadingFuel = "LOADING FUEL @";
const std::string_view StatusOffloadingFuel = "OFFLOADING FUEL @";
const std::string_view StatusCatArmed = "CAT ARMED";
const std::string_view StatusNearestCables = "Nearest cables";
const std::string_view StatusAutocat = "AUTOCAT";

}  // namespace hf::rs
