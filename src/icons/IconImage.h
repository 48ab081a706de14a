#pragma once

#include <QByteArray>
#include <QImage>

/// Size and colour depth of one stored icon image, read from its own header.
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool isValid() const { return width > 0 && height > 0; }
};

/// The largest side taken from an icon image: nothing larger is allocated.
constexpr int MaxIconSide = 1024;

/// Reads the header of one icon or cursor image (a device-independent bitmap with its
/// mask, or a PNG stream); an invalid result for anything else. Only the header is needed:
/// the first IconHeaderBytes bytes of the image suffice.
constexpr int IconHeaderBytes = 160;
IconImageInfo ReadIconImageInfo(const QByteArray& data);

/// Decodes one icon or cursor image to ARGB32 with its transparency as alpha: the AND
/// mask, or the alpha channel of a 32-bit image that has one. A null image for malformed
/// or truncated data; every offset is checked before it is read.
QImage DecodeIconImage(const QByteArray& data);
