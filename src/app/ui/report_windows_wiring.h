#pragma once

namespace kinloom {

class MainWindow;
class EditingController;

// Reports > Missing information and Statistics: their windows, built once and shown on demand.
void connectReportWindows(MainWindow& window, EditingController& editing);

}  // namespace kinloom
