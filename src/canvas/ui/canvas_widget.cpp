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

namespace kinloom {

CanvasWidget::CanvasWidget(TItemStore& store, ViewState& view, QWidget* parent)
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
    connect(popup_->MoveUp, &QAction::triggered, this, [&in] { in.SpeedButton4Click(); });
    connect(popup_->MoveDown, &QAction::triggered, this, [&in] { in.SpeedButton2Click(); });
    connect(popup_->MoveLeft, &QAction::triggered, this, [&in] { in.SpeedButton3Click(); });
    connect(popup_->MoveRight, &QAction::triggered, this, [&in] { in.SpeedButton1Click(); });
    connect(popup_->ZoomToItem, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->Zoom1Click(); });
    connect(popup_->ZoomIn, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->ZoomIn1Click(); });
    connect(popup_->ZoomOut, &QAction::triggered, this, [this] { syncWindowSize(); interaction_->ZoomOut1Click(); });
    connect(popup_->ZoomToArea, &QAction::triggered, this, [&in] { in.Area1Click(); });
}

CanvasWidget::~CanvasWidget() = default;

WindowSize CanvasWidget::windowSize() const {
    const QRect frame = window()->frameGeometry();
    return {frame.width(), frame.height()};
}

void CanvasWidget::syncWindowSize() { interaction_->Window = windowSize(); }

void CanvasWidget::repaintTree() {
    syncWindowSize();
    interaction_->Repaint();
}

void CanvasWidget::paintTreeWithoutErase() {
    syncWindowSize();
    interaction_->PaintWithoutErase();
}

void CanvasWidget::paintTree(bool erase) {
    if (buffer_.size() != size()) buffer_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (erase) buffer_.fill(kCanvasBackground);
    if (settingsSource_) settingsSource_(settings_);
    settings_.Dragging = interaction_->Dragging;
    {
        QPainter painter(&buffer_);
        const WindowSize w = windowSize();
        lastPaint_ = FormPaint(painter, store_, view_, QSize(w.Width, w.Height), settings_);
    }
    if (!lastPaint_.Painted) return;
    if (!lastPaint_.Ok && prompts_) prompts_->Error(kAppTitle, lastPaint_.Error);
    emit painted(lastPaint_);
    update();
}

void CanvasWidget::Repaint() { paintTree(true); }
void CanvasWidget::PaintWithoutErase() { paintTree(false); }

void CanvasWidget::InvertRect(const QRect& rect) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::InvertRect(painter, rect);
    update(rect);
}

void CanvasWidget::InvertLine(QPoint from, QPoint to) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::InvertLine(painter, from, to);
    update(QRect(from, to).normalized().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::InvertFrame(QPoint a, QPoint b, bool dotted) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    kinloom::InvertFrame(painter, a, b, dotted);
    update(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::FillBackground() {
    buffer_.fill(kCanvasBackground);
    update();
}

void CanvasWidget::FillBox(const QRect& rect, bool silver) {
    if (buffer_.isNull()) return;  // not laid out yet: the first paint draws everything
    QPainter painter(&buffer_);
    painter.fillRect(rect, silver ? kSilver : kCanvasBackground);
    update(rect);
}

void CanvasWidget::SetCursor(CanvasCursor cursor) {
    switch (cursor) {
    case CanvasCursor::Arrow: setCursor(Qt::ArrowCursor); break;
    case CanvasCursor::Cross: setCursor(Qt::CrossCursor); break;
    case CanvasCursor::PointingHand: setCursor(Qt::PointingHandCursor); break;
    }
}

void CanvasWidget::SetStatusText(const QString& text) { emit statusTextChanged(text); }

void CanvasWidget::SetHint(const QString& text, bool enabled) {
    if (enabled && !text.isEmpty()) {
        setToolTip(text);
    } else {
        QToolTip::hideText();
        setToolTip(QString());
    }
}

void CanvasWidget::SetZoomToAreaChecked(bool checked) {
    popup_->ZoomToArea->setChecked(checked);
    emit zoomToAreaCheckedChanged(checked);
}

void CanvasWidget::SetToolbarButtons(bool editProperties, bool createAncestorTree) {
    emit toolbarButtonsChanged(editProperties, createAncestorTree);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r, buffer_, r);
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The arrow keys scroll by a step measured once, from the first client width.
    if (interaction_->ScrollStep == 0 && width() > 0)
        interaction_->ScrollStep = static_cast<int>(RoundHalfEven(width() * 80.0 / 1024));
    repaintTree();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->MousePress(event->position().toPoint(), event->button());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->MouseMove(event->position().toPoint());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    syncWindowSize();
    interaction_->MouseRelease(event->position().toPoint());
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    syncWindowSize();
    // The double-click runs go to alias; the press that comes with it is then ignored.
    interaction_->DoubleClick(event->position().toPoint());
    interaction_->MousePress(event->position().toPoint(), event->button());
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    syncWindowSize();
    interaction_->KeyPress(event->key(), event->modifiers());
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    interaction_->KeyRelease(event->key(), event->modifiers());
}

void CanvasWidget::contextMenuEvent(QContextMenuEvent* event) {
    popup_->apply(interaction_->PopupMenu());
    popup_->exec(event->globalPos());
}

}  // namespace kinloom
