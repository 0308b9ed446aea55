#pragma once
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kinloom {

struct AppState;

// The File menu commands and the start and end of a run, over the application state. Each
// runs to completion; what it shows goes through the prompts, the status line and repaint hooks.

// Binds the File commands to the real tree-file reader and writer and the older-version readers.
void bindTreeFiles(AppState& state);

// Main window creation: defaults, file association, dialog filters, the tree font settings and
// the tree named on the command line (all arguments joined with blanks).
struct StartupInfo {
    QString programPath;     // full path of the running program
    QStringList arguments;   // command-line arguments without the program name
    int clientWidth = 0;     // the main window's client width, for the scroll step
};
void setUpState(AppState& state, const StartupInfo& info);

// The six file-association values, in their fixed order; stops at the first failed write.
bool writeFileAssociation(AppState& state, const QString& programPath);

// The tree was opened, emptied, imported or recovered: the undo history starts here, and so does
// the recovery log. `label` names the tree in an offer to recover it (by default its file name).
void startFreshHistory(AppState& state, const QString& label = {});
// How the imports name their tree: "Untitled tree imported from family.ged".
QString importedTreeLabel(const QString& source);

void newTree(AppState& state);
// New without the question: an empty, untitled, unmodified tree.
void clearTree(AppState& state);
// The first steps of a command that replaces the tree with a file: asks about unsaved changes,
// then for the file; the tree is emptied only once a file was chosen. Nothing when the user stops.
std::optional<QString> replaceTreeWith(AppState& state, const std::function<std::optional<QString>()>& chooseFile);
void openTree(AppState& state);
// Open without the dialog: the unsaved-changes question, then the named file.
void openTreeFile(AppState& state, const QString& path);
// File › Open Recent: a file that is no longer there is told and taken off the list.
void openRecentTree(AppState& state, const QString& path);
// A file dropped on the window: a tree file (.kl3) is opened, a GEDCOM file (.ged) imported, both
// after the unsaved-changes question. False for any other kind of file.
bool openDroppedFile(AppState& state, const QString& path);
void saveTree(AppState& state);
void saveTreeAs(AppState& state);

// The imports of the older tree files: the tree read becomes an untitled, unmodified document.
void importVersion15(AppState& state);
void importVersion10(AppState& state);

// Closing the main window: writes the tree font settings, asks about unsaved changes, and on a
// go-ahead empties the store. False keeps the program running.
bool canClose(AppState& state);

// Asks about unsaved changes; Yes saves through saveTree. True when the caller may go on: No, or
// Yes and the tree was written (a refused, cancelled or failed save keeps the tree).
bool checkModified(AppState& state);

}  // namespace kinloom
