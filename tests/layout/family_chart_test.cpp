#include "layout/family_chart.h"

#include "document/item_store.h"
#include "layout/chart_metrics.h"
#include "layout/family_graph.h"
#include "layout/random_family.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace kinloom {
namespace {

PersonItem* person(ItemStore& store, const std::string& name, const char* sex, const std::string& born = {}) {
    PersonItem* p = test::addPerson(store, name);
    p->Sex = sex;
    p->BornDate = born;
    return p;
}

void child(PersonItem* c, PersonItem* father, PersonItem* mother) {
    c->Father = father;
    c->Mother = mother;
}

// Name -> (X, Y) after the arrangement.
std::map<std::string, std::pair<int, int>> chart(ItemStore& store) {
    arrangeAsFamilyChart(store);
    std::map<std::string, std::pair<int, int>> out;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) out[p->FirstName.str()] = {p->X, p->Y};
    return out;
}

using Places = std::map<std::string, std::pair<int, int>>;

TEST(FamilyChart, SmallFamiliesGetTheExpectedPlaces) {
    {
        // Children under their parents in birth order, whatever the list order.
        ItemStore s;
        PersonItem* h = person(s, "H", "M");
        PersonItem* w = person(s, "W", "F");
        s.addMarriage(h, w);
        for (const auto& [name, born] : {std::pair{"C", "1905"}, {"A", "ABT 1900"}, {"B", "12 Mar 1902"}})
            child(person(s, name, "F", born), h, w);
        EXPECT_EQ(chart(s), (Places{{"H", {80, 0}}, {"W", {240, 0}}, {"A", {0, 350}}, {"B", {160, 350}}, {"C", {320, 350}}}));
    }
    {
        // Three generations: the son under his parents, the wife married in beside him, the grandchild
        // under the couple; the wife first in the list does not put her left of her husband.
        ItemStore s;
        PersonItem* m = person(s, "M", "F");
        PersonItem* gf = person(s, "GF", "M");
        PersonItem* gm = person(s, "GM", "F");
        PersonItem* f = person(s, "F", "M");
        s.addMarriage(gf, gm);
        s.addMarriage(m, f);
        child(f, gf, gm);
        child(person(s, "K", "M"), f, m);
        EXPECT_EQ(chart(s), (Places{{"GF", {0, 0}}, {"GM", {160, 0}}, {"F", {80, 350}}, {"M", {240, 350}}, {"K", {160, 700}}}));
    }
    {
        // A second marriage: the husband between his wives, the first wife to his right; each child
        // under its own parents.
        ItemStore s;
        PersonItem* h = person(s, "H", "M");
        PersonItem* w1 = person(s, "W1", "F");
        PersonItem* w2 = person(s, "W2", "F");
        s.addMarriage(h, w1);
        s.addMarriage(h, w2);
        child(person(s, "A", "M"), h, w1);
        child(person(s, "B", "M"), h, w2);
        EXPECT_EQ(chart(s), (Places{{"W2", {0, 0}}, {"H", {160, 0}}, {"W1", {320, 0}}, {"B", {80, 350}}, {"A", {240, 350}}}));
    }
    {
        // A child of the later marriage of a wife: her first husband left, her second right, and the
        // child of the second marriage under them, after the child of the first.
        ItemStore s;
        PersonItem* c = person(s, "C", "F", "1930");
        PersonItem* w = person(s, "W", "F");
        PersonItem* h1 = person(s, "H1", "M");
        PersonItem* h2 = person(s, "H2", "M");
        s.addMarriage(w, h1);
        s.addMarriage(w, h2);
        child(c, h2, w);
        child(person(s, "D", "M", "1925"), h1, w);
        EXPECT_EQ(chart(s), (Places{{"H1", {0, 0}}, {"W", {160, 0}}, {"H2", {320, 0}}, {"D", {80, 350}}, {"C", {240, 350}}}));
    }
    {
        // Cousins who marry: their parents side by side (the elder sibling left), the cousins together
        // under them, and everything centred on the grandparents.
        ItemStore s;
        PersonItem* gf = person(s, "GF", "M");
        PersonItem* gm = person(s, "GM", "F");
        s.addMarriage(gf, gm);
        PersonItem* d = person(s, "D", "F", "1902");
        PersonItem* son = person(s, "S", "M", "1900");
        child(d, gf, gm);
        child(son, gf, gm);
        PersonItem* sw = person(s, "SW", "F");
        PersonItem* dh = person(s, "DH", "M");
        s.addMarriage(son, sw);
        s.addMarriage(d, dh);
        PersonItem* f1 = person(s, "F1", "M");
        PersonItem* f2 = person(s, "F2", "F");
        child(f1, son, sw);
        child(f2, dh, d);
        s.addMarriage(f2, f1);
        child(person(s, "Z", "M"), f1, f2);
        EXPECT_EQ(chart(s), (Places{{"GF", {160, 0}},
                                    {"GM", {320, 0}},
                                    {"S", {0, 350}},
                                    {"SW", {160, 350}},
                                    {"DH", {320, 350}},
                                    {"D", {480, 350}},
                                    {"F1", {160, 700}},
                                    {"F2", {320, 700}},
                                    {"Z", {240, 1050}}}));
    }
    {
        // A family not linked to the rest stands beside the larger one, a linkless alias beside its
        // original, and a circle of parents still gets every box a place.
        ItemStore s;
        PersonItem* h = person(s, "H", "M");
        PersonItem* w = person(s, "W", "F");
        s.addMarriage(h, w);
        child(person(s, "A", "M"), h, w);
        PersonItem* lone = person(s, "L", "M");
        PersonItem* alias = person(s, "L2", "M");
        alias->Kind = kKindRef;
        alias->Father = lone;
        lone->Kind = kKindAlias;
        PersonItem* x = person(s, "X", "M");
        PersonItem* y = person(s, "Y", "M");
        x->Father = y;
        y->Father = x;
        const Places at = chart(s);
        EXPECT_EQ(at.at("H"), std::pair(0, 0));
        EXPECT_EQ(at.at("W"), std::pair(160, 0));
        EXPECT_EQ(at.at("A"), std::pair(80, 350));
        // Families of two each, in list order: the alias beside its original, then the circle, whose
        // link that closes it is left out, so that one stands above the other.
        EXPECT_EQ(at.at("L"), std::pair(300 + 300, 0));
        EXPECT_EQ(at.at("L2"), std::pair(600 + 160, 0));
        EXPECT_EQ(at.at("X").first, 760 + 140 + 300);
        EXPECT_EQ(at.at("Y").first, at.at("X").first);
        EXPECT_NE(at.at("X").second, at.at("Y").second);
    }
}

