#include "layout/arrange_style.h"

#include "layout/auto_arrange.h"
#include "layout/family_chart.h"
#include "platform/registry.h"

namespace kinloom {

QString arrangeStyleName(ArrangeStyle style) {
    return style == ArrangeStyle::FamilyChart ? QStringLiteral("Family chart") : QStringLiteral("Generation rows");
}

std::optional<ArrangeStyle> arrangeStyleFromWord(const QString& word) {
    if (word == QLatin1String("chart")) return ArrangeStyle::FamilyChart;
    if (word == QLatin1String("rows")) return ArrangeStyle::GenerationRows;
    return std::nullopt;
}

ArrangeStyle readImportArrangement(Registry& registry) {
    const QString name = registry.readString(kSettingsKey, kImportArrangementValue, arrangeStyleName(ArrangeStyle::FamilyChart));
    return name == arrangeStyleName(ArrangeStyle::GenerationRows) ? ArrangeStyle::GenerationRows : ArrangeStyle::FamilyChart;
}

void writeImportArrangement(Registry& registry, ArrangeStyle style) {
    registry.writeString(kSettingsKey, kImportArrangementValue, arrangeStyleName(style));
}

void arrangeWholeTree(ItemStore& store, ViewState& view, WindowSize window, ArrangeStyle style) {
    if (style == ArrangeStyle::GenerationRows)
        arrangeAllItems(store, view, window);
    else
        arrangeAsFamilyChart(store, view, window);
}

}  // namespace kinloom
