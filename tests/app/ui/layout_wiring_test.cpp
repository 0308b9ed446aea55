#include "app/ui/layout_wiring.h"

#include "app/ui/startup.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/welcome_window.h"
#include "canvas/fit_view.h"
#include "layout/ui/ancestor_tree_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QAction>
#include <QMouseEvent>
#include <QToolBar>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

using namespace kinloom;

class LayoutWiringTest : public QObject {
    Q_OBJECT
private slots:
    void entriesRunTheLayoutCommands() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        connectLayoutCommands(w);
        ItemStore& store = w.state().store;
        QSignalSpy repaints(&w, &MainWindow::repaintRequested);

        // Tools > Auto Arrange Items on an empty tree only tells.
        QVERIFY(w.commands().action(CommandId::AutoArrange)->isEnabled());
        w.commands().action(CommandId::AutoArrange)->trigger();
        QCOMPARE(prompts.records().size(), size_t{1});
        QCOMPARE(prompts.records()[0].text, QStringLiteral("No items to rearrange."));

        // The toolbar button "Create ancestor tree" runs the compact style with the dialog.
        PersonItem* root = store.createItem();
        root->X = 1000;
        root->Y = 2000;
        store.modified = false;
        auto* edit = qobject_cast<QMenu*>(w.commands().menu(CommandId::CreateAncestorTree)->parentWidget());
        QVERIFY(edit);
        auto openEditMenu = [edit] { QMetaObject::invokeMethod(edit, "aboutToShow"); };
        store.currentItem = root;
        openEditMenu();
        QVERIFY(w.commands().menu(CommandId::CreateAncestorTree)->menuAction()->isEnabled());
        QVERIFY(!w.commands().menu(CommandId::OrganizeAncestorTree)->menuAction()->isEnabled());
        QVERIFY(!w.commands().action(CommandId::OrganizeCompactTree)->isEnabled());
        auto* dialog = w.findChild<AncestorTreeDialog*>();
        QVERIFY(dialog);
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->generationsBox->setValue(2);
            QTest::mouseClick(dialog->okButton, Qt::LeftButton);
        });
        w.commands().toolbarButton(CommandId::CreateCompactTree)->setEnabled(true);  // the current item has no parents
        w.commands().toolbarButton(CommandId::CreateCompactTree)->trigger();
        QCOMPARE(store.itemCount(), 3);
        QCOMPARE(root->Father->X, 925);
        QCOMPARE(root->Father->Y, 2000 - 81);
        QVERIFY(store.modified);
        QCOMPARE(store.currentItem, nullptr);

        // Edit > Organize Ancestor Tree > Fractal Style moves the new parents.
        openEditMenu();
        QVERIFY(!w.commands().menu(CommandId::CreateAncestorTree)->menuAction()->isEnabled());  // no current item
        QVERIFY(!w.commands().menu(CommandId::OrganizeAncestorTree)->menuAction()->isEnabled());
        store.currentItem = root;
        openEditMenu();
        QVERIFY(!w.commands().menu(CommandId::CreateAncestorTree)->menuAction()->isEnabled());  // it has parents now
        QVERIFY(w.commands().menu(CommandId::OrganizeAncestorTree)->menuAction()->isEnabled());
        QVERIFY(w.commands().action(CommandId::OrganizeFractalTree)->isEnabled());
        w.commands().action(CommandId::OrganizeFractalTree)->trigger();
        QCOMPARE(root->Father->X, 925);
        QCOMPARE(root->Father->Y, 2000 - 195);
        QCOMPARE(root->Mother->X, 1075);

        // Auto arrange: No changes nothing, Yes makes the deepest item home, centred at 100 %.
        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        w.commands().action(CommandId::AutoArrange)->trigger();
        QCOMPARE(prompts.records().size(), size_t{1});
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("Warning"));
        QCOMPARE(root->Father->Y, 2000 - 195);
        prompts.answerButton(PromptAnswer::Yes);
        store.modified = false;
        w.state().view.zoom = 30;
        const int before = repaints.count();
        w.commands().action(CommandId::AutoArrange)->trigger();
        QCOMPARE(store.firstItem(), root);
        QCOMPARE(store.currentItem, root);
        QCOMPARE(root->X, 1160);
        QCOMPARE(root->Father->X, 1080);
        QCOMPARE(root->Father->Y, 1500);
        QCOMPARE(w.state().view.zoom, 100.0);
        QVERIFY(!store.modified);
        QVERIFY(repaints.count() > before);
    }

    // The whole program's windows, as start-up makes them: the toolbar button opens the dialog.
    void toolbarButtonCreatesATree() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        w.completeStartup();
        ItemStore& store = w.state().store;
        PersonItem* root = store.createItem();
        store.currentItem = root;
        // The button follows the current item as the pointer moves over the canvas.
        QWidget* canvas = w.canvas();
        QVERIFY(canvas);
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), canvas->mapToGlobal(QPointF(30, 30)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
        auto* dialog = w.findChild<AncestorTreeDialog*>();
        QVERIFY(dialog);
        bool shown = false;
        QTimer::singleShot(0, dialog, [dialog, &shown] {
            shown = dialog->isVisible();
            dialog->generationsBox->setValue(3);
            QTest::mouseClick(dialog->okButton, Qt::LeftButton);
        });
        QVERIFY(w.commands().toolbarButton(CommandId::CreateCompactTree)->isEnabled());
        QWidget* button = w.toolbar()->widgetForAction(w.commands().toolbarButton(CommandId::CreateCompactTree));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(store.itemCount(), 7);
    }

    // Tools > Arrange as Family Chart asks as Auto Arrange does, arranges in one undo step and shows
    // the whole tree.
    void familyChartAsksArrangesAndFitsTheWholeTree() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        w.completeStartup();
        ItemStore& store = w.state().store;
        QCOMPARE(w.commands().action(CommandId::FamilyChart)->text(), QStringLiteral("Arrange as &Family Chart"));
        QVERIFY(w.commands().action(CommandId::FamilyChart)->isEnabled());

        w.commands().action(CommandId::FamilyChart)->trigger();  // an empty tree only tells
        QCOMPARE(prompts.messageTexts(), std::vector<QString>{QStringLiteral("No items to rearrange.")});

        PersonItem* father = store.createItem();
        PersonItem* mother = store.createItem();
        PersonItem* child = store.createItem();
        father->Sex = "M";
        mother->Sex = "F";
        store.addMarriage(father, mother);
        child->Father = father;
        child->Mother = mother;
        for (PersonItem* p : {father, mother, child}) p->X = p->Y = 5000;
        w.state().history.clear();  // the tree as if read from a file
        const int steps = w.state().history.stack().count();

        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        w.commands().action(CommandId::FamilyChart)->trigger();
        QCOMPARE(prompts.records().size(), size_t{1});
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("Warning"));
        QCOMPARE(prompts.records()[0].text, QStringLiteral("This operation will completely rearrange all your items.\n"
                                                           "Would you really like to do that?"));
        QCOMPARE(child->X, 5000);
        QCOMPARE(w.state().history.stack().count(), steps);

        prompts.answerButton(PromptAnswer::Yes);
        w.commands().action(CommandId::FamilyChart)->trigger();
        QCOMPARE(std::pair(father->X, father->Y), std::pair(0, 0));
        QCOMPARE(std::pair(mother->X, mother->Y), std::pair(160, 0));
        QCOMPARE(std::pair(child->X, child->Y), std::pair(80, 350));
        QCOMPARE(store.firstItem(), father);  // the home item stays
        // Fit Whole Tree follows: the view is the one that shows every box.
        const ViewState fitted = fitWholeTree(store, w.canvas()->size());
        QCOMPARE(w.state().view.zoom, fitted.zoom);
        QCOMPARE(w.state().view.offsetX, fitted.offsetX);
        QCOMPARE(w.state().view.offsetY, fitted.offsetY);
        // One step, named after the command; undo puts every box back.
        QCOMPARE(w.state().history.stack().count(), steps + 1);
        QCOMPARE(w.state().history.stack().undoText(), QStringLiteral("Arrange as Family Chart"));
        w.commands().action(CommandId::Undo)->trigger();
        QCOMPARE(std::pair(child->X, child->Y), std::pair(5000, 5000));
        QCOMPARE(std::pair(father->X, mother->X), std::pair(5000, 5000));
    }
};

QTEST_MAIN(LayoutWiringTest)
#include "layout_wiring_test.moc"
