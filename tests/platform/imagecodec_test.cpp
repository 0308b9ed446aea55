#include "platform/imagecodec.h"
#include "platform/save_file.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

QImage testPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x < w / 2 ? 200 : 20, y < h / 2 ? 40 : 220, 90));
    return image;
}

QByteArray qtEncode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

TEST(ImageCodec, JpegRoundTripKeepsSizeAndColours) {
    const QImage source = testPicture(32, 24);
    const QByteArray jpeg = encodeJpeg(source, 95);
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_EQ(detectImageFormat(jpeg), ImageFormat::Jpeg);
    const QImage back = decodeImage(jpeg);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), source.size());
    // Lossy, but the four blocks keep their colours well away from the block edges.
    const QRgb p = back.pixel(4, 4);
    EXPECT_NEAR(qRed(p), 200, 12);
    EXPECT_NEAR(qGreen(p), 40, 12);
    const QRgb q = back.pixel(28, 20);
    EXPECT_NEAR(qRed(q), 20, 12);
    EXPECT_NEAR(qGreen(q), 220, 12);
}

TEST(ImageCodec, DamagedJpegFailsCleanly) {
    const QByteArray jpeg = encodeJpeg(testPicture(40, 40));
    ASSERT_GT(jpeg.size(), 100);
    // Truncated after the header, cut in the middle of the header, and garbage after the marker:
    // each gives a null image and the process goes on.
    for (qsizetype cut : {qsizetype(4), qsizetype(30), jpeg.size() / 2}) {
        const QImage image = decodeJpeg(jpeg.left(cut));
        if (cut < 100) {
            EXPECT_TRUE(image.isNull()) << cut;
        }
        // A scan cut in half may still give libjpeg's grey-filled picture; it must not crash.
    }
    QByteArray garbage = jpeg.left(3);
    garbage.append(QByteArray(200, '\x55'));
    EXPECT_TRUE(decodeJpeg(garbage).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
}

TEST(ImageCodec, GifRoundTripWithTransparentColour) {
    QImage source(10, 8, QImage::Format_RGB32);
    source.fill(qRgb(255, 0, 255));  // the transparent colour as background
    for (int x = 2; x < 8; ++x) source.setPixel(x, 3, qRgb(0, 0, 128));
    source.setPixel(0, 0, qRgb(255, 255, 255));
    const QByteArray gif = encodeGif(source, QColor(255, 0, 255));
    ASSERT_FALSE(gif.isEmpty());
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    const QImage back = decodeImage(gif);
    ASSERT_EQ(back.size(), source.size());
    EXPECT_EQ(qAlpha(back.pixel(5, 5)), 0);  // background became transparent
    EXPECT_EQ(back.pixel(4, 3), qRgb(0, 0, 128));
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 255, 255));
    // Qt's own reader agrees about the transparent index.
    const QImage viaQt = QImage::fromData(gif, "GIF");
    if (!viaQt.isNull()) {
        EXPECT_EQ(qAlpha(viaQt.pixel(5, 5)), 0);
    }
}

TEST(ImageCodec, GifWithManyColoursUsesTheCube) {
    QImage source(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) source.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    const QImage back = decodeGif(encodeGif(source));
    ASSERT_EQ(back.size(), source.size());
    const QRgb p = back.pixel(40, 10);
    EXPECT_NEAR(qRed(p), 160, 30);
    EXPECT_NEAR(qGreen(p), 40, 30);
    EXPECT_EQ(qAlpha(p), 255);
}

TEST(ImageCodec, DamagedGifFailsCleanly) {
    const QByteArray gif = encodeGif(testPicture(16, 16));
    EXPECT_TRUE(decodeGif(gif.left(10)).isNull());
    EXPECT_TRUE(decodeGif(gif.left(gif.size() - 8)).isNull());
    EXPECT_TRUE(decodeGif(QByteArray("GIF89a")).isNull());
}

// A damaged picture that claims a huge size is refused before anything of that size is made, under
// the allocation limit that Qt's own readers (BMP, ICO) keep; a sensible size still decodes.
TEST(ImageCodec, HugeClaimedSizesAreRefused) {
    auto put16 = [](QByteArray& bytes, qsizetype at, int value, bool bigEndian) {
        bytes[at + (bigEndian ? 1 : 0)] = static_cast<char>(value & 0xFF);
        bytes[at + (bigEndian ? 0 : 1)] = static_cast<char>(value >> 8);
    };
    // GIF: a 2 x 2 frame on a 12000 x 12000 logical screen.
    const QByteArray gif = encodeGif(testPicture(2, 2));
    ASSERT_FALSE(decodeGif(gif).isNull());
    QByteArray hugeGif = gif;
    put16(hugeGif, 6, 12000, false);
    put16(hugeGif, 8, 12000, false);
    EXPECT_TRUE(decodeGif(hugeGif).isNull());
    QByteArray largerGif = gif;
    put16(largerGif, 6, 300, false);
    put16(largerGif, 8, 200, false);
    EXPECT_EQ(decodeGif(largerGif).size(), QSize(300, 200));

    // JPEG: the frame header says 12000 x 12000, the scan holds 16 x 16.
    QByteArray jpeg = encodeJpeg(testPicture(16, 16));
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    put16(jpeg, sof + 5, 12000, true);
    put16(jpeg, sof + 7, 12000, true);
    EXPECT_TRUE(decodeJpeg(jpeg).isNull());
}

TEST(ImageCodec, BmpAndIcoThroughQtReaders) {
    const QImage source = testPicture(16, 16);
    const QByteArray bmp = qtEncode(source, "bmp");
    EXPECT_EQ(detectImageFormat(bmp), ImageFormat::Bmp);
    const QImage fromBmp = decodeImage(bmp);
    ASSERT_EQ(fromBmp.size(), source.size());
    EXPECT_EQ(fromBmp.pixel(1, 1) & 0xFFFFFF, source.pixel(1, 1) & 0xFFFFFF);
    const QByteArray ico = qtEncode(source, "ico");
    if (!ico.isEmpty()) {
        EXPECT_EQ(detectImageFormat(ico), ImageFormat::Ico);
        EXPECT_EQ(decodeImage(ico).size(), source.size());
    }
    EXPECT_TRUE(decodeImage(bmp.left(20)).isNull());
}

TEST(ImageCodec, MetafilesAndUnreadableFilesGiveTheEmptyPicture) {
    QTemporaryDir dir;
    const QString emf = dir.filePath("p.emf");
    ASSERT_TRUE(writeFileAtomically(emf, QByteArray(64, '\x01')));
    EXPECT_EQ(detectImageFormat(QByteArray(64, '\x01'), emf), ImageFormat::Emf);
    EXPECT_TRUE(loadImageFile(emf).isNull());
    QByteArray wmf("\xD7\xCD\xC6\x9A", 4);
    wmf.append(QByteArray(40, '\0'));
    EXPECT_EQ(detectImageFormat(wmf), ImageFormat::Wmf);
    EXPECT_TRUE(decodeImage(wmf).isNull());
    EXPECT_TRUE(loadImageFile(dir.filePath("missing.jpg")).isNull());
    EXPECT_TRUE(loadImageFile(QString()).isNull());

    const QString jpg = dir.filePath("p.jpg");
    ASSERT_TRUE(writeFileAtomically(jpg, encodeJpeg(testPicture(8, 6))));
    EXPECT_EQ(loadImageFile(jpg).size(), QSize(8, 6));
}

}  // namespace
}  // namespace kinloom
