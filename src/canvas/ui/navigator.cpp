#include "canvas/ui/navigator.h"

#include "platform/rounding.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinloom {

namespace {

QToolButton* makeButton(QWidget* parent, const char* name, const QString& glyph, const QString& hint, QSize size) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(glyph);
    b->setToolTip(hint);
    b->setFixedSize(size);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

Navigator::Navigator(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Kontroll"));
    setWindowTitle(QStringLiteral("Navigator"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buttonPanel_ = new QWidget(this);
    buttonPanel_->setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(buttonPanel_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    const QSize tall(29, 48), small(29, 24);
    auto* left = makeButton(buttonPanel_, "SpeedButton3", QStringLiteral("\u25C0"), QString(), tall);
    auto* right = makeButton(buttonPanel_, "SpeedButton5", QStringLiteral("\u25B6"), QString(), tall);
    auto* up = makeButton(buttonPanel_, "SpeedButton4", QStringLiteral("\u25B2"), QString(), small);
    auto* down = makeButton(buttonPanel_, "SpeedButton6", QStringLiteral("\u25BC"), QString(), small);
    grid->addWidget(left, 0, 0, 2, 1);
    grid->addWidget(up, 0, 1);
    grid->addWidget(down, 1, 1);
    grid->addWidget(right, 0, 2, 2, 1);
    auto* zoomIn = makeButton(buttonPanel_, "SpeedButton1", QStringLiteral("+"), QStringLiteral("Zoom in"), small);
    auto* zoomOut = makeButton(buttonPanel_, "SpeedButton2", QStringLiteral("\u2212"), QStringLiteral("Zoom out"), small);
    auto* home = makeButton(buttonPanel_, "SpeedButton7", QStringLiteral("\u2302"), QStringLiteral("Home"), small);
    grid->addWidget(zoomIn, 2, 0);
    grid->addWidget(zoomOut, 2, 1);
    grid->addWidget(home, 2, 2);
    infoButton_ = makeButton(buttonPanel_, "SpeedButton8", QStringLiteral("i"), QStringLiteral("Toggle info on/off"),
                             QSize(87, 16));
    infoButton_->setCheckable(true);
    infoButton_->setChecked(true);
    grid->addWidget(infoButton_, 3, 0, 1, 3);
    layout->addWidget(buttonPanel_);

    infoPanel_ = new QWidget(this);
    infoPanel_->setObjectName(QStringLiteral("Panel2"));
    auto* info = new QVBoxLayout(infoPanel_);
    info->setContentsMargins(0, 2, 0, 0);
    info->setSpacing(0);
    label3_ = new QLabel(QStringLiteral("Zoom: 100%"), infoPanel_);
    label3_->setObjectName(QStringLiteral("Label3"));
    label1_ = new QLabel(QStringLiteral("Items: 0"), infoPanel_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(QStringLiteral("Persons: 0"), infoPanel_);
    label2_->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {label3_, label1_, label2_}) {
        l->setAlignment(Qt::AlignCenter);
        info->addWidget(l);
    }
    layout->addWidget(infoPanel_);

    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &Navigator::searchTimerFired);
    const std::pair<QToolButton*, Direction> directions[] = {{left, Left}, {right, Right}, {up, Up}, {down, Down}};
    for (const auto& [button, dir] : directions) {
        connect(button, &QToolButton::pressed, this, [this, d = dir] { directionPressed(d); });
        connect(button, &QToolButton::released, this, [this, d = dir] { directionReleased(d); });
    }
    connect(zoomIn, &QToolButton::clicked, this, &Navigator::speedButton1Click);
    connect(zoomOut, &QToolButton::clicked, this, &Navigator::speedButton2Click);
    connect(home, &QToolButton::clicked, this, &Navigator::speedButton7Click);
    connect(infoButton_, &QToolButton::clicked, this, &Navigator::speedButton8Click);
}

void Navigator::placeAtStart() {
    adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int right = screen ? screen->geometry().right() : 800;
    move(right - frameGeometry().width() - 10 + 1, 50);
}

void Navigator::setCounterTexts(const QString& zoom, const QString& items, const QString& persons) {
    label3_->setText(zoom);
    label1_->setText(items);
    label2_->setText(persons);
}

void Navigator::showCounters(int items, int persons, double zoom) {
    setCounterTexts(QStringLiteral("Zoom: ") + QString::number(roundHalfEven(zoom)) + QStringLiteral(" %"),
                    QStringLiteral("Items: ") + QString::number(items),
                    QStringLiteral("Persons: ") + QString::number(persons));
}

void Navigator::step(Direction d) {
    if (hooks_.scroll) hooks_.scroll(d);
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::directionPressed(Direction d) {
    timer_.stop();
    held_[d] = true;
    step(d);
    timer_.start();
}

void Navigator::directionReleased(Direction d) {
    held_[d] = false;
    timer_.stop();
}

void Navigator::searchTimerFired() {
    for (Direction d : {Left, Right, Up, Down})
        if (held_[d]) {
            step(d);
            return;
        }
}

void Navigator::speedButton1Click() {
    if (hooks_.zoomIn) hooks_.zoomIn();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::speedButton2Click() {
    if (hooks_.zoomOut) hooks_.zoomOut();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::speedButton7Click() {
    if (hooks_.home) hooks_.home();
}

void Navigator::speedButton8Click() {
    // The window shrinks to the buttons when the info is hidden, and grows back when shown.
    infoPanel_->setVisible(infoButton_->isChecked());
    adjustSize();
}

bool Navigator::infoShown() const { return !infoPanel_->isHidden(); }

void Navigator::closeEvent(QCloseEvent* event) {
    timer_.stop();
    for (bool& h : held_) h = false;
    if (hooks_.closed) hooks_.closed();
    QWidget::closeEvent(event);
}

}  // namespace kinloom
