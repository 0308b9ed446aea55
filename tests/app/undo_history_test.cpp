// Undo and redo beneath the command table: the gestures on the canvas (links, drags), the quality
// check's corrections and the core functions the commands call. A random run, undone and redone one
// step at a time, must give back the very bytes of the tree file at every step. Every command of
// the table is driven the same way from its menu entry in tests/app/ui/command_undo_test.cpp.
#include "document/undo_history.h"
#include "canvas/edit_commands.h"
#include "canvas/edit_properties.h"
#include "canvas/interaction.h"
#include "canvas/spouse_unlink.h"
#include "document/store_commands.h"
#include "document/tree_file.h"
#include "editor/person_save.h"
#include "layout/ancestor_tree.h"
#include "layout/auto_arrange.h"
#include "platform/charsets.h"
#include "platform/scripted_prompts.h"
#include "reports/quality_check.h"
#include "canvas/recording_surface.h"
#include "layout/random_family.h"
#include "support/null_edit_host.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace kinloom {
namespace {

class UndoHistoryTest : public ::testing::Test {
public:
    UndoHistoryTest() : in(store, view, surface) {
        history.setChecking(true);
    }

    QByteArray treeBytes() {
        const QString name = dir.filePath(QStringLiteral("t.kl3"));
        EXPECT_TRUE(saveToFile(store, name, prompts));
        QFile f(name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    PersonItem* randomItem(std::mt19937& rng) {
        if (store.empty()) return nullptr;
        int k = static_cast<int>(rng() % store.itemCount());
        PersonItem* p = store.firstItem();
        while (k-- > 0) p = p->Next;
        return p;
    }
    void clickOn(const PersonItem& p) {
        in.mousePress({p.X + 3, p.Y + 3}, Qt::LeftButton);
        in.mouseRelease({p.X + 3, p.Y + 3});
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store;
    UndoHistory history{store};
    ViewState view;
    test::RecordingSurface surface;
    CanvasInteraction in;
    test::NullEditHost host;
    EditContext ctx{store, view, host};
    DisplayCharset cs{DisplayCharset::kSystemDefault};
};

// One random command on a random item, in a step named after it; returns which command it was.
unsigned runRandomCommand(UndoHistoryTest& t, std::mt19937& rng);

TEST_F(UndoHistoryTest, RandomCommandsUndoAndRedoToTheSameBytes) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        store.clearMemory();
        history.clear();
        test::fillRandomFamily(store, seed);
        store.clearSelection();
        history.clear();
        history.stack().setUndoLimit(0);  // the window keeps 200; here every step is checked
        std::mt19937 rng(seed);
        std::vector<QByteArray> states{treeBytes()};
        std::vector<int32_t> lastIds{store.lastId};
        std::vector<QString> faults;
        unsigned lastKind = 99;
        history.setFaultHandler([&faults](const QString& text) { faults.push_back(text); });
        for (int i = 0; i < 250; ++i) {
            const unsigned kind = runRandomCommand(*this, rng);
            ASSERT_TRUE(faults.empty()) << "command " << kind << " after " << lastKind << ": " << faults.front().toStdString();
            lastKind = kind;
            ASSERT_EQ(history.stack().index(), history.stack().count());
            if (history.stack().count() + 1 > static_cast<int>(states.size())) {
                states.push_back(treeBytes());
                lastIds.push_back(store.lastId);
            }
            ASSERT_EQ(states.size(), static_cast<size_t>(history.stack().count() + 1));
        }
        ASSERT_GT(states.size(), 150u) << "seed " << seed;
        for (int k = history.stack().count(); k > 0; --k) {
            history.undo();
            const QByteArray now = treeBytes();
            qsizetype at = 0;
            while (at < now.size() && at < states[k - 1].size() && now[at] == states[k - 1][at]) ++at;
            ASSERT_EQ(now, states[k - 1]) << "first difference at byte " << at << " seed " << seed << " undo of step " << k << " "
                                                  << history.stack().command(k - 1)->text().toStdString();
            ASSERT_EQ(store.lastId, lastIds[k - 1]);
            ASSERT_TRUE(!store.currentItem || store.contains(store.currentItem));
        }
        for (size_t k = 1; k < states.size(); ++k) {
            history.redo();
            ASSERT_EQ(treeBytes(), states[k]) << "seed " << seed << " redo of step " << k;
            ASSERT_TRUE(!store.currentItem || store.contains(store.currentItem));
        }
    }
}

unsigned runRandomCommand(UndoHistoryTest& t, std::mt19937& rng) {
    ItemStore& store = t.store;
    PersonItem* a = t.randomItem(rng);
    PersonItem* b = t.randomItem(rng);
    store.currentItem = a;
    // The gestures open their own steps; every other command runs in one named after it.
    const unsigned kind = rng() % 15;
    std::optional<EditStep> step;
    if (kind != 2 && kind != 3 && kind != 7) step.emplace(store, QString());
    const auto commit = [&step](const char* name) {
        step->setLabel(QString::fromLatin1(name));
        step.reset();
    };
    switch (kind) {
    case 0:
        store.pointerX = static_cast<int>(rng() % 4000);
        store.pointerY = static_cast<int>(rng() % 4000);
        newPerson(t.ctx);
        commit("New Item");
        break;
    case 1:
        deletePerson(store, t.prompts);  // the scripted prompts answer Yes
        commit("Delete");
        break;
    case 2: case 3: {
        if (!a || !b) break;
        store.currentItem = a;
        (rng() % 3 == 0 ? t.in.linkFatherPending : rng() % 2 ? t.in.linkMotherPending : t.in.linkSpousePending) = true;
        t.clickOn(*b);
        t.in.reset();
        break;
    }
    case 4:
        deleteFatherLink(t.ctx);
        commit("Delete Father Link");
        break;
    case 5:
        deleteMotherLink(t.ctx);
        commit("Delete Mother Link");
        break;
    case 6:
        if (a && !a->isAlias()) rng() % 2 ? makeAlias(t.ctx) : makeThisAlias(t.ctx);
        commit("Make Alias");
        break;
    case 7: {
        if (!a) break;
        const int x = a->X + 3, y = a->Y + 3;
        t.in.mousePress({x, y}, Qt::LeftButton);
        const int dx = static_cast<int>(rng() % 300), dy = static_cast<int>(rng() % 300);
        t.in.mouseMove({x + dx / 2, y + dy / 2});
        t.in.mouseMove({x + dx, y + dy});
        t.in.mouseRelease({x + dx, y + dy});
        t.in.reset();
        break;
    }
    case 8: {
        // Selecting is not a step, so the items are recorded before they are selected.
        std::vector<PersonItem*> group;
        for (int k = 0; k < 3; ++k)
            if (PersonItem* p = t.randomItem(rng)) group.push_back(p);
        for (PersonItem* p : group) store.touchPlace(p);
        for (PersonItem* p : group) store.addToSelection(p);
        alignSelection(t.ctx, static_cast<AlignEdge>(rng() % 4));
        store.clearSelection();
        commit("Align");
        break;
    }
    case 9:
        if (rng() % 4 == 0) arrangeAllItems(store);
        commit("Auto Arrange");
        break;
    case 10:
        if (a) createTree(store, rng() % 2 ? TreeStyle::Compact : TreeStyle::Fractal,
                          [] { return std::optional<QString>(QStringLiteral("3")); }, t.prompts, {});
        commit("Create Ancestor Tree");
        break;
    case 11:
        if (a) organizeTree(store, TreeStyle::Compact, 0, t.prompts);
        commit("Organize Ancestor Tree");
        break;
    case 12: {
        if (!a) break;
        editProperties(store, t.host, [&](PersonItem& copy, PersonItem& edited) {
            PersonFormValues v;
            v.firstName = QStringLiteral("Name%1").arg(rng() % 1000);
            v.lastName = QStringLiteral("Kin");
            v.bornDate = QStringLiteral("1 JAN 1900");
            v.gender = rng() % 2 ? Gender::Male : Gender::Female;
            v.spouses = spouseGridRows(copy, t.cs);
            for (SpouseGridRow& r : v.spouses) r.place = QStringLiteral("Place%1").arg(rng() % 10);
            return savePersonForm(store, copy, edited, v, t.prompts, t.cs);
        });
        commit("Properties");
        break;
    }
    case 13:
        if (a) deleteSpouseLink(store, *a, 0, t.prompts);
        commit("Delete Spouse Link");
        break;
    case 14: {
        if (!a) break;
        QualityProblem row{QString(), a, rng() % 2 ? ReferenceKind::NotesFile : ReferenceKind::PictureFile,
                           QStringLiteral("not found")};
        t.prompts.answerText(QStringLiteral("found%1.txt").arg(rng() % 100));
        resolveQualityProblem(store, row, t.dir.path(), t.prompts, t.cs);
        commit("Resolve");
        break;
    }
    }
    return kind;
}

TEST_F(UndoHistoryTest, NamesCleanStateAndNoDanglingCurrentItem) {
    history.setChecking(true);
    PersonItem* a = store.createItem();
    a->FirstName = "Ann";
    history.clear();
    history.markSaved();
    store.modified = false;

    store.pointerX = 500;
    PersonItem* made = nullptr;
    {
        EditStep step(store, QStringLiteral("New Item"));
        newPerson(ctx);
        made = store.currentItem;
    }
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("New Item"));
    EXPECT_TRUE(store.modified);
    {
        EditStep step(store, QStringLiteral("Properties"));
        EditStep inner(store, QStringLiteral("Inner"));  // joins the outer step
        store.touch(a);
        a->LastName = "Kin";
    }
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("Properties"));
    EXPECT_LT(history.lastStepBytes(), 4096u);  // the before and after of one item, not the tree
    history.undo();
    EXPECT_EQ(a->LastName, "");
    history.undo();
    EXPECT_FALSE(store.contains(made));
    EXPECT_EQ(store.currentItem, a);  // current again as before, never the removed item
    EXPECT_EQ(store.itemCount(), 1);
    EXPECT_FALSE(store.modified);  // back where it was saved
    EXPECT_EQ(history.stack().redoText(), QStringLiteral("New Item"));
    history.redo();
    EXPECT_EQ(store.currentItem, made);
    EXPECT_TRUE(store.modified);

