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
    struct Entry {
        QString key;
        std::string line;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(store.itemCount()));
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;  // a second box of a person listed already
        std::string text = personListLine(*p);
        entries.push_back({cs.decode(text), std::move(text)});
    }
    NameOrder(locale).sortNames(entries, [](const Entry& e) { return e.key; });
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (Entry& e : entries) lines.push_back(std::move(e.line));
    return lines;
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
