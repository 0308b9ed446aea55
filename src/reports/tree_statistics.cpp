#include "reports/tree_statistics.h"

#include "document/item_store.h"
#include "reports/date_year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kinloom {

namespace {

using Person = const PersonItem*;

// The person a box shows: an alias box's original (null when it is gone), otherwise the box.
Person personOf(Person box) { return box && box->isAlias() ? box->Father : box; }

std::string_view trimmedView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

// Links between persons by their numbers: the neighbours of i are to[from[i]] .. to[from[i + 1] - 1].
struct Adjacency {
    std::vector<int> from;
    std::vector<int> to;
};

// Builds the adjacency of n persons from (person, neighbour) pairs.
Adjacency adjacency(int n, const std::vector<std::pair<int, int>>& links) {
    Adjacency a;
    a.from.assign(static_cast<size_t>(n) + 1, 0);
    for (const auto& [p, q] : links) ++a.from[static_cast<size_t>(p) + 1];
    for (size_t i = 1; i < a.from.size(); ++i) a.from[i] += a.from[i - 1];
    a.to.resize(links.size());
    std::vector<int> fill(a.from.begin(), a.from.end() - 1);
    for (const auto& [p, q] : links) a.to[static_cast<size_t>(fill[static_cast<size_t>(p)]++)] = q;
    return a;
}

// The most steps from `start` along the links, each person met once on a chain, so that a loop in
// bad links cannot run forever. Without recursion: a line of many generations needs no deep stack.
int longestChain(int start, const Adjacency& links) {
    constexpr int kUnvisited = -2, kOnStack = -1;
    std::vector<int> depth(links.from.size() - 1, kUnvisited);
    struct Frame {
        int person;
        int link;
        int best;
    };
    std::vector<Frame> stack{{start, links.from[static_cast<size_t>(start)], 0}};
    depth[static_cast<size_t>(start)] = kOnStack;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.link < links.from[static_cast<size_t>(top.person) + 1]) {
            const int next = links.to[static_cast<size_t>(top.link++)];
            int& d = depth[static_cast<size_t>(next)];
            if (d >= 0) {
                top.best = std::max(top.best, d + 1);
            } else if (d == kUnvisited) {
                d = kOnStack;
                stack.push_back({next, links.from[static_cast<size_t>(next)], 0});  // `top` is not used again
            }
            continue;
        }
        const int done = top.best;
        depth[static_cast<size_t>(top.person)] = done;
        stack.pop_back();
        if (!stack.empty()) stack.back().best = std::max(stack.back().best, done + 1);
    }
    return depth[static_cast<size_t>(start)];
}

void noteYear(TreeStatistics& s, std::optional<int> year) {
    if (!year) return;
    if (!s.earliestYear || *year < *s.earliestYear) s.earliestYear = year;
    if (!s.latestYear || *year > *s.latestYear) s.latestYear = year;
}

int decadeOf(int year) { return year - ((year % 10) + 10) % 10; }

// A family by its two members' numbers, -1 for a missing parent, the smaller first.
uint64_t familyKey(int a, int b) {
    if (a > b) std::swap(a, b);
    return (static_cast<uint64_t>(static_cast<uint32_t>(a + 1)) << 32) | static_cast<uint32_t>(b + 1);
}

}  // namespace

TreeStatistics treeStatistics(const ItemStore& store) {
    TreeStatistics s;
    // Persons are numbered in store order, so that links become numbers.
    std::vector<Person> persons;
    std::unordered_map<Person, int> number;
    number.reserve(static_cast<size_t>(store.itemCount()));
    for (Person p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;
        number.emplace(p, static_cast<int>(persons.size()));
        persons.push_back(p);
    }
    auto numberOf = [&number](Person box) {
        const auto it = number.find(personOf(box));
        return it == number.end() ? -1 : it->second;
    };

    std::unordered_set<std::string_view> surnames, places;
    std::vector<uint64_t> families;
    std::vector<std::pair<int, int>> toParent, toChild;
    double lifespans = 0;
    int lived = 0;
    auto addPlace = [&places](std::string_view place) {
        place = trimmedView(place);
        if (!place.empty()) places.insert(place);
    };
    for (Person p = store.firstItem(); p; p = p->Next) {
        for (int k = 1; k <= kMaxSpouses; ++k) {
            // Both boxes hold a marriage's link; it is counted at the first by address.
            const Person partner = p->Spouse[k];
            if (!partner && p->MarriageDate[k].empty() && p->MarriagePlace[k].empty()) continue;
            if (partner && std::less<Person>()(partner, p)) continue;
            addPlace(p->MarriagePlace[k].view());
            noteYear(s, yearOfDate(p->MarriageDate[k].view()));
            if (!partner) continue;
            ++s.marriages;
            families.push_back(familyKey(numberOf(p), numberOf(partner)));
        }
        if (p->isAlias()) continue;
        if (p->Sex == "M")
            ++s.men;
        else if (p->Sex == "F")
            ++s.women;
        else
            ++s.unknownSex;
        const std::optional<int> born = yearOfDate(p->BornDate.view());
        const std::optional<int> died = yearOfDate(p->DiedDate.view());
        s.withBirthDate += born.has_value();
        s.withDeathDate += died.has_value();
        s.withBothDates += born && died;
        noteYear(s, born);
        noteYear(s, died);
        noteYear(s, yearOfDate(p->BaptizedDate.view()));
        if (born) ++s.bornPerDecade[decadeOf(*born)];
        if (born && died && *died >= *born) {
            lifespans += *died - *born;
            ++lived;
            ++s.ageAtDeath[decadeOf(*died - *born)];
        }
        const std::string_view surname = trimmedView(p->LastName.view());
        if (!surname.empty()) surnames.insert(surname);
        addPlace(p->BornPlace.view());
        addPlace(p->BaptizedPlace.view());
        addPlace(p->DiedPlace.view());

        const int self = number.at(p);
        const int father = numberOf(p->Father), mother = numberOf(p->Mother);
        if (father >= 0 || mother >= 0) families.push_back(familyKey(father, mother));
        for (int parent : {father, mother == father ? -1 : mother}) {
            if (parent < 0) continue;
            toParent.emplace_back(self, parent);
            toChild.emplace_back(parent, self);
        }
    }
    s.persons = static_cast<int>(persons.size());
    std::sort(families.begin(), families.end());
    s.families = static_cast<int>(std::unique(families.begin(), families.end()) - families.begin());
    s.surnames = static_cast<int>(surnames.size());
    s.places = static_cast<int>(places.size());
    if (lived > 0) s.meanLifespan = lifespans / lived;

    // The home item is always first in the list.
    const int home = store.firstItem() ? numberOf(store.firstItem()) : -1;
    if (home >= 0) {
        s.ancestorGenerations = longestChain(home, adjacency(s.persons, toParent));
        s.descendantGenerations = longestChain(home, adjacency(s.persons, toChild));
    }
    return s;
}

