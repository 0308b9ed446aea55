#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace kinloom {

// The one place where picture files become images and images become JPEG or GIF files.
// JPEG goes through libjpeg and GIF through giflib, called directly; BMP and ICO use Qt's own
// readers. Enhanced metafiles and Windows metafiles cannot be drawn on this platform: they decode
// to a null image, exactly like a file that could not be read. Nothing here ever aborts the
// process on a damaged file.

enum class ImageFormat { Unknown, Jpeg, Gif, Bmp, Ico, Emf, Wmf };

// The format by content first (magic bytes), then by file extension for the metafiles.
ImageFormat detectImageFormat(const QByteArray& data, const QString& fileName = {});

// The largest picture file that is read at all.
qint64 largestPictureFileSize();

// Decodes picture bytes; a null QImage when the data is damaged, unsupported or a metafile.
QImage decodeImage(const QByteArray& data, const QString& fileName = {});
// Reads and decodes a picture file; a null QImage when it cannot be read or decoded.
QImage loadImageFile(const QString& path);

// libjpeg directly: decode to Format_RGB32; an empty result on any libjpeg error.
QImage decodeJpeg(const QByteArray& data);
// giflib directly: the first frame as Format_ARGB32 (the transparent colour becomes alpha 0).
QImage decodeGif(const QByteArray& data);

// Encodes an image as baseline JPEG (quality 1..100); an empty array on failure.
QByteArray encodeJpeg(const QImage& image, int quality = 90);
// Encodes an image as a GIF89a with a 256-colour palette. Pixels of the transparent colour (and
// fully transparent pixels) are written with the palette's transparent index.
QByteArray encodeGif(const QImage& image, std::optional<QColor> transparent = std::nullopt);

}  // namespace kinloom
