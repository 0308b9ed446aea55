#pragma once

namespace kinloom {

class MainWindow;
struct CommandContext;

// Makes the HTML report dialog (once; it belongs to the window) and brings on Reports >
// "&HTML - Generate web pages".
void connectHtmlReport(MainWindow& window);

void showHtmlReport(CommandContext& c);

}  // namespace kinloom