namespace {

QString yearText(std::optional<int> year) { return year ? QString::number(*year) : QStringLiteral("unknown"); }

}  // namespace

std::vector<std::pair<QString, QString>> statisticsRows(const TreeStatistics& s) {
    const std::pair<const char*, QString> rows[] = {
        {"Persons", QString::number(s.persons)},
        {"Men", QString::number(s.men)},
        {"Women", QString::number(s.women)},
        {"Sex unknown", QString::number(s.unknownSex)},
        {"With birth date", QString::number(s.withBirthDate)},
        {"With death date", QString::number(s.withDeathDate)},
        {"With both dates", QString::number(s.withBothDates)},
        {"Families", QString::number(s.families)},
        {"Marriages", QString::number(s.marriages)},
        {"Surnames", QString::number(s.surnames)},
        {"Places", QString::number(s.places)},
        {"Generations of ancestors", QString::number(s.ancestorGenerations)},
        {"Generations of descendants", QString::number(s.descendantGenerations)},
        {"Earliest year", yearText(s.earliestYear)},
        {"Latest year", yearText(s.latestYear)},
        {"Mean lifespan", s.meanLifespan ? QString::number(*s.meanLifespan, 'f', 1) + QStringLiteral(" years")
                                         : QStringLiteral("unknown")},
    };
    std::vector<std::pair<QString, QString>> out;
    for (const auto& [label, value] : rows) out.emplace_back(QLatin1String(label), value);
    return out;
}

QString statisticsText(const TreeStatistics& s) {
    QString text;
    for (const auto& [label, value] : statisticsRows(s)) text += label + QStringLiteral(": ") + value + QStringLiteral("\r\n");
    for (const auto& [decade, count] : s.bornPerDecade)
        text += QStringLiteral("Born %1-%2: %3\r\n").arg(decade).arg(decade + 9).arg(count);
    for (const auto& [age, count] : s.ageAtDeath)
        text += QStringLiteral("Died aged %1-%2: %3\r\n").arg(age).arg(age + 9).arg(count);
    return text;
}

QByteArray statisticsJson(const TreeStatistics& s) {
    auto histogram = [](const std::map<int, int>& bins, const char* key) {
        QJsonArray array;
        for (const auto& [from, count] : bins)
            array.append(QJsonObject{{QLatin1String(key), from}, {QStringLiteral("count"), count}});
        return array;
    };
    auto optional = [](const auto& value) { return value ? QJsonValue(*value) : QJsonValue(); };
    const QJsonObject object{
        {QStringLiteral("persons"), s.persons},
        {QStringLiteral("men"), s.men},
        {QStringLiteral("women"), s.women},
        {QStringLiteral("unknownSex"), s.unknownSex},
        {QStringLiteral("withBirthDate"), s.withBirthDate},
        {QStringLiteral("withDeathDate"), s.withDeathDate},
        {QStringLiteral("withBothDates"), s.withBothDates},
        {QStringLiteral("families"), s.families},
        {QStringLiteral("marriages"), s.marriages},
        {QStringLiteral("surnames"), s.surnames},
        {QStringLiteral("places"), s.places},
        {QStringLiteral("ancestorGenerations"), s.ancestorGenerations},
        {QStringLiteral("descendantGenerations"), s.descendantGenerations},
        {QStringLiteral("earliestYear"), optional(s.earliestYear)},
        {QStringLiteral("latestYear"), optional(s.latestYear)},
        {QStringLiteral("meanLifespan"), optional(s.meanLifespan)},
        {QStringLiteral("bornPerDecade"), histogram(s.bornPerDecade, "decade")},
        {QStringLiteral("ageAtDeath"), histogram(s.ageAtDeath, "age")},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace kinloom
