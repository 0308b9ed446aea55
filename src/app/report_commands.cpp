#include "app/report_commands.h"

#include "app/app_state.h"
#include "canvas/render_tree.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"
#include "reports/alphabetical_list.h"
#include "reports/collect_files.h"
#include "reports/name_lists.h"
#include "platform/file_references.h"

namespace kinloom {

namespace {

// Asks where to save a list built by `build`, writes it and opens it with the desktop's text viewer.
template <typename Build>
void saveListCommand(AppState& state, const QString& title, Build build) {
    state.setBusyCursor(true);
    const std::vector<std::string> lines = build();
    state.setBusyCursor(false);

    FileDialogRequest request;
    request.title = title;
    request.defaultExtension = QStringLiteral("txt");
    request.filter = QStringLiteral("Text file (*.txt)|*.txt");
    request.promptOverwrite = true;
    const std::optional<QString> chosen = state.prompts.saveFileName(request);
    if (!chosen) return;

    QString error;
    if (!writeAlphabeticalList(lines, *chosen, &error)) {
        state.prompts.error(kAppTitle, QStringLiteral("Kinloom could not save the file %1.\n%2").arg(*chosen, error));
        return;
    }
    if (!state.hooks.openWithDefaultProgram || !state.hooks.openWithDefaultProgram(*chosen))
        state.prompts.inform(kAppTitle, QStringLiteral("File is saved, but Kinloom could not find your default text viewer."));
}

}  // namespace

void alphabeticalListCommand(AppState& state) {
    saveListCommand(state, QStringLiteral("Save alphabetical list"),
                    [&state] { return alphabeticalListLines(state.store, state.charset); });
}

void surnameListCommand(AppState& state) {
    saveListCommand(state, QStringLiteral("Save list of surnames"),
                    [&state] { return countLines(surnameRows(state.store, state.charset)); });
}

void placeListCommand(AppState& state) {
    saveListCommand(state, QStringLiteral("Save list of places"),
                    [&state] { return countLines(placeRows(state.store, state.charset)); });
}

void sourceListCommand(AppState& state) {
    saveListCommand(state, QStringLiteral("Save list of sources"),
                    [&state] { return sourceLines(sourceRows(state.store, state.charset)); });
}

bool saveTreeAsGifCommand(AppState& state, const PaintSettings& settings) {
    FileDialogRequest request;
    request.title = QStringLiteral("Save tree as GIF image");
    request.defaultExtension = QStringLiteral("gif");
    request.filter = QStringLiteral("GIF image (*.gif)|*.gif");
    request.promptOverwrite = true;
    const std::optional<QString> chosen = state.prompts.saveFileName(request);
    if (!chosen) return false;

    state.setBusyCursor(true);
    RenderOptions options;
    options.size = wholeTreeImageSize(state.store);
    options.settings = settings;
    options.settings.dragging = false;
    options.settings.paintEnabled = true;
    const QImage picture = renderTree(state.store, options);
    const QByteArray gif = picture.isNull() ? QByteArray() : encodeGif(picture);
    QString error = QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.")
                        .arg(options.size.width())
                        .arg(options.size.height());
    const bool saved = !gif.isEmpty() && writeFileAtomically(*chosen, gif, &error);
    state.setBusyCursor(false);
    if (!saved) state.prompts.error(kAppTitle, QStringLiteral("Kinloom could not save the file %1.\n%2").arg(*chosen, error));
    return saved;
}

void collectAllFilesCommand(AppState& state) {
    state.collectFilesDialog.fileName.clear();
    state.collectFilesDialog.title = QStringLiteral("Collect all files");
    const std::optional<QString> chosen = state.prompts.saveFileName(state.collectFilesDialog);
    if (!chosen) return;

    state.setBusyCursor(true);
    // Relative names are taken where the tree was until now, before the chosen file becomes the tree.
    const QString sourceFolder = treeFolderOf(state.currentFileName);
    state.currentFileName = *chosen;
    const CollectResult result = collectAllFiles(state.store, sourceFolder, *chosen, state.prompts, state.charset);
    state.repaint();
    state.setBusyCursor(false);
    if (result.saved) state.prompts.inform(QStringLiteral("Files saved"), collectResultMessage(result));
}

}  // namespace kinloom
