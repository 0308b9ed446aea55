#include "platform/imagecodec.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

QImage TestPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x < w / 2 ? 200 : 20, y < h / 2 ? 40 : 220, 90));
    return image;
}

QByteArray QtEncode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

TEST(ImageCodec, JpegRoundTripKeepsSizeAndColours) {
    const QImage source = TestPicture(32, 24);
    const QByteArray jpeg = EncodeJpeg(source, 95);
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_EQ(DetectImageFormat(jpeg), ImageFormat::Jpeg);
    const QImage back = DecodeImage(jpeg);
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
    const QByteArray jpeg = EncodeJpeg(TestPicture(40, 40));
    ASSERT_GT(jpeg.size(), 100);
    // Truncated after the header, cut in the middle of the header, and garbage after the marker:
    // each gives a null image and the process goes on.
    for (qsizetype cut : {qsizetype(4), qsizetype(30), jpeg.size() / 2}) {
        const QImage image = DecodeJpeg(jpeg.left(cut));
        if (cut < 100) {
            EXPECT_TRUE(image.isNull()) << cut;
        }
        // A scan cut in half may still give libjpeg's grey-filled picture; it must not crash.
    }
    QByteArray garbage = jpeg.left(3);
    garbage.append(QByteArray(200, '\x55'));
    EXPECT_TRUE(DecodeJpeg(garbage).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
}

TEST(ImageCodec, GifRoundTripWithTransparentColour) {
    QImage source(10, 8, QImage::Format_RGB32);
    source.fill(qRgb(255, 0, 255));  // the transparent colour as background
    for (int x = 2; x < 8; ++x) source.setPixel(x, 3, qRgb(0, 0, 128));
    source.setPixel(0, 0, qRgb(255, 255, 255));
    const QByteArray gif = EncodeGif(source, QColor(255, 0, 255));
    ASSERT_FALSE(gif.isEmpty());
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    const QImage back = DecodeImage(gif);
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
    const QImage back = DecodeGif(EncodeGif(source));
    ASSERT_EQ(back.size(), source.size());
    const QRgb p = back.pixel(40, 10);
    EXPECT_NEAR(qRed(p), 160, 30);
    EXPECT_NEAR(qGreen(p), 40, 30);
    EXPECT_EQ(qAlpha(p), 255);
}

TEST(ImageCodec, DamagedGifFailsCleanly) {
    const QByteArray gif = EncodeGif(TestPicture(16, 16));
    EXPECT_TRUE(DecodeGif(gif.left(10)).isNull());
    EXPECT_TRUE(DecodeGif(gif.left(gif.size() - 8)).isNull());
    EXPECT_TRUE(DecodeGif(QByteArray("GIF89a")).isNull());
}

// A damaged picture that claims a huge size is refused before anything of that size is made, under
// the allocation limit that Qt's own readers (BMP, ICO) keep; a sensible size still decodes.
TEST(ImageCodec, HugeClaimedSizesAreRefused) {
    auto put16 = [](QByteArray& bytes, qsizetype at, int value, bool bigEndian) {
        bytes[at + (bigEndian ? 1 : 0)] = static_cast<char>(value & 0xFF);
        bytes[at + (bigEndian ? 0 : 1)] = static_cast<char>(value >> 8);
    };
    // GIF: a 2 x 2 frame on a 12000 x 12000 logical screen.
    const QByteArray gif = EncodeGif(TestPicture(2, 2));
    ASSERT_FALSE(DecodeGif(gif).isNull());
    QByteArray hugeGif = gif;
    put16(hugeGif, 6, 12000, false);
    put16(hugeGif, 8, 12000, false);
    EXPECT_TRUE(DecodeGif(hugeGif).isNull());
    QByteArray largerGif = gif;
    put16(largerGif, 6, 300, false);
    put16(largerGif, 8, 200, false);
    EXPECT_EQ(DecodeGif(largerGif).size(), QSize(300, 200));

    // JPEG: the frame header says 12000 x 12000, the scan holds 16 x 16.
    QByteArray jpeg = EncodeJpeg(TestPicture(16, 16));
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    put16(jpeg, sof + 5, 12000, true);
    put16(jpeg, sof + 7, 12000, true);
    EXPECT_TRUE(DecodeJpeg(jpeg).isNull());
}

TEST(ImageCodec, BmpAndIcoThroughQtReaders) {
    const QImage source = TestPicture(16, 16);
    const QByteArray bmp = QtEncode(source, "bmp");
    EXPECT_EQ(DetectImageFormat(bmp), ImageFormat::Bmp);
    const QImage fromBmp = DecodeImage(bmp);
    ASSERT_EQ(fromBmp.size(), source.size());
    EXPECT_EQ(fromBmp.pixel(1, 1) & 0xFFFFFF, source.pixel(1, 1) & 0xFFFFFF);
    const QByteArray ico = QtEncode(source, "ico");
    if (!ico.isEmpty()) {
        EXPECT_EQ(DetectImageFormat(ico), ImageFormat::Ico);
        EXPECT_EQ(DecodeImage(ico).size(), source.size());
    }
    EXPECT_TRUE(DecodeImage(bmp.left(20)).isNull());
}

TEST(ImageCodec, MetafilesAndUnreadableFilesGiveTheEmptyPicture) {
    QTemporaryDir dir;
    const QString emf = dir.filePath("p.emf");
    ASSERT_TRUE(WriteFileAtomically(emf, QByteArray(64, '\x01')));
    EXPECT_EQ(DetectImageFormat(QByteArray(64, '\x01'), emf), ImageFormat::Emf);
    EXPECT_TRUE(LoadImageFile(emf).isNull());
    QByteArray wmf("\xD7\xCD\xC6\x9A", 4);
    wmf.append(QByteArray(40, '\0'));
    EXPECT_EQ(DetectImageFormat(wmf), ImageFormat::Wmf);
    EXPECT_TRUE(DecodeImage(wmf).isNull());
    EXPECT_TRUE(LoadImageFile(dir.filePath("missing.jpg")).isNull());
    EXPECT_TRUE(LoadImageFile(QString()).isNull());

    const QString jpg = dir.filePath("p.jpg");
    ASSERT_TRUE(WriteFileAtomically(jpg, EncodeJpeg(TestPicture(8, 6))));
    EXPECT_EQ(LoadImageFile(jpg).size(), QSize(8, 6));
}

}  // namespace
}  // namespace kinloom
