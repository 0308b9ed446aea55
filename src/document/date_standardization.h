#pragma once
#include <QString>

#include <string>
#include <string_view>

namespace kinloom {

// The "Autoformat dates according to GEDCOM standard" option (dateStandardization, "Yes" by
// default). Passed in so that the rules need no settings store.
struct DateOptions {
    bool dateStandardization = true;
};

// Rewrites common numeric and mixed date notations into GEDCOM order: prefix, day, three-letter
// month, year ("12/25/1900" gives "25 Dec 1900"). Text that is not such a date ("1938-1940",
// "2/30/1900", "abt 1900") comes back as typed, trimmed; with the option off it is returned unchanged.
QString standardizeDate(const QString& text, DateOptions options);
// The same rules on stored 8-bit text (tree files): each byte is one character.
std::string standardizeDate(std::string_view bytes, DateOptions options);

}  // namespace kinloom
