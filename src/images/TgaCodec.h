#pragma once

#include "images/PictureLimits.h"

#include <QByteArray>
#include <QImage>

/// Decodes a TGA picture of image type 1, 2 or 3 (colour-mapped, true-colour, grey) or
/// their RLE forms 9, 10 and 11, bottom-up or top-down, with or without the version 2
/// footer. 32-bit pictures keep their alpha channel when the header says they have one.
/// Data that ends early leaves the rest black. A null image on failure, the reason in
/// `reason`.
QImage DecodeTga(const QByteArray& bytes, QString* reason = nullptr,
                 qint64 maxPixels = kMaxPicturePixels);
