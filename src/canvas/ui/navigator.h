#pragma once
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace kinloom {

// TKontroll, the navigator: scroll buttons that act on press and repeat every 100 ms while held,
// zoom in and out, home, and the three counters that every paint of the main window rewrites.
class TKontroll : public QWidget {
    Q_OBJECT
public:
    enum Direction { Left, Right, Up, Down };
    struct Hooks {
        std::function<void(Direction)> scroll;  // one scroll step of the main window
        std::function<void()> zoomIn, zoomOut, home;
        std::function<void()> returnFocus;       // give the focus back to the main window
        std::function<void()> closed;            // closed by its own close box
    };

    explicit TKontroll(QWidget* parent = nullptr);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // The counters: "Zoom: 100 %", "Items: 12", "Persons: 10" as painting writes them.
    void SetCounterTexts(const QString& zoom, const QString& items, const QString& persons);
    void ShowCounters(int items, int persons, double zoom);
    // Places the window 10 pixels from the right edge of the screen and 50 from the top.
    void PlaceAtStart();

    // Handlers, public for the buttons and for tests.
    void DirectionPressed(Direction d);
    void DirectionReleased(Direction d);
    void Timer1Timer();
    void SpeedButton1Click();  // zoom in
    void SpeedButton2Click();  // zoom out
    void SpeedButton7Click();  // home
    void SpeedButton8Click();  // info on/off

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
    QLabel *label1_, *label2_, *label3_;
    QToolButton* infoButton_;
};

}  // namespace kinloom
