#pragma once
#include <QString>

namespace kinloom {

class Registry;

// The four switches of the "Environment Options" dialog, kept as "Yes"/"No" below
// "Software\Kinloom.2.0". Only "Yes" exactly counts as on; a missing or empty value takes the
// default below.
struct ProgramOptions {
    bool dateStandardization = true;  // "Autoformat dates according to GEDCOM standard"
    bool showNameHints = true;        // "Show name tips"
    bool qualityCheckOnOpen = false;  // "Auto quality check on open"
    bool qualityCheckOnSave = false;  // "Auto quality check on save"
};

inline const QString kDateStandardizationValue = QStringLiteral("Date_Standardization");
inline const QString kShowNameHintsValue = QStringLiteral("Show_Name_Hints");
inline const QString kQualityCheckOnOpenValue = QStringLiteral("quality_check_on_open");
inline const QString kQualityCheckOnSaveValue = QStringLiteral("quality_check_on_save");

ProgramOptions readProgramOptions(Registry& registry);
// Writes all four values, changed or not.
void writeProgramOptions(Registry& registry, const ProgramOptions& options);

}  // namespace kinloom
