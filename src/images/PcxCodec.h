#pragma once

#include "images/PictureLimits.h"

#include <QByteArray>
#include <QImage>

/// Decodes a PCX picture: 1, 2, 4 or 8 bits in one plane, 1 bit in up to four planes
/// (the 16-colour layout), 8 bits in three or four planes (24-bit colour), raw or RLE.
/// Data that ends early leaves the rest of the picture black. A null image on failure,
/// with the reason in `reason`.
QImage DecodePcx(const QByteArray& bytes, QString* reason = nullptr,
                 qint64 maxPixels = kMaxPicturePixels);

/// A 24-bit RLE PCX file (version 5, three planes) of the image.
QByteArray EncodePcx(const QImage& image);
