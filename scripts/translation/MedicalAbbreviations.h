#pragma once
#include <QString>

#include <span>

namespace polyx {

// The usual abbreviations of French medical letters and what they stand for,
// as a practitioner writes them: "DDN" for "date de naissance".
struct MedicalAbbreviation {
    const char* abbreviation;
    const char* meaning;
};

std::span<const MedicalAbbreviation> MedicalAbbreviations();

} // namespace polyx
