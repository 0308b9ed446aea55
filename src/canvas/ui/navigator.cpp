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
    setObjectName(QStringLiteral("navigator"));
    setWindowTitle(QStringLiteral("Navigator"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buttonPanel_ = new QWidget(this);
    buttonPanel_->setObjectName(QStringLiteral("buttonPanel"));
    auto* grid = new QGridLayout(buttonPanel_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    const QSize tall(29, 48), small(29, 24);
    auto* left = makeButton(buttonPanel_, "scrollLeftButton", QStringLiteral("\u25C0"), QString(), tall);
    auto* right = makeButton(buttonPanel_, "scrollRightButton", QStringLiteral("\u25B6"), QString(), tall);
    auto* up = makeButton(buttonPanel_, "scrollUpButton", QStringLiteral("\u25B2"), QString(), small);
    auto* down = makeButton(buttonPanel_, "scrollDownButton", QStringLiteral("\u25BC"), QString(), small);
    grid->addWidget(left, 0, 0, 2, 1);
    grid->addWidget(up, 0, 1);
    grid->addWidget(down, 1, 1);
    grid->addWidget(right, 0, 2, 2, 1);
    auto* zoomIn = makeButton(buttonPanel_, "zoomInButton", QStringLiteral("+"), QStringLiteral("Zoom in"), small);
    auto* zoomOut = makeButton(buttonPanel_, "zoomOutButton", QStringLiteral("\u2212"), QStringLiteral("Zoom out"), small);
    auto* home = makeButton(buttonPanel_, "homeButton", QStringLiteral("\u2302"), QStringLiteral("Home"), small);
    grid->addWidget(zoomIn, 2, 0);
    grid->addWidget(zoomOut, 2, 1);
    grid->addWidget(home, 2, 2);
    infoButton_ = makeButton(buttonPanel_, "infoButton", QStringLiteral("i"), QStringLiteral("Toggle info on/off"),
                             QSize(87, 16));
    infoButton_->setCheckable(true);
    infoButton_->setChecked(true);
    grid->addWidget(infoButton_, 3, 0, 1, 3);
    layout->addWidget(buttonPanel_);

    infoPanel_ = new QWidget(this);
    infoPanel_->setObjectName(QStringLiteral("infoPanel"));
    auto* info = new QVBoxLayout(infoPanel_);
    info->setContentsMargins(0, 2, 0, 0);
    info->setSpacing(0);
    zoomLabel_ = new QLabel(QStringLiteral("Zoom: 100%"), infoPanel_);
    zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
    itemsLabel_ = new QLabel(QStringLiteral("Items: 0"), infoPanel_);
    itemsLabel_->setObjectName(QStringLiteral("itemsLabel"));
    personsLabel_ = new QLabel(QStringLiteral("Persons: 0"), infoPanel_);
    personsLabel_->setObjectName(QStringLiteral("personsLabel"));
    for (QLabel* l : {zoomLabel_, itemsLabel_, personsLabel_}) {
        l->setAlignment(Qt::AlignCenter);
        info->addWidget(l);
    }
    layout->addWidget(infoPanel_);

    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &Navigator::repeatHeldDirection);
    const std::pair<QToolButton*, Direction> directions[] = {{left, Left}, {right, Right}, {up, Up}, {down, Down}};
    for (const auto& [button, dir] : directions) {
        connect(button, &QToolButton::pressed, this, [this, d = dir] { directionPressed(d); });
        connect(button, &QToolButton::released, this, [this, d = dir] { directionReleased(d); });
    }
    connect(zoomIn, &QToolButton::clicked, this, &Navigator::zoomInClicked);
    connect(zoomOut, &QToolButton::clicked, this, &Navigator::zoomOutClicked);
    connect(home, &QToolButton::clicked, this, &Navigator::homeClicked);
    connect(infoButton_, &QToolButton::clicked, this, &Navigator::infoClicked);
}

void Navigator::placeAtStart() {
    adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int right = screen ? screen->geometry().right() : 800;
    move(right - frameGeometry().width() - 10 + 1, 50);
}

void Navigator::setCounterTexts(const QString& zoom, const QString& items, const QString& persons) {
    zoomLabel_->setText(zoom);
    itemsLabel_->setText(items);
    personsLabel_->setText(persons);
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

void Navigator::repeatHeldDirection() {
    for (Direction d : {Left, Right, Up, Down})
        if (held_[d]) {
            step(d);
            return;
        }
}

void Navigator::zoomInClicked() {
    if (hooks_.zoomIn) hooks_.zoomIn();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::zoomOutClicked() {
    if (hooks_.zoomOut) hooks_.zoomOut();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::homeClicked() {
    if (hooks_.home) hooks_.home();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

void Navigator::infoClicked() {
    // The window shrinks to the buttons when the info is hidden, and grows back when shown.
    infoPanel_->setVisible(infoButton_->isChecked());
    adjustSize();
    if (hooks_.returnFocus) hooks_.returnFocus();
}

bool Navigator::infoShown() const { return !infoPanel_->isHidden(); }

void Navigator::closeEvent(QCloseEvent* event) {
    timer_.stop();
    for (bool& h : held_) h = false;
    if (hooks_.closed) hooks_.closed();
    QWidget::closeEvent(event);
}

}  // namespace kinloom
