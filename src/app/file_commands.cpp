#include "app/file_commands.h"

#include "app/app_state.h"
#include "document/legacy_file.h"
#include "document/recovery_recorder.h"
#include "document/store_commands.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/rounding.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace kinloom {

namespace {

const QString kTreeFilter = QStringLiteral("Kinloom files (*.kl3)|*.kl3");
const QString kTreeExtension = QStringLiteral("kl3");

// Open Recent lists the file at the top.
void rememberFile(AppState& state, const QString& path) {
    state.recentFiles.add(path);
    state.recentFiles.save(state.registry);
}

// The quality check that may run before a save or after an open. On Yes the details window
// opens: modal before a save, so that the user can mend things first.
void autoQualityCheck(AppState& state, bool enabled, bool modalDetails) {
    if (!enabled || !state.hooks.qualityCheck) return;
    state.setStatus(QStringLiteral("Performing Quality Check..."));
    const int n = state.hooks.qualityCheck();
    const QString result = QStringLiteral("Quality Check Result: ") + QString::number(n) + QStringLiteral(" error(s)");
    state.setStatus(result);
    if (n == 0) return;
    const PromptAnswer answer =
        state.prompts.message(QStringLiteral("Error"), result + QStringLiteral(". Would you like to see the details?"),
                              PromptButtons::YesNo, PromptIcon::Error);
    if (answer == PromptAnswer::Yes && state.hooks.showQualityCheck) state.hooks.showQualityCheck(modalDetails);
}

// A save the writer refused for its file type is told apart from one that failed on the disk:
// only the last three characters of the name decide the type.
bool refusedFileType(const QString& fileName) {
    return !fileName.endsWith(kTreeExtension, Qt::CaseInsensitive);
}

// How a save ended: written, not written but the command goes on (a refused file type, a cancelled
// Save As), or ended by a disk error.
enum class SaveResult { Written, NotWritten, DiskError };

// Writes the store to currentFileName.
SaveResult saveCurrentFile(AppState& state) {
    state.setBusyCursor(true);
    const bool written = state.files.save && state.files.save(state.store, state.currentFileName, state.prompts);
    if (!written && !refusedFileType(state.currentFileName)) {
        state.setBusyCursor(false);
        return SaveResult::DiskError;
    }
    state.repaint();
    if (written) {
        state.store.modified = false;
        rememberFile(state, state.currentFileName);
        state.history.markSaved();
        state.recovery.saved(state.currentFileName);
    }
    state.setBusyCursor(false);
    return written ? SaveResult::Written : SaveResult::NotWritten;
}

// The tree was replaced or emptied: the hover hint and the status line must not name its items.
void treeReplaced(AppState& state, const QString& status) {
    if (state.hooks.forgetHover) state.hooks.forgetHover();
    state.setStatus(status);
}

}  // namespace

void bindTreeFiles(AppState& state) {
    state.files.save = saveToFile;
    state.files.read = [](ItemStore& store, const QString& name, ViewState& view, WindowSize window, Prompts& prompts) {
        return readFromFile(store, name, view, window, prompts);
    };
    state.files.readVersion15 = [](AppState& s, const QString& name) {
        readVersion15File(s.store, name, s.view, s.windowOuterSize(), s.prompts, s.options.dateStandardization);
    };
    state.files.readVersion10 = [](AppState& s, const QString& name) {
        readVersion10File(s.store, name, s.view, s.windowOuterSize(), s.prompts, s.options.dateStandardization);
    };
}

bool writeFileAssociation(AppState& state, const QString& programPath) {
    const QString type = QStringLiteral("kinloom2_file");
    const std::pair<QString, QString> values[] = {
        {QStringLiteral(".kl3"), type},
        {type, QStringLiteral("Kinloom 2.0 Family Tree")},
        {type + QStringLiteral("\\DefaultIcon"), programPath + QStringLiteral(",0")},
        {type + QStringLiteral("\\shell"), QString()},
        {type + QStringLiteral("\\shell\\open"), QString()},
        {type + QStringLiteral("\\shell\\open\\command"), QLatin1Char('"') + programPath + QStringLiteral("\" %1")},
    };
    for (const auto& [key, text] : values)
        if (!state.registry.writeString(key, QString(), text)) return false;  // the rest are skipped
    return true;
}

