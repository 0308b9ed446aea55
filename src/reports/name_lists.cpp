#include "reports/name_lists.h"

#include "document/item_store.h"
#include "reports/alphabetical_list.h"
#include "reports/name_order.h"

#include <functional>
#include <unordered_map>

namespace kinloom {

namespace {

// Counts names: each distinct text once, in the order met, so that equal keys keep it when sorted.
class NameCounter {
public:
    void add(std::string_view raw) {
        std::string name = trimmedText(raw);
        if (name.empty()) return;
        auto [it, fresh] = index_.try_emplace(std::move(name), rows_.size());
        if (fresh) rows_.push_back({it->first, 0});
        ++rows_[it->second].count;
    }
    std::vector<CountRow> sorted(const DisplayCharset& cs, const QLocale& locale) {
        NameOrder(locale).sortNames(rows_, [&cs](const CountRow& r) { return cs.decode(r.name); });
        return std::move(rows_);
    }

private:
    std::unordered_map<std::string, size_t> index_;
    std::vector<CountRow> rows_;
};

}  // namespace

std::vector<CountRow> surnameRows(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    NameCounter counter;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next)
        if (!p->isAlias()) counter.add(p->LastName.view());
    return counter.sorted(cs, locale);
}

std::vector<CountRow> placeRows(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    NameCounter counter;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (!p->isAlias()) {
            counter.add(p->BornPlace.view());
            counter.add(p->BaptizedPlace.view());
            counter.add(p->DiedPlace.view());
        }
        // Marriages are links between boxes, aliases' too: each is counted at the box that comes
        // first by address, as both boxes hold the link.
        for (int k = 1; k <= kMaxSpouses; ++k) {
            const PersonItem* partner = p->Spouse[k];
            if (partner && std::less<const PersonItem*>()(partner, p)) continue;
            counter.add(p->MarriagePlace[k].view());
        }
    }
    return counter.sorted(cs, locale);
}

std::vector<SourceRow> sourceRows(const ItemStore& store, const DisplayCharset& cs, const QLocale& locale) {
    // The persons are listed in the order of the list of all individuals, so they are sorted first
    // and then gathered under their sources.
    struct Cited {
        std::string source;
        std::string line;
    };
    std::vector<Cited> cited;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;
        std::string source = trimmedText(p->Source.view());
        if (!source.empty()) cited.push_back({std::move(source), personListLine(*p)});
    }
    const NameOrder order(locale);
    order.sortNames(cited, [&cs](const Cited& c) { return cs.decode(c.line); });

    std::unordered_map<std::string, size_t> index;
    std::vector<SourceRow> rows;
    for (Cited& c : cited) {
        auto [it, fresh] = index.try_emplace(c.source, rows.size());
        if (fresh) rows.push_back({std::move(c.source), {}});
        rows[it->second].persons.push_back(std::move(c.line));
    }
    order.sortNames(rows, [&cs](const SourceRow& r) { return cs.decode(r.source); });
    return rows;
}

std::vector<std::string> countLines(const std::vector<CountRow>& rows) {
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const CountRow& r : rows) lines.push_back(r.name + " (" + std::to_string(r.count) + ")");
    return lines;
}

std::vector<std::string> sourceLines(const std::vector<SourceRow>& rows) {
    std::vector<std::string> lines;
    for (const SourceRow& r : rows) {
        lines.push_back(r.source);
        for (const std::string& person : r.persons) lines.push_back("  " + person);
    }
    return lines;
}

}  // namespace kinloom
