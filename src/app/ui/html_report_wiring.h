#pragma once

namespace kinloom {

class MainWindow;

// Connects Reports > "&HTML - Generate web pages" to the report dialog, which is made here once
// and belongs to the window.
void connectHtmlReport(MainWindow& window);

}  // namespace kinloom