void setUpState(AppState& state, const StartupInfo& info) {
    state.store.gridSize = 5;
    QString dir = info.programPath;
    while (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    state.programDir = dir;
    state.store.lastId = 0;
    state.recovery.writeFailed = [&state](const QString& reason) {
        // Said once a run: the work goes on without it.
        if (std::exchange(state.recoveryFailureTold, true)) return;
        state.setStatus(QStringLiteral("Recovery data could not be written: ") + reason);
    };
    // QRandomGenerator seeds itself; the tag store starts empty with every store.
    state.paintEnabled = true;

    writeFileAssociation(state, info.programPath);

    state.openDialog = FileDialogRequest{};
    state.openDialog.filter = kTreeFilter;
    state.openDialog.defaultExtension = kTreeExtension;
    state.saveDialog = state.openDialog;
    state.saveDialog.promptOverwrite = true;
    state.collectFilesDialog = state.saveDialog;
    state.importVersion15Dialog = version15OpenDialog();
    state.importVersion10Dialog = version10OpenDialog();

    const StoredTreeFont font = readStoredTreeFont(state.registry);
    state.screenFontName = font.name;
    state.screenFontSize = font.size;
    state.screenCharset = font.charset;

    if (state.hooks.resetInteraction) state.hooks.resetInteraction();
    state.currentFileName.clear();
    state.store.clearSelection();
    state.view.zoom = 100;

    state.recentFiles.load(state.registry);

    state.scrollStep = static_cast<int>(roundHalfEven(info.clientWidth * 80.0 / 1024.0));

    if (!info.arguments.isEmpty()) {
        // A path with blanks may arrive split into several arguments.
        const QString path = info.arguments.join(QLatin1Char(' '));
        const ReadStatus status = state.files.read
            ? state.files.read(state.store, path, state.view, state.windowOuterSize(), state.prompts)
            : ReadStatus::IoError;
        if (status == ReadStatus::Ok) {
            state.currentFileName = path;
            rememberFile(state, path);
        } else if (status == ReadStatus::PartlyRead) {
            state.store.modified = true;  // untitled: a Save asks for a new name
        }
    }
    // Reading the tree is no step: undo never goes behind it.
    startFreshHistory(state);
}

void startFreshHistory(AppState& state, const QString& label) {
    state.history.clear();
    state.recovery.start(state.currentFileName, label.isEmpty() ? recoveryLabel(state.currentFileName) : label);
}

QString importedTreeLabel(const QString& source) {
    return QStringLiteral("Untitled tree imported from ") + QFileInfo(source).fileName();
}

static SaveResult saveSteps(AppState& state);

bool checkModified(AppState& state) {
    // Yes asks for a save; a save that did not happen (refused, cancelled, failed on the disk) ends
    // the command that asked, so the tree is never thrown away unsaved.
    bool saved = true;
    const bool goOn = askAboutUnsavedChanges(state.store, state.prompts,
                                             [&state, &saved] { saved = saveSteps(state) == SaveResult::Written; });
    return goOn && saved;
}

void clearTree(AppState& state) {
    state.currentFileName.clear();
    state.store.clearMemory();
    state.store.modified = false;
    startFreshHistory(state);
    state.repaint();
    treeReplaced(state, QStringLiteral("New tree"));
}

void newTree(AppState& state) {
    if (checkModified(state)) clearTree(state);
}

std::optional<QString> replaceTreeWith(AppState& state, const std::function<std::optional<QString>()>& chooseFile) {
    if (!checkModified(state) || !chooseFile) return std::nullopt;
    std::optional<QString> chosen = chooseFile();
    if (chosen) clearTree(state);
    return chosen;
}

// Open from the point where the file is chosen. The reader replaces the tree only with a file that
// is one; after anything else the open tree stays as it was, with its name and its changes.
static void readChosenTree(AppState& state, const QString& chosen) {
    state.setBusyCursor(true);
    const ReadStatus status = state.files.read
        ? state.files.read(state.store, chosen, state.view, state.windowOuterSize(), state.prompts)
        : ReadStatus::IoError;
    const QString failed = QStringLiteral("Could not open ") + chosen;
    if (status != ReadStatus::Ok && status != ReadStatus::PartlyRead && status != ReadStatus::StoreEmptied) {
        state.setBusyCursor(false);
        if (status == ReadStatus::ImportAsGedcom && state.hooks.importGedcom) {
            // The user chose to import the file as GEDCOM, which starts from an empty tree.
            clearTree(state);
            state.hooks.importGedcom(chosen);
            return;
        }
        state.setStatus(failed);
        return;
    }
    // Only a whole file gives the tree its name: the records of a file cut short open untitled and
    // modified, so that Save asks for a new name and the damaged file is never written over.
    state.currentFileName = status == ReadStatus::Ok ? chosen : QString();
    state.store.modified = status == ReadStatus::PartlyRead;
    startFreshHistory(state);
    state.repaint();
    if (status == ReadStatus::Ok) rememberFile(state, chosen);
    if (status != ReadStatus::StoreEmptied && state.hooks.showWholeTreeIfLarge) state.hooks.showWholeTreeIfLarge();
    if (state.hooks.forgetHover) state.hooks.forgetHover();  // the status line follows below
    if (status == ReadStatus::StoreEmptied) {
        state.setBusyCursor(false);
        state.setStatus(failed);
        return;
    }

    autoQualityCheck(state, state.options.qualityCheckOnOpen, false);

    state.setBusyCursor(false);
    if (state.hooks.refreshNameSearch) state.hooks.refreshNameSearch();
    if (state.hooks.focusMainWindow) state.hooks.focusMainWindow();
    state.setStatus(status == ReadStatus::Ok
                        ? QStringLiteral("OK")
                        : QStringLiteral("Read %1 items of %2 into an untitled tree").arg(state.store.itemCount()).arg(chosen));
}

void openTree(AppState& state) {
    if (!checkModified(state)) return;
    state.openDialog.fileName.clear();
    const std::optional<QString> chosen = state.prompts.openFileName(state.openDialog);
    if (!chosen) return;
    readChosenTree(state, *chosen);
}

void openTreeFile(AppState& state, const QString& path) {
    if (!checkModified(state)) return;
    readChosenTree(state, path);
}

void openRecentTree(AppState& state, const QString& path) {
    if (!QFileInfo::exists(path)) {
        // Gone since it was listed: told as Open tells it, and taken off the list.
        QFile file(path);
        (void)file.open(QIODevice::ReadOnly);  // fails, and says why
        state.prompts.error(kAppTitle, openFailureMessage(path, file.errorString()));
        state.recentFiles.remove(path);
        state.recentFiles.save(state.registry);
        return;
    }
    openTreeFile(state, path);
}

bool openDroppedFile(AppState& state, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == kTreeExtension) {
        openTreeFile(state, path);
        return true;
    }
    if (suffix == QLatin1String("ged") && state.hooks.importGedcom) {
        // As File › Import GEDCOM file, with the file already chosen.
        if (const std::optional<QString> chosen = replaceTreeWith(state, [&path] { return std::optional<QString>(path); }))
            state.hooks.importGedcom(*chosen);
        return true;
    }
    return false;
}

