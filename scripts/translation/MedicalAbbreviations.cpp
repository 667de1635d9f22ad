#include "scripts/translation/MedicalAbbreviations.h"

namespace polyx {
namespace {

// One place for the table: the names of codes and keys are compared through
// it both ways. Meanings in ordinary French, accents included.
const MedicalAbbreviation kAbbreviations[] = {
    {"DDN", "date de naissance"},
    {"DN", "date de naissance"},
    {"NJF", "nom de jeune fille"},
    {"TA", "tension artérielle"},
    {"PA", "pression artérielle"},
    {"FC", "fréquence cardiaque"},
    {"FR", "fréquence respiratoire"},
    {"ATCD", "antécédents"},
    {"ATCDS", "antécédents"},
    {"TTT", "traitement"},
    {"TRT", "traitement"},
    {"CP", "code postal"},
    {"RDV", "rendez-vous"},
    {"MT", "médecin traitant"},
    {"IMC", "indice de masse corporelle"},
    {"ECG", "électrocardiogramme"},
    {"NFS", "numération formule sanguine"},
    {"HTA", "hypertension artérielle"},
    {"SAT", "saturation"},
    {"TEMP", "température"},
    {"DR", "docteur"},
    {"PR", "professeur"},
    {"MME", "madame"},
    {"MR", "monsieur"},
    {"TEL", "téléphone"},
    {"ADR", "adresse"},
    {"NAISS", "naissance"},
    {"NSS", "numéro de sécurité sociale"},
    {"SECU", "sécurité sociale"},
    {"NIR", "numéro de sécurité sociale"},
    {"ALD", "affection de longue durée"},
    {"CS", "consultation"},
    {"CONSULT", "consultation"},
    {"HOSP", "hospitalisation"},
    {"ORD", "ordonnance"},
    {"PRESC", "prescription"},
    {"DIAG", "diagnostic"},
    {"CR", "compte rendu"},
    {"EX", "examen"},
    {"BIO", "biologie"},
    {"CORRESP", "correspondant"},
    {"MED", "médecin"},
    {"PAT", "patient"},
    {"PREN", "prénom"},
    {"NUM", "numéro"},
};

} // namespace

std::span<const MedicalAbbreviation> MedicalAbbreviations() { return kAbbreviations; }

} // namespace polyx