// Name -> row after the arrangement.
std::map<std::string, int> chartRows(ItemStore& store) {
    std::map<std::string, int> rows;
    for (const auto& [name, at] : chart(store)) rows[name] = at.second / kChartRowPitch;
    return rows;
}

TEST(FamilyChart, ALineageMeetingADeeperOneRisesOnlyWhenThatShortensTheLines) {
    // A daughter marries into a pedigree five generations deep. Her husband's pedigree rises to her
    // parents' level unless her own children hold the couple where it is.
    for (const int children : {0, 1}) {
        ItemStore s;
        PersonItem* a = person(s, "A", "M");
        PersonItem* b = person(s, "B", "F");
        s.addMarriage(a, b);
        PersonItem* q = person(s, "Q", "M");
        child(q, a, b);
        PersonItem* r = person(s, "R", "F");
        s.addMarriage(q, r);
        child(person(s, "K", "M"), q, r);
        PersonItem* p = person(s, "P", "F");
        child(p, a, b);
        PersonItem* above = nullptr;
        for (int g = 0; g < 6; ++g) {
            PersonItem* next = person(s, "S" + std::to_string(g), "M");
            child(next, above, nullptr);
            above = next;
        }
        s.addMarriage(above, p);
        if (children) child(person(s, "PK", "F"), above, p);
        const std::map<std::string, int> rows = chartRows(s);
        if (children == 0)
            EXPECT_EQ(rows, (std::map<std::string, int>{{"A", 4}, {"B", 4}, {"Q", 5}, {"R", 5}, {"K", 6}, {"P", 5},
                                                        {"S0", 0}, {"S1", 1}, {"S2", 2}, {"S3", 3}, {"S4", 4}, {"S5", 5}}));
        else
            EXPECT_EQ(rows, (std::map<std::string, int>{{"A", 0}, {"B", 0}, {"Q", 1}, {"R", 1}, {"K", 2}, {"P", 5}, {"S0", 0},
                                                        {"S1", 1}, {"S2", 2}, {"S3", 3}, {"S4", 4}, {"S5", 5}, {"PK", 6}}));
    }
}

