#include "ExpectedTexts.h"

namespace hf::testing {

const ExpectedTexts Expected = {
    "Hookfast v2.6 Freeware pour FS2004/X",
    "FSUIPC/WideClient non disponible pour le moment -- Avez-vous lancé Flight Simulator ?",
    "Ce programme ne fonctionne qu'avec FS2004/X -- connexion interrompue",
    "Ce programme ne fonctionne qu'avec FSUIPC 2.83 (ou des versions ultérieures) -- connexion "
    "interrompue",
    "FSX état de la connexion : OK,  version de FSUIPC : 3.999z",
    "Hookfast activé",
    "Hookfast désactivé",
    "HFast est désactivé : réinitialisation en cours",
    "introuvables",
    "fichiers sons localisés",
    "  P&HASE DU VOL  ",
    "MAJ+<touche>",
};

}  // namespace hf::testing
