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

std::string personListLine(const PersonItem& p) {
    std::string line;
    line.reserve(static_cast<size_t>(p.LastName.length() + p.FirstName.length() + p.BornDate.length() + p.DiedDate.length() + 8));
    line.append(p.LastName.view()).append(" ").append(p.FirstName.view()).append(" (");
    line.append(p.BornDate.view()).append(" - ").append(p.DiedDate.view()).append(")");
    return std::string(trimmed(line));
}

std::vector<std::string> alphabeticalListLines(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(store.itemCount()));
    for (const PersonItem* p = store.firstItem(); p; p = p->Next)
        if (!p->isAlias()) lines.push_back(personListLine(*p));  // an alias box is a second box of a person listed already
    const std::vector<uint32_t> order =
        NameOrder(locale).namesOrder(lines.size(), [&](size_t i) { return cs.decode(lines[i]); });
    // Copies, made in the order in which the caller will free them; the lines above are freed in
    // the order they were made. A million small blocks freed shuffled cost more than the copies.
    std::vector<std::string> sorted;
    sorted.reserve(lines.size());
    for (const uint32_t i : order) sorted.push_back(lines[i]);
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