TEST(FamilyChart, PartnersOfUnknownSexKeepTheirListOrder) {
    ItemStore s;
    PersonItem* b = person(s, "B", "");
    PersonItem* a = person(s, "A", "");
    PersonItem* m = person(s, "M", "M");
    PersonItem* u = person(s, "U", "");
    s.addMarriage(b, a);
    s.addMarriage(u, m);  // a man stands left of a partner of unknown sex, wherever the list has him
    EXPECT_EQ(chart(s), (Places{{"B", {0, 0}}, {"A", {160, 0}}, {"M", {600, 0}}, {"U", {760, 0}}}));
}

TEST(FamilyChart, KeepsTheCurrentItemAndClearsTheSelection) {
    ItemStore s;
    PersonItem* a = person(s, "A", "M");
    PersonItem* b = person(s, "B", "F");
    s.addToSelection(a);
    s.currentItem = b;
    a->ChildCount = 7;
    arrangeAsFamilyChart(s);
    EXPECT_EQ(s.currentItem, b);
    EXPECT_TRUE(s.selectionList().empty());
    EXPECT_FALSE(a->Selected);
    EXPECT_EQ(a->ChildCount, 7);
    EXPECT_EQ(s.firstItem(), a);
}

TEST(FamilyChart, BirthYearsFromTypedDates) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},         {"12 Jan 1900", 1900}, {"ABT 1850", 1850},  {"BET 1850 AND 1860", 1860},
        {"1799/00", 1799}, {"25.12.1875", 1875}, {"12", 0},          {"850", 850},
        {"12345", 0},    {"Jan 5", 0},          {"(1901)", 1901},
    };
    for (const auto& [date, year] : cases) EXPECT_EQ(birthYearOf(date), year) << date;
}

// Families as people have them: generations of couples, wives and husbands married in from outside
// or from another branch (cousins), second marriages, children with birth years.
void fillGenerations(ItemStore& s, unsigned seed) {
    std::mt19937 rng(seed);
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    int name = 0;
    auto make = [&](bool male, int born) {
        PersonItem* p = person(s, "P" + std::to_string(name++), male ? "M" : "F", chance(80) ? std::to_string(born) : "");
        return p;
    };
    std::vector<PersonItem*> generation;
    for (int i = 0; i < 1 + static_cast<int>(rng() % 4); ++i) generation.push_back(make(i % 2 == 0, 1700));
    for (int g = 1; g < 2 + static_cast<int>(rng() % 5) && !generation.empty(); ++g) {
        std::vector<PersonItem*> next, single;
        for (PersonItem* p : generation) {
            if (p->Spouse[1] || chance(20)) continue;
            const int marriages = chance(15) ? 2 : 1;
            for (int m = 0; m < marriages; ++m) {
                PersonItem* partner = nullptr;
                for (PersonItem* q : generation)
                    if (!partner && q != p && !q->Spouse[1] && (q->Sex == "M") != (p->Sex == "M") && chance(30)) partner = q;
                if (!partner) partner = make(p->Sex != "M", 1700 + 25 * g);
                s.addMarriage(p, partner);
                PersonItem* father = p->Sex == "M" ? p : partner;
                PersonItem* mother = p->Sex == "M" ? partner : p;
                const int kids = static_cast<int>(rng() % 4);
                for (int k = 0; k < kids; ++k) {
                    PersonItem* c = make(chance(50), 1725 + 25 * g + static_cast<int>(rng() % 20));
                    child(c, father, mother);
                    next.push_back(c);
                }
            }
        }
        std::shuffle(next.begin(), next.end(), rng);
        generation = next;
    }
}

