#include "app/ui/editing_wiring.h"

#include "app/ui/menu_exchange.h"
#include "app/ui/main_window.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/null_edit_host.h"
#include "support/test_support.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

using namespace kinloom;

static QMenu* topMenu(MainWindow& w, const QString& title) {
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
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        test::NullEditHost host;
        EditingController c(w.state().store, w.state().view, host, prompts, &w);
        MenuExchange exchange(w);
        wireEditingCommands(w, c, exchange);
        ItemStore& store = w.state().store;

        emit topMenu(w, "&Edit")->aboutToShow();
        QVERIFY(!w.propertiesAction->isEnabled());
        QVERIFY(!w.deleteAction->isEnabled());
        QVERIFY(w.newItemAction->isEnabled());
        QVERIFY(w.findAction->isEnabled());

        PersonItem* a = test::addPerson(store, "A", "B");
        PersonItem* b = test::addPerson(store, "C", "D");
        a->Father = b;
        store.currentItem = a;
        emit topMenu(w, "&Link")->aboutToShow();
        QVERIFY(w.propertiesAction->isEnabled());
        QVERIFY(w.deleteFatherLinkAction->isEnabled());
        QVERIFY(!w.deleteMotherLinkAction->isEnabled());
        QVERIFY(!w.makeThisAliasAction->isEnabled());
        w.deleteFatherLinkAction->trigger();
        QCOMPARE(a->Father, nullptr);
        QVERIFY(host.repaints > 0);

        w.makeAliasAction->trigger();
        QCOMPARE(a->Kind.str(), std::string("ALIAS"));
        store.currentItem = a;
        emit topMenu(w, "&Alias")->aboutToShow();
        QCOMPARE(w.goToAliasAction->text(), QString("&Go to Alias"));
        QVERIFY(!w.makeAliasAction->isEnabled());

        // F3 and F9 toggle the same name search; F8 the navigator.
        w.findAction->trigger();
        QVERIFY(c.nameSearch().isVisible());
        QVERIFY(w.nameSearchAction->isChecked());
        w.nameSearchAction->trigger();
        QVERIFY(!c.nameSearch().isVisible());
        QVERIFY(!w.nameSearchAction->isChecked());

        w.show();
        w.statusBarAction->trigger();
        QVERIFY(!w.statusBar()->isVisible());
        w.statusBarAction->trigger();
        QVERIFY(w.statusBar()->isVisible());
        w.toolbarAction->trigger();
        QVERIFY(!w.toolbar()->isVisible());

        // The empty main menu while a name is typed keeps the ten titles and no entries.
        exchange.setEmpty(true);
        QCOMPARE(w.menuBar()->actions().size(), 10);
        QVERIFY(topMenu(w, "&Link")->actions().isEmpty());
        QVERIFY(w.actions().isEmpty());
        exchange.setEmpty(false);
        QCOMPARE(topMenu(w, "&Link")->actions().size(), 7);
        QVERIFY(topMenu(w, "&Link")->actions().contains(w.linkToFatherAction));
    }
};

QTEST_MAIN(EditingWiringTest)
#include "editing_wiring_test.moc"
