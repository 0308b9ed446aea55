#include "help/tips.h"

#include "platform/registry.h"

namespace kinloom {

const QStringList& tipsOfTheDay() {
    static const QStringList tips = {
        QStringLiteral("Right-click the canvas for a menu of the most common tasks: new item, link, go to, align "
                       "and alias commands."),
        QStringLiteral("To give a person a father, select the person, press <b>F</b> and click the father's box. "
                       "Click empty canvas instead and a new box is made for him. <b>M</b> links a mother and "
                       "<b>L</b> a spouse the same way."),
        QStringLiteral("Press <b>Enter</b> to edit the selected person, or <b>Ctrl+N</b> for a new box that "
                       "follows the pointer until you click."),
        QStringLiteral("A person who belongs in two branches of the drawing can stand twice: <b>Ctrl+A</b> makes an "
                       "alias box, and a double-click on it jumps to the original."),
        QStringLiteral("Select a person without parents and choose <i>Edit › Create Ancestor Tree</i> to lay out "
                       "empty boxes for up to eight generations of ancestors."),
        QStringLiteral("<i>Tools › Auto Arrange Items</i> lays out a whole tree in generation rows, for instance "
                       "after a GEDCOM import."),
        QStringLiteral("Hold <b>Shift</b> and press an arrow key to jump to the nearest box in that direction; the "
                       "plain arrow keys scroll the view."),
        QStringLiteral("Hold <b>Ctrl</b> and drag a band to zoom to that area; hold <b>Alt</b> and drag to move "
                       "the whole tree."),
        QStringLiteral("Drag a band over several boxes to select them, then drag one of them to move the group, "
                       "or align them with <i>Edit › Align</i>."),
        QStringLiteral("The Navigator (<b>F8</b>) scrolls and zooms with its buttons, and the Name Search "
                       "(<b>F9</b>) finds a person as you type."),
        QStringLiteral("Press <b>F1</b> at any time to open this manual."),
    };
    return tips;
}

TipSettings readTipSettings(Registry& registry) {
    TipSettings s;
    s.showAtStartup = registry.readYesNo(kSettingsKey, kShowTipsValue, true);
    bool ok = false;
    const int next = registry.readString(kSettingsKey, kNextTipValue, QStringLiteral("0")).toInt(&ok);
    const int count = static_cast<int>(tipsOfTheDay().size());
    s.next = ok && next >= 0 ? next % count : 0;
    return s;
}

void writeTipSettings(Registry& registry, const TipSettings& settings) {
    registry.writeYesNo(kSettingsKey, kShowTipsValue, settings.showAtStartup);
    registry.writeString(kSettingsKey, kNextTipValue, QString::number(settings.next));
}

}  // namespace kinloom
