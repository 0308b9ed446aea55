#include "canvas/tree_font.h"

#include "platform/charsets.h"
#include "platform/registry.h"

namespace kinloom {

StoredTreeFont readStoredTreeFont(Registry& registry) {
    StoredTreeFont font;
    bool ok = false;
    font.name = registry.readString(kSettingsKey, QStringLiteral("ScreenFontName"), kDefaultScreenFontName);
    font.size = registry.readString(kSettingsKey, QStringLiteral("ScreenFontSize"), QStringLiteral("16")).toInt(&ok);
    if (!ok) {
        font.name = kDefaultScreenFontName;
        font.size = kDefaultScreenFontSize;
    }
    font.charset = registry.readString(kSettingsKey, QStringLiteral("ScreenCharset"), QStringLiteral("15")).toInt(&ok);
    if (!ok) font.charset = DisplayCharset::kSystemDefault;
    return font;
}

}  // namespace kinloom
