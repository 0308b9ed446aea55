#pragma once
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <climits>
#include <unordered_map>
#include <vector>

class QPainter;

namespace kinloom {

// Writes the lines of the poster's boxes in the painter's current font and pen. A tree's dates,
// surnames and dashes recur by the thousand: each distinct text is measured once and, on a printer
// or PDF file, a text seen again is shaped once and replayed as the glyphs drawText would put at
// the same places, the lines of a box gathered into one run. Other devices get drawText itself.
class PosterText {
    struct Entry;

public:
    // A text ready to draw, with its advance as QFontMetrics::horizontalAdvance gives it. Valid
    // until the next flush().
    struct Line {
        const QString& text() const;
        int width() const;
        bool isEmpty() const { return text().isEmpty(); }
        Entry* entry;
    };

    explicit PosterText(QPainter& painter);
    ~PosterText();

    const QFontMetrics& metrics() const { return metrics_; }
    // The text, or when it is wider than `limit` the text cut and ended with "..." ("..." alone
    // when nothing else fits).
    Line line(const QString& text, int limit = INT_MAX);
    // Draws a line with its baseline's left end at (x, baseline), clipped to `clip` unless that
    // is null. Lines may be held back until flush(): call it before drawing anything else.
    void draw(int x, int baseline, Line line, const QRect& clip = {});
    void flush();

private:
    struct Hash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    struct Entry {
        const QString* text = nullptr;  // the cache's key
        int width = -1;
        int drawn = 0;
        int fitLimit = -1;  // the last limit it was cut to, and the result
        Entry* fit = nullptr;
        QList<QGlyphRun> runs;  // glyph positions relative to the baseline's left end
    };
    Entry& entry(const QString& text);
    void shape(Entry& e) const;

    QPainter& painter_;
    QFontMetrics metrics_;
    bool replay_ = false;
    std::unordered_map<QString, Entry, Hash> cache_;
    // The glyphs held back, by font.
    struct Pending {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Pending> pending_;
};

inline const QString& PosterText::Line::text() const { return *entry->text; }
inline int PosterText::Line::width() const { return entry->width; }

}  // namespace kinloom
