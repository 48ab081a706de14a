#pragma once

#include <QByteArray>
#include <QImage>

/// The bytes of an icon file holding one icon: a 6-byte header (reserved 0, type 1, count
/// 1), one 16-byte directory entry (width, height, a colour word of planes x bits per pixel,
/// two zero words, the image size, data offset 22) and one image: the bitmap header with
/// the height doubled, the colour image and the 1-bit mask. An icon whose pixels are all
/// opaque colours of the standard 16-colour palette, or fully transparent, is stored at
/// 4 bits per pixel; any other is stored at 32 bits with its alpha, so no colour is lost.
/// Icons larger than 256 pixels are scaled down to fit.
QByteArray IcoFileBytes(const QImage& icon);

/// The icon drawn on white at its own size, so transparent parts come out white.
QImage IconOnWhite(const QImage& icon);
