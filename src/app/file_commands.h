#pragma once
#include <QString>
#include <QStringList>

namespace kinloom {

struct AppState;

// The File menu commands and the start and end of a run, over the application state. Each
// runs to completion; what it shows goes through the prompts, the status line and repaint hooks.

// Binds the File commands to the real tree-file reader and writer and the older-version readers.
void BindTreeFiles(AppState& state);

// Main window creation: defaults, file association, dialog filters, the tree font settings and
// the tree named on the command line (all arguments joined with blanks).
struct StartupInfo {
    QString programPath;     // full path of the running program
    QStringList arguments;   // command-line arguments without the program name
    int clientWidth = 0;     // the main window's client width, for the scroll step
};
void FormCreate(AppState& state, const StartupInfo& info);

// The six file-association values, in their fixed order; stops at the first failed write.
bool WriteFileAssociation(AppState& state, const QString& programPath);

void New1Click(AppState& state);
void Open1Click(AppState& state);
void Save1Click(AppState& state);
void SaveAs1Click(AppState& state);

// The imports of the older tree files: the tree read becomes an untitled, unmodified document.
void Openversion1531Click(AppState& state);
void Version101Click(AppState& state);

// Closing the main window: writes the tree font settings, asks about unsaved changes, and on a
// go-ahead empties the store. False keeps the program running.
bool FormCloseQuery(AppState& state);

// Asks about unsaved changes; Yes saves through Save1Click. True when the caller may go on.
bool CheckModified(AppState& state);

}  // namespace kinloom
