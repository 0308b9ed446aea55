#include "app/file_commands.h"

#include "app/app_state.h"
#include "document/legacy_file.h"
#include "document/store_commands.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/rounding.h"

namespace kinloom {

namespace {

const QString kTreeFilter = QStringLiteral("Kinloom files (*.kl3)|*.kl3");
const QString kTreeExtension = QStringLiteral("kl3");

// The quality check that may run before a save or after an open. On Yes the details window
// opens: modal before a save, so that the user can mend things first.
void AutoQualityCheck(AppState& state, bool enabled, bool modalDetails) {
    if (!enabled || !state.hooks.QCheck) return;
    state.SetStatus(QStringLiteral("Performing Quality Check..."));
    const int n = state.hooks.QCheck();
    const QString result = QStringLiteral("Quality Check Result: ") + QString::number(n) + QStringLiteral(" error(s)");
    state.SetStatus(result);
    if (n == 0) return;
    const PromptAnswer answer =
        state.prompts.Message(QStringLiteral("Error"), result + QStringLiteral(". Would you like to see the details?"),
                              PromptButtons::YesNo, PromptIcon::Error);
    if (answer == PromptAnswer::Yes && state.hooks.ShowQualityCheck) state.hooks.ShowQualityCheck(modalDetails);
}

// A save the writer refused for its file type is told apart from one that failed on the disk:
// only the last three characters of the name decide the type.
bool RefusedFileType(const QString& fileName) {
    return !fileName.endsWith(kTreeExtension, Qt::CaseInsensitive);
}

// Writes the store to CurrentFileName. False when the command must end here (a disk error).
bool SaveCurrentFile(AppState& state) {
    state.SetBusyCursor(true);
    const bool written = state.files.Save && state.files.Save(state.Store, state.CurrentFileName, state.prompts);
    if (!written && !RefusedFileType(state.CurrentFileName)) {
        state.SetBusyCursor(false);
        return false;
    }
    state.Repaint();
    if (written) state.Store.Modified = false;
    state.SetBusyCursor(false);
    return true;
}

}  // namespace

void BindTreeFiles(AppState& state) {
    state.files.Save = SavetoFile;
    state.files.Read = ReadfromFile;
    state.files.ReadV15 = [](AppState& s, const QString& name) {
        ReadfromFilev1_5(s.Store, name, s.View, s.WindowOuterSize(), s.prompts, s.Options.DateStandardization);
    };
    state.files.ReadV1 = [](AppState& s, const QString& name) {
        ReadfromFilev1(s.Store, name, s.View, s.WindowOuterSize(), s.prompts, s.Options.DateStandardization);
    };
}

bool WriteFileAssociation(AppState& state, const QString& programPath) {
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
        if (!state.registry.WriteString(key, QString(), text)) return false;  // the rest are skipped
    return true;
}

void FormCreate(AppState& state, const StartupInfo& info) {
    state.Store.GridSize = 5;
    QString dir = info.programPath;
    while (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    state.ProgramDir = dir;
    state.Store.LastId = 0;
    // QRandomGenerator seeds itself; the tag store starts empty with every store.
    state.PaintEnabled = true;

    WriteFileAssociation(state, info.programPath);

    state.OpenDialog1 = FileDialogRequest{};
    state.OpenDialog1.filter = kTreeFilter;
    state.OpenDialog1.defaultExtension = kTreeExtension;
    state.SaveDialog1 = state.OpenDialog1;
    state.SaveDialog1.promptOverwrite = true;
    state.SaveDialog2 = state.SaveDialog1;
    state.OpenDialog3 = Version15OpenDialog();
    state.OpenDialog2 = Version10OpenDialog();

    bool ok = false;
    state.ScreenFontName = state.registry.ReadString(kSettingsKey, QStringLiteral("ScreenFontName"), kDefaultScreenFontName);
    state.ScreenFontSize = state.registry.ReadString(kSettingsKey, QStringLiteral("ScreenFontSize"), QStringLiteral("16")).toInt(&ok);
    if (!ok) {
        state.ScreenFontName = kDefaultScreenFontName;
        state.ScreenFontSize = kDefaultScreenFontSize;
    }
    state.ScreenCharset = state.registry.ReadString(kSettingsKey, QStringLiteral("ScreenCharset"), QStringLiteral("15")).toInt(&ok);
    if (!ok) state.ScreenCharset = DisplayCharset::kSystemDefault;

    if (state.hooks.ResetInteraction) state.hooks.ResetInteraction();
    state.CurrentFileName.clear();
    state.Store.ClearSelection();
    state.View.Zoom = 100;

    state.ScrollStep = static_cast<int>(RoundHalfEven(info.clientWidth * 80.0 / 1024.0));

    if (!info.arguments.isEmpty()) {
        // A path with blanks may arrive split into several arguments.
        state.CurrentFileName = info.arguments.join(QLatin1Char(' '));
        if (!state.files.Read ||
            state.files.Read(state.Store, state.CurrentFileName, state.View, state.WindowOuterSize(), state.prompts) !=
                ReadStatus::Ok)
            state.CurrentFileName.clear();  // never leave a title that a Save would write an empty tree to
    }
}

static bool SaveSteps(AppState& state);

bool CheckModified(AppState& state) {
    // A save that fails on the disk ends the command that asked, so the tree is not thrown away.
    bool diskError = false;
    const bool goOn = CheckModified(state.Store, state.prompts, [&state, &diskError] { diskError = !SaveSteps(state); });
    return goOn && !diskError;
}

void New1Click(AppState& state) {
    if (!CheckModified(state)) return;
    state.CurrentFileName.clear();
    state.Store.ClearMemory();
    state.Store.Modified = false;
    state.Repaint();
}

void Open1Click(AppState& state) {
    if (!CheckModified(state)) return;
    state.OpenDialog1.fileName.clear();
    const std::optional<QString> chosen = state.prompts.OpenFileName(state.OpenDialog1);
    if (!chosen) return;

    state.SetBusyCursor(true);
    state.CurrentFileName = *chosen;
    const ReadStatus status = state.files.Read
        ? state.files.Read(state.Store, state.CurrentFileName, state.View, state.WindowOuterSize(), state.prompts)
        : ReadStatus::IoError;
    // A file that could not be read leaves the empty document untitled, so that a later Save
    // cannot write the empty tree over it.
    if (status != ReadStatus::Ok) state.CurrentFileName.clear();
    if (status == ReadStatus::IoError) {
        // The reader told the user and the command ends here; Modified is left as it was.
        state.Repaint();
        state.SetBusyCursor(false);
        return;
    }
    state.Store.Modified = false;
    state.Repaint();

    AutoQualityCheck(state, state.Options.QualityCheckOnOpen, false);

    state.SetBusyCursor(false);
    if (state.hooks.RefreshNameSearch) state.hooks.RefreshNameSearch();
    if (state.hooks.FocusMainWindow) state.hooks.FocusMainWindow();
    state.SetStatus(QStringLiteral("OK"));
}

// Save As up to its status line; false when a disk error ended the command.
static bool SaveAsSteps(AppState& state) {
    AutoQualityCheck(state, state.Options.QualityCheckOnSave, true);
    state.SaveDialog1.fileName = state.CurrentFileName;
    if (const std::optional<QString> chosen = state.prompts.SaveFileName(state.SaveDialog1)) {
        state.CurrentFileName = *chosen;
        if (!SaveCurrentFile(state)) return false;
    }
    state.SetStatus(QStringLiteral("OK"));
    return true;
}

// Save; false when a disk error ended the command.
static bool SaveSteps(AppState& state) {
    AutoQualityCheck(state, state.Options.QualityCheckOnSave, true);
    if (!state.CurrentFileName.isEmpty()) {
        if (!SaveCurrentFile(state)) return false;
    } else if (!SaveAsSteps(state)) {  // checks once more when the option is on
        return false;
    }
    state.SetStatus(QStringLiteral("OK"));
    return true;
}

void Save1Click(AppState& state) { SaveSteps(state); }

void SaveAs1Click(AppState& state) { SaveAsSteps(state); }

static void ImportOldVersion(AppState& state, FileDialogRequest& dialog,
                             const std::function<void(AppState&, const QString&)>& reader) {
    if (!reader || !CheckModified(state)) return;
    const std::optional<QString> chosen = state.prompts.OpenFileName(dialog);
    if (!chosen) return;
    state.CurrentFileName.clear();  // an imported tree is untitled: the next Save asks for a name
    state.SetBusyCursor(true);
    reader(state, *chosen);
    state.SetBusyCursor(false);
    state.Store.Modified = false;
    state.Repaint();
}

void Openversion1531Click(AppState& state) { ImportOldVersion(state, state.OpenDialog3, state.files.ReadV15); }
void Version101Click(AppState& state) { ImportOldVersion(state, state.OpenDialog2, state.files.ReadV1); }

bool FormCloseQuery(AppState& state) {
    // The tree font is kept whether or not the close goes ahead.
    state.registry.WriteString(kSettingsKey, QStringLiteral("ScreenFontName"), state.ScreenFontName);
    state.registry.WriteString(kSettingsKey, QStringLiteral("ScreenFontSize"), QString::number(state.ScreenFontSize));
    state.registry.WriteString(kSettingsKey, QStringLiteral("ScreenCharset"), QString::number(state.ScreenCharset));
    if (!CheckModified(state)) return false;
    state.Store.ClearMemory();
    if (state.hooks.CloseWelcome) state.hooks.CloseWelcome();
    return true;
}

}  // namespace kinloom
