// The picture decoders (libjpeg, giflib, Qt's BMP and ICO readers); what decodes is encoded as GIF
// and JPEG by our encoders and decoded again.
#include "platform/imagecodec.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage image = decodeImage(bytes, QStringLiteral("picture.ico"));
    if (image.isNull() || qint64(image.width()) * image.height() > (1 << 20)) return 0;
    // JPEG holds at most 65500 pixels a side and GIF 65535: wider pictures (a BMP may be) must be
    // refused by the encoders with an empty result.
    if (image.width() > 65500 || image.height() > 65500) {
        if (!encodeJpeg(image).isEmpty()) std::abort();
        return 0;
    }
    const QImage gif = decodeGif(encodeGif(image));
    const QImage jpeg = decodeJpeg(encodeJpeg(image));
    if (gif.size() != image.size() || jpeg.size() != image.size()) {
        std::fprintf(stderr, "FUZZ FAULT: a %dx%d picture (format %d) came back as GIF %dx%d, JPEG %dx%d\n",
                     image.width(), image.height(), int(image.format()), gif.width(), gif.height(), jpeg.width(),
                     jpeg.height());
        std::abort();
    }
    return 0;
}
