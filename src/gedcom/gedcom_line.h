#pragma once
#include <string>
#include <string_view>

namespace kinloom {

// One GEDCOM line taken apart: "0 @I12@ INDI" gives level 0, tag "@I12@" and value "INDI".
struct GedcomLine {
    int level = 0;
    std::string tag;
    std::string value;
};

// Removes blanks and control characters (every byte up to 0x20) from both ends.
std::string_view trimGedcomText(std::string_view text);

// Takes one line apart. A line without a blank (an empty line too) is level 0 with no tag or value.
// Returns false when the text before the first blank is not an integer: the import stops there.
bool parseGedcomLine(std::string_view line, GedcomLine& out);

// The value of a line as written, blanks at its ends included, after the one blank that ends the
// tag: what a CONC line adds to the value above it ("2 CONC  and" adds " and"). Cut at 255 bytes.
std::string_view rawGedcomValue(std::string_view line);

// Splits a NAME value into the given names and the surname: "John /Smith/ Jr" gives "John" and
// "Smith Jr"; a value without "/" is all given names. A name that starts with its surname between
// slashes, "/Liu/ Qin", gives "Qin" and "Liu".
void splitGedcomName(std::string_view value, std::string& given, std::string& surname);

}  // namespace kinloom
