#include "reports/person_chart.h"

#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "document/undo_history.h"
#include "pdf_tools.h"
#include "platform/charsets.h"
#include "platform/save_file.h"
#include "reports/chart_file.h"
#include "reports/poster.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace kinloom;

namespace {

using Names = std::set<std::string>;

PersonItem* person(ItemStore& s, const std::string& name, const char* sex = "") {
    PersonItem* p = test::addPerson(s, name, "Lee");
    p->Sex = sex;
    return p;
}

void parents(PersonItem* child, PersonItem* father, PersonItem* mother) {
    child->Father = father;
    child->Mother = mother;
}

// A second placement of `original`, as Make Alias leaves it.
PersonItem* aliasOf(ItemStore& s, PersonItem* original) {
    PersonItem* a = test::addPerson(s, original->FirstName.str(), original->LastName.str());
    a->Kind = kKindRef;
    a->Father = original;
    original->Kind = kKindAlias;
    return a;
}

Names names(const PersonChart& chart) {
    Names out;
    for (const ChartDrawing::Box& b : chart.drawing.boxes) out.insert(b.item->FirstName.str());
    return out;
}

// Each line of the drawing as the names of its ends: "child>F:father" and "child>M:mother" (a
// father's line leaves 5 units left of the child's centre, a mother's 5 units right), "a=b" for a
// couple, the lower name first.
std::multiset<std::string> lines(const PersonChart& chart) {
    std::map<std::pair<double, double>, std::string> at;  // a box's link point -> its name
    for (const ChartDrawing::Box& b : chart.drawing.boxes) at[{b.x + 70.0, b.y + 32.5}] = b.item->FirstName.str();
    const auto name = [&](double x, double y) {
        const auto it = at.find({x, y});
        return it == at.end() ? std::string("?") : it->second;
    };
    std::multiset<std::string> out;
    for (const ChartDrawing::Line& l : chart.drawing.lines) {
        const std::string to = name(l.x2, l.y2);
        if (l.couple) {
            const std::string from = name(l.x1, l.y1);
            out.insert(std::min(from, to) + "=" + std::max(from, to));
        } else if (at.count({l.x1 + 5, l.y1})) {
            out.insert(name(l.x1 + 5, l.y1) + ">F:" + to);
        } else {
            out.insert(name(l.x1 - 5, l.y1) + ">M:" + to);
        }
    }
    return out;
}

// Parents stand above their children, every box on its own spot.
void expectParentsAbove(const PersonChart& chart) {
    std::set<std::pair<int, int>> spots;
    for (const ChartDrawing::Box& b : chart.drawing.boxes) EXPECT_TRUE(spots.insert({b.x, b.y}).second) << b.item->FirstName.str();
    for (const ChartDrawing::Line& l : chart.drawing.lines)
        if (!l.couple) EXPECT_LT(l.y2, l.y1);
}

}  // namespace

