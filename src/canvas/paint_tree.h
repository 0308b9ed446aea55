#pragma once
#include "canvas/tree_font.h"
#include "document/view_state.h"

#include <QColor>
#include <QSize>
#include <QString>

class QPainter;
class QFontMetrics;

namespace kinloom {

class ItemStore;
class DisplayCharset;

// The View menu's colour codes; not saved.
enum class ColourCode { None, Gender, Notes, Picture };

inline const QColor kCanvasBackground(64, 128, 128);
inline const QColor kSilver(192, 192, 192);
inline const QString kTreeCannotBeDrawn = QStringLiteral("Tree cannot be drawn - error in database");

// Everything the paint routine reads besides the store and the view.
struct PaintSettings {
    QString screenFontName = kDefaultScreenFontName;
    int screenFontSize = kDefaultScreenFontSize;  // the font's cell height in canvas units
    ColourCode colourCodeMode = ColourCode::None;
    QString currentFileName;
    const DisplayCharset* charset = nullptr;  // null: System Default
    bool dragging = false;                    // currentItem follows the mouse and is not drawn
    bool paintEnabled = true;                 // false while a GEDCOM import runs: nothing is drawn
};

// What a paint hands back: the window caption and the navigator's three counter labels.
struct PaintResult {
    bool painted = true;  // false when painting was not enabled: nothing else is set
    bool ok = true;
    QString error;  // kTreeCannotBeDrawn when the painter found something it cannot draw
    QString caption;
    int items = 0;
    int persons = 0;
    QString itemsLabel;    // "Items: 12"
    QString personsLabel;  // "Persons: 10"
    QString zoomLabel;     // "Zoom: 100 %"
};

// Draws the whole tree over what the painter's device holds (no background of its own): spouse
// links, parent links, boxes with texts, then the inverted highlight. `target` is the size used by
// the visibility test (the main window's outer size for the screen, the image size elsewhere).
PaintResult paintTree(QPainter& painter, const ItemStore& store, const ViewState& view, QSize target,
                      const PaintSettings& settings);

// Inverts the box of every selected item (twice restores the picture).
void paintSelected(QPainter& painter, const ItemStore& store, const ViewState& view);


// A name line shortened to a width: as it is when it fits, otherwise cut and ended with "..."
// ("..." alone when nothing else fits).
QString shortenName(const QString& text, const QFontMetrics& metrics, int width);

// The pixel size whose ascent plus descent is `cellHeight` pixels (the largest that does not
// exceed it), at least 1. Cached per face name.
int pixelSizeForCellHeight(const QString& family, int cellHeight);

}  // namespace kinloom
