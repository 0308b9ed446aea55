#include "reports/chart_pages.h"

#include "platform/rounding.h"

#include <QRegularExpression>

#include <algorithm>

namespace kinloom {

const std::vector<Paper>& standardPapers() {
    static const std::vector<Paper> papers = {
        {QStringLiteral("A0"), {841, 1189}},     {QStringLiteral("A1"), {594, 841}},
        {QStringLiteral("A2"), {420, 594}},      {QStringLiteral("A3"), {297, 420}},
        {QStringLiteral("A4"), {210, 297}},      {QStringLiteral("A5"), {148, 210}},
        {QStringLiteral("Letter"), {215.9, 279.4}}, {QStringLiteral("Legal"), {215.9, 355.6}},
        {QStringLiteral("Tabloid"), {279.4, 431.8}},
    };
    return papers;
}

std::optional<QSizeF> parsePaper(const QString& text) {
    const QString t = text.trimmed();
    for (const Paper& p : standardPapers())
        if (t.compare(p.name, Qt::CaseInsensitive) == 0) return p.millimetres;
    static const QRegularExpression custom(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*[xX]\\s*(\\d+(?:\\.\\d+)?)\\s*mm$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = custom.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const double w = m.captured(1).toDouble(), h = m.captured(2).toDouble();
    const auto sane = [](double side) { return side >= 10 && side <= 100000; };
    if (!sane(w) || !sane(h)) return std::nullopt;
    return QSizeF(w, h);
}

QString paperChoices() {
    QStringList names;
    for (const Paper& p : standardPapers()) names << p.name;
    return names.join(QLatin1Char('|')) + QStringLiteral("|WxHmm");
}

int millimetresToPixels(double millimetres, int dpi) {
    return static_cast<int>(roundHalfEven(millimetres * dpi / 25.4));
}

int pointsToPixels(double points, int dpi) { return static_cast<int>(roundHalfEven(points * dpi / 72.0)); }

QSize PageGrid::total() const {
    return {(columns - 1) * stepX() + content().width(), (rows - 1) * stepY() + content().height()};
}

QRect PageGrid::shownArea(int index) const {
    const int column = index % columns, row = index / columns;
    return {QPoint(column * stepX(), row * stepY()), content()};
}

QPoint PageGrid::pageOrigin(int index) const { return QPoint(margin, margin) - shownArea(index).topLeft(); }

namespace {

// Pages along one side: one when the drawing fits on a page's content, else one more for every
// step (or part of one) that sticks out beyond the first page.
int pagesAlong(int drawing, int content, int step) {
    if (drawing <= content) return 1;
    return 1 + (drawing - content + step - 1) / step;
}

}  // namespace

PageGrid gridCovering(QSize drawing, QSize page, int margin, int overlap) {
    PageGrid grid{page, margin, overlap};
    if (!grid.isValid()) return grid;
    grid.columns = pagesAlong(std::max(1, drawing.width()), grid.content().width(), grid.stepX());
    grid.rows = pagesAlong(std::max(1, drawing.height()), grid.content().height(), grid.stepY());
    const QSize total = grid.total();
    grid.offset = QPoint((total.width() - drawing.width()) / 2, (total.height() - drawing.height()) / 2);
    return grid;
}

PageGrid gridOf(int n, QSize page, int margin, int overlap) {
    PageGrid grid{page, margin, overlap};
    grid.columns = grid.rows = std::max(1, n);
    return grid;
}

}  // namespace kinloom
