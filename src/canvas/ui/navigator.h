#pragma once
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace kinloom {

// Navigator, the navigator: scroll buttons that act on press and repeat every 100 ms while held,
// zoom in and out, home, and the three counters that every paint of the main window rewrites.
class Navigator : public QWidget {
    Q_OBJECT
public:
    enum Direction { Left, Right, Up, Down };
    struct Hooks {
        std::function<void(Direction)> scroll;  // one scroll step of the main window
        std::function<void()> zoomIn, zoomOut, home;
        std::function<void()> returnFocus;       // give the focus back to the main window
        std::function<void()> closed;            // closed by its own close box
    };

    explicit Navigator(QWidget* parent = nullptr);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // The counters: "Zoom: 100 %", "Items: 12", "Persons: 10" as painting writes them.
    void setCounterTexts(const QString& zoom, const QString& items, const QString& persons);
    void showCounters(int items, int persons, double zoom);
    // Places the window 10 pixels from the right edge of the screen and 50 from the top.
    void placeAtStart();

    // Handlers, public for the buttons and for tests.
    void directionPressed(Direction d);
    void directionReleased(Direction d);
    void repeatHeldDirection();  // the repeat timer: one more step while a direction is held
    void zoomInClicked();
    void zoomOutClicked();
    void homeClicked();
    void infoClicked();  // shows or hides the counters

    QTimer& repeatTimer() { return timer_; }
    bool infoShown() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void step(Direction d);

    Hooks hooks_;
    QTimer timer_;
    bool held_[4] = {false, false, false, false};
    QWidget* buttonPanel_;
    QWidget* infoPanel_;
    QLabel *itemsLabel_, *personsLabel_, *zoomLabel_;
    QToolButton* infoButton_;
};

}  // namespace kinloom
