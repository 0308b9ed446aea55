#include "app/ui/layout_wiring.h"

#include "app/ui/startup.h"
#include "app/ui/tslektstre.h"
#include "app/ui/twelcome.h"
#include "layout/ui/create_tree_dialog.h"
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
        TSlektstre w(registry, prompts, "/opt/k/kinloom", {});
        ConnectLayoutCommands(w);
        TItemStore& store = w.state().Store;
        QSignalSpy repaints(&w, &TSlektstre::repaintRequested);

        // Tools > Auto Arrange Items on an empty tree only tells.
        QVERIFY(w.AutoArrange1->isEnabled());
        w.AutoArrange1->trigger();
        QCOMPARE(prompts.records().size(), size_t{1});
        QCOMPARE(prompts.records()[0].text, QStringLiteral("No items to rearrange."));

        // The toolbar button "Create ancestor tree" runs the compact style with the dialog.
        TPersonItem* root = store.LagNyPerson();
        root->X = 1000;
        root->Y = 2000;
        store.Modified = false;
        auto* edit = qobject_cast<QMenu*>(w.CreateAncestorTree1->parentWidget());
        QVERIFY(edit);
        auto openEditMenu = [edit] { QMetaObject::invokeMethod(edit, "aboutToShow"); };
        store.CurrentItem = root;
        openEditMenu();
        QVERIFY(w.CreateAncestorTree1->menuAction()->isEnabled());
        QVERIFY(!w.OrganizeAncestorTree1->menuAction()->isEnabled());
        QVERIFY(!w.Compact2->isEnabled());
        auto* dialog = w.findChild<TCreateTreeDlg*>();
        QVERIFY(dialog);
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->Edit1->setValue(2);
            QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
        });
        w.CreateTreeButton->setEnabled(true);  // the current item has no parents
        w.CreateTreeButton->trigger();
        QCOMPARE(store.ItemCount(), 3);
        QCOMPARE(root->Father->X, 925);
        QCOMPARE(root->Father->Y, 2000 - 81);
        QVERIFY(store.Modified);
        QCOMPARE(store.CurrentItem, nullptr);

        // Edit > Organize Ancestor Tree > Fractal Style moves the new parents.
        openEditMenu();
        QVERIFY(!w.CreateAncestorTree1->menuAction()->isEnabled());  // no current item
        QVERIFY(!w.OrganizeAncestorTree1->menuAction()->isEnabled());
        store.CurrentItem = root;
        openEditMenu();
        QVERIFY(!w.CreateAncestorTree1->menuAction()->isEnabled());  // it has parents now
        QVERIFY(w.OrganizeAncestorTree1->menuAction()->isEnabled());
        QVERIFY(w.Fractal2->isEnabled());
        w.Fractal2->trigger();
        QCOMPARE(root->Father->X, 925);
        QCOMPARE(root->Father->Y, 2000 - 195);
        QCOMPARE(root->Mother->X, 1075);

        // Auto arrange: No changes nothing, Yes makes the deepest item home, centred at 100 %.
        prompts.clear();
        prompts.AnswerButton(PromptAnswer::No);
        w.AutoArrange1->trigger();
        QCOMPARE(prompts.records().size(), size_t{1});
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("Warning"));
        QCOMPARE(root->Father->Y, 2000 - 195);
        prompts.AnswerButton(PromptAnswer::Yes);
        store.Modified = false;
        w.state().View.Zoom = 30;
        const int before = repaints.count();
        w.AutoArrange1->trigger();
        QCOMPARE(store.FirstItem(), root);
        QCOMPARE(store.CurrentItem, root);
        QCOMPARE(root->X, 1160);
        QCOMPARE(root->Father->X, 1080);
        QCOMPARE(root->Father->Y, 1500);
        QCOMPARE(w.state().View.Zoom, 100.0);
        QVERIFY(!store.Modified);
        QVERIFY(repaints.count() > before);
    }

    // The whole program's windows, as start-up makes them: the toolbar button opens the dialog.
    void toolbarButtonCreatesATree() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = CreateWindows(registry, prompts, "/opt/k/kinloom", {});
        TSlektstre& w = *windows->main;
        w.CompleteStartup();
        TItemStore& store = w.state().Store;
        TPersonItem* root = store.LagNyPerson();
        store.CurrentItem = root;
        // The button follows the current item as the pointer moves over the canvas.
        QWidget* canvas = w.canvas();
        QVERIFY(canvas);
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), canvas->mapToGlobal(QPointF(30, 30)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
        auto* dialog = w.findChild<TCreateTreeDlg*>();
        QVERIFY(dialog);
        bool shown = false;
        QTimer::singleShot(0, dialog, [dialog, &shown] {
            shown = dialog->isVisible();
            dialog->Edit1->setValue(3);
            QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
        });
        QVERIFY(w.CreateTreeButton->isEnabled());
        QWidget* button = w.toolbar()->widgetForAction(w.CreateTreeButton);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(store.ItemCount(), 7);
    }
};

QTEST_MAIN(LayoutWiringTest)
#include "layout_wiring_test.moc"
