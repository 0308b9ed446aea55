#pragma once
#include <QFont>
#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QTextItem>

#include <climits>
#include <memory>
#include <vector>

namespace kinloom::test {

// A page that keeps what was drawn on it: rectangles, lines with their pens, texts with their
// fonts and whether a clip was in force. Coordinates are device pixels.
class RecordingPage : public QPaintDevice {
public:
    struct Line {
        QLine line;
        Qt::PenStyle style;
        int width;
    };
    struct Text {
        QString text;
        QPoint baseline;
        int pixelSize;
        bool clipped;
    };

    explicit RecordingPage(QSize size, int dpi = 300) : size_(size), dpi_(dpi), engine_(std::make_unique<Engine>(this)) {}
    QPaintEngine* paintEngine() const override { return engine_.get(); }

    std::vector<QRect> rects;
    std::vector<Line> lines;
    std::vector<Text> texts;
    void clear() {
        rects.clear();
        lines.clear();
        texts.clear();
    }
    std::vector<QString> textStrings() const {
        std::vector<QString> out;
        for (const Text& t : texts) out.push_back(t.text);
        return out;
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / (dpi_ * 10);
        case PdmHeightMM: return size_.height() * 254 / (dpi_ * 10);
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return dpi_;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(RecordingPage* page) : QPaintEngine(AllFeatures), page_(page) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyPen) pen_ = state.pen();
            if (state.state() & DirtyFont) font_ = state.font();
            if (state.state() & DirtyClipRegion) clipped_ = state.clipOperation() != Qt::NoClip;
            if (state.state() & DirtyClipPath) clipped_ = state.clipOperation() != Qt::NoClip;
            if (state.state() & DirtyClipEnabled) clipped_ = state.isClipEnabled();
        }
        void drawRects(const QRect* r, int count) override {
            for (int i = 0; i < count; ++i) page_->rects.push_back(r[i]);
        }
        void drawRects(const QRectF* r, int count) override {
            for (int i = 0; i < count; ++i) page_->rects.push_back(r[i].toRect());
        }
        void drawLines(const QLine* l, int count) override {
            for (int i = 0; i < count; ++i) page_->lines.push_back({l[i], pen_.style(), pen_.width()});
        }
        void drawLines(const QLineF* l, int count) override {
            for (int i = 0; i < count; ++i) page_->lines.push_back({l[i].toLine(), pen_.style(), pen_.width()});
        }
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            page_->texts.push_back({item.text(), p.toPoint(), item.font().pixelSize(), clipped_});
        }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    private:
        RecordingPage* page_;
        QPen pen_;
        QFont font_;
        bool clipped_ = false;
    };

    QSize size_;
    int dpi_;
    std::unique_ptr<Engine> engine_;
};

}  // namespace kinloom::test