// A four-generation pedigree with an uncle, a wife and a son beside it: the ancestors only, cut
// at the generations asked, the person counted as the first.
TEST(PersonChart, AncestorsStopAtTheGenerationsAsked) {
    ItemStore s;
    PersonItem* root = person(s, "Root", "M");
    PersonItem* f = person(s, "F", "M");
    PersonItem* m = person(s, "M", "F");
    PersonItem* ff = person(s, "FF", "M");
    PersonItem* fm = person(s, "FM", "F");
    PersonItem* mf = person(s, "MF", "M");
    PersonItem* mm = person(s, "MM", "F");
    PersonItem* fff = person(s, "FFF", "M");
    PersonItem* uncle = person(s, "Uncle", "M");
    PersonItem* wife = person(s, "Wife", "F");
    PersonItem* son = person(s, "Son", "M");
    s.addMarriage(f, m);
    s.addMarriage(ff, fm);
    s.addMarriage(root, wife);
    parents(root, f, m);
    parents(uncle, ff, fm);
    parents(f, ff, fm);
    parents(m, mf, mm);
    parents(ff, fff, nullptr);
    parents(son, root, wife);

    const std::map<int, Names> expected = {
        {1, {"Root"}},
        {2, {"Root", "F", "M"}},
        {3, {"Root", "F", "M", "FF", "FM", "MF", "MM"}},
        {4, {"Root", "F", "M", "FF", "FM", "MF", "MM", "FFF"}},
        {9, {"Root", "F", "M", "FF", "FM", "MF", "MM", "FFF"}},
        {0, {"Root", "F", "M", "FF", "FM", "MF", "MM", "FFF"}},
    };
    const std::map<int, int> rows = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {9, 4}, {0, 4}};
    for (const auto& [generations, want] : expected) {
        SCOPED_TRACE(generations);
        const PersonChart chart = personChart(s, ChartKind::Ancestors, root, generations);
        EXPECT_EQ(names(chart), want);
        EXPECT_EQ(chart.generations, rows.at(generations));
        expectParentsAbove(chart);
    }
    const PersonChart three = personChart(s, ChartKind::Ancestors, root, 3);
    EXPECT_EQ(lines(three), (std::multiset<std::string>{"Root>F:F", "Root>M:M", "F>F:FF", "F>M:FM", "M>F:MF", "M>M:MM",
                                                         "F=M", "FF=FM"}));
    EXPECT_EQ(describeChart(three), "7 persons in 3 generations");
    EXPECT_EQ(describeChart(personChart(s, ChartKind::Ancestors, root, 1)), "1 person in 1 generation");
    // Son's chart reaches one row further, through his mother who has no parents.
    EXPECT_EQ(personChart(s, ChartKind::Ancestors, son, 0).generations, 5);
    EXPECT_EQ(chartTitle(ChartKind::Ancestors, root, DisplayCharset()), "Ancestors of Root Lee");
    EXPECT_EQ(chartTitle(ChartKind::CompleteTree, root, DisplayCharset()), "Complete tree");
}

// Descendants with the partners genealogists expect: wives, a mother never linked as a wife, a
// daughter-in-law; not the daughter-in-law's parents or her other husband.
TEST(PersonChart, DescendantsComeWithTheirPartners) {
    ItemStore s;
    PersonItem* root = person(s, "Root", "M");
    PersonItem* w1 = person(s, "W1", "F");
    PersonItem* x = person(s, "X", "F");
    PersonItem* c1 = person(s, "C1", "M");
    PersonItem* c2 = person(s, "C2", "F");
    PersonItem* c3 = person(s, "C3", "M");
    PersonItem* s1 = person(s, "S1", "F");
    PersonItem* p1 = person(s, "P1", "M");
    PersonItem* z = person(s, "Z", "M");
    PersonItem* g1 = person(s, "G1", "M");
    PersonItem* rootFather = person(s, "RootFather", "M");
    s.addMarriage(root, w1);
    s.addMarriage(c1, s1);
    s.addMarriage(s1, z);
    parents(root, rootFather, nullptr);
    parents(c1, root, w1);
    parents(c2, root, w1);
    parents(c3, root, x);
    parents(s1, p1, nullptr);
    parents(g1, c1, s1);

    EXPECT_EQ(names(personChart(s, ChartKind::Descendants, root, 1)), (Names{"Root", "W1"}));
    EXPECT_EQ(names(personChart(s, ChartKind::Descendants, root, 2)), (Names{"Root", "W1", "X", "C1", "C2", "C3", "S1"}));
    const PersonChart all = personChart(s, ChartKind::Descendants, root, 0);
    EXPECT_EQ(names(all), (Names{"Root", "W1", "X", "C1", "C2", "C3", "S1", "G1"}));
    EXPECT_EQ(all.generations, 3);
    EXPECT_EQ(lines(all), (std::multiset<std::string>{"Root=W1", "C1=S1", "C1>F:Root", "C1>M:W1", "C2>F:Root", "C2>M:W1",
                                                       "C3>F:Root", "C3>M:X", "G1>F:C1", "G1>M:S1"}));
    expectParentsAbove(all);
    // A person without children is a chart of one, with the partners.
    EXPECT_EQ(names(personChart(s, ChartKind::Descendants, g1, 0)), (Names{"G1"}));
    EXPECT_EQ(names(personChart(s, ChartKind::Descendants, s1, 0)), (Names{"S1", "C1", "Z", "G1"}));
}

