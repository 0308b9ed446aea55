#pragma once

namespace kinloom {

class MainWindow;
class QualityCheckWindow;

// Makes the quality check window (once; it belongs to the main window), binds the application's
// quality check hooks to it and the text viewer to the desktop's, and connects and enables
// Tools > Quality check, Reports > Alphabetical list > All individuals and File > Collect all files.
QualityCheckWindow* connectReportCommands(MainWindow& window);

}  // namespace kinloom
