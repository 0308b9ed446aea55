#include "canvas/paint_tree.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/view_math.h"
#include "document/item_store.h"
#include "support/test_support.h"

#include <QSignalSpy>
#include <QTest>

using namespace kinloom;

class CanvasWidgetTest : public QObject {
    Q_OBJECT

    static QRgb at(const CanvasWidget& w, int x, int y) { return w.backBuffer().pixel(x, y) | 0xff000000u; }
    static bool showAtSize(CanvasWidget& w, QSize size) {
        w.resize(size);
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

private slots:
    void paintsTheTreeIntoTheBackBuffer() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ann", "Lee", 10, 10);
        store.currentItem = nullptr;
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
        QCOMPARE(w.lastPaint().itemsLabel, QString("Items: 1"));
        QCOMPARE(w.lastPaint().caption, QString("Kinloom 2.0 beta 3.6"));

        // A click picks the item and shows it inverted; the screen copy is the back buffer.
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(store.currentItem, a);
        QCOMPARE(at(w, 12, 70), qRgb(0, 0, 0));
        const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(12, 70) | 0xff000000u, qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(300, 200) | 0xff000000u, qRgb(64, 128, 128));

        // A drag moves it onto the grid and repaints at the release.
        QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(20, 20));
        QMouseEvent moveEvent(QEvent::MouseMove, QPointF(80, 60), w.mapToGlobal(QPointF(80, 60)), Qt::NoButton,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &moveEvent);
        QVERIFY(store.modified);
        QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(80, 60));
        QCOMPARE(a->X, 72);  // ((80 - 10) div 5) * 5 + 2
        QCOMPARE(a->Y, 52);
        QCOMPARE(at(w, 12, 70), qRgb(64, 128, 128));
    }

    void zoomCommandsAndKeys() {
        ItemStore store;
        test::addPerson(store, "Ann", "", 0, 0);
        ViewState view;
        CanvasWidget w(store, view);
        QSignalSpy painted(&w, &CanvasWidget::painted);
        w.resize(800, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.interaction().scrollStep, 62);  // Round(62.5), half to even
        w.popupMenu().zoomIn->trigger();
        QCOMPARE(view.zoom, 125.0);
        QCOMPARE(painted.last().at(0).value<PaintResult>().zoomLabel, QString("Zoom: 125 %"));
        QTest::keyClick(&w, Qt::Key_Down);
        QCOMPARE(view.offsetY, -60 - 50);  // Round(62 / 1.25)

        QSignalSpy area(&w, &CanvasWidget::zoomToAreaCheckedChanged);
        QTest::keyPress(&w, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(w.interaction().zoomToAreaMode);
        QVERIFY(w.popupMenu().zoomToArea->isChecked());
        QTest::keyRelease(&w, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!w.interaction().zoomToAreaMode);
        QVERIFY(!area.isEmpty());
    }

    // The popup's Zoom submenu fits the whole tree or the selection, as the Zoom menu does.
    void popupZoomMenuFitsTheTreeAndTheSelection() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ann", "", 0, 0);
        PersonItem* b = test::addPerson(store, "Bob", "", 3000, 2000);
        store.currentItem = nullptr;
        ViewState view;
        CanvasWidget w(store, view);
        QVERIFY(showAtSize(w, {800, 600}));
        QStringList entries;
        for (const QAction* action : w.popupMenu().zoomMenu->actions())
            if (!action->isSeparator()) entries << action->text();
        QCOMPARE(entries, QStringList({"&Zoom to Item", "Zoom &In", "Zoom &Out", "Zoom to &Area", "Fit &Whole Tree",
                                       "Fit &Selection"}));
        QCOMPARE(w.popupMenu().fitWholeTree->shortcut(), QKeySequence(Qt::Key_W));
        const auto shown = [&](const PersonItem* item) { return w.rect().contains(boxEdgesOf(*item, view).rect()); };
        QVERIFY(!shown(b));
        w.popupMenu().fitWholeTree->trigger();
        QVERIFY(view.zoom < 100);
        QVERIFY(shown(a) && shown(b));
        // One selected box is shown at 100 %, the other is out of sight.
        store.addToSelection(b);
        w.popupMenu().fitSelection->trigger();
        QCOMPARE(view.zoom, 100.0);
        QVERIFY(shown(b) && !shown(a));
    }

    void doubleClickRunsGoToAliasAndSwallowsItsPress() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ann", "", 0, 0);
        PersonItem* b = test::addPerson(store, "Bob", "", 300, 0);
        store.currentItem = a;
        ViewState view;
        CanvasWidget w(store, view);
        QVERIFY(showAtSize(w, {600, 300}));
        int jumps = 0;
        // The jump moves the current item elsewhere; the press that comes with the double-click
        // must not pick the item under the old pointer position again.
        w.interaction().goToAliasEntry = [&] {
            ++jumps;
            store.currentItem = b;
        };
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(20, 20), w.mapToGlobal(QPointF(20, 20)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dbl);
        QCOMPARE(jumps, 1);
        QCOMPARE(store.currentItem, b);
        QVERIFY(!w.interaction().ignoreNextMouseDown);

        // Only the left button's double-click jumps; another's is just its second press.
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QMouseEvent other(QEvent::MouseButtonDblClick, QPointF(320, 20), w.mapToGlobal(QPointF(320, 20)), button,
                              button, Qt::NoModifier);
            QApplication::sendEvent(&w, &other);
            QCOMPARE(jumps, 1);
            QTest::mouseRelease(&w, button, {}, QPoint(320, 20));
        }

        // A right press picks the item under the pointer too, as the popup menu acts on it.
        QTest::mousePress(&w, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(store.currentItem, a);
        QVERIFY(!w.interaction().dragPending);
    }

    void popupMenuStateIsApplied() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ann", "", 0, 0);
        ViewState view;
        CanvasWidget w(store, view);
        store.currentItem = nullptr;
        CanvasPopupMenu& menu = w.popupMenu();
        menu.apply(w.interaction().popupMenu());
        QVERIFY(menu.newItem->isVisible());
        QVERIFY(!menu.editProperties->isEnabled());
        QVERIFY(!menu.deleteLinkFather->isVisible());
        store.currentItem = a;
        menu.apply(w.interaction().popupMenu());
        QVERIFY(!menu.newItem->isVisible());
        QVERIFY(menu.editProperties->isEnabled());
        QVERIFY(menu.deleteLinkFather->isVisible());
        QVERIFY(!menu.deleteLinkFather->isEnabled());
        QVERIFY(menu.makeThisAliasAction->isEnabled());
    }
};

QTEST_MAIN(CanvasWidgetTest)
#include "canvas_widget_test.moc"
