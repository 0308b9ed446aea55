#pragma once

namespace kinloom {

class MainWindow;
class QualityCheckWindow;
struct CommandContext;

// Makes the quality check window (once; it belongs to the main window), binds the application's
// quality check hooks to it and the text viewer to the desktop's, and brings on Tools > Quality
// check, the Reports > Alphabetical list entries, Save tree as GIF image and File > Collect all files.
QualityCheckWindow* connectReportCommands(MainWindow& window);

// From the Tools menu the window comes up first and then checks.
void showQualityCheck(CommandContext& c);
void collectAllFiles(CommandContext& c);
// The tree as the canvas draws it (its colour codes, the tree font), into a GIF file.
void saveTreeAsGif(CommandContext& c);
void writeAlphabeticalList(CommandContext& c);
void writeSurnameList(CommandContext& c);
void writePlaceList(CommandContext& c);
void writeSourceList(CommandContext& c);

}  // namespace kinloom
