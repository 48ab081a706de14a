#pragma once

#include "images/PictureLimits.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

/// How a JPEG is decoded. With `wanted` set the DCT scaling gives the smallest picture
/// (in eighths of the natural size) at least that large in both directions, upright; the
/// full size when the natural one is not larger.
struct JpegDecodeOptions {
    QSize wanted;
    qint64 maxPixels = kMaxPicturePixels;
};

/// Decodes a JPEG held in memory with libjpeg: turned upright by its EXIF orientation and
/// converted to sRGB when it carries an ICC profile. A corrupt stream is an error; a
/// truncated one gives the part that was decoded. `natural`, when given, receives the
/// picture's upright full size. A null image on failure, with the reason in `reason`.
QImage DecodeJpeg(const QByteArray& bytes, QString* reason = nullptr,
                  const JpegDecodeOptions& options = {}, QSize* natural = nullptr);

/// A baseline JPEG of the image at `quality` 0 to 100 (0 counts as 1); empty on failure.
QByteArray EncodeJpeg(const QImage& image, int quality);
