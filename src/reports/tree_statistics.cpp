#include "reports/tree_statistics.h"

#include "document/item_store.h"
#include "reports/alphabetical_list.h"
#include "reports/date_year.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kinloom {

namespace {

using Person = const PersonItem*;

// The person a box shows: an alias box's original (null when it is gone), otherwise the box.
Person personOf(Person box) { return box && box->isAlias() ? box->Father : box; }

// The longest chain of steps from `start` through `next` (a person's neighbours one generation
// on), each person met once on a chain, so that a loop in bad links cannot run forever.
template <typename Next>
int longestChain(Person start, Next next) {
    std::unordered_map<Person, int> depth;  // -1 while on the stack
    struct Frame {
        Person person;
        std::vector<Person> pending;
        int best;
    };
    std::vector<Frame> stack;
    stack.push_back({start, next(start), 0});
    depth[start] = -1;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (!top.pending.empty()) {
            const Person n = top.pending.back();
            top.pending.pop_back();
            auto [it, fresh] = depth.try_emplace(n, -1);
            if (fresh) {
                stack.push_back({n, next(n), 0});
            } else if (it->second >= 0) {
                top.best = std::max(top.best, it->second + 1);
            }
            continue;
        }
        const int done = top.best;
        depth[top.person] = done;
        stack.pop_back();
        if (!stack.empty()) stack.back().best = std::max(stack.back().best, done + 1);
    }
    return depth[start];
}

void noteYear(TreeStatistics& s, std::optional<int> year) {
    if (!year) return;
    if (!s.earliestYear || *year < *s.earliestYear) s.earliestYear = year;
    if (!s.latestYear || *year > *s.latestYear) s.latestYear = year;
}

int decadeOf(int year) { return year - ((year % 10) + 10) % 10; }

}  // namespace

TreeStatistics treeStatistics(const ItemStore& store) {
    TreeStatistics s;
    std::unordered_set<std::string> surnames, places;
    std::set<std::pair<Person, Person>> families;
    std::unordered_map<Person, std::vector<Person>> children;
    double lifespans = 0;
    int lived = 0;
    auto addPlace = [&places](std::string_view place) {
        std::string name = trimmedText(place);
        if (!name.empty()) places.insert(std::move(name));
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
            const Person a = personOf(p), b = personOf(partner);
            families.insert(std::less<Person>()(a, b) ? std::pair(a, b) : std::pair(b, a));
        }
        if (p->isAlias()) continue;
        ++s.persons;
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
        std::string surname = trimmedText(p->LastName.view());
        if (!surname.empty()) surnames.insert(std::move(surname));
        addPlace(p->BornPlace.view());
        addPlace(p->BaptizedPlace.view());
        addPlace(p->DiedPlace.view());

        const Person father = personOf(p->Father), mother = personOf(p->Mother);
        if (father || mother) {
            families.insert(std::less<Person>()(father, mother) ? std::pair(father, mother) : std::pair(mother, father));
            if (father) children[father].push_back(p);
            if (mother && mother != father) children[mother].push_back(p);
        }
    }
    s.families = static_cast<int>(families.size());
    s.surnames = static_cast<int>(surnames.size());
    s.places = static_cast<int>(places.size());
    if (lived > 0) s.meanLifespan = lifespans / lived;

    // The home item is always first in the list.
    if (const Person home = personOf(store.firstItem())) {
        s.ancestorGenerations = longestChain(home, [](Person p) {
            std::vector<Person> parents;
            for (Person parent : {personOf(p->Father), personOf(p->Mother)})
                if (parent) parents.push_back(parent);
            return parents;
        });
        s.descendantGenerations = longestChain(home, [&children](Person p) {
            const auto it = children.find(p);
            return it == children.end() ? std::vector<Person>() : it->second;
        });
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
