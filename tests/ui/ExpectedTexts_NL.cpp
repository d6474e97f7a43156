#include "ExpectedTexts.h"

namespace hf::testing {

const ExpectedTexts Expected = {
    "Hookfast v2.6 Freeware voor FS2004/X",
    "FSUIPC/WideClient momenteel niet beschikbaar -- Wordt FS uitgevoerd?",
    "Programma werkt alleen met FS2004/X -- Verbinding afgebroken",
    "Programma werkt alleen met FSUIPC 2.83 of hoger -- Verbinding afgebroken",
    "FSX verbindingsstatus : Okay,  FSUIPC Versie : 3.999z",
    "Hookfast ingeschakeld",
    "Hookfast uitgeschakeld",
    "HFast uitgeschakeld tijdens het opnieuw instellen",
    "niet gevonden",
    "Geluidsbestanden gevonden",
    "  &VLUCHTSTATUS  ",
    "SHIFT+<key>",
};

}  // namespace hf::testing
