#include "app/ui/editing_wiring.h"

#include "app/ui/menu_exchange.h"
#include "app/ui/tslektstre.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

using namespace kinloom;

struct NullHost : EditHost {
    int repaints = 0;
    void Repaint() override { ++repaints; }
    void PaintWithoutErase() override {}
    void ZoomTo(double) override {}
    WindowSize OuterSize() const override { return {800, 600}; }
    void StartPlacing(bool) override {}
    void SetCrossCursor() override {}
    void ArmLink(PendingLink, int, int) override {}
    void SetIgnoreNextMouseDown() override {}
};

static QMenu* TopMenu(TSlektstre& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

class EditingWiringTest : public QObject {
    Q_OBJECT

private slots:
    void menusFollowTheRulesAndRunTheCommands() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        TSlektstre w(registry, prompts, "/opt/k/kinloom", {});
        NullHost host;
        EditingController c(w.state().Store, w.state().View, host, prompts, &w);
        MenuExchange exchange(w);
        WireEditingCommands(w, c, exchange);
        TItemStore& store = w.state().Store;

        emit TopMenu(w, "&Edit")->aboutToShow();
        QVERIFY(!w.Properties1->isEnabled());
        QVERIFY(!w.Slettperson1->isEnabled());
        QVERIFY(w.Nyperson1->isEnabled());
        QVERIFY(w.Find1->isEnabled());

        TPersonItem* a = test::AddPerson(store, "A", "B");
        TPersonItem* b = test::AddPerson(store, "C", "D");
        a->Father = b;
        store.CurrentItem = a;
        emit TopMenu(w, "&Link")->aboutToShow();
        QVERIFY(w.Properties1->isEnabled());
        QVERIFY(w.DeleteLinktoFather1->isEnabled());
        QVERIFY(!w.DeleteLinktoMother1->isEnabled());
        QVERIFY(!w.MakeThisAlias->isEnabled());
        w.DeleteLinktoFather1->trigger();
        QCOMPARE(a->Father, nullptr);
        QVERIFY(host.repaints > 0);

        w.MakeAlias->trigger();
        QCOMPARE(a->Kind.str(), std::string("ALIAS"));
        store.CurrentItem = a;
        emit TopMenu(w, "&Alias")->aboutToShow();
        QCOMPARE(w.GotoAlias1->text(), QString("&Go to Alias"));
        QVERIFY(!w.MakeAlias->isEnabled());

        // F3 and F9 toggle the same name search; F8 the navigator.
        w.Find1->trigger();
        QVERIFY(c.nameSearch().isVisible());
        QVERIFY(w.NameSearch1->isChecked());
        w.NameSearch1->trigger();
        QVERIFY(!c.nameSearch().isVisible());
        QVERIFY(!w.NameSearch1->isChecked());

        w.show();
        w.Statusbar2->trigger();
        QVERIFY(!w.statusBar()->isVisible());
        w.Statusbar2->trigger();
        QVERIFY(w.statusBar()->isVisible());
        w.Toolbar2->trigger();
        QVERIFY(!w.toolbar()->isVisible());

        // The empty main menu while a name is typed keeps the ten titles and no entries.
        exchange.setEmpty(true);
        QCOMPARE(w.menuBar()->actions().size(), 10);
        QVERIFY(TopMenu(w, "&Link")->actions().isEmpty());
        QVERIFY(w.actions().isEmpty());
        exchange.setEmpty(false);
        QCOMPARE(TopMenu(w, "&Link")->actions().size(), 7);
        QVERIFY(TopMenu(w, "&Link")->actions().contains(w.LinktoFather1));
    }
};

QTEST_MAIN(EditingWiringTest)
#include "editing_wiring_test.moc"
