#include "app/toolbar_settings.h"

#include "platform/registry.h"

namespace kinloom {

namespace {
constexpr auto kUser = Registry::Root::CurrentUser;

int readInt(Registry& r, const QString& key, const QString& name) {
    return r.ReadString(kUser, key, name, QStringLiteral("0")).toInt();
}
}  // namespace

ToolbarPosition LoadToolbarPosition(Registry& registry, const QString& toolbarName, bool* found) {
    const QString key = kToolbarKey + QLatin1Char('\\') + toolbarName;
    ToolbarPosition p;
    const QString visible = registry.ReadString(kUser, key, QStringLiteral("Visible"), QString());
    if (found) *found = !visible.isEmpty();
    p.Visible = visible != QStringLiteral("0");
    p.DockedTo = registry.ReadString(kUser, key, QStringLiteral("DockedTo"), QString());
    p.DockRow = readInt(registry, key, QStringLiteral("DockRow"));
    p.DockPos = readInt(registry, key, QStringLiteral("DockPos"));
    p.FloatLeft = readInt(registry, key, QStringLiteral("FloatLeft"));
    p.FloatTop = readInt(registry, key, QStringLiteral("FloatTop"));
    p.FloatRight = readInt(registry, key, QStringLiteral("FloatRight"));
    p.FloatBottom = readInt(registry, key, QStringLiteral("FloatBottom"));
    p.FloatRightX = readInt(registry, key, QStringLiteral("FloatRightX"));
    p.WindowState = QByteArray::fromBase64(
        registry.ReadString(kUser, kToolbarKey, QStringLiteral("WindowState"), QString()).toLatin1());
    return p;
}

void SaveToolbarPosition(Registry& registry, const QString& toolbarName, const ToolbarPosition& p) {
    const QString key = kToolbarKey + QLatin1Char('\\') + toolbarName;
    registry.WriteString(kUser, key, QStringLiteral("DockedTo"), p.DockedTo);
    registry.WriteString(kUser, key, QStringLiteral("DockRow"), QString::number(p.DockRow));
    registry.WriteString(kUser, key, QStringLiteral("DockPos"), QString::number(p.DockPos));
    registry.WriteString(kUser, key, QStringLiteral("FloatLeft"), QString::number(p.FloatLeft));
    registry.WriteString(kUser, key, QStringLiteral("FloatTop"), QString::number(p.FloatTop));
    registry.WriteString(kUser, key, QStringLiteral("FloatRight"), QString::number(p.FloatRight));
    registry.WriteString(kUser, key, QStringLiteral("FloatBottom"), QString::number(p.FloatBottom));
    registry.WriteString(kUser, key, QStringLiteral("FloatRightX"), QString::number(p.FloatRightX));
    registry.WriteString(kUser, key, QStringLiteral("Visible"), p.Visible ? QStringLiteral("1") : QStringLiteral("0"));
    registry.WriteString(kUser, kToolbarKey, QStringLiteral("WindowState"), QString::fromLatin1(p.WindowState.toBase64()));
}

}  // namespace kinloom
