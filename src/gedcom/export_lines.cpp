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

bool continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where a text too long for `room` bytes is split: as late as possible, but neither inside a UTF-8
// character nor beside a blank; a long run of blanks is split anyway.
size_t splitPoint(std::string_view text, size_t room) {
    for (size_t at = room; at > room / 2; --at)
        if (!continuesCharacter(text[at]) && text[at] != ' ' && text[at - 1] != ' ') return at;
    size_t at = room;
    while (at > 1 && continuesCharacter(text[at])) --at;
    return at;
}

}  // namespace

void appendGedcomLine(std::string& out, std::string_view head, std::string_view value) {
    std::string level;  // of the continuation lines, made at the first one
    const auto continuation = [&](const char* tag) {
        if (level.empty()) level = std::to_string(levelOf(head) + 1);
        out.append(level);
        out.append(tag);
    };
    size_t start = 0;
    for (bool first = true;; first = false) {
        const size_t end = value.find_first_of("\r\n", start);
        std::string_view part = value.substr(start, end == std::string_view::npos ? end : end - start);
        size_t lineStart = out.size();
        if (first) {
            out.append(head);
        } else {
            continuation(" CONT");
            if (!part.empty()) out.push_back(' ');
        }
        while (out.size() - lineStart + part.size() > kMaxGedcomLine) {
            const size_t room = kMaxGedcomLine > out.size() - lineStart + 1 ? kMaxGedcomLine - (out.size() - lineStart) : 1;
            const size_t at = splitPoint(part, room);
            out.append(part.substr(0, at));
            out.append("\r\n");
            part.remove_prefix(at);
            lineStart = out.size();
            continuation(" CONC ");
        }
        out.append(part);
        out.append("\r\n");
        if (end == std::string_view::npos) return;
        start = end + (value[end] == '\r' && end + 1 < value.size() && value[end + 1] == '\n' ? 2 : 1);
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

}  // namespace kinloom
