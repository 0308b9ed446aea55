#include "app/app_state.h"

namespace kinloom {

QString caption(const AppState& state) { return windowCaption(state.currentFileName); }

void applyCharset(AppState& state, int position) {
    state.screenCharset = position;
    state.charset = DisplayCharset(position);
    if (state.hooks.charsetChanged) state.hooks.charsetChanged();
}

void fillTreePaintSettings(PaintSettings& settings, const AppState& state) {
    settings.screenFontName = state.screenFontName;
    settings.screenFontSize = state.screenFontSize;
    settings.currentFileName = state.currentFileName;
    settings.charset = &state.charset;
    settings.paintEnabled = state.paintEnabled;
}

bool chooseTreeFont(AppState& state) {
    QFont initial(state.screenFontName);
    initial.setPointSize(state.screenFontSize > 0 ? state.screenFontSize : kDefaultScreenFontSize);
    const std::optional<QFont> chosen = state.prompts.chooseFont(initial);
    if (!chosen) return false;
    state.screenFontName = chosen->family();
    if (chosen->pointSize() > 0) state.screenFontSize = chosen->pointSize();
    return true;
}

}  // namespace kinloom