    // A drag of a group names its step after the number of items.
    PersonItem* b = nullptr;
    {
        EditStep step(store, QStringLiteral("New Item"));
        b = store.createItem();
        b->X = 1000;
        b->Sex = "F";
        store.touch(a);
        a->Sex = "M";
    }
    store.addToSelection(a);
    store.addToSelection(b);
    const int gap = b->X - a->X;
    in.mousePress({a->X + 3, a->Y + 3}, Qt::LeftButton);
    in.mouseMove({a->X + 53, a->Y + 3});
    in.mouseRelease({a->X + 53, a->Y + 3});
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("Move 2 items"));
    EXPECT_EQ(b->X - a->X, gap);  // the group kept its shape
    EXPECT_GT(b->X, 1040);
    history.undo();
    EXPECT_EQ(b->X, 1000);
    EXPECT_EQ(store.selectionList().size(), 2u);

    // Nothing changed, no step; an item touched and left as it was is no change either.
    const int steps = history.stack().count();
    { EditStep step(store, QStringLiteral("Zoom")); }
    {
        EditStep step(store, QStringLiteral("Properties"));
        store.touch(b);
        b->FirstName = "Temporary";
        b->FirstName = "";
    }
    EXPECT_EQ(history.stack().count(), steps);

    // Make Home is a step of its own, undone like any other.
    ASSERT_NE(store.firstItem(), b);
    store.currentItem = b;
    {
        EditStep step(store, QStringLiteral("Make this item Home"));
        makeHome(ctx);
    }
    EXPECT_EQ(store.firstItem(), b);
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("Make this item Home"));
    history.undo();
    EXPECT_NE(store.firstItem(), b);

    // Clearing the store empties the history.
    store.clearMemory();
    EXPECT_EQ(history.stack().count(), 0);
}

