#pragma once
#include "platform/charsets.h"

#include <QLocale>

#include <string>
#include <vector>

namespace kinloom {

class ItemStore;

// The lists of Reports > Alphabetical list besides all individuals. Names and lines are in the
// stored bytes, trimmed at both ends; blank names are left out. Each list is sorted without regard
// to case, as the display character set reads the bytes, in the order of the locale's language (by
// character codes in the C locale). Alias boxes are second boxes of persons, never persons.

// A name and how often it occurs.
struct CountRow {
    std::string name;
    int count = 0;
};

// Each surname with the number of persons who bear it, spelled exactly alike.
std::vector<CountRow> surnameRows(const ItemStore& store, const DisplayCharset& charset = DisplayCharset(),
                                  const QLocale& locale = QLocale());

// Each place named by a birth, baptism, death or marriage, with the number of those events there.
// A marriage is one event, though both partners' boxes hold its place.
std::vector<CountRow> placeRows(const ItemStore& store, const DisplayCharset& charset = DisplayCharset(),
                                const QLocale& locale = QLocale());

// A source text and the persons who cite it, as their lines in the list of all individuals.
struct SourceRow {
    std::string source;
    std::vector<std::string> persons;
};
std::vector<SourceRow> sourceRows(const ItemStore& store, const DisplayCharset& charset = DisplayCharset(),
                                  const QLocale& locale = QLocale());

// The lines written for the lists: "Name (count)", and a source followed by its persons, each
// indented by two blanks.
std::vector<std::string> countLines(const std::vector<CountRow>& rows);
std::vector<std::string> sourceLines(const std::vector<SourceRow>& rows);

}  // namespace kinloom
