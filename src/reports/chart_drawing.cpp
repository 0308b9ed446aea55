#include "reports/chart_drawing.h"

#include "document/item_store.h"

namespace kinloom {

namespace {

constexpr double kCentreY = 32.5;  // a printed box's lines meet half way down it

}  // namespace

ChartDrawing::Line coupleLine(int32_t x, int32_t y, int32_t partnerX, int32_t partnerY) {
    return {x + 70.0, y + kCentreY, partnerX + 70.0, partnerY + kCentreY, true};
}

ChartDrawing::Line fatherLine(int32_t x, int32_t y, int32_t fatherX, int32_t fatherY) {
    return {x + 65.0, y + kCentreY, fatherX + 70.0, fatherY + kCentreY, false};
}

ChartDrawing::Line motherLine(int32_t x, int32_t y, int32_t motherX, int32_t motherY) {
    return {x + 75.0, y + kCentreY, motherX + 70.0, motherY + kCentreY, false};
}

ChartDrawing drawingOfStore(const ItemStore& store, bool selectedOnly) {
    ChartDrawing d;
    const auto includes = [selectedOnly](const PersonItem* item) { return item && (!selectedOnly || item->Selected); };
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        if (!includes(item)) continue;
        d.boxes.push_back({item, item->X, item->Y});
        for (int i = 1; i <= kMaxSpouses; ++i) {
            const PersonItem* spouse = item->Spouse[i];
            if (includes(spouse) && spouse->Id > item->Id) d.lines.push_back(coupleLine(item->X, item->Y, spouse->X, spouse->Y));
        }
        if (item->isAlias()) continue;
        if (includes(item->Father)) d.lines.push_back(fatherLine(item->X, item->Y, item->Father->X, item->Father->Y));
        if (includes(item->Mother)) d.lines.push_back(motherLine(item->X, item->Y, item->Mother->X, item->Mother->Y));
    }
    return d;
}

}  // namespace kinloom
