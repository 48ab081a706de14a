#include "images/PictureFiles.h"

#include "images/BmpWriter.h"
#include "images/GifWriter.h"
#include "images/JpegCodec.h"
#include "images/Metafiles.h"
#include "images/PcxCodec.h"
#include "images/PictureIo.h"
#include "images/TgaCodec.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFileInfo>
#include <QImageReader>

namespace {

enum class Kind { Pcx, Tga, Bmp, Jpeg, Emf, Wmf, Other };

// The extension key: from the last dot, upper-cased, cut to four characters.
QString ExtensionKey(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot, 4).toUpper();
}

Kind KindByContent(const QByteArray& bytes) {
    if (bytes.startsWith("BM")) return Kind::Bmp;
    if (bytes.startsWith("\xFF\xD8")) return Kind::Jpeg;
    if (bytes.startsWith('\x0A')) return Kind::Pcx;
    if (bytes.size() >= 44 && bytes.mid(40, 4) == " EMF") return Kind::Emf;
    if (bytes.startsWith("\xD7\xCD\xC6\x9A")) return Kind::Wmf;
    return Kind::Other;
}

QImage Failed(const QString& path, const QString& reason, QString* error) {
    if (error) *error = QStringLiteral("Cannot load \"%1\": %2.").arg(path, reason);
    return {};
}

QImage DecodeByQt(const QByteArray& bytes, const char* format, QString* reason) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() &&
        !PictureSizeAllowed(size.width(), size.height(), kMaxPicturePixels, reason))
        return {};
    QImage image = reader.read();
    if (image.isNull()) {
        if (reason) *reason = reader.errorString().toLower();
        return {};
    }
    if (!PictureSizeAllowed(image.width(), image.height(), kMaxPicturePixels, reason)) return {};
    // A picture with its own colour profile is shown in sRGB.
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace::SRgb);
    return image;
}

QImage Decode(const QString& path, Kind kind, const QByteArray& bytes, QSize wanted,
              QString* reason, QSize* natural) {
    QImage image;
    switch (kind) {
    case Kind::Pcx:
        image = DecodePcx(bytes, reason);
        break;
    case Kind::Tga:
        image = DecodeTga(bytes, reason);
        break;
    case Kind::Bmp:
        image = DecodeByQt(bytes, "BMP", reason);
        break;
    case Kind::Jpeg: {
        JpegDecodeOptions options;
        options.wanted = wanted;
        return DecodeJpeg(bytes, reason, options, natural);
    }
    case Kind::Emf:
        image = RenderEmf(bytes, reason);
        break;
    case Kind::Wmf:
        image = RenderWmf(path, reason);
        break;
    case Kind::Other:
        image = DecodeByQt(bytes, nullptr, reason);
        break;
    }
    if (natural) *natural = image.size();
    return image;
}

QImage Load(const QString& path, Kind kind, QSize wanted, QString* error, QSize* natural) {
    QString reason;
    const QByteArray bytes = pictureio::ReadWhole(path, &reason);
    if (!reason.isEmpty()) {
        if (error) *error = reason;
        return {};
    }
    if (bytes.isEmpty()) return Failed(path, QStringLiteral("the file is empty"), error);
    if (kind == Kind::Other) kind = KindByContent(bytes);
    const QImage image = Decode(path, kind, bytes, wanted, &reason, natural);
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return Failed(path,
                      reason.isEmpty() ? QStringLiteral("the picture cannot be decoded") : reason,
                      error);
    return image;
}

Kind KindByExtension(const QString& path) {
    const QString key = ExtensionKey(path);
    if (key == ".PCX") return Kind::Pcx;
    if (key == ".TGA") return Kind::Tga;
    if (key == ".BMP" || key == ".DIB" || key == ".RLE") return Kind::Bmp;
    if (key == ".JPG" || key == ".JPE" || key == ".JIF") return Kind::Jpeg;
    if (key == ".EMF") return Kind::Emf;
    if (key == ".WMF") return Kind::Wmf;
    return Kind::Other;
}

} // namespace

QImage NViewLibLoad(const QString& path, QString* error) {
    const QString key = ExtensionKey(path);
    const bool own =
        key == ".PCX" || key == ".TGA" || key == ".DIB" || key == ".RLE" || key == ".JIF";
    return Load(path, own ? KindByExtension(path) : Kind::Other, QSize(), error, nullptr);
}

QImage LoadJpeg(const QString& path, QSize wanted, QString* error, QSize* natural) {
    return Load(path, Kind::Jpeg, wanted, error, natural);
}

QImage LoadPicture(const QString& path, QString* error, QSize wanted, QSize* natural) {
    return Load(path, KindByExtension(path), wanted, error, natural);
}

bool WriteBmp(const QImage& image, const QString& path) {
    return pictureio::Replace(path, EncodeBmp(image));
}

bool WritePcx(const QImage& image, const QString& path) {
    return pictureio::Replace(path, EncodePcx(image));
}

bool WriteJpeg(const QImage& image, const QString& path, int quality) {
    return pictureio::Replace(path, EncodeJpeg(image, quality));
}

bool WriteGif(const QImage& image, const QString& path, bool transparent, bool interlaced) {
    return pictureio::Replace(path, EncodeGif(image, transparent, interlaced));
}

bool WritePictureByExtension(const QImage& image, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "jpg" || suffix == "jpeg") return WriteJpeg(image, path, 50);
    if (suffix == "pcx") return WritePcx(image, path);
    if (suffix == "gif") return WriteGif(image, path, false, false);
    return WriteBmp(image, path);
}
