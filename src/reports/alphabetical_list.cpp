#include "reports/alphabetical_list.h"

#include "document/item_store.h"
#include "platform/save_file.h"
#include "reports/name_order.h"


#include <algorithm>
#include <cstdint>
#include <string_view>

namespace kinloom {

namespace {

// Trims as the list always has: every control character and blank at both ends goes.
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::string trimmedText(std::string_view text) { return std::string(trimmed(text)); }

namespace {

// Appends the person's line to `text`, trimmed as personListLine trims it.
void appendPersonListLine(const PersonItem& p, std::string& text) {
    const size_t start = text.size();
    text.append(p.LastName.view()).append(" ").append(p.FirstName.view()).append(" (");
    text.append(p.BornDate.view()).append(" - ").append(p.DiedDate.view()).append(")");
    const std::string_view line = trimmed(std::string_view(text).substr(start));
    const size_t from = static_cast<size_t>(line.data() - text.data());
    if (from != start) text.erase(start, from - start);
    text.resize(start + line.size());
}

}  // namespace

std::string personListLine(const PersonItem& p) {
    std::string line;
    line.reserve(static_cast<size_t>(p.LastName.length() + p.FirstName.length() + p.BornDate.length() + p.DiedDate.length() + 8));
    appendPersonListLine(p, line);
    return line;
}

std::vector<std::string> alphabeticalListLines(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    // The lines one after the other in one text until they are sorted: a million small strings
    // would each be made, read in the sorted order from all over memory, and freed.
    std::string text;
    std::vector<size_t> ends;
    ends.reserve(static_cast<size_t>(store.itemCount()));
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;  // an alias box is a second box of a person listed already
        appendPersonListLine(*p, text);
        ends.push_back(text.size());
    }
    auto line = [&](size_t i) { return std::string_view(text).substr(i ? ends[i - 1] : 0, ends[i] - (i ? ends[i - 1] : 0)); };
    const std::vector<uint32_t> order = NameOrder(locale).namesOrder(ends.size(), [&](size_t i) { return cs.decode(line(i)); });
    std::vector<std::string> sorted;
    sorted.reserve(ends.size());
    for (const uint32_t i : order) sorted.emplace_back(line(i));
    return sorted;
}

bool writeAlphabeticalList(const std::vector<std::string>& lines, const QString& fileName, QString* error) {
    QByteArray bytes;
    size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 2;
    bytes.reserve(static_cast<qsizetype>(size));
    for (const std::string& l : lines) bytes.append(l.data(), static_cast<qsizetype>(l.size())).append("\r\n");

    return writeFileAtomically(fileName, bytes, error);
}

}  // namespace kinloom
