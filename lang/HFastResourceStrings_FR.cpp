// French edition.
#include "HFastResourceStrings.h"

namespace hf::rs {

const std::string_view WindowTitle = "Hookfast v2.6 Freeware pour FS2004/X";
const std::string_view VerticalToolbar = "Barre d'outils verticale ";
const std::string_view ShowDisabledReminders = "Afficher les rappels \"Désactivé\"";
const std::string_view ResetProgramAndConnection = "Réinitialiser le programme et la connexion ";
const std::string_view TabFlightStatus = "  P&HASE DU VOL  ";
const std::string_view TabFuelTransfers = " C&ARBURANT  ";
const std::string_view TabOptions = "  O&PTIONS  ";
const std::string_view TabKeystrokes = " &COMMANDES ";
const std::string_view ManualOverrideDisable = "désactiver HFast-- désactivation temporaire";
const std::string_view PressToReenable = "Appuyez pour REACTIVER le programme";

const std::string_view FlightStatusCaption = "Phase du vol:";
const std::string_view CatArmStatusCaption = "Etat catapulte:";
const std::string_view TailhookStatusCaption = "Etat crosse d'appontage:";
const std::string_view CatchCheckingCaption = "Contrôle des brins:";
const std::string_view CablesCaught = "Brin d'arrêt accroché.";
const std::string_view StatusActive = "PARES ";
const std::string_view StatusNotNeeded = "NON REQUIS";
const std::string_view StatusLanded = "Avion posé";
const std::string_view StatusFlying = "en vol";
const std::string_view StatusCrashed = "ECRASE";
const std::string_view CatapultArmed = "CATAPULTE ARMEE";
const std::string_view CatapultDisarmed = "Catapulte désarméee ";
const std::string_view TailhookDown = "Crosse d'appontage SORTIE";
const std::string_view TailhookUp = "Crosse d'appontage RENTREE";
const std::string_view NearestCablesLabel = "zone d'appontage la plus proche: ";
const std::string_view NearestCablesAnnounce = "zone d'appontage la plus proche: (cap piste ";
const std::string_view RwyHdg = "cap piste";
const std::string_view NearestCablesError =
    "Erreur: impossible de trouver la zone d'appontage la plus proche. Merci de signaler le "
    "problème.";
const std::string_view CurrentMagVar = "Déclinaison magnétique: ";
const std::string_view DegUnit = " degrés";
const std::string_view CableZonesCount = "nombre de zones d'appontage: ";
const std::string_view OutOf = "sur";

const std::string_view TransferRateCaption = " Débit de transfert ";
const std::string_view Rate500 = "500 Gal./mn (tuyau souple)";
const std::string_view Rate1200 = "1200 Gal./mn (perche)";

const std::string_view CatapultCutoffCaption = "vitesse terminale:";
const std::string_view CatHoldFactorCaption = "Facteur de retenue:";
const std::string_view AccelFactorCaption = "Facteur d'accélération:";
const std::string_view DecelFactorCaption = "Facteur de décélération:";
const std::string_view TimingGranularityCaption = "Résolution temporelle:";
const std::string_view AccelDecelCaption = "Accél./Décél.";
const std::string_view KeyComboCaption = " Combinaison de touches :  ";
const std::string_view KeyComboShift = "MAJ+<touche>";
const std::string_view KeyComboShiftCtrl = "MAJ+CTRL+<touche>";
const std::string_view AutoCatArming = "Armement automatique de la catapulte";
const std::string_view ShowCatArmMsgs = "Afficher les messages d'armement de la catapulte";
const std::string_view CatSmoke = "Fumée de l'avion au catapultage";
const std::string_view ShowTrappingActiveMsg = "Afficher le message \"Câbles d'arrêt parés\"";
const std::string_view DetectTailhook =
    "Détection de l'appontage uniquement si la crosse d'appontage est sortie";
const std::string_view DamageSounds = "Sons des avaries de combat";
const std::string_view OpsSounds = "Sons des opérations de pont";
const std::string_view SpecialSoundHandling = "Gestion spéciale du son";
const std::string_view AddLateralVelocity = "Ajouter une vitesse latérale";
const std::string_view WhenTrappingAnywhere = "à l'appontage hors zone";

const std::string_view KeyPrefixShift = "MAJ+";
const std::string_view KeyPrefixShiftCtrl = "MAJ+CTRL+";
const std::string_view KeyFuelLoad = "F5   Ravitaillement marche/arrêt";
const std::string_view KeyFuelOffload = "F6   Délestage marche/arrêt";
const std::string_view KeyFuelRate = "F7   Changer le débit de transfert";
const std::string_view KeyStatus = "F8   Afficher le message d'état";
const std::string_view KeyCatapult = "F9   Catapulte armée/désarmée";
const std::string_view KeyManualOverride = "F12   Programme désactivé/activé";
const std::string_view KeyReset = "F11   Réinitialiser le programme";
const std::string_view KeyTrapAnywhere = "F10   Appontage hors zone marche/arrêt";
const std::string_view KeyBattleDamage1 = "F1   Avarie de combat niveau 1";
const std::string_view KeyBattleDamage2 = "F2   Avarie de combat niveau 2";
const std::string_view KeyBattleDamage3 = "F3   Avarie de combat niveau 3";
const std::string_view SomeKeys = "certaines touches";
const std::string_view NotAvailable = "non disponibles";
const std::string_view AlreadyAllocated = "déjà attribuées";

const std::string_view ActManualOverride = "désactivation temporaire";
const std::string_view ActShowStatus = "Afficher l'état";
const std::string_view ActCatapultArm = "Catapulte armée/désarmée";
const std::string_view ActFuelLoad = "Ravitaillement";
const std::string_view ActFuelOffload = "Délestage";
const std::string_view ActFuelRateToggle = "Changer le débit";
const std::string_view ActBattleDamage1 = "Avarie de combat niveau 1";
const std::string_view ActBattleDamage2 = "Avarie de combat niveau 2";
const std::string_view ActBattleDamage3 = "Avarie de combat niveau 3";
const std::string_view TbReset = "Réinit. ";
const std::string_view TbManualOverride = "DA";
const std::string_view TbShowStatus = "Etat ";
const std::string_view TbCatapultArm = "Cat ";
const std::string_view TbFuelLoad = "C+ ";
const std::string_view TbFuelOffload = "C-  ";
const std::string_view TbFuelRate = "DT ";
const std::string_view TbBattleDamage1 = "A1";
const std::string_view TbBattleDamage2 = "A2";
const std::string_view TbBattleDamage3 = "A3";

const std::string_view Dashes = " -- ";
const std::string_view IsFsRunning = "Avez-vous lancé Flight Simulator ?";
const std::string_view ConnectionStatus = " état de la connexion : ";
const std::string_view FsuipcVer = ",  version de FSUIPC : ";
const std::string_view VersionPoint = ".";
const std::string_view OnlyFs2004X =
    "Ce programme ne fonctionne qu'avec FS2004/X -- connexion interrompue";
const std::string_view OnlyFsuipc283 =
    "Ce programme ne fonctionne qu'avec FSUIPC 2.83 (ou des versions ultérieures) -- connexion "
    "interrompue";
const std::string_view ConnectedBut = "Connexion à FSUIPC OK, mais...";
const std::string_view NoDatFiles = "Connexion à FSUIPC OK, mais... aucun fichier .dat n'a été trouvé.";
const std::string_view HookfastDatNotFound =
    "Connexion à FSUIPC OK, mais... le fichier Hookfast.dat est introuvable.";
const std::string_view FolderUnreadable = "Connexion à FSUIPC OK, mais...impossible de lire le dossier ";
const std::string_view DatNamesUnshown =
    "Connexion à FSUIPC OK, mais...les noms des fichiers .dat ont des lettres que ce Windows ne peut pas afficher : renommez-les.";
const std::string_view ProblemIni =
    "Connexion à FSUIPC OK, mais... problème de lecture/création de Hookfast.INI";
const std::string_view NoValidZones =
    "Le fichier .dat choisi ne contient aucune zone d'appontage valide.  Programme arrêté.";
const std::string_view DatLoadException =
    "Erreur pendant le chargement du fichier .dat.  Programme interrompu.";
const std::string_view NotFound = "introuvables";
const std::string_view NotOpenableInFolder = "ne peut pas être ouvert sous ce nom de dossier";
const std::string_view SoundFilesFound = "fichiers sons localisés";
const std::string_view CatchSoundPlayed = "son du brin d'arrêt joué";
const std::string_view CatapultSoundPlayed = "son de la catapulte joué";

const std::string_view LogHeader = "HFast journal des erreurs de chargement du fichier : ";
const std::string_view LogRunResetTime = "Heure de lancement/réinitialisation: ";
const std::string_view LogFailedZone = "  -- Impossible de charger la zone n°";
const std::string_view LogTrailer1 =
    "Vérifiez que les zones en erreur contiennent tous les champs requis";
const std::string_view LogTrailer2 =
    "et que les valeurs sont dans les limites admises.  Voir HFast*.txt.";

const std::string_view UnableToWrite = "Impossible d'écrire dans %s";
const std::string_view CannotCreateFile = "Impossible de créer le fichier \"%s\"";
const std::string_view NotValidInteger = "'%s' n'est pas un nombre entier valide";
const std::string_view NotValidFloat = "'%s' n'est pas un nombre décimal valide";

const std::string_view HookfastEnabled = "Hookfast activé";
const std::string_view HookfastDeactivated = "Hookfast désactivé";
const std::string_view DisabledWhileResetting = "HFast est désactivé : réinitialisation en cours";
const std::string_view ManuallyDisabled = "HFast est temporairement désactivé";
const std::string_view TrappingActive = "CABLES D'ARRET PARES ";
const std::string_view SecondsUntilCables = "secondes avant que les brins soient prêts";
const std::string_view MovingCarrierTooClose =
    "Cables d'Arret en mouvement de bateau n'est pas rendu capable - définie zone d'appontage "
    "est trop proche";
const std::string_view CatNotArmed = "La catapulte n'est pas armée -- ";
const std::string_view CatNotArmedTooFar =
    "La catapulte n'est pas armée -- La zone d'appontage la plus proche est trop éloignée";
const std::string_view CatNotAvailable =
    "Catapulte indisponible - HFast est temporairement désactivé";
const std::string_view WontWorkHelicopters = "impossible avec un hélicoptère";
const std::string_view WontWorkTaildraggers = "impossible avec un train classique";
const std::string_view NotLandedState = "l'avion n'est pas posé";
const std::string_view CheckGear = "vérifiez le train et son levier";
const std::string_view ParkingBrakeNotSet = "le frein de parc n'est pas serré";
const std::string_view SlewMode = "mode déplacement";
const std::string_view NotStationary = "avion en mouvement";
const std::string_view FuelLoadNotAvailable =
    "Ravitaillement indisponible - HFast est temporairement désactivé";
const std::string_view FuelOffloadNotAvailable =
    "Délestage indisponible - HFast est temporairement désactivé";
const std::string_view FuelRateNotAvailable =
    "Changement de débit indisponible - HFast est temporairement désactivé";
const std::string_view FuelLoadStarted = "Début du ravitaillement: ";
const std::string_view FuelOffloadStarted = "Début du délestage: ";
const std::string_view FuelLoadTerminated = "Fin du ravitaillement";
const std::string_view FuelOffloadTerminated = "Fin du délestage";
const std::string_view FuelOffloadInProgress =
    "Délestage en cours -- demande de ravitaillement ignorée";
const std::string_view FuelLoadInProgress =
    "Ravitaillement en cours -- demande de délestage ignorée";
const std::string_view FuelLoadBelow5000 = "Ravitaillement interdit au-dessous de 5000 pieds/sol";
const std::string_view ReasonBelow5000 = " (interdit au-dessous de 5000 pieds/sol)";
const std::string_view ReasonTanksFull = " (réservoirs pleins)";
const std::string_view ReasonBelow10 = " (interdit au-dessous de 10% de la capacité)";
const std::string_view FuelRateNowSet = "Débit de transfert réglé sur ";
const std::string_view Loading = "RAVITAILLEMENT A  ";
const std::string_view Offloading = "DELESTAGE A  ";
const std::string_view BattleDamage1NotAvailable =
    "Avarie de combat 1 indisponible - HFast est temporairement désactivé";
const std::string_view BattleDamage2NotAvailable =
    "Avarie de combat 2 indisponible - HFast est temporairement désactivé";
const std::string_view BattleDamage3NotAvailable =
    "Avarie de combat 3 indisponible - HFast est temporairement désactivé";
const std::string_view DamageTransponder = "Avarie TRANSPONDEUR H/S -- PAS D'ID SUR LE RADAR";
const std::string_view DamageComm = "Avarie RADIO COMM H/S -- PLUS DE COMMUNICATIONS";
const std::string_view DamageCockpit =
    "Avarie Cockpit -- Compas magnétique H/S, PILOTE BLESSE";
const std::string_view BattleDamage = "Avarie";
const std::string_view Incurred = ":";
const std::string_view DisabledCatapultDisarmed =
    "HFast est temporairement désactivé - Catapulte désarmée";
const std::string_view DisabledFuelLoadPaused =
    "HFast est temporairement désactivé - ravitaillement suspendu";
const std::string_view DisabledFuelOffloadPaused =
    "HFast est temporairement désactivé - délestage suspendu";
const std::string_view Reenabled = "Hookfast réactivé";
const std::string_view ReenabledFuelLoad = "Hookfast réactivé - reprise du ravitaillement";
const std::string_view ReenabledFuelOffload = "Hookfast réactivé - reprise du délestage";
const std::string_view StatusManuallyDisabled = "HFast est actuellement désactivé";
const std::string_view StatusTrapping = "CABLES D'ARRET";
const std::string_view StatusLoadingFuel = "RAVITAILLEMENT A";
const std::string_view StatusOffloadingFuel = "DELESTAGE A";
const std::string_view StatusCatArmed = "CATAPULTE ARMEE";
const std::string_view StatusNearestCables = "zone d'appontage la plus proche";
const std::string_view StatusAutocat = "CATAPULTE AUTO";

}  // namespace hf::rs
