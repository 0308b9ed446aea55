#include "reports/missing_information.h"

#include "document/item_store.h"
#include "reports/alphabetical_list.h"
#include "reports/date_year.h"
#include "reports/name_order.h"

namespace kinloom {

namespace {

// Persons older than this are surely dead, so their death date is missing information.
constexpr int kSurelyDeadAfterYears = 110;

bool blank(std::string_view text) { return trimmedText(text).empty(); }

bool lacks(const PersonItem& p, MissingField field, int currentYear) {
    switch (field) {
    case MissingField::BirthDate:
        return !yearOfDate(p.BornDate.view());
    case MissingField::DeathDate: {
        if (yearOfDate(p.DiedDate.view())) return false;
        if (!blank(p.DiedPlace.view())) return true;
        const std::optional<int> born = yearOfDate(p.BornDate.view());
        return born && currentYear - *born > kSurelyDeadAfterYears;
    }
    case MissingField::Surname:
        return blank(p.LastName.view());
    }
    return false;
}

}  // namespace

std::vector<MissingRow> missingInformation(const ItemStore& store, MissingField field, int currentYear,
                                           const DisplayCharset& cs, const QLocale& locale) {
    std::vector<MissingRow> rows;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next)
        if (!p->isAlias() && lacks(*p, field, currentYear)) rows.push_back({p, personListLine(*p)});
    NameOrder(locale).sortNames(rows, [&cs](const MissingRow& r) { return cs.decode(r.line); });
    return rows;
}

const char* missingInformationTitle(MissingField field) {
    switch (field) {
    case MissingField::BirthDate:
        return "Persons without a birth date";
    case MissingField::DeathDate:
        return "Persons without a death date";
    case MissingField::Surname:
        return "Persons without a surname";
    }
    return "";
}

}  // namespace kinloom
