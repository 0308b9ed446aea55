#pragma once
#include <QByteArray>
#include <QString>

namespace kinloom {

class Registry;

// Where a toolbar was left, kept below the current user's "KL_TB1" with one subkey per toolbar.
struct ToolbarPosition {
    QString DockedTo;  // "Left", "Top", "Right", "Bottom"; empty while floating
    int DockRow = 0;
    int DockPos = 0;
    int FloatLeft = 0, FloatTop = 0, FloatRight = 0, FloatBottom = 0, FloatRightX = 0;
    bool Visible = true;
    QByteArray WindowState;  // the window's own record of its bars, restored when present
};

inline const QString kToolbarKey = QStringLiteral("KL_TB1");

// With nothing stored the defaults come back and *found is false.
ToolbarPosition LoadToolbarPosition(Registry& registry, const QString& toolbarName, bool* found = nullptr);
void SaveToolbarPosition(Registry& registry, const QString& toolbarName, const ToolbarPosition& position);

}  // namespace kinloom
