#include "canvas/spouse_unlink.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/prompts.h"

namespace kinloom {

QStringList spouseUnlinkLines(const PersonItem& item, const DisplayCharset& cs) {
    QStringList lines;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        const PersonItem* s = item.Spouse[i];
        if (!s) continue;
        lines << cs.decode(s->FirstName) + QLatin1Char(' ') + cs.decode(s->LastName) + QStringLiteral(" (") +
                     cs.decode(s->BornDate) + QStringLiteral(" - ") + cs.decode(s->DiedDate) + QLatin1Char(')');
    }
    return lines;
}

int filledSpouseSlot(const PersonItem& item, int rank) {
    if (rank < 0) return 0;
    for (int i = 1; i <= kMaxSpouses; ++i)
        if (item.Spouse[i] && rank-- == 0) return i;
    return 0;
}

bool deleteSpouseLink(ItemStore& store, PersonItem& item, int rank, Prompts& prompts) {
    const int b = filledSpouseSlot(item, rank);
    if (b == 0) return false;
    PersonItem* spouse = item.Spouse[b];
    store.touch(&item);
    store.touch(spouse);
    const int back = partnerSlotOf(*spouse, &item, item.MarriageDate[b], item.MarriagePlace[b], item.SpouseType[b]);
    if (back > 0)
        spouse->Spouse[back] = nullptr;
    else if (back < 0)
        prompts.message(kAppTitle,
                        QStringLiteral("Relationship could not be deleted on both sides because date or "
                                       "place did not match"),
                        PromptButtons::Ok, PromptIcon::Warning);
    item.Spouse[b] = nullptr;
    store.modified = true;
    return true;
}

}  // namespace kinloom
