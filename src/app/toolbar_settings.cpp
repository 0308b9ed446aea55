#include "app/toolbar_settings.h"

#include "platform/registry.h"

namespace kinloom {

namespace {
constexpr auto kUser = Registry::Root::CurrentUser;

int readInt(Registry& r, const QString& key, const QString& name) {
    return r.readString(kUser, key, name, QStringLiteral("0")).toInt();
}
}  // namespace

ToolbarPosition loadToolbarPosition(Registry& registry, const QString& toolbarName, bool* found) {
    const QString key = kToolbarKey + QLatin1Char('\\') + toolbarName;
    ToolbarPosition p;
    const QString visible = registry.readString(kUser, key, QStringLiteral("Visible"), QString());
    if (found) *found = !visible.isEmpty();
    p.visible = visible != QStringLiteral("0");
    p.dockedTo = registry.readString(kUser, key, QStringLiteral("DockedTo"), QString());
    p.dockRow = readInt(registry, key, QStringLiteral("DockRow"));
    p.dockPos = readInt(registry, key, QStringLiteral("DockPos"));
    p.floatLeft = readInt(registry, key, QStringLiteral("FloatLeft"));
    p.floatTop = readInt(registry, key, QStringLiteral("FloatTop"));
    p.floatRight = readInt(registry, key, QStringLiteral("FloatRight"));
    p.floatBottom = readInt(registry, key, QStringLiteral("FloatBottom"));
    p.floatRightX = readInt(registry, key, QStringLiteral("FloatRightX"));
    p.windowState = QByteArray::fromBase64(
        registry.readString(kUser, kToolbarKey, QStringLiteral("WindowState"), QString()).toLatin1());
    return p;
}

void saveToolbarPosition(Registry& registry, const QString& toolbarName, const ToolbarPosition& p) {
    const QString key = kToolbarKey + QLatin1Char('\\') + toolbarName;
    registry.writeString(kUser, key, QStringLiteral("DockedTo"), p.dockedTo);
    registry.writeString(kUser, key, QStringLiteral("DockRow"), QString::number(p.dockRow));
    registry.writeString(kUser, key, QStringLiteral("DockPos"), QString::number(p.dockPos));
    registry.writeString(kUser, key, QStringLiteral("FloatLeft"), QString::number(p.floatLeft));
    registry.writeString(kUser, key, QStringLiteral("FloatTop"), QString::number(p.floatTop));
    registry.writeString(kUser, key, QStringLiteral("FloatRight"), QString::number(p.floatRight));
    registry.writeString(kUser, key, QStringLiteral("FloatBottom"), QString::number(p.floatBottom));
    registry.writeString(kUser, key, QStringLiteral("FloatRightX"), QString::number(p.floatRightX));
    registry.writeString(kUser, key, QStringLiteral("Visible"), p.visible ? QStringLiteral("1") : QStringLiteral("0"));
    registry.writeString(kUser, kToolbarKey, QStringLiteral("WindowState"), QString::fromLatin1(p.windowState.toBase64()));
}

}  // namespace kinloom
