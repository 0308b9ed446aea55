#include "canvas/ui/canvas_widget.h"

#include "canvas/invert.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "document/item_store.h"
#include "platform/prompts.h"
#include "platform/rounding.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace kinloom {

CanvasWidget::CanvasWidget(ItemStore& store, ViewState& view, QWidget* parent)
    : QWidget(parent),
      store_(store),
      view_(view),
      interaction_(std::make_unique<CanvasInteraction>(store, view, *this)),
      popup_(new CanvasPopupMenu(this)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("Click your right mouse button to get a menu of the most common tasks"));

    CanvasInteraction& in = *interaction_;
    connect(popup_->moveUp, &QAction::triggered, this, [&in] { in.scrollUp(); });
    connect(popup_->moveDown, &QAction::triggered, this, [&in] { in.scrollDown(); });
    connect(popup_->moveLeft, &QAction::triggered, this, [&in] { in.scrollLeft(); });
    connect(popup_->moveRight, &QAction::triggered, this, [&in] { in.scrollRight(); });
    connect(popup_->zoomToItem, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->zoomToItem(); });
    connect(popup_->zoomIn, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->zoomIn(); });
    connect(popup_->zoomOut, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->zoomOut(); });
    connect(popup_->zoomToArea, &QAction::triggered, this, [&in] { in.zoomToAreaClicked(); });
    connect(popup_->fitWholeTree, &QAction::triggered, this, &CanvasWidget::fitWholeTree);
    connect(popup_->fitSelection, &QAction::triggered, this, &CanvasWidget::fitSelection);
}

CanvasWidget::~CanvasWidget() = default;

WindowSize CanvasWidget::windowSize() const {
    const QRect frame = window()->frameGeometry();
    return {frame.width(), frame.height()};
}

void CanvasWidget::syncWindowSize() { interaction_->window = windowSize(); }

void CanvasWidget::repaintTree() {
    syncWindowSize();
    interaction_->repaint();
}

void CanvasWidget::paintTreeWithoutErase() {
    syncWindowSize();
    interaction_->paintWithoutErase();
}

void CanvasWidget::fitWholeTree() { interaction_->fitWholeTree(size()); }
void CanvasWidget::fitSelection() { interaction_->fitSelection(size()); }
void CanvasWidget::showWholeTreeIfLarge() { interaction_->showWholeTreeIfLarge(size()); }

void CanvasWidget::paintTree(bool erase) {
    // The buffer has the screen's pixels; painting into it stays in logical pixels.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (buffer_.size() != pixels || buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(pixels, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
        erase = true;  // a new buffer holds nothing worth keeping
    }
    if (erase) buffer_.fill(kCanvasBackground);
    if (settingsSource_) settingsSource_(settings_);
    settings_.dragging = interaction_->dragging;
    {
        QPainter painter(&buffer_);
        const WindowSize w = windowSize();
        lastPaint_ = kinloom::paintTree(painter, store_, view_, QSize(w.width, w.height), settings_);
    }
    if (!lastPaint_.painted) return;
    if (!lastPaint_.ok && prompts_) prompts_->error(kAppTitle, lastPaint_.error);
    emit painted(lastPaint_);
    update();
}

void CanvasWidget::repaint() { paintTree(true); }
void CanvasWidget::paintWithoutErase() { paintTree(false); }

void CanvasWidget::invertRect(const QRect& rect) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::invertRect(painter, rect);
    update(rect);
}

void CanvasWidget::invertLine(QPoint from, QPoint to) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::invertLine(painter, from, to);
    update(QRect(from, to).normalized().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::invertFrame(QPoint a, QPoint b, bool dotted) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::invertFrame(painter, a, b, dotted);
    update(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::fillBackground() {
    buffer_.fill(kCanvasBackground);
    update();
}

void CanvasWidget::fillBox(const QRect& rect, bool silver) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    painter.fillRect(rect, silver ? kSilver : kCanvasBackground);
    update(rect);
}

void CanvasWidget::setCanvasCursor(CanvasCursor cursor) {
    switch (cursor) {
    case CanvasCursor::Arrow: setCursor(Qt::ArrowCursor); break;
    case CanvasCursor::Cross: setCursor(Qt::CrossCursor); break;
    case CanvasCursor::PointingHand: setCursor(Qt::PointingHandCursor); break;
    case CanvasCursor::ClosedHand: setCursor(Qt::ClosedHandCursor); break;
    }
}

void CanvasWidget::setStatusText(const QString& text) { emit statusTextChanged(text); }

void CanvasWidget::setHint(const QString& text, bool enabled) {
    if (enabled && !text.isEmpty()) {
        setToolTip(text);
    } else {
        QToolTip::hideText();
        setToolTip(QString());
    }
}

void CanvasWidget::setZoomToAreaChecked(bool checked) {
    popup_->zoomToArea->setChecked(checked);
    emit zoomToAreaCheckedChanged(checked);
}

void CanvasWidget::setToolbarButtons(bool editProperties, bool createAncestorTree) {
    emit toolbarButtonsChanged(editProperties, createAncestorTree);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    // Moved to a screen of another pixel ratio: draw the tree again at the new one.
    if (buffer_.devicePixelRatio() != devicePixelRatioF()) {
        syncWindowSize();
        paintTree(true);
    }
    QPainter painter(this);
    const qreal ratio = buffer_.devicePixelRatio();
    for (const QRect& r : event->region())
        painter.drawImage(QRectF(r), buffer_, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The arrow keys scroll by a step measured once, from the first client width.
    if (interaction_->scrollStep == 0 && width() > 0)
        interaction_->scrollStep = static_cast<int>(roundHalfEven(width() * 80.0 / 1024));
    repaintTree();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->mousePress(event->position().toPoint(), event->button());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->mouseMove(event->position().toPoint());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->mouseRelease(event->position().toPoint(), event->button());
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    syncWindowSize();
    // The left double-click runs go to alias; the press that comes with it is then ignored. Any
    // other button's double-click is just its second press.
    if (event->button() == Qt::LeftButton) interaction_->doubleClick(event->position().toPoint());
    interaction_->mousePress(event->position().toPoint(), event->button());
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    syncWindowSize();
    interaction_->keyPress(event->key(), event->modifiers());
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    interaction_->keyRelease(event->key(), event->modifiers());
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    syncWindowSize();
    interaction_->wheel(event->position().toPoint(), event->angleDelta(), event->pixelDelta(), event->modifiers());
    event->accept();
}

void CanvasWidget::contextMenuEvent(QContextMenuEvent* event) {
    popup_->apply(interaction_->popupMenu());
    popup_->exec(event->globalPos());
}

}  // namespace kinloom
