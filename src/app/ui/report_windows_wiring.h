#pragma once
#include "reports/missing_information.h"

namespace kinloom {

class MainWindow;
class EditingController;
struct CommandContext;

// Reports > Missing information and Statistics: their windows, built once and shown on demand.
void connectReportWindows(MainWindow& window, EditingController& editing);

void showMissingInformation(CommandContext& c, MissingField field);
void showStatistics(CommandContext& c);

}  // namespace kinloom
