#include "reports/person_chart.h"

#include "document/item_store.h"
#include "layout/family_chart.h"
#include "platform/charsets.h"

namespace kinloom {

PersonChart personChart(ItemStore& store, ChartKind kind, const PersonItem* person, int generations) {
    PersonChart chart;
    // The graph numbers the items by their place in the list; `at` finds them again.
    std::vector<const PersonItem*> at;
    at.reserve(static_cast<size_t>(store.itemCount()));
    int32_t start = -1;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p == person) start = static_cast<int32_t>(at.size());
        at.push_back(p);
    }
    if (at.empty() || (kind != ChartKind::CompleteTree && start < 0)) return chart;

    const FamilyGraph tree = familyGraphOf(store);
    const ChartSelection chosen = PersonLinks(tree).select(kind, start, generations);
    const std::vector<ChartPoint> places = familyChartPositions(chosen.graph);
    const FamilyGraph& g = chosen.graph;
    chart.generations = chosen.generations;
    ChartDrawing& d = chart.drawing;
    d.boxes.reserve(chosen.items.size());
    for (size_t i = 0; i < chosen.items.size(); ++i) d.boxes.push_back({at[chosen.items[i]], places[i].x, places[i].y});
    for (size_t i = 0; i < chosen.items.size(); ++i) {
        const ChartPoint p = places[i];
        for (uint32_t e = g.partnerStart[i]; e < g.partnerStart[i + 1]; ++e)
            if (static_cast<size_t>(g.partners[e]) > i) d.lines.push_back(coupleLine(p.x, p.y, places[g.partners[e]].x, places[g.partners[e]].y));
        if (g.father[i] >= 0) d.lines.push_back(fatherLine(p.x, p.y, places[g.father[i]].x, places[g.father[i]].y));
        if (g.mother[i] >= 0) d.lines.push_back(motherLine(p.x, p.y, places[g.mother[i]].x, places[g.mother[i]].y));
    }
    return chart;
}

QString chartTitle(ChartKind kind, const PersonItem* person, const DisplayCharset& charset) {
    if (kind == ChartKind::CompleteTree || !person) return QStringLiteral("Complete tree");
    // An alias carries its original's names.
    const QString name = (charset.decode(person->FirstName) + QLatin1Char(' ') + charset.decode(person->LastName)).trimmed();
    return (kind == ChartKind::Ancestors ? QStringLiteral("Ancestors of %1") : QStringLiteral("Descendants of %1")).arg(name);
}

QString describeChart(const PersonChart& chart) {
    const int n = chart.persons();
    QString text = n == 1 ? QStringLiteral("1 person") : QStringLiteral("%1 persons").arg(n);
    if (chart.generations > 0)
        text += chart.generations == 1 ? QStringLiteral(" in 1 generation")
                                       : QStringLiteral(" in %1 generations").arg(chart.generations);
    return text;
}

}  // namespace kinloom
