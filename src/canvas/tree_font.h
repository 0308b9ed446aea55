#pragma once
#include <QString>

namespace kinloom {

class Registry;

// The tree font when none is stored: its face, and its cell height in canvas units.
inline const QString kDefaultScreenFontName = QStringLiteral("Times New Roman");
inline constexpr int kDefaultScreenFontSize = 16;

// The tree font and the display character set (its list position) as the program stored them.
struct StoredTreeFont {
    QString name;
    int size = kDefaultScreenFontSize;
    int charset = 0;
};

// Reads "ScreenFontName", "ScreenFontSize" and "ScreenCharset" below the settings key. A size that
// is not a number brings back the whole default font; a character set that is not a number gives
// System Default.
StoredTreeFont readStoredTreeFont(Registry& registry);

}  // namespace kinloom
