#pragma once

#include <QImage>
#include <QSize>
#include <QString>

/// Reading and writing picture files. Every reader gives a null image on failure and puts
/// a message naming the file and the reason into `error`; a picture of width or height 0
/// is a failure, and one whose header claims more than 256 megapixels is refused before
/// anything is allocated.

/// The external loader's formats by extension: PCX, TGA, DIB and RLE (Windows bitmaps,
/// also RLE4/RLE8) and JIF (JPEG). A file of another extension is recognised by content.
QImage NViewLibLoad(const QString& path, QString* error = nullptr);

/// A JPEG file upright and in sRGB; with `wanted` set it is decoded at the smallest DCT
/// scale that still covers that size (for fitted views and thumbnails). `natural` gets
/// the upright full size.
QImage LoadJpeg(const QString& path, QSize wanted, QString* error = nullptr,
                QSize* natural = nullptr);

/// Any still picture the image page shows: BMP, JPEG (.JPG, .JPE, .JIF), WMF, EMF, the
/// external loader's formats, and other formats Qt reads (a GIF's first frame). `wanted`
/// as for LoadJpeg; other formats come at their natural size.
QImage LoadPicture(const QString& path, QString* error = nullptr, QSize wanted = QSize(),
                   QSize* natural = nullptr);

/// The modifier's writer by extension (lower-cased): .jpg/.jpeg JPEG at quality 50, .pcx
/// 24-bit PCX, .gif GIF without transparency or interlace, anything else BMP.
bool WritePictureByExtension(const QImage& image, const QString& path);
/// A BMP, 1-bit with the image's own two colours when it has exactly two, else 24-bit.
bool WriteBmp(const QImage& image, const QString& path);
/// A 24-bit RLE PCX.
bool WritePcx(const QImage& image, const QString& path);
/// A JPEG at `quality` 0 to 100.
bool WriteJpeg(const QImage& image, const QString& path, int quality);
/// A GIF89a of at most 255 colours; see EncodeGif.
bool WriteGif(const QImage& image, const QString& path, bool transparent, bool interlaced);
