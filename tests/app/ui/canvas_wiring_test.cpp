#include "app/ui/canvas_wiring.h"
#include "app/ui/tslektstre.h"
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
        TSlektstre w(registry, prompts, "/opt/k/kinloom", {});
        CanvasWidget* canvas = InstallCanvas(w);
        QCOMPARE(w.canvas(), canvas);
        AppState& state = w.state();
        TPersonItem* ann = test::AddPerson(state.Store, "Ann", "Lee", 100, 100);
        state.Store.CurrentItem = nullptr;
        state.CurrentFileName = "/tmp/t.kl3";
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setEnabled(true);

        QSignalSpy painted(canvas, &CanvasWidget::painted);
        state.Repaint();  // what every command asks for
        QCOMPARE(painted.count(), 1);
        QCOMPARE(w.windowTitle(), QString("Kinloom 2.0 beta 3.6 [/tmp/t.kl3]"));
        QCOMPARE(canvas->lastPaint().ItemsLabel, QString("Items: 1"));

        // The zoom entries with their limits; the window's outer size is W and H.
        QVERIFY(w.N2001->isEnabled());
        w.N2001->trigger();
        QCOMPARE(state.View.Zoom, 200.0);
        w.N12->trigger();
        QCOMPARE(state.View.Zoom, 1.0);
        w.ZoomOut1->trigger();
        QCOMPARE(state.View.Zoom, 1.0);  // no step out at 1 % or below
        w.N1001->trigger();
        state.Store.CurrentItem = ann;
        w.Zoom1->trigger();
        const QRect frame = w.frameGeometry();
        QCOMPARE(state.View.OffsetX, frame.width() / 2 - 100 - 70);
        QCOMPARE(state.View.OffsetY, frame.height() / 2 - 100 - 32);

        // Colour codes repaint with the chosen mode.
        w.Gender1->trigger();
        QCOMPARE(canvas->settings().ColourCodeMode, ColourCode::Gender);
        w.None1->trigger();
        QCOMPARE(canvas->settings().ColourCodeMode, ColourCode::None);

        // Zoom to Area from the menu, and with Ctrl held; any paint clears it.
        w.Area1->trigger();
        QVERIFY(w.Area1->isChecked());
        QVERIFY(canvas->interaction().ZoomToAreaMode);
        state.Repaint();
        QVERIFY(!w.Area1->isChecked());
        w.ZoomAreaButton->trigger();  // the toolbar button toggles the same mode once
        QVERIFY(w.Area1->isChecked());
        w.ZoomAreaButton->trigger();
        QVERIFY(!w.Area1->isChecked());
        QVERIFY(!canvas->interaction().ZoomToAreaMode);
        QTest::keyPress(canvas, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(w.Area1->isChecked());
        QTest::keyRelease(canvas, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!w.Area1->isChecked());
    }

    void statusLineAndToolbarFollowThePointer() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        TSlektstre w(registry, prompts, "/opt/k/kinloom", {});
        CanvasWidget* canvas = InstallCanvas(w);
        AppState& state = w.state();
        TPersonItem* ann = test::AddPerson(state.Store, "Ann", "Lee", 0, 0);
        ann->BornDate = "1900";
        state.Store.CurrentItem = nullptr;
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setEnabled(true);
        state.View = ViewState{100, 0, 0};
        state.Repaint();
        QMouseEvent hover(QEvent::MouseMove, QPointF(20, 20), canvas->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &hover);
        QCOMPARE(w.statusBar()->currentMessage(), QString("Ann Lee (1900 - )"));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(state.Store.CurrentItem, ann);
        QApplication::sendEvent(canvas, &hover);
        QVERIFY(w.EditPropertiesButton->isEnabled());
        QVERIFY(w.CreateTreeButton->isEnabled());
    }
};

QTEST_MAIN(CanvasWiringTest)
#include "canvas_wiring_test.moc"
