#pragma once
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <unordered_map>

class QPainter;

namespace kinloom {

// Writes the lines of the poster's boxes in the painter's current font and pen. A tree's dates,
// surnames and dashes recur by the thousand: each distinct text is measured once and, on a printer
// or PDF file, a text seen again is shaped once and replayed as the glyphs drawText would put at
// the same places, the lines of a box gathered into one run. Other devices get drawText itself.
class PosterText {
public:
    explicit PosterText(QPainter& painter);
    ~PosterText();

    const QFontMetrics& metrics() const { return metrics_; }
    // The text's advance, as QFontMetrics::horizontalAdvance gives it.
    int width(const QString& text);
    // A name line shortened to a width: as it is when it fits, otherwise cut and ended with
    // "..." ("..." alone when nothing else fits).
    QString fitted(const QString& text, int width);
    // Draws a text with its baseline's left end at (x, baseline), clipped to `clip` unless that
    // is null. Texts may be held back until flush(): call it before drawing anything else.
    void draw(int x, int baseline, const QString& text, const QRect& clip = {});
    void flush();

private:
    struct Entry {
        int width = -1;
        int drawn = 0;
        QList<QGlyphRun> runs;  // glyph positions relative to the baseline's left end
    };
    struct Hash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    Entry& entry(const QString& text);
    void shape(const QString& text, Entry& e) const;

    QPainter& painter_;
    QFontMetrics metrics_;
    bool replay_ = false;
    std::unordered_map<QString, Entry, Hash> cache_;
    // The glyphs held back, all in one font.
    QRawFont pendingFont_;
    QList<quint32> pendingGlyphs_;
    QList<QPointF> pendingPositions_;
};

}  // namespace kinloom
