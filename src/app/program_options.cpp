#include "app/program_options.h"

#include "platform/registry.h"

namespace kinloom {

ProgramOptions readProgramOptions(Registry& registry) {
    ProgramOptions o;
    o.dateStandardization = registry.readYesNo(kSettingsKey, kDateStandardizationValue, true);
    o.showNameHints = registry.readYesNo(kSettingsKey, kShowNameHintsValue, true);
    o.qualityCheckOnOpen = registry.readYesNo(kSettingsKey, kQualityCheckOnOpenValue, false);
    o.qualityCheckOnSave = registry.readYesNo(kSettingsKey, kQualityCheckOnSaveValue, false);
    return o;
}

void writeProgramOptions(Registry& registry, const ProgramOptions& options) {
    registry.writeYesNo(kSettingsKey, kDateStandardizationValue, options.dateStandardization);
    registry.writeYesNo(kSettingsKey, kShowNameHintsValue, options.showNameHints);
    registry.writeYesNo(kSettingsKey, kQualityCheckOnOpenValue, options.qualityCheckOnOpen);
    registry.writeYesNo(kSettingsKey, kQualityCheckOnSaveValue, options.qualityCheckOnSave);
}

}  // namespace kinloom
