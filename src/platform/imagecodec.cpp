#include "platform/imagecodec.h"

#include "platform/bounded_read.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <array>
#include <unordered_map>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace kinloom {

ImageFormat detectImageFormat(const QByteArray& data, const QString& fileName) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return ImageFormat::Jpeg;
    if (n >= 6 && (data.startsWith("GIF87a") || data.startsWith("GIF89a"))) return ImageFormat::Gif;
    if (n >= 2 && b[0] == 'B' && b[1] == 'M') return ImageFormat::Bmp;
    if (n >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0) return ImageFormat::Ico;
    if (n >= 44 && b[0] == 1 && b[1] == 0 && b[2] == 0 && b[3] == 0 && data.mid(40, 4) == " EMF")
        return ImageFormat::Emf;
    if (n >= 4 && b[0] == 0xD7 && b[1] == 0xCD && b[2] == 0xC6 && b[3] == 0x9A) return ImageFormat::Wmf;
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("emf")) return ImageFormat::Emf;
    if (ext == QLatin1String("wmf")) return ImageFormat::Wmf;
    return ImageFormat::Unknown;
}

namespace {

// Whether a picture of this size may be made at all. A damaged file can claim any size in its
// header; the limit is the one Qt's own readers keep (for BMP and ICO here), counted for the
// four bytes a pixel takes once decoded.
bool withinAllocationLimit(long long width, long long height) {
    if (width <= 0 || height <= 0) return false;
    const long long limitMiB = QImageReader::allocationLimit();
    return limitMiB <= 0 || width * height * 4 <= limitMiB * 1024 * 1024;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// JPEG

namespace {

// libjpeg's default error handler calls exit(); ours jumps back to the caller instead.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void jpegSilence(j_common_ptr, int) {}
void jpegNoOutput(j_common_ptr) {}

// libjpeg's own error handling prints and exits the process: ours jumps back and stays silent.
jpeg_error_mgr* quietJpegErrors(JpegErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = jpegErrorExit;
    err.pub.emit_message = jpegSilence;
    err.pub.output_message = jpegNoOutput;
    return &err.pub;
}

// Decoding runs in its own function without C++ objects needing destruction, so that longjmp
// skips no destructor.
bool decodeJpegInto(const unsigned char* bytes, unsigned long size, std::vector<unsigned char>& rgb,
                    int& width, int& height) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = quietJpegErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes, size);
    jpeg_read_header(&cinfo, TRUE);
    if (!withinAllocationLimit(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    width = static_cast<int>(cinfo.output_width);
    height = static_cast<int>(cinfo.output_height);
    if (width <= 0 || height <= 0 || cinfo.output_components != 3 || !withinAllocationLimit(width, height)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    rgb.resize(static_cast<size_t>(width) * height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(cinfo.output_scanline) * width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct JpegOutput {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool encodeJpegInto(const unsigned char* rgb, int width, int height, int quality, JpegOutput& out) {
    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = quietJpegErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out.buffer, &out.size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb) + static_cast<size_t>(cinfo.next_scanline) * width * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) return {};
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    if (!decodeJpegInto(reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<unsigned long>(data.size()), rgb, w, h))
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const unsigned char* src = rgb.data() + static_cast<size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) line[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
    }
    return image;
}

QByteArray encodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) return {};
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgbImage.width(), h = rgbImage.height();
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        std::memcpy(rgb.data() + static_cast<size_t>(y) * w * 3, rgbImage.constScanLine(y),
                    static_cast<size_t>(w) * 3);
    JpegOutput out;
    const bool ok = encodeJpegInto(rgb.data(), w, h, std::clamp(quality, 1, 100), out);
    QByteArray result;
    if (ok && out.buffer) result = QByteArray(reinterpret_cast<const char*>(out.buffer), static_cast<qsizetype>(out.size));
    std::free(out.buffer);
    return result;
}

// ---------------------------------------------------------------------------------------------
// GIF

namespace {

struct GifSource {
    const unsigned char* data;
    qsizetype size;
    qsizetype pos;
};

int gifReadFromMemory(GifFileType* gif, GifByteType* buf, int len) {
    auto* src = static_cast<GifSource*>(gif->UserData);
    const qsizetype left = src->size - src->pos;
    const int n = static_cast<int>(std::min<qsizetype>(left, len));
    if (n > 0) std::memcpy(buf, src->data + src->pos, static_cast<size_t>(n));
    src->pos += n;
    return n;
}

int gifWriteToArray(GifFileType* gif, const GifByteType* buf, int len) {
    auto* out = static_cast<QByteArray*>(gif->UserData);
    out->append(reinterpret_cast<const char*>(buf), len);
    return len;
}

}  // namespace

QImage decodeGif(const QByteArray& data) {
    GifSource src{reinterpret_cast<const unsigned char*>(data.constData()), data.size(), 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&src, gifReadFromMemory, &error);
    if (!gif) return {};
    QImage result;
    // The logical screen, not the frame, sets the picture's size: a damaged screen size must not
    // make a picture of gigabytes around a frame of a few pixels.
    if (withinAllocationLimit(gif->SWidth, gif->SHeight) && DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& frame = gif->SavedImages[0];
        const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        int transparent = -1;
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
        const int fw = frame.ImageDesc.Width, fh = frame.ImageDesc.Height;
        const int fl = frame.ImageDesc.Left, ft = frame.ImageDesc.Top;
        if (map && frame.RasterBits && fw > 0 && fh > 0) {
            result = QImage(gif->SWidth, gif->SHeight, QImage::Format_ARGB32);
            if (!result.isNull()) {
                result.fill(Qt::transparent);
                for (int y = 0; y < fh; ++y) {
                    const int ty = ft + y;
                    if (ty < 0 || ty >= gif->SHeight) continue;
                    auto* line = reinterpret_cast<QRgb*>(result.scanLine(ty));
                    for (int x = 0; x < fw; ++x) {
                        const int tx = fl + x;
                        if (tx < 0 || tx >= gif->SWidth) continue;
                        const int index = frame.RasterBits[static_cast<size_t>(y) * fw + x];
                        if (index == transparent || index >= map->ColorCount) continue;
                        const GifColorType& c = map->Colors[index];
                        line[tx] = qRgb(c.Red, c.Green, c.Blue);
                    }
                }
            }
        }
    }
    DGifCloseFile(gif, &error);
    return result;
}

QByteArray encodeGif(const QImage& image, std::optional<QColor> transparent) {
    if (image.isNull()) return {};
    // RGB32 pixels read as ARGB32 with full alpha: box images need no converted copy.
    const QImage src = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width(), h = src.height();
    if (w > 65535 || h > 65535) return {};
    const QRgb transparentRgb = transparent ? (transparent->rgb() & 0xFFFFFF) : 0;
    auto isTransparent = [&](QRgb p) {
        return qAlpha(p) < 128 || (transparent && (p & 0xFFFFFF) == transparentRgb);
    };

    // Exact palette when the picture has at most 255 colours (one index is kept for transparency);
    // otherwise a 6x7x6 colour cube, which is plenty for box images and thumbnails.
    // Text in box images switches colour every few pixels: a small cache in front of the map
    // spares most of its look-ups.
    std::unordered_map<QRgb, int> exact;
    struct Cached {
        QRgb key = 0;
        int index = -1;
    };
    std::array<Cached, 64> cache{};
    auto slot = [&](QRgb key) -> Cached& { return cache[(key ^ (key >> 11) ^ (key >> 19)) & 63]; };
    bool useExact = true;
    for (int y = 0; y < h && useExact; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (isTransparent(line[x])) continue;
            const QRgb key = line[x] & 0xFFFFFF;
            Cached& c = slot(key);
            if (c.index >= 0 && c.key == key) continue;
            auto found = exact.find(key);
            if (found == exact.end()) {
                if (exact.size() >= 255) {
                    useExact = false;
                    break;
                }
                found = exact.emplace(key, static_cast<int>(exact.size())).first;
            }
            c = {key, found->second};
        }
    }
    std::vector<GifColorType> colors;
    if (useExact) {
        colors.resize(exact.size());
        for (const auto& [rgb, index] : exact)
            colors[static_cast<size_t>(index)] = {static_cast<GifByteType>(qRed(rgb)), static_cast<GifByteType>(qGreen(rgb)),
                                                  static_cast<GifByteType>(qBlue(rgb))};
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    colors.push_back({static_cast<GifByteType>(r * 51), static_cast<GifByteType>(g * 255 / 6),
                                      static_cast<GifByteType>(b * 51)});
    }
    const int transparentIndex = static_cast<int>(colors.size());
    colors.push_back(transparent ? GifColorType{static_cast<GifByteType>(transparent->red()),
                                                static_cast<GifByteType>(transparent->green()),
                                                static_cast<GifByteType>(transparent->blue())}
                                 : GifColorType{0, 0, 0});
    int mapSize = 2;
    while (mapSize < static_cast<int>(colors.size())) mapSize *= 2;
    colors.resize(static_cast<size_t>(mapSize), GifColorType{0, 0, 0});

    std::vector<GifByteType> raster(static_cast<size_t>(w) * h);
    QRgb lastPixel = 0;
    int lastIndex = -1;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            int index;
            if (lastIndex >= 0 && p == lastPixel)
                index = lastIndex;
            else if (isTransparent(p))
                index = transparentIndex;
            else if (useExact) {
                const QRgb key = p & 0xFFFFFF;
                Cached& c = slot(key);
                if (c.index < 0 || c.key != key) c = {key, exact.at(key)};
                index = c.index;
            }
            else
                index = ((qRed(p) * 5 + 127) / 255) * 42 + ((qGreen(p) * 6 + 127) / 255) * 6 + (qBlue(p) * 5 + 127) / 255;
            lastPixel = p;
            lastIndex = index;
            raster[static_cast<size_t>(y) * w + x] = static_cast<GifByteType>(index);
        }
    }

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, gifWriteToArray, &error);
    if (!gif) return {};
    // The transparency extension needs GIF89a; the version goes out with the screen descriptor.
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(mapSize, colors.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, GifBitSize(mapSize), 0, map) == GIF_OK;
    if (ok) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, raster.data() + static_cast<size_t>(y) * w, w) == GIF_OK;
    if (map) GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok ? out : QByteArray();
}

// ---------------------------------------------------------------------------------------------

QImage decodeImage(const QByteArray& data, const QString& fileName) {
    switch (detectImageFormat(data, fileName)) {
    case ImageFormat::Jpeg: return decodeJpeg(data);
    case ImageFormat::Gif: return decodeGif(data);
    case ImageFormat::Bmp:
    case ImageFormat::Ico: {
        QByteArray copy = data;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, detectImageFormat(data) == ImageFormat::Bmp ? "bmp" : "ico");
        return reader.read();
    }
    case ImageFormat::Emf:
    case ImageFormat::Wmf:
    case ImageFormat::Unknown: return {};
    }
    return {};
}

qint64 largestPictureFileSize() {
    // No picture file is larger than the largest image the readers would decode.
    const qint64 limitMiB = QImageReader::allocationLimit() > 0 ? QImageReader::allocationLimit() : 256;
    return limitMiB * 1024 * 1024;
}

QImage loadImageFile(const QString& path) {
    const std::optional<QByteArray> bytes = readRegularFile(path, largestPictureFileSize());
    return bytes ? decodeImage(*bytes, path) : QImage();
}

}  // namespace kinloom
