#pragma once
#include "platform/charsets.h"

#include <QLocale>

#include <string>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// What Reports > Missing information looks for.
enum class MissingField { BirthDate, DeathDate, Surname };

// A person the information is missing for, with its line in the list of all individuals.
struct MissingRow {
    const PersonItem* person = nullptr;
    std::string line;
};

// The persons (never alias boxes) who lack the field, sorted as the list of all individuals:
// - a birth date, when the born date holds no year;
// - a death date, when the died date holds no year and the person must have died: born more than
//   110 years before `currentYear`, or with a death place;
// - a surname, when the last name is blank.
std::vector<MissingRow> missingInformation(const ItemStore& store, MissingField field, int currentYear,
                                           const DisplayCharset& charset = DisplayCharset(),
                                           const QLocale& locale = QLocale());

// The list's heading, e.g. "Persons without a birth date".
const char* missingInformationTitle(MissingField field);

}  // namespace kinloom
