#pragma once
#include <optional>
#include <string_view>

namespace kinloom {

// The year of a date as the program stores it, free text: the last number of exactly four digits
// in it ("abt 12 Mar 1850" and "1850-1852" give 1850 and 1852). A date without one has no known
// year.
std::optional<int> yearOfDate(std::string_view date);

}  // namespace kinloom
