#include "gedcom/export_lines.h"

#include "platform/charsets.h"

namespace kinloom {

namespace {

// The level of a line's head ("2 PLAC " gives 2); continuation lines go one deeper.
int levelOf(std::string_view head) {
    int level = 0;
    for (const char c : head) {
        if (c < '0' || c > '9') break;
        level = level * 10 + (c - '0');
    }
    return level;
}

bool isAscii(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

void appendGedcomLine(std::string& out, std::string_view head, std::string_view value) {
    std::string cont;  // "3 CONT", made at the first break
    size_t start = 0;
    for (;;) {
        const size_t end = value.find_first_of("\r\n", start);
        const std::string_view part = value.substr(start, end == std::string_view::npos ? end : end - start);
        if (cont.empty()) {
            out.append(head);
        } else {
            out.append(cont);
            if (!part.empty()) out.push_back(' ');
        }
        out.append(part);
        out.append("\r\n");
        if (end == std::string_view::npos) return;
        start = end + (value[end] == '\r' && end + 1 < value.size() && value[end + 1] == '\n' ? 2 : 1);
        if (cont.empty()) cont = std::to_string(levelOf(head) + 1) + " CONT";
    }
}

void GedcomCharsetTally::add(std::string_view piece) {
    if (isAscii(piece)) return;
    beyondAscii_ = true;
    if (validUtf8_ && !isValidUtf8(piece)) validUtf8_ = false;
}

const char* gedcomCharsetOf(std::string_view bytes) {
    return !isAscii(bytes) && isValidUtf8(bytes) ? "UTF-8" : "ANSI";
}

std::string cutText(std::string_view text, size_t n) {
    if (text.size() <= n) return std::string(text);
    size_t end = n;
    if (!isAscii(text) && isValidUtf8(text))
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // inside a character
    return std::string(text.substr(0, end));
}

}  // namespace kinloom
