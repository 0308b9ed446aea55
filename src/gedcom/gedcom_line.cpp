#include "gedcom/gedcom_line.h"

#include <charconv>

namespace kinloom {

namespace {
bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The level of a line: a whole decimal number with an optional sign, nothing else.
bool parseLevel(std::string_view text, int& level) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), level);
    return ec == std::errc() && end == text.data() + text.size();
}
}  // namespace

std::string_view trimGedcomText(std::string_view text) {
    while (!text.empty() && isTrimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back())) text.remove_suffix(1);
    return text;
}

bool parseGedcomLine(std::string_view line, GedcomLine& out) {
    out.level = 0;
    out.tag.clear();
    out.value.clear();
    line = trimGedcomText(line);
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return true;
    if (!parseLevel(line.substr(0, blank), out.level)) return false;
    const std::string_view rest = line.substr(blank + 1);
    const size_t second = rest.find(' ');
    if (second == std::string_view::npos) {
        out.tag.assign(rest);
        return true;
    }
    out.tag.assign(rest.substr(0, second));
    // Values longer than 255 characters are cut; no item field holds more than 247 anyway.
    out.value.assign(trimGedcomText(rest.substr(second + 1, 255)));
    return true;
}

std::string_view rawGedcomValue(std::string_view line) {
    while (!line.empty() && isTrimmed(line.front())) line.remove_prefix(1);
    // Control characters end nothing that was typed; a blank at the end may be part of the value.
    while (!line.empty() && static_cast<unsigned char>(line.back()) < 0x20) line.remove_suffix(1);
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return {};
    const size_t second = line.find(' ', blank + 1);
    if (second == std::string_view::npos) return {};
    return line.substr(second + 1, 255);
}

void splitGedcomName(std::string_view value, std::string& given, std::string& surname) {
    const size_t slash = value.find('/');
    if (slash == std::string_view::npos) {
        given.assign(value);
        surname.clear();
        return;
    }
    given.assign(trimGedcomText(value.substr(0, slash)));
    const size_t closing = value.find('/', slash + 1);
    if (given.empty() && closing != std::string_view::npos) {
        // "/Liu/ Qin": the surname written first, as Chinese, Korean and Hawaiian names are.
        given.assign(trimGedcomText(value.substr(closing + 1)));
        surname.assign(trimGedcomText(value.substr(slash + 1, closing - slash - 1)));
        return;
    }
    std::string rest(trimGedcomText(value.substr(slash + 1)));
    const size_t second = rest.find('/');
    if (second != std::string::npos) rest.erase(second, 1);
    surname = std::move(rest);
}

}  // namespace kinloom
