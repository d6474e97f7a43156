#include "ResultCodeTexts.h"

namespace hf {

const std::array<std::string_view, 16> ResultCodeTexts = {
    "OK",
    "Déjà ouvert",
    "FSUIPC/WideClient non disponible pour le moment",
    "Impossible d'enregistrer message commun avec Windows",
    "Impossible de créer Atom pour fichier correspondant",
    "Impossible de créer un fichier correspondant à l'objet",
    "Impossible d'ouvrir l'aperçu du décor",
    "Version de FSUIPC incorrecte, ou FSUIPC non installé",
    "Version de FS incorrecte",
    "Exécution impossible, lien non ouvert",
    "Exécution impossible : aucune requête enregistrée",
    "Toutes les tentatives d'IPC ont échoué.",
    "IPC ne peut envoyer de message. Toutes les tentatives ont échoué",
    "Requête de l'IPC contenant des données incorrectes",
    "Fonctionnement en WideClient, mais FS ne tourne pas sur un serveur, ou version de FSUIPC incorrecte",
    "Requête de lecture/écriture refusée, mémoire insuffisante",
};

}  // namespace hf
