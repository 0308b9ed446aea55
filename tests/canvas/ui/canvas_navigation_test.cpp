// The canvas as a desktop user moves around it, on a screen of pixel ratio 2: the whole program runs
// with QT_SCALE_FACTOR=2, so that the back buffer, the events and the picture meet as on such a screen.
#include "canvas/ui/canvas_widget.h"
#include "canvas/view_math.h"
#include "document/item_store.h"
#include "support/test_support.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

using namespace kinloom;

class CanvasNavigationTest : public QObject {
    Q_OBJECT

    static void wheel(QWidget& w, QPoint at, QPoint angle, Qt::KeyboardModifiers mods, QPoint pixels = {}) {
        QWheelEvent e(QPointF(at), w.mapToGlobal(QPointF(at)), pixels, angle, Qt::NoButton, mods, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(&w, &e);
    }

private slots:
    void backBufferHasTheScreensPixels() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ann", "Lee", 10, 10);
        a->BornDate = "1875";
        store.currentItem = nullptr;
        ViewState view;
        CanvasWidget w(store, view);
        w.resize(400, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.devicePixelRatioF(), 2.0);
        QCOMPARE(w.backBuffer().size(), QSize(800, 600));
        QCOMPARE(w.backBuffer().devicePixelRatio(), 2.0);
        // Box corners at the same logical place: (10, 10) to (150, 75), the shadow beyond.
        const QImage& b = w.backBuffer();
        QCOMPARE(b.pixel(21, 141) | 0xff000000u, qRgb(255, 255, 255));
        QCOMPARE(b.pixel(300, 151) | 0xff000000u, qRgb(0, 0, 0));  // the shadow, two pixels wide
        QCOMPARE(b.pixel(302, 151) | 0xff000000u, qRgb(64, 128, 128));
        // A click picks it and inverts it, every device pixel of it.
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(store.currentItem, a);
        QCOMPARE(b.pixel(21, 141) | 0xff000000u, qRgb(0, 0, 0));
        const QImage shown = w.grab().toImage();
        QCOMPARE(shown.size(), QSize(800, 600));
        QCOMPARE(shown.pixel(21, 141) | 0xff000000u, qRgb(0, 0, 0));
    }

    void ctrlWheelKeepsThePointUnderThePointer() {
        ItemStore store;
        test::addPerson(store, "Ann", "", 0, 0);
        store.modified = false;
        ViewState view;
        CanvasWidget w(store, view);
        w.resize(600, 400);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyPress(&w, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(w.interaction().zoomToAreaMode);
        const QPoint pointer(437, 91);
        for (const int notches : {1, 1, 1, -1, -2, -3, 1}) {
            const double s = view.zoom * 0.01;
            const double cx = pointer.x() / s - view.offsetX, cy = pointer.y() / s - view.offsetY;
            const double before = view.zoom;
            wheel(w, pointer, {0, 120 * notches}, Qt::ControlModifier);
            QCOMPARE(view.zoom, before * std::pow(notches > 0 ? 1.25 : 0.8, std::abs(notches)));
            const double t = view.zoom * 0.01;
            QVERIFY(std::abs((cx + view.offsetX) * t - pointer.x()) <= 1.0);
            QVERIFY(std::abs((cy + view.offsetY) * t - pointer.y()) <= 1.0);
        }
        QVERIFY(w.interaction().zoomToAreaMode);  // the wheel left the armed zoom to area alone
        QCOMPARE(w.lastPaint().zoomLabel, QString("Zoom: 64 %"));
        QTest::keyRelease(&w, Qt::Key_Control, Qt::ControlModifier);

        // Plain wheel and Shift+wheel scroll by the arrow keys' step (Round(600 * 80 / 1024) = 47).
        QCOMPARE(w.interaction().scrollStep, 47);
        const int x0 = view.offsetX, y0 = view.offsetY;
        wheel(w, pointer, {0, -120}, Qt::NoModifier);
        wheel(w, pointer, {0, 120}, Qt::ShiftModifier);
        QCOMPARE(view.offsetY, y0 - static_cast<int>(47 / 0.64));
        QVERIFY(std::abs(view.offsetX - (x0 + 47 / 0.64)) < 1);

        // The middle button drags the view.
        const int x1 = view.offsetX;
        QTest::mousePress(&w, Qt::MiddleButton, {}, QPoint(100, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(164, 100), w.mapToGlobal(QPointF(164, 100)), Qt::NoButton,
                         Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QTest::mouseRelease(&w, Qt::MiddleButton, {}, QPoint(164, 100));
        QCOMPARE(view.offsetX, x1 + 100);  // 64 pixels at 64 %
        QVERIFY(!store.modified);
    }

    void fitPlacesEveryItemInsideTheWindow() {
        ItemStore store;
        for (int i = 0; i < 50; ++i) test::addPerson(store, "P", "", (i * 7919) % 20000 - 5000, (i * 104729) % 9000);
        ViewState view;
        CanvasWidget w(store, view);
        w.resize(500, 350);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.fitWholeTree();
        QVERIFY(view.zoom < 100);
        for (const PersonItem* item = store.firstItem(); item; item = item->Next)
            QVERIFY(w.rect().contains(boxEdgesOf(*item, view).rect()));
        QCOMPARE(w.lastPaint().itemsLabel, QString("Items: 50"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    CanvasNavigationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "canvas_navigation_test.moc"
