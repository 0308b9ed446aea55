#include "reports/poster_text.h"

#include "canvas/canvas_test_support.h"
#include "canvas/paint_tree.h"
#include "pdf_tools.h"
#include "support/test_fonts.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtEndian>

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace kinloom;

namespace {

// Latin, accented, a lone dash, trailing spaces, Hebrew (right to left) and Arabic (which the
// tree font lacks: a second font fills in).
const QString kTexts[] = {
    QStringLiteral("Given1246"),      QStringLiteral("Family249"),     QStringLiteral("12 Jan 1746"),
    QStringLiteral("- "),             QString::fromUtf8("Łukasz Żółć"), QStringLiteral("Ann  "),
    QString::fromUtf8("שרה לוי"), QString::fromUtf8("Ali علي"),  QStringLiteral("AVAWAY To"),
};
constexpr int kRows = 5;

// The tree font is one the test loads, and so is a font with Hebrew and Arabic; which font fills
// in for letters the tree font lacks is up to the machine's fonts too, so the test counts the fonts
// rather than knowing them.
class PosterTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureGuiApplication();
        serif.emplace(test::TestFont::Serif);
        sans.emplace(test::TestFont::Sans);
        ASSERT_FALSE(serif->family().isEmpty()) << "fonts-liberation is needed";
        ASSERT_FALSE(sans->family().isEmpty()) << "fonts-dejavu-core is needed";
    }
    QFont treeFont() const {
        QFont font(serif->family());
        font.setPixelSize(20);
        return font;
    }
    std::optional<test::TestFont> serif, sans;
};

// The number of fonts that drawing these texts in a font takes, as the text layout picks them.
int fontsFor(const QStringList& texts, const QFont& font) {
    std::set<std::pair<QString, QString>> fonts;
    for (const QString& text : texts) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) fonts.emplace(run.rawFont().familyName(), run.rawFont().styleName());
    }
    return static_cast<int>(fonts.size());
}

// Prints the texts twice over, as poster boxes of two lines each: once where each text is new and
// once where it comes again. The second line of the last box sticks out and is clipped. With
// `plain`, drawText writes each line instead of PosterText.
void printBoxes(const QString& path, const QFont& font, bool plain) {
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A6), QPageLayout::Landscape, {}));
    QPainter painter(&pdf);
    painter.setFont(font);
    PosterText texts(painter);
    for (int pass = 0; pass < 2; ++pass)
        for (int row = 0; row < kRows; ++row) {
            const QRect box(20 + pass * 600, 20 + row * 110, 200, 100);
            painter.drawRect(box);
            for (int i = 0; i < 2 && 2 * row + i < static_cast<int>(std::size(kTexts)); ++i) {
                const QString& text = kTexts[2 * row + i];
                const int x = box.left() + 10 + (row == kRows - 1 ? 170 : 0), baseline = box.top() + 30 + 40 * i;
                const QRect clip = row == kRows - 1 ? box : QRect();
                if (plain) {
                    if (!clip.isNull()) painter.setClipRect(clip);
                    painter.drawText(x, baseline, text);
                    painter.setClipping(false);
                } else {
                    texts.draw(x, baseline, texts.line(text), clip);
                }
            }
            texts.flush();
        }
}

// What a PDF reader paints: the page as a grey picture at the file's resolution.
QImage rasterize(const QString& pdf) {
    const QString prefix = pdf + QStringLiteral(".page");
    test::runPdfTool(QStringLiteral("pdftoppm"), {"-r", "300", "-gray", "-singlefile", pdf, prefix});
    return QImage(prefix + QStringLiteral(".pgm"));
}

// The number of text objects in a PDF's compressed streams.
int textObjects(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    int count = 0;
    for (qsizetype at = bytes.indexOf("stream\n"); at >= 0; at = bytes.indexOf("stream\n", at + 1)) {
        const qsizetype end = bytes.indexOf("endstream", at);
        if (end < 0) break;
        if (bytes.at(at + 7) != 0x78) continue;  // not deflated
        QByteArray zipped(4, '\0');
        qToBigEndian<quint32>(1 << 20, zipped.data());
        zipped += bytes.mid(at + 7, end - at - 7);
        count += static_cast<int>(qUncompress(zipped).count("\nBT\n"));
        at = end;
    }
    return count;
}

TEST_F(PosterTextTest, LinesAreMeasuredAndCutAsTheCanvasDoes) {
    QImage image(400, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(treeFont());
    PosterText texts(painter);
    const QFontMetrics& fm = texts.metrics();
    for (const QString& text : kTexts)
        for (int limit : {1000, 90, 60, 25, 3, 0}) {
            SCOPED_TRACE(text.toStdString() + " " + std::to_string(limit));
            // Twice: the second time comes from what the first one kept.
            for (int again = 0; again < 2; ++again) {
                const PosterText::Line line = texts.line(text, limit);
                EXPECT_EQ(line.text(), shortenName(text, fm, limit));
                EXPECT_EQ(line.width(), fm.horizontalAdvance(line.text()));
            }
        }
    EXPECT_TRUE(texts.line(QString()).isEmpty());
}

TEST_F(PosterTextTest, RepeatedTextsPrintAsDrawTextPrintsThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString replayed = dir.filePath("replayed.pdf"), plain = dir.filePath("plain.pdf");
    printBoxes(replayed, treeFont(), false);
    printBoxes(plain, treeFont(), true);

    // The second time round, each box's lines went out as one text object per font they need:
    // one for each of the first three boxes, the tree font and what fills in Hebrew and Arabic
    // for the fourth, and the clipped line of the last box as drawText writes it.
    int secondRound = 0;
    for (int row = 0; row < kRows - 1; ++row) secondRound += fontsFor({kTexts[2 * row], kTexts[2 * row + 1]}, treeFont());
    EXPECT_EQ(secondRound, 3 + fontsFor({kTexts[6], kTexts[7]}, treeFont()));
    EXPECT_GE(fontsFor({kTexts[7]}, treeFont()), 2);  // the tree font has no Arabic: another font fills in
    const int plainObjects = textObjects(plain);
    EXPECT_GE(plainObjects, 2 * (2 * kRows - 1));
    EXPECT_EQ(textObjects(replayed), plainObjects / 2 + secondRound + 1) << plainObjects;

    // Yet the pages look the same to the pixel, and their texts can still be found.
    const QImage a = rasterize(replayed), b = rasterize(plain);
    ASSERT_FALSE(a.isNull()) << "pdftoppm (poppler-utils) is needed";
    EXPECT_TRUE(a == b);
    const QString found = test::pdfPageText(replayed, 1);
    for (const char* word : {"Given1246", "Family249", "12 Jan 1746", "Łukasz"})
        EXPECT_EQ(found.count(QString::fromUtf8(word)), 2) << word << found.toStdString();
}

}  // namespace
