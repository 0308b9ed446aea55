#pragma once
#include <string>
#include <string_view>

namespace kinloom {

// Appends one line of the export, head ("2 PLAC ") and value, ended by CR LF. A line break in the
// value (CR LF, CR or LF) goes on as a continuation line one level deeper ("3 CONT ..."), so that
// no line of the file starts where a field's text chose and other programs read the whole value.
// A line longer than kMaxGedcomLine bytes goes on in "3 CONC" lines, split neither inside a UTF-8
// character nor beside a blank (some readers drop blanks at the ends of a line).
void appendGedcomLine(std::string& out, std::string_view head, std::string_view value);
inline constexpr size_t kMaxGedcomLine = 255;

// The character set a file's header declares for the bytes written: "UTF-8" when they are valid
// UTF-8 and hold something beyond ASCII (texts typed or imported under System Default), "ANSI"
// otherwise.
const char* gedcomCharsetOf(std::string_view bytes);

// The same answer for bytes seen piece by piece, each piece ending at a line end.
class GedcomCharsetTally {
public:
    void add(std::string_view piece);
    const char* charset() const { return beyondAscii_ && validUtf8_ ? "UTF-8" : "ANSI"; }

private:
    bool beyondAscii_ = false;
    bool validUtf8_ = true;
};

}  // namespace kinloom
