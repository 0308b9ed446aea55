#include "reports/alphabetical_list.h"

#include "document/item_store.h"
#include "reports/name_order.h"

#include <QSaveFile>

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

std::vector<std::string> alphabeticalListLines(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    struct Entry {
        QString key;
        std::string line;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(store.itemCount()));
    std::string line;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;  // a second box of a person listed already
        line.clear();
        line.append(p->LastName.str()).append(" ").append(p->FirstName.str()).append(" (");
        line.append(p->BornDate.str()).append(" - ").append(p->DiedDate.str()).append(")");
        std::string text(trimmed(line));
        entries.push_back({cs.decode(text), std::move(text)});
    }
    const NameOrder order(locale);
    if (order.collates()) {
        order.sort(entries, [](const Entry& e) { return e.key; });
    } else {
        // Upper case, as the name search sorts, so both lists agree on the order.
        for (Entry& e : entries) e.key = e.key.toUpper();
        // The sort moves 4-byte places rather than the entries themselves.
        std::vector<uint32_t> order(entries.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return QString::compare(entries[a].key, entries[b].key) < 0; });
        std::vector<std::string> lines;
        lines.reserve(entries.size());
        for (const uint32_t i : order) lines.push_back(std::move(entries[i].line));
        return lines;
    }
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

    QSaveFile file(fileName);
    auto failed = [&file, error] {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return failed();
    if (file.write(bytes) != bytes.size()) return failed();
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace kinloom
