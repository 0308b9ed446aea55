#pragma once
#include "platform/charsets.h"

#include <QLocale>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// A person's line in the lists: "LastName FirstName (BornDate - DiedDate)" in the stored bytes,
// with every control character and blank trimmed at both ends.
std::string personListLine(const PersonItem& person);
// A text with every control character and blank trimmed at both ends.
std::string trimmedText(std::string_view text);

// The alphabetical list of all individuals: for every person in store order (alias boxes are no
// more persons), "LastName FirstName (BornDate - DiedDate)" trimmed at both ends, in the stored
// bytes. Sorted without regard to case, as the display character set reads the bytes, in the
// order of the locale's language (by character codes in the C locale).
std::vector<std::string> alphabeticalListLines(const ItemStore& store, const DisplayCharset& charset = DisplayCharset(),
                                               const QLocale& locale = QLocale());

// Writes the lines, each ended by CR LF, through a temporary file that replaces `fileName` only
// when complete. False when it could not be written; `error` then tells why.
bool writeAlphabeticalList(const std::vector<std::string>& lines, const QString& fileName, QString* error = nullptr);

}  // namespace kinloom