TEST(FamilyChart, RandomFamiliesKeepTheRules) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        ItemStore s;
        fillGenerations(s, seed);
        arrangeAsFamilyChart(s);
        std::vector<std::pair<int, int>> first;
        for (const PersonItem* p = s.firstItem(); p; p = p->Next) first.emplace_back(p->X, p->Y);
        // Deterministic: the same tree arranged again (from other positions) gives the same places.
        arrangeAsFamilyChart(s);
        size_t i = 0;
        for (const PersonItem* p = s.firstItem(); p; p = p->Next, ++i) ASSERT_EQ(first[i], std::pair(p->X, p->Y)) << seed;

        for (const PersonItem* p = s.firstItem(); p; p = p->Next) {
            EXPECT_EQ(p->X % 5, 0);
            EXPECT_EQ(p->Y % kChartRowPitch, 0);
            for (const PersonItem* parent : {p->Father, p->Mother})
                if (parent) EXPECT_LT(parent->Y, p->Y) << "seed " << seed << " " << p->FirstName.str();
            int partners = 0;
            for (int k = 1; k <= kMaxSpouses; ++k) partners += p->Spouse[k] != nullptr;
            const PersonItem* q = p->Spouse[1];
            int theirs = 0;
            for (int k = 1; q && k <= kMaxSpouses; ++k) theirs += q->Spouse[k] != nullptr;
            // A couple without other partners stands side by side, husband left.
            if (q && partners == 1 && theirs == 1 && p->Sex == "M") {
                EXPECT_EQ(q->Y, p->Y) << seed;
                EXPECT_EQ(q->X, p->X + kChartPartnerPitch) << seed;
            }
            // Brothers and sisters of one couple stand in birth order.
            if (p->Father && p->Mother && !p->BornDate.empty() && !p->Spouse[1])
                for (const PersonItem* o = s.firstItem(); o; o = o->Next)
                    if (o != p && o->Father == p->Father && o->Mother == p->Mother && !o->BornDate.empty() && !o->Spouse[1] &&
                        o->Y == p->Y && birthYearOf(o->BornDate.view()) < birthYearOf(p->BornDate.view()))
                        EXPECT_LT(o->X, p->X) << seed;
        }
        const test::ChartMetrics m = test::measureChart(s);
        EXPECT_EQ(m.overlaps, 0) << seed;
        EXPECT_EQ(m.upwardLines, m.parentLines) << seed;
    }
}

TEST(FamilyChart, AnyLinksGiveBoxesThatDoNotOverlap) {
    // Circles, aliases, one-sided and repeated spouse links, partners who are parent and child.
    for (unsigned seed = 1; seed <= 300; ++seed) {
        ItemStore s;
        test::fillRandomFamily(s, seed);
        arrangeAsFamilyChart(s);
        std::map<int, std::vector<int>> rows;
        for (const PersonItem* p = s.firstItem(); p; p = p->Next) rows[p->Y].push_back(p->X);
        for (auto& [y, xs] : rows) {
            std::sort(xs.begin(), xs.end());
            for (size_t i = 1; i < xs.size(); ++i) ASSERT_GE(xs[i] - xs[i - 1], kItemWidth + 5) << seed;
        }
        const FamilyGraph g = familyGraphOf(s);
        EXPECT_EQ(familyChartPositions(g), familyChartPositions(g)) << seed;
    }
}

}  // namespace
}  // namespace kinloom
