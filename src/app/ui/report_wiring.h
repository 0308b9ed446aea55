#pragma once

namespace kinloom {

class MainWindow;

// Connects Reports > "&HTML - Generate web pages" to the report dialog, which is made here once
// and belongs to the window.
void connectReportCommands(MainWindow& window);

}  // namespace kinloom
