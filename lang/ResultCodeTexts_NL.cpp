#include "ResultCodeTexts.h"

namespace hf {

const std::array<std::string_view, 16> ResultCodeTexts = {
    "Okay",
    "Poging om te openen terwijl reeds open",
    "FSUIPC/WideClient momenteel niet beschikbaar",
    "Kon algemeen bericht niet registreren in Windows",
    "Kan Atom niet maken voor toewijzing bestandsnaam",
    "Kan geen bestandstoewijzingsobject maken",
    "Kan geen weergave naar bestandstoewijzing maken",
    "Onjuiste versie van FSUIPC, of niet FSUIPC",
    "Sim is niet de vereiste versie",
    "Oproep kan niet uitgevoerd worden, link niet open",
    "Oproep kan niet uitgevoerd worden: geen aanvragen verzameld",
    "IPC heeft time-out ingesteld voor alle nieuwe pogingen",
    "IPC berichtverzending mislukt voor alle nieuwe pogingen",
    "IPC aanvraag bevat beschadigde gegevens",
    "Kan mogelijk werken op WideClient, maar FS wordt niet uitgevoerd op Server, of verkeerde FSUIPC",
    "Aanvraag voor Lezen of Schrijven kan niet toegevoegd worden, geheugen voor proces is vol",
};

}  // namespace hf