// Save As up to its status line; a disk error ends the command there.
static SaveResult saveAsSteps(AppState& state) {
    autoQualityCheck(state, state.options.qualityCheckOnSave, true);
    state.saveDialog.fileName = state.currentFileName;
    SaveResult result = SaveResult::NotWritten;  // the dialog was cancelled
    if (const std::optional<QString> chosen = state.prompts.saveFileName(state.saveDialog)) {
        state.currentFileName = *chosen;
        result = saveCurrentFile(state);
        if (result == SaveResult::DiskError) return result;
    }
    state.setStatus(QStringLiteral("OK"));
    return result;
}

// Save; a disk error ends the command there.
static SaveResult saveSteps(AppState& state) {
    autoQualityCheck(state, state.options.qualityCheckOnSave, true);
    // An untitled tree goes through Save As, which checks once more when the option is on.
    const SaveResult result = state.currentFileName.isEmpty() ? saveAsSteps(state) : saveCurrentFile(state);
    if (result == SaveResult::DiskError) return result;
    state.setStatus(QStringLiteral("OK"));
    return result;
}

void saveTree(AppState& state) { saveSteps(state); }

void saveTreeAs(AppState& state) { saveAsSteps(state); }

static void importOldVersion(AppState& state, FileDialogRequest& dialog,
                             const std::function<void(AppState&, const QString&)>& reader) {
    if (!reader || !checkModified(state)) return;
    const std::optional<QString> chosen = state.prompts.openFileName(dialog);
    if (!chosen) return;
    state.currentFileName.clear();  // an imported tree is untitled: the next Save asks for a name
    state.setBusyCursor(true);
    reader(state, *chosen);
    state.store.modified = false;
    startFreshHistory(state, importedTreeLabel(*chosen));
    state.setBusyCursor(false);
    state.repaint();
    if (state.hooks.showWholeTreeIfLarge) state.hooks.showWholeTreeIfLarge();
    treeReplaced(state, QStringLiteral("Imported ") + *chosen);
}

void importVersion15(AppState& state) { importOldVersion(state, state.importVersion15Dialog, state.files.readVersion15); }
void importVersion10(AppState& state) { importOldVersion(state, state.importVersion10Dialog, state.files.readVersion10); }

bool canClose(AppState& state) {
    // The tree font is kept whether or not the close goes ahead.
    state.registry.writeString(kSettingsKey, QStringLiteral("ScreenFontName"), state.screenFontName);
    state.registry.writeString(kSettingsKey, QStringLiteral("ScreenFontSize"), QString::number(state.screenFontSize));
    state.registry.writeString(kSettingsKey, QStringLiteral("ScreenCharset"), QString::number(state.screenCharset));
    if (!checkModified(state)) return false;
    state.recovery.discard();  // saved, or closed without saving: nothing is left to recover
    state.store.clearMemory();
    if (state.hooks.closeWelcome) state.hooks.closeWelcome();
    return true;
}

}  // namespace kinloom
