#pragma once
#include "document/view_state.h"

#include <QColor>
#include <QSize>
#include <QString>

class QPainter;
class QFontMetrics;

namespace kinloom {

class TItemStore;
class DisplayCharset;

// The View menu's colour codes; not saved.
enum class ColourCode { None, Gender, Notes, Picture };

inline const QColor kCanvasBackground(64, 128, 128);
inline const QColor kSilver(192, 192, 192);
inline const QString kTreeCannotBeDrawn = QStringLiteral("Tree cannot be drawn - error in database");

// Everything the paint routine reads besides the store and the view.
struct PaintSettings {
    QString ScreenFontName = QStringLiteral("Times New Roman");
    int ScreenFontSize = 16;  // the font's cell height in canvas units
    ColourCode ColourCodeMode = ColourCode::None;
    QString CurrentFileName;
    const DisplayCharset* Charset = nullptr;  // nil: System Default
    bool Dragging = false;                    // CurrentItem follows the mouse and is not drawn
    bool PaintEnabled = true;                 // false while a GEDCOM import runs: nothing is drawn
};

// What a paint hands back: the window caption and the navigator's three counter labels.
struct PaintResult {
    bool Painted = true;  // false when painting was not enabled: nothing else is set
    bool Ok = true;
    QString Error;  // kTreeCannotBeDrawn when the painter found something it cannot draw
    QString Caption;
    int Items = 0;
    int Persons = 0;
    QString ItemsLabel;    // "Items: 12"
    QString PersonsLabel;  // "Persons: 10"
    QString ZoomLabel;     // "Zoom: 100 %"
};

// Draws the whole tree over what the painter's device holds (no background of its own): spouse
// links, parent links, boxes with texts, then the inverted highlight. `target` is the size used by
// the visibility test (the main window's outer size for the screen, the image size elsewhere).
PaintResult FormPaint(QPainter& painter, const TItemStore& store, const ViewState& view, QSize target,
                      const PaintSettings& settings);

// Inverts the box of every selected item (twice restores the picture).
void PaintSelected(QPainter& painter, const TItemStore& store, const ViewState& view);

// The caption of the main window for a file name (empty for an untitled tree).
QString CaptionFor(const QString& currentFileName);

// A name line shortened to a width: as it is when it fits, otherwise cut and ended with "..."
// ("..." alone when nothing else fits).
QString ShortenName(const QString& text, const QFontMetrics& metrics, int width);

// The pixel size whose ascent plus descent is `cellHeight` pixels (the largest that does not
// exceed it), at least 1. Cached per face name.
int PixelSizeForCellHeight(const QString& family, int cellHeight);

}  // namespace kinloom