// Alias boxes: the person placed twice is one box, with the links of both placements; a chart asked
// of an alias is its original's. Cousins who married (the same grandparents twice) meet in one box.
TEST(PersonChart, APersonPlacedTwiceAppearsOnce) {
    ItemStore s;
    PersonItem* gf = person(s, "GF", "M");
    PersonItem* gm = person(s, "GM", "F");
    PersonItem* a = person(s, "A", "M");
    PersonItem* b = person(s, "B", "F");
    PersonItem* ca = person(s, "CA", "M");
    PersonItem* cb = person(s, "CB", "F");
    PersonItem* kid = person(s, "Kid", "M");
    parents(a, gf, gm);
    parents(b, gf, gm);
    s.addMarriage(gf, gm);
    // B's children hang from an alias of B placed elsewhere; the alias also carries a marriage.
    PersonItem* bAlias = aliasOf(s, b);
    PersonItem* bHusband = person(s, "BH", "M");
    s.addMarriage(bAlias, bHusband);
    parents(ca, a, nullptr);
    parents(cb, bHusband, bAlias);
    s.addMarriage(ca, cb);
    parents(kid, ca, cb);

    const PersonChart up = personChart(s, ChartKind::Ancestors, kid, 0);
    EXPECT_EQ(names(up), (Names{"Kid", "CA", "CB", "A", "B", "BH", "GF", "GM"}));
    EXPECT_EQ(up.persons(), 8);  // GF and GM once, B once
    for (const ChartDrawing::Box& box : up.drawing.boxes) EXPECT_NE(box.item, bAlias);
    EXPECT_EQ(lines(up), (std::multiset<std::string>{"Kid>F:CA", "Kid>M:CB", "CA>F:A", "CB>F:BH", "CB>M:B", "A>F:GF",
                                                      "A>M:GM", "B>F:GF", "B>M:GM", "CA=CB", "B=BH", "GF=GM"}));
    expectParentsAbove(up);

    // From the alias: B's descendants, with the husband the alias married and the child linked to it.
    const PersonChart down = personChart(s, ChartKind::Descendants, bAlias, 0);
    EXPECT_EQ(names(down), (Names{"B", "BH", "CB", "CA", "Kid"}));
    const PersonChart parentsOfB = personChart(s, ChartKind::Ancestors, bAlias, 2);
    EXPECT_EQ(names(parentsOfB), (Names{"B", "GF", "GM"}));
    EXPECT_EQ(parentsOfB.drawing.boxes.at(2).item, b);

    // The whole tree: every person once, no alias box.
    const PersonChart whole = personChart(s, ChartKind::CompleteTree, nullptr, 0);
    EXPECT_EQ(whole.persons(), s.itemCount() - 1);
    EXPECT_EQ(whole.generations, 0);
    EXPECT_EQ(describeChart(whole), "8 persons");
    expectParentsAbove(whole);
}

// Links that go round in a circle (a damaged file, or a slip of the mouse) end the walk; a person
// not in the store gives an empty chart.
TEST(PersonChart, CirclesAndStrangersNeverHang) {
    ItemStore s;
    PersonItem* a = person(s, "A", "M");
    PersonItem* b = person(s, "B", "M");
    PersonItem* c = person(s, "C", "F");
    parents(a, b, c);
    parents(b, a, nullptr);  // A is B's father and B is A's
    parents(c, nullptr, c);  // her own mother
    // C is A's mother but no descendant's other parent: B's only parent is A.
    const std::pair<ChartKind, Names> cases[] = {{ChartKind::Ancestors, {"A", "B", "C"}},
                                                 {ChartKind::Descendants, {"A", "B"}},
                                                 {ChartKind::CompleteTree, {"A", "B", "C"}}};
    for (const auto& [kind, want] : cases)
        for (const int generations : {0, 2, 50}) {
            const PersonChart chart = personChart(s, kind, a, generations);
            EXPECT_EQ(names(chart), want) << static_cast<int>(kind) << " " << generations;
        }
    EXPECT_EQ(names(personChart(s, ChartKind::Descendants, c, 0)), (Names{"C", "A", "B"}));
    // Two aliases that name each other as their original are each a person.
    ItemStore t;
    PersonItem* x = person(t, "X");
    PersonItem* y = person(t, "Y");
    x->Kind = kKindRef;
    y->Kind = kKindRef;
    x->Father = y;
    y->Father = x;
    EXPECT_EQ(names(personChart(t, ChartKind::CompleteTree, nullptr, 0)), (Names{"X", "Y"}));

    PersonItem stranger;
    EXPECT_TRUE(personChart(s, ChartKind::Ancestors, &stranger, 0).drawing.empty());
    EXPECT_TRUE(personChart(s, ChartKind::Descendants, nullptr, 0).drawing.empty());
    ItemStore empty;
    EXPECT_TRUE(personChart(empty, ChartKind::CompleteTree, nullptr, 0).drawing.empty());
}

