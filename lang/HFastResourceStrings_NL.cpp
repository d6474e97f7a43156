// Dutch edition.
#include "HFastResourceStrings.h"

namespace hf::rs {

const std::string_view WindowTitle = "Hookfast v2.6 Freeware voor FS2004/X";
const std::string_view VerticalToolbar = "Verticale Werkbalk";
const std::string_view ShowDisabledReminders = "Toon \"Uitgeschakeld\" herinneringen";
const std::string_view ResetProgramAndConnection = "Programma en Verbinding opnieuw instellen";
const std::string_view TabFlightStatus = "  &VLUCHTSTATUS  ";
const std::string_view TabFuelTransfers = " &BRANDSTOFTRANSFERS ";
const std::string_view TabOptions = "  O&PTIES  ";
const std::string_view TabKeystrokes = " &TOETSAANSLAGEN ";
const std::string_view ManualOverrideDisable = "Handmatig opheffen -- programma uitschakelen";
const std::string_view PressToReenable = "Druk om het programma OPNIEUW IN TE SCHAKELEN";

const std::string_view FlightStatusCaption = "Vluchtstatus:";
const std::string_view CatArmStatusCaption = "Katapultstatus:";
const std::string_view TailhookStatusCaption = "Vanghaakstatus:";
const std::string_view CatchCheckingCaption = "Kabelvangst controle:";
const std::string_view CablesCaught = "Kabels werden GEVANGEN.";
const std::string_view StatusActive = "ACTIEF";
const std::string_view StatusNotNeeded = "NIET NODIG";
const std::string_view StatusLanded = "GELAND";
const std::string_view StatusFlying = "Vliegen";
const std::string_view StatusCrashed = "NEERGESTORT";
const std::string_view CatapultArmed = "KATAPULT OPGESPANNEN";
const std::string_view CatapultDisarmed = "Katapult ontspannen";
const std::string_view TailhookDown = "Vanghaak is UITGEKLAPT";
const std::string_view TailhookUp = "Vanghaak is INGEKLAPT";
const std::string_view NearestCablesLabel = "Dichtstbijzijnde kabels: ";
const std::string_view NearestCablesAnnounce = "Dichtstbijzijnde kabels: (baan koers ";
const std::string_view RwyHdg = "baan koers";
const std::string_view NearestCablesError =
    "Fout: kan de dichtstbijzijnde kabels niet vinden. Bugrapport verzenden.";
const std::string_view CurrentMagVar = "Huidige magnetische variatie: ";
const std::string_view DegUnit = " graden";
const std::string_view CableZonesCount = "# kabelzones: ";
const std::string_view OutOf = "van";

const std::string_view TransferRateCaption = " Transfersnelheid ";
const std::string_view Rate500 = "500 GPM (drogue)";
const std::string_view Rate1200 = "1200 GPM (boom)";

const std::string_view CatapultCutoffCaption = "Katapultbegrenzing (knopen):";
const std::string_view CatHoldFactorCaption = "Katapult houdfactor:";
const std::string_view AccelFactorCaption = "Versnellingsfactor:";
const std::string_view DecelFactorCaption = "Vertragingsfactor:";
const std::string_view TimingGranularityCaption = "Tijdsresolutie:";
const std::string_view AccelDecelCaption = "Versn./Vertr.";
const std::string_view KeyComboCaption = "  Speciale Toetsencombinatie voor alle toetsaanslagen:  ";
const std::string_view KeyComboShift = "SHIFT+<key>";
const std::string_view KeyComboShiftCtrl = "SHIFT+CTRL+<key>";
const std::string_view AutoCatArming = "Automatisch katapult opspannen";
const std::string_view ShowCatArmMsgs = "Toon katapult opspan/ontspan berichten";
const std::string_view CatSmoke = "Vliegtuigrook gebruiken bij katapultstart";
const std::string_view ShowTrappingActiveMsg = "Toon \"Overlapping actief\" bericht";
const std::string_view DetectTailhook = "Vallen detecteren wanneer haak is uitgeklapt";
const std::string_view DamageSounds = "Gevechtsschade geluiden afspelen";
const std::string_view OpsSounds = "Dekgeluiden afspelen";
const std::string_view SpecialSoundHandling = "Speciale geluidsbehandeling";
const std::string_view AddLateralVelocity = "Zijdelingse snelheid toevoegen";
const std::string_view WhenTrappingAnywhere = "bij overal vangen";

const std::string_view KeyPrefixShift = "SHIFT+";
const std::string_view KeyPrefixShiftCtrl = "SHIFT+CTRL+";
const std::string_view KeyFuelLoad = "F5   Brandstof TANKEN Aan/Uit";
const std::string_view KeyFuelOffload = "F6   Brandstof AFTAPPEN Aan/Uit";
const std::string_view KeyFuelRate = "F7   Transfersnelheid wisselen";
const std::string_view KeyStatus = "F8   Statusbericht tonen";
const std::string_view KeyCatapult = "F9   Katapult Opspannen/Ontspannen";
const std::string_view KeyManualOverride = "F12   Programma Uitschakelen/Inschakelen";
const std::string_view KeyReset = "F11   Programma opnieuw instellen";
const std::string_view KeyTrapAnywhere = "F10   Overal vangen bij landing Aan/Uit";
const std::string_view KeyBattleDamage1 = "F1   Gevechtsschade niveau 1";
const std::string_view KeyBattleDamage2 = "F2   Gevechtsschade niveau 2";
const std::string_view KeyBattleDamage3 = "F3   Gevechtsschade niveau 3";
const std::string_view SomeKeys = "sommige toetsen";
const std::string_view NotAvailable = "niet beschikbaar";
const std::string_view AlreadyAllocated = "reeds toegewezen";

const std::string_view ActManualOverride = "Handmatig opheffen";
const std::string_view ActShowStatus = "Status tonen";
const std::string_view ActCatapultArm = "Katapult Opspannen/Ontspannen";
const std::string_view ActFuelLoad = "Brandstof tanken";
const std::string_view ActFuelOffload = "Brandstof aftappen";
const std::string_view ActFuelRateToggle = "Transfersnelheid wisselen";
const std::string_view ActBattleDamage1 = "Gevechtsschade niveau 1";
const std::string_view ActBattleDamage2 = "Gevechtsschade niveau 2";
const std::string_view ActBattleDamage3 = "Gevechtsschade niveau 3";
const std::string_view TbReset = "Rst ";
const std::string_view TbManualOverride = "MO";
const std::string_view TbShowStatus = "Stat ";
const std::string_view TbCatapultArm = "Kat ";
const std::string_view TbFuelLoad = "F+ ";
const std::string_view TbFuelOffload = "F-  ";
const std::string_view TbFuelRate = "FR ";
const std::string_view TbBattleDamage1 = "D1";
const std::string_view TbBattleDamage2 = "D2";
const std::string_view TbBattleDamage3 = "D3";

const std::string_view Dashes = " -- ";
const std::string_view IsFsRunning = "Wordt FS uitgevoerd?";
const std::string_view ConnectionStatus = " verbindingsstatus : ";
const std::string_view FsuipcVer = ",  FSUIPC Versie : ";
const std::string_view VersionPoint = ".";
const std::string_view OnlyFs2004X = "Programma werkt alleen met FS2004/X -- Verbinding afgebroken";
const std::string_view OnlyFsuipc283 =
    "Programma werkt alleen met FSUIPC 2.83 of hoger -- Verbinding afgebroken";
const std::string_view ConnectedBut = "Verbinding met FSUIPC OK, maar...";
const std::string_view NoDatFiles =
    "Verbinding met FSUIPC OK, maar...er werden geen .dat-bestanden gevonden.";
const std::string_view HookfastDatNotFound =
    "Verbinding met FSUIPC OK, maar...het bestand Hookfast.dat werd niet gevonden.";
const std::string_view FolderUnreadable = "Verbinding met FSUIPC OK, maar...kan de map niet lezen: ";
const std::string_view DatNamesUnshown =
    "Verbinding met FSUIPC OK, maar...de namen van de .dat-bestanden hebben letters die deze Windows niet kan tonen: hernoem ze.";
const std::string_view ProblemIni =
    "Verbinding met FSUIPC OK, maar...probleem bij laden/aanmaken van Hookfast.INI";
const std::string_view NoValidZones =
    "Gekozen .dat-bestand bevat geen geldige vangzones.  Programma gestopt.";
const std::string_view DatLoadException =
    "Fout opgetreden bij het laden van het .dat-bestand.  Programma gestopt.";
const std::string_view NotFound = "niet gevonden";
const std::string_view NotOpenableInFolder = "kan onder deze mapnaam niet worden geopend";
const std::string_view SoundFilesFound = "Geluidsbestanden gevonden";
const std::string_view CatchSoundPlayed = "Kabelvangst geluid afgespeeld";
const std::string_view CatapultSoundPlayed = "Katapult geluid afgespeeld";

const std::string_view LogHeader = "HFast .dat laadfouten logboek voor bestand : ";
const std::string_view LogRunResetTime = "Start/Reset tijd: ";
const std::string_view LogFailedZone = "  -- Kan Zone # niet laden";
const std::string_view LogTrailer1 =
    "Controleer of de mislukte zones alle vereiste gegevensvelden bevatten";
const std::string_view LogTrailer2 =
    "en of de waarden binnen de toegestane grenzen vallen.  Zie HFast*.txt.";

const std::string_view UnableToWrite = "Kan niet schrijven naar %s";
const std::string_view CannotCreateFile = "Kan bestand \"%s\" niet maken";
const std::string_view NotValidInteger = "'%s' is geen geldig geheel getal";
const std::string_view NotValidFloat = "'%s' is geen geldig decimaal getal";

const std::string_view HookfastEnabled = "Hookfast ingeschakeld";
const std::string_view HookfastDeactivated = "Hookfast uitgeschakeld";
const std::string_view DisabledWhileResetting = "HFast uitgeschakeld tijdens het opnieuw instellen";
const std::string_view ManuallyDisabled = "HFast werd handmatig uitgeschakeld";
const std::string_view TrappingActive = "OVERLAPPING ACTIEF";
const std::string_view SecondsUntilCables = "seconden tot de kabels klaar zijn";
const std::string_view MovingCarrierTooClose =
    "Bewegende Schip Overlapping NIET ingeschakeld - Een vangzone is te nabijgelegen";
const std::string_view CatNotArmed = "Katapult NIET opgespannen -- ";
const std::string_view CatNotArmedTooFar =
    "Katapult NIET opgespannen -- te ver van dichtstbijzijnde bekende kabels";
const std::string_view CatNotAvailable =
    "Katapult niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view WontWorkHelicopters = "werkt niet met helikopters";
const std::string_view WontWorkTaildraggers = "werkt niet met staartwielvliegtuigen";
const std::string_view NotLandedState = "vliegtuig is niet geland";
const std::string_view CheckGear = "controleer landingsgestel en hendel";
const std::string_view ParkingBrakeNotSet = "parkeerrem is niet aangetrokken";
const std::string_view SlewMode = "slew-modus";
const std::string_view NotStationary = "staat niet stil";
const std::string_view FuelLoadNotAvailable =
    "Brandstof tanken niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view FuelOffloadNotAvailable =
    "Brandstof aftappen niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view FuelRateNotAvailable =
    "Transfersnelheid wisselen niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view FuelLoadStarted = "Brandstof Tanken gestart: ";
const std::string_view FuelOffloadStarted = "Brandstof Aftappen gestart: ";
const std::string_view FuelLoadTerminated = "Brandstof Tanken beëindigd";
const std::string_view FuelOffloadTerminated = "Brandstof Aftappen beëindigd";
const std::string_view FuelOffloadInProgress = "Brandstof Aftappen bezig -- tankverzoek genegeerd";
const std::string_view FuelLoadInProgress = "Brandstof Tanken bezig -- aftapverzoek genegeerd";
const std::string_view FuelLoadBelow5000 = "Brandstof tanken niet toegestaan onder 5000' AGL";
const std::string_view ReasonBelow5000 = " (niet toegestaan onder 5000' AGL)";
const std::string_view ReasonTanksFull = " (tanks zijn vol)";
const std::string_view ReasonBelow10 = " (niet toegestaan onder 10% inhoud)";
const std::string_view FuelRateNowSet = "Brandstof transfersnelheid nu ingesteld op ";
const std::string_view Loading = "BEZIG MET TANKEN @ ";
const std::string_view Offloading = "BEZIG MET AFTAPPEN @ ";
const std::string_view BattleDamage1NotAvailable =
    "Gevechtsschade 1 niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view BattleDamage2NotAvailable =
    "Gevechtsschade 2 niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view BattleDamage3NotAvailable =
    "Gevechtsschade 3 niet beschikbaar - HFast werd handmatig uitgeschakeld";
const std::string_view DamageTransponder = "Gevechtsschade aan TRANSPONDER -- GEEN ID OP RADAR";
const std::string_view DamageComm = "Gevechtsschade aan COMM radio -- GEEN VERBINDING";
const std::string_view DamageCockpit =
    "Gevechtsschade aan Cockpit -- Kompas kapot, PILOOT GEWOND";
const std::string_view BattleDamage = "Gevechtsschade";
const std::string_view Incurred = "OPGELOPEN";
const std::string_view DisabledCatapultDisarmed =
    "HFast werd handmatig uitgeschakeld - Katapult ontspannen";
const std::string_view DisabledFuelLoadPaused =
    "HFast werd handmatig uitgeschakeld - brandstof tanken gepauzeerd";
const std::string_view DisabledFuelOffloadPaused =
    "HFast werd handmatig uitgeschakeld - brandstof aftappen gepauzeerd";
const std::string_view Reenabled = "Hookfast opnieuw ingeschakeld";
const std::string_view ReenabledFuelLoad =
    "Hookfast opnieuw ingeschakeld - brandstof tanken hervat";
const std::string_view ReenabledFuelOffload =
    "Hookfast opnieuw ingeschakeld - brandstof aftappen hervat";
const std::string_view StatusManuallyDisabled = "HFast status: handmatig uitgeschakeld";
const std::string_view StatusTrapping = "OVERLAPPING";
const std::string_view StatusLoadingFuel = "BRANDSTOF TANKEN @";
const std::string_view StatusOffloadingFuel = "BRANDSTOF AFTAPPEN @";
const std::string_view StatusCatArmed = "KAT OPGESPANNEN";
const std::string_view StatusNearestCables = "Dichtstbijzijnde kabels";
const std::string_view StatusAutocat = "AUTOKAT";

}  // namespace hf::rs
