#include "gedcom/options.h"

#include "platform/registry.h"

namespace kinloom {

ProgramOptions ReadProgramOptions(Registry& registry) {
    ProgramOptions o;
    o.DateStandardization = registry.ReadYesNo(kSettingsKey, kDateStandardizationValue, true);
    o.ShowNameHints = registry.ReadYesNo(kSettingsKey, kShowNameHintsValue, true);
    o.QualityCheckOnOpen = registry.ReadYesNo(kSettingsKey, kQualityCheckOnOpenValue, false);
    o.QualityCheckOnSave = registry.ReadYesNo(kSettingsKey, kQualityCheckOnSaveValue, false);
    return o;
}

void WriteProgramOptions(Registry& registry, const ProgramOptions& options) {
    registry.WriteYesNo(kSettingsKey, kDateStandardizationValue, options.DateStandardization);
    registry.WriteYesNo(kSettingsKey, kShowNameHintsValue, options.ShowNameHints);
    registry.WriteYesNo(kSettingsKey, kQualityCheckOnOpenValue, options.QualityCheckOnOpen);
    registry.WriteYesNo(kSettingsKey, kQualityCheckOnSaveValue, options.QualityCheckOnSave);
}

}  // namespace kinloom