// Making a chart moves nothing on the canvas and leaves no step to undo.
TEST(PersonChart, TheTreeStaysAsItWas) {
    ItemStore s;
    PersonItem* f = person(s, "F", "M");
    PersonItem* m = person(s, "M", "F");
    PersonItem* k = person(s, "K", "M");
    s.addMarriage(f, m);
    parents(k, f, m);
    f->X = 1000, f->Y = -40, m->X = 17, m->Y = 3, k->X = 555, k->Y = 900;
    k->ChildCount = 7;
    s.currentItem = k;
    s.modified = false;
    UndoHistory history(s);
    for (const ChartKind kind : {ChartKind::Ancestors, ChartKind::Descendants, ChartKind::CompleteTree})
        EXPECT_EQ(personChart(s, kind, kind == ChartKind::Descendants ? f : k, 0).persons(), 3);
    EXPECT_EQ(std::make_pair(f->X, f->Y), std::make_pair(1000, -40));
    EXPECT_EQ(std::make_pair(m->X, m->Y), std::make_pair(17, 3));
    EXPECT_EQ(std::make_pair(k->X, k->Y), std::make_pair(555, 900));
    EXPECT_EQ(k->ChildCount, 7);
    EXPECT_EQ(s.currentItem, k);
    EXPECT_FALSE(s.modified);
    { EditStep settle(s, QStringLiteral("Chart")); }  // would settle any change the charts made as a step
    EXPECT_EQ(history.stack().count(), 0);
}

// One chart written as PDF and as SVG, read back for its names: the ancestors are there, the
// uncle who is not an ancestor is not, and the alias's name is written once.
TEST(PersonChart, WrittenChartsCarryTheChosenNames) {
    test::ensureGuiApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ItemStore s;
    PersonItem* root = person(s, "Rosalind", "F");
    PersonItem* f = person(s, "Fredrik", "M");
    PersonItem* m = person(s, "Magnhild", "F");
    PersonItem* gf = person(s, "Gunnar", "M");
    PersonItem* uncle = person(s, "Ulrik", "M");
    PersonItem* fAlias = aliasOf(s, f);
    parents(root, fAlias, m);
    parents(f, gf, nullptr);
    parents(uncle, gf, nullptr);
    const PersonChart chart = personChart(s, ChartKind::Ancestors, root, 0);
    ASSERT_EQ(chart.persons(), 4);

    PosterSettings settings;
    settings.fontName = test::loadTestFont();
    settings.scale = ChartScale::BoxWidth;
    settings.boxWidthMm = 25;  // three rows in 186 mm: one A4 page
    const QString pdf = dir.filePath("ancestors.pdf");
    SaveFile pdfFile(pdf);
    ASSERT_EQ(writeChartFile(pdfFile, chart.drawing, settings, ChartPaper{}), QString());
    ASSERT_EQ(test::pdfPageCount(pdf), 1);
    const QString text = test::pdfPageText(pdf, 1);
    for (const char* name : {"Rosalind", "Fredrik", "Magnhild", "Gunnar"}) EXPECT_TRUE(text.contains(name)) << name;
    EXPECT_FALSE(text.contains("Ulrik"));
    EXPECT_EQ(text.count("Fredrik"), 1);

    const QString svg = dir.filePath("ancestors.svg");
    SaveFile svgFile(svg);
    ASSERT_EQ(writeChartFile(svgFile, chart.drawing, settings, ChartPaper{}), QString());
    QFile in(svg);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QString drawing = QString::fromUtf8(in.readAll());
    for (const char* name : {">Rosalind<", ">Fredrik<", ">Magnhild<", ">Gunnar<"}) EXPECT_EQ(drawing.count(name), 1) << name;
    EXPECT_FALSE(drawing.contains("Ulrik"));
}
