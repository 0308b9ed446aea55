#include "app/ui/canvas_wiring.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/ui/canvas_widget.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace kinloom;

class CanvasWiringTest : public QObject {
    Q_OBJECT
private slots:
    void canvasIsTheCentralAreaAndDrawsTheTree() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        CanvasWidget* canvas = installCanvas(w);
        QCOMPARE(w.canvas(), canvas);
        AppState& state = w.state();
        PersonItem* ann = test::addPerson(state.store, "Ann", "Lee", 100, 100);
        state.store.currentItem = nullptr;
        state.currentFileName = "/tmp/t.kl3";
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setEnabled(true);

        QSignalSpy painted(canvas, &CanvasWidget::painted);
        state.repaint();  // what every command asks for
        QCOMPARE(painted.count(), 1);
        QCOMPARE(w.windowTitle(), QString("Kinloom 2.0 beta 3.6 [/tmp/t.kl3][*]"));
        QCOMPARE(canvas->lastPaint().itemsLabel, QString("Items: 1"));

        // The zoom entries with their limits; the window's outer size is W and H.
        QVERIFY(w.commands().action(CommandId::Zoom200)->isEnabled());
        w.commands().action(CommandId::Zoom200)->trigger();
        QCOMPARE(state.view.zoom, 200.0);
        w.commands().action(CommandId::Zoom1)->trigger();
        QCOMPARE(state.view.zoom, 1.0);
        w.commands().action(CommandId::ZoomOut)->trigger();
        QCOMPARE(state.view.zoom, 1.0);  // no step out at 1 % or below
        w.commands().action(CommandId::Zoom100)->trigger();
        state.store.currentItem = ann;
        w.commands().action(CommandId::ZoomToItem)->trigger();
        const QRect frame = w.frameGeometry();
        QCOMPARE(state.view.offsetX, frame.width() / 2 - 100 - 70);
        QCOMPARE(state.view.offsetY, frame.height() / 2 - 100 - 32);

        // Colour codes repaint with the chosen mode.
        w.commands().action(CommandId::GenderColours)->trigger();
        QCOMPARE(canvas->settings().colourCodeMode, ColourCode::Gender);
        w.commands().action(CommandId::NoColours)->trigger();
        QCOMPARE(canvas->settings().colourCodeMode, ColourCode::None);

        // Zoom to Area from the menu, and with Ctrl held; any paint clears it.
        w.commands().action(CommandId::ZoomToArea)->trigger();
        QVERIFY(w.commands().action(CommandId::ZoomToArea)->isChecked());
        QVERIFY(canvas->interaction().zoomToAreaMode);
        state.repaint();
        QVERIFY(!w.commands().action(CommandId::ZoomToArea)->isChecked());
        w.commands().toolbarButton(CommandId::ZoomToArea)->trigger();  // the toolbar button toggles the same mode once
        QVERIFY(w.commands().action(CommandId::ZoomToArea)->isChecked());
        w.commands().toolbarButton(CommandId::ZoomToArea)->trigger();
        QVERIFY(!w.commands().action(CommandId::ZoomToArea)->isChecked());
        QVERIFY(!canvas->interaction().zoomToAreaMode);
        QTest::keyPress(canvas, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(w.commands().action(CommandId::ZoomToArea)->isChecked());
        QTest::keyRelease(canvas, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!w.commands().action(CommandId::ZoomToArea)->isChecked());
    }

    void statusLineAndToolbarFollowThePointer() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        CanvasWidget* canvas = installCanvas(w);
        AppState& state = w.state();
        PersonItem* ann = test::addPerson(state.store, "Ann", "Lee", 0, 0);
        ann->BornDate = "1900";
        state.store.currentItem = nullptr;
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setEnabled(true);
        state.view = ViewState{100, 0, 0};
        state.repaint();
        QMouseEvent hover(QEvent::MouseMove, QPointF(20, 20), canvas->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &hover);
        QCOMPARE(w.statusBar()->currentMessage(), QString("Ann Lee (1900 - )"));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(state.store.currentItem, ann);
        QApplication::sendEvent(canvas, &hover);
        QVERIFY(w.commands().toolbarButton(CommandId::Properties)->isEnabled());
        QVERIFY(w.commands().toolbarButton(CommandId::CreateCompactTree)->isEnabled());
    }
};

QTEST_MAIN(CanvasWiringTest)
#include "canvas_wiring_test.moc"