// The check catches each way a change can escape the history, with a text that names the item.
TEST_F(UndoHistoryTest, ChecksCatchChangesThatEscapeTheHistory) {
    std::vector<QString> faults;
    history.setFaultHandler([&faults](const QString& text) { faults.push_back(text); });
    history.setChecking(true);
    PersonItem* a = store.createItem();
    a->FirstName = "Ann";
    PersonItem* b = store.createItem();
    history.clear();

    // A field changed inside a step without touch().
    {
        EditStep step(store, QStringLiteral("Properties"));
        a->LastName = "Kin";
    }
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], QStringLiteral("Undo history: \"Properties\" changed item 1 (Ann Kin) without touching it first"));

    // touchPlace() does not cover a change of fields; it does cover a move.
    {
        EditStep step(store, QStringLiteral("Move 1 item"));
        store.touchPlace(b);
        b->X += 10;
    }
    EXPECT_EQ(faults.size(), 1u);
    {
        EditStep step(store, QStringLiteral("Properties"));
        store.touchPlace(b);
        b->Sex = "F";
    }
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[1], QStringLiteral("Undo history: \"Properties\" changed item 2 ( ) without touching it first"));

    // A change made while no step is open is found when the next step opens, touched or not.
    b->FirstName = "Bob";
    { EditStep step(store, QStringLiteral("Zoom")); }
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_EQ(faults[2], QStringLiteral("Undo history: item 2 (Bob ) changed while no edit step was open"));
    store.touch(a);
    a->FirstName = "Anna";
    history.undo();
    ASSERT_EQ(faults.size(), 5u);
    EXPECT_EQ(faults[4], QStringLiteral("Undo history: the store recorded a change while no edit step was open"));
    // Make Home done behind the history's back is caught by the list order.
    store.moveToFront(b);
    history.redo();
    EXPECT_EQ(faults.size(), 7u);
    EXPECT_EQ(faults[5], QStringLiteral("Undo history: the list order changed at item 2 (Bob ) while no edit step was open"));

    // Selecting, renumbering and a fresh history are no changes.
    faults.clear();
    store.addToSelection(a);
    store.renumberIds();
    { EditStep step(store, QStringLiteral("Zoom")); }
    store.createItem();  // as a reader does before the history starts afresh
    history.clear();
    { EditStep step(store, QStringLiteral("Zoom")); }
    EXPECT_TRUE(faults.empty());
}

}  // namespace
}  // namespace kinloom
