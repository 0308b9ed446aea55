#pragma once
#include "document/view_state.h"

#include <QString>

#include <optional>

namespace kinloom {

class ItemStore;
class Registry;

// The two arrangements of a whole tree: the family chart, and auto arrange's generation rows.
enum class ArrangeStyle { FamilyChart, GenerationRows };

// "Family chart" / "Generation rows", as the Options dialog lists them.
QString arrangeStyleName(ArrangeStyle style);
// kinloom-cli's words for them: "chart" / "rows"; nothing for any other word.
std::optional<ArrangeStyle> arrangeStyleFromWord(const QString& word);

// How the GEDCOM import arranges a tree, kept below "Software\Kinloom.2.0" as "Import_Arrangement"
// ("Family chart" or "Generation rows"); anything else reads as the family chart.
inline const QString kImportArrangementValue = QStringLiteral("Import_Arrangement");
ArrangeStyle readImportArrangement(Registry& registry);
void writeImportArrangement(Registry& registry, ArrangeStyle style);

// Arranges the whole tree without asking and centres the home item at 100 % in the window: auto
// arrange (whose deepest item becomes home) or the family chart (which keeps the home item).
void arrangeWholeTree(ItemStore& store, ViewState& view, WindowSize window, ArrangeStyle style);

}  // namespace kinloom
