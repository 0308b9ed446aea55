#include "reports/poster_text.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace kinloom {

namespace {

// Enough distinct texts for the surnames and dates of any tree; unique first names would grow
// the cache without paying back, so it starts afresh beyond this (between boxes only).
constexpr size_t kMaxCached = 50000;

}  // namespace

PosterText::PosterText(QPainter& painter)
    : painter_(painter),
      metrics_(painter.font(), painter.device()),
      replay_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf) {}

PosterText::~PosterText() { flush(); }

PosterText::Entry& PosterText::entry(const QString& text) {
    auto [it, added] = cache_.try_emplace(text);
    Entry& e = it->second;
    if (added) {
        e.text = &it->first;
        e.width = metrics_.horizontalAdvance(text);
    }
    return e;
}

PosterText::Line PosterText::line(const QString& text, int limit) {
    Entry& e = entry(text);
    if (e.width <= limit) return {&e};
    if (e.fitLimit != limit) {
        const QString dots = QStringLiteral("...");
        QString t = text;
        while (!t.isEmpty() && entry(t + dots).width > limit) t.chop(1);
        e.fit = &entry(t + dots);
        e.fitLimit = limit;
    }
    return {e.fit};
}

void PosterText::shape(Entry& e) const {
    // Laid out as drawText lays out a single line: the painter's font and direction, from x.
    QTextLayout layout(*e.text, painter_.font(), painter_.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(painter_.layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0);
    layout.endLayout();
    const QPointF toBaseline(0, -line.ascent());
    e.runs = layout.glyphRuns();
    for (QGlyphRun& run : e.runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions) p += toBaseline;
        run.setPositions(positions);
    }
}

void PosterText::draw(int x, int baseline, Line line, const QRect& clip) {
    Entry& e = *line.entry;
    // A text seen once is drawn as it is: shaping it for later pays only when it comes again.
    if (replay_ && ++e.drawn == 2) shape(e);
    if (!replay_ || e.drawn < 2 || !clip.isNull()) {
        if (clip.isNull()) {
            painter_.drawText(x, baseline, *e.text);
            return;
        }
        flush();
        if (painter_.hasClipping()) {
            // Within the page's own clip (a page with a margin): the box's clip comes on top of it.
            painter_.save();
            painter_.setClipRect(clip, Qt::IntersectClip);
            painter_.drawText(x, baseline, *e.text);
            painter_.restore();
            return;
        }
        painter_.setClipRect(clip);
        painter_.drawText(x, baseline, *e.text);
        painter_.setClipping(false);
        return;
    }
    // Glyphs of one font are gathered whatever order the layout gave its runs in.
    const QPointF origin(x, baseline);
    for (const QGlyphRun& run : e.runs) {
        const QRawFont font = run.rawFont();
        auto held = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) { return p.font == font; });
        if (held == pending_.end()) held = pending_.insert(pending_.end(), Pending{font, {}, {}});
        held->glyphs += run.glyphIndexes();
        for (const QPointF& p : run.positions()) held->positions.append(origin + p);
    }
}

void PosterText::flush() {
    for (const Pending& p : pending_) {
        QGlyphRun run;
        run.setRawFont(p.font);
        run.setGlyphIndexes(p.glyphs);
        run.setPositions(p.positions);
        painter_.drawGlyphRun(QPointF(0, 0), run);
    }
    pending_.clear();
    if (cache_.size() > kMaxCached) cache_.clear();
}

}  // namespace kinloom
