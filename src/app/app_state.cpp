#include "app/app_state.h"

namespace kinloom {

QString Caption(const AppState& state) {
    QString caption = QStringLiteral("Kinloom ") + kVersionLabel;
    if (!state.CurrentFileName.isEmpty()) caption += QStringLiteral(" [") + state.CurrentFileName + QLatin1Char(']');
    return caption;
}

void ApplyCharset(AppState& state, int position) {
    state.ScreenCharset = position;
    state.Charset = DisplayCharset(position);
    if (state.hooks.CharsetChanged) state.hooks.CharsetChanged();
}

bool ChooseTreeFont(AppState& state) {
    QFont initial(state.ScreenFontName);
    initial.setPointSize(state.ScreenFontSize > 0 ? state.ScreenFontSize : kDefaultScreenFontSize);
    const std::optional<QFont> chosen = state.prompts.ChooseFont(initial);
    if (!chosen) return false;
    state.ScreenFontName = chosen->family();
    if (chosen->pointSize() > 0) state.ScreenFontSize = chosen->pointSize();
    return true;
}

}  // namespace kinloom
