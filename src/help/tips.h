#pragma once
#include <QString>
#include <QStringList>

namespace kinloom {

class Registry;

// The tips of the tips window, in the order they are shown; each is a short piece of HTML.
const QStringList& tipsOfTheDay();

// Whether a tip is shown at start-up and which one comes next, kept with the other settings
// below "Software\Kinloom.2.0".
struct TipSettings {
    bool showAtStartup = true;
    int next = 0;  // index into tipsOfTheDay(), always within it after reading
};
inline const QString kShowTipsValue = QStringLiteral("Show_Tips");
inline const QString kNextTipValue = QStringLiteral("Next_Tip");

TipSettings readTipSettings(Registry& registry);
void writeTipSettings(Registry& registry, const TipSettings& settings);

}  // namespace kinloom
