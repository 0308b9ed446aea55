#include "canvas/form_paint.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"
#include "document/item_store.h"
#include "support/test_support.h"

#include <QSignalSpy>
#include <QTest>

using namespace kinloom;

class CanvasWidgetTest : public QObject {
    Q_OBJECT

    static QRgb at(const CanvasWidget& w, int x, int y) { return w.backBuffer().pixel(x, y) | 0xff000000u; }

private slots:
    void paintsTheTreeIntoTheBackBuffer() {
        TItemStore store;
        TPersonItem* a = test::AddPerson(store, "Ann", "Lee", 10, 10);
        store.CurrentItem = nullptr;
        ViewState view;
        CanvasWidget w(store, view);
        QSignalSpy painted(&w, &CanvasWidget::painted);
        w.resize(400, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(painted.count() >= 1);
        QCOMPARE(w.backBuffer().size(), QSize(400, 300));
        QCOMPARE(at(w, 300, 200), qRgb(64, 128, 128));
        QCOMPARE(at(w, 12, 70), qRgb(255, 255, 255));
        QCOMPARE(at(w, 150, 75), qRgb(0, 0, 0));  // shadow corner
        QCOMPARE(w.lastPaint().ItemsLabel, QString("Items: 1"));
        QCOMPARE(w.lastPaint().Caption, QString("Kinloom 2.0 beta 3.6"));

        // A click picks the item and shows it inverted; the screen copy is the back buffer.
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(store.CurrentItem, a);
        QCOMPARE(at(w, 12, 70), qRgb(0, 0, 0));
        const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(12, 70) | 0xff000000u, qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(300, 200) | 0xff000000u, qRgb(64, 128, 128));

        // A drag moves it onto the grid and repaints at the release.
        QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(20, 20));
        QMouseEvent moveEvent(QEvent::MouseMove, QPointF(80, 60), w.mapToGlobal(QPointF(80, 60)), Qt::NoButton,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &moveEvent);
        QVERIFY(store.Modified);
        QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(80, 60));
        QCOMPARE(a->X, 72);  // ((80 - 10) div 5) * 5 + 2
        QCOMPARE(a->Y, 52);
        QCOMPARE(at(w, 12, 70), qRgb(64, 128, 128));
    }

    void zoomCommandsAndKeys() {
        TItemStore store;
        test::AddPerson(store, "Ann", "", 0, 0);
        ViewState view;
        CanvasWidget w(store, view);
        QSignalSpy painted(&w, &CanvasWidget::painted);
        w.resize(800, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.interaction().ScrollStep, 62);  // Round(62.5), half to even
        w.popupMenu().ZoomIn->trigger();
        QCOMPARE(view.Zoom, 125.0);
        QCOMPARE(painted.last().at(0).value<PaintResult>().ZoomLabel, QString("Zoom: 125 %"));
        QTest::keyClick(&w, Qt::Key_Down);
        QCOMPARE(view.OffsetY, -60 - 50);  // Round(62 / 1.25)

        QSignalSpy area(&w, &CanvasWidget::zoomToAreaCheckedChanged);
        QTest::keyPress(&w, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(w.interaction().ZoomToAreaMode);
        QVERIFY(w.popupMenu().ZoomToArea->isChecked());
        QTest::keyRelease(&w, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!w.interaction().ZoomToAreaMode);
        QVERIFY(!area.isEmpty());
    }

    void doubleClickRunsGoToAliasAndSwallowsItsPress() {
        TItemStore store;
        TPersonItem* a = test::AddPerson(store, "Ann", "", 0, 0);
        TPersonItem* b = test::AddPerson(store, "Bob", "", 300, 0);
        store.CurrentItem = a;
        ViewState view;
        CanvasWidget w(store, view);
        w.resize(600, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int jumps = 0;
        // The jump moves the current item elsewhere; the press that comes with the double-click
        // must not pick the item under the old pointer position again.
        w.interaction().GotoAlias = [&] {
            ++jumps;
            store.CurrentItem = b;
        };
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(20, 20), w.mapToGlobal(QPointF(20, 20)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dbl);
        QCOMPARE(jumps, 1);
        QCOMPARE(store.CurrentItem, b);
        QVERIFY(!w.interaction().IgnoreNextMouseDown);

        // A right press picks the item under the pointer too, as the popup menu acts on it.
        QTest::mousePress(&w, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(store.CurrentItem, a);
        QVERIFY(!w.interaction().DragPending);
    }

    void popupMenuStateIsApplied() {
        TItemStore store;
        TPersonItem* a = test::AddPerson(store, "Ann", "", 0, 0);
        ViewState view;
        CanvasWidget w(store, view);
        store.CurrentItem = nullptr;
        CanvasPopupMenu& menu = w.popupMenu();
        menu.apply(w.interaction().PopupMenu());
        QVERIFY(menu.NewItem->isVisible());
        QVERIFY(!menu.EditProperties->isEnabled());
        QVERIFY(!menu.DeleteLinkFather->isVisible());
        store.CurrentItem = a;
        menu.apply(w.interaction().PopupMenu());
        QVERIFY(!menu.NewItem->isVisible());
        QVERIFY(menu.EditProperties->isEnabled());
        QVERIFY(menu.DeleteLinkFather->isVisible());
        QVERIFY(!menu.DeleteLinkFather->isEnabled());
        QVERIFY(menu.MakeThisAlias->isEnabled());
    }
};

QTEST_MAIN(CanvasWidgetTest)
#include "canvas_widget_test.moc"
