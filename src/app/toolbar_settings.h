#pragma once
#include <QByteArray>
#include <QString>

namespace kinloom {

class Registry;

// Where a toolbar was left, kept below the current user's "KL_TB1" with one subkey per toolbar.
struct ToolbarPosition {
    QString dockedTo;  // "Left", "Top", "Right", "Bottom"; empty while floating
    int dockRow = 0;
    int dockPos = 0;
    int floatLeft = 0, floatTop = 0, floatRight = 0, floatBottom = 0, floatRightX = 0;
    bool visible = true;
    QByteArray windowState;  // the window's own record of its bars, restored when present
};

inline const QString kToolbarKey = QStringLiteral("KL_TB1");

// With nothing stored the defaults come back and *found is false.
ToolbarPosition loadToolbarPosition(Registry& registry, const QString& toolbarName, bool* found = nullptr);
void saveToolbarPosition(Registry& registry, const QString& toolbarName, const ToolbarPosition& position);

}  // namespace kinloom
