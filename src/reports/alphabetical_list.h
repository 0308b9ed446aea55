#pragma once
#include "platform/charsets.h"

#include <QString>

#include <string>
#include <vector>

namespace kinloom {

class ItemStore;

// The alphabetical list of all individuals: for every item in store order, alias placements
// included, "LastName FirstName (BornDate - DiedDate)" trimmed at both ends, in the stored bytes.
// Sorted without regard to case, as the display character set reads the bytes.
std::vector<std::string> alphabeticalListLines(const ItemStore& store,
                                               const DisplayCharset& charset = DisplayCharset());

// Writes the lines, each ended by CR LF, through a temporary file that replaces `fileName` only
// when complete. False when it could not be written; `error` then tells why.
bool writeAlphabeticalList(const std::vector<std::string>& lines, const QString& fileName, QString* error = nullptr);

}  // namespace kinloom
