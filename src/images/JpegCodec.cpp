// libjpeg reports errors by calling error_exit, which by default ends the process; here it
// jumps back to the caller. Between setjmp and any libjpeg call only plain data lives on
// the stack of the jumping functions, so no destructor is skipped.

#include "images/JpegCodec.h"

#include <QColorSpace>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

void InstallErrors(jpeg_error_mgr* base) {
    jpeg_std_error(base);
    base->error_exit = OnError;
    base->emit_message = OnMessage;
}

/// What the decode step needs and gives back; owned by the caller, so the jump skips none
/// of it.
struct DecodeJob {
    const uchar* data = nullptr;
    size_t size = 0;
    QSize wanted;
    qint64 maxPixels = 0;
    // Filled by the decode step.
    int orientation = 1;
    QByteArray icc;
    QSize natural;
    QImage image;
    QString failure;
    uchar* cmykRow = nullptr;
};

// The EXIF orientation (1 to 8) in an APP1 marker, 1 when there is none.
int ExifOrientation(const jpeg_saved_marker_ptr markers) {
    for (jpeg_saved_marker_ptr m = markers; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 14) continue;
        const uchar* p = m->data;
        if (std::memcmp(p, "Exif\0\0", 6) != 0) continue;
        const uchar* tiff = p + 6;
        const size_t size = m->data_length - 6;
        const bool little = tiff[0] == 'I' && tiff[1] == 'I';
        if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) continue;
        auto u16 = [&](size_t at) -> quint32 {
            return little ? qFromLittleEndian<quint16>(tiff + at)
                          : qFromBigEndian<quint16>(tiff + at);
        };
        auto u32 = [&](size_t at) -> quint32 {
            return little ? qFromLittleEndian<quint32>(tiff + at)
                          : qFromBigEndian<quint32>(tiff + at);
        };
        const quint32 ifd = u32(4);
        if (ifd > size || size - ifd < 2) continue;
        const quint32 entries = u16(ifd);
        for (quint32 i = 0; i < entries; ++i) {
            const size_t at = size_t(ifd) + 2 + size_t(i) * 12;
            if (at + 12 > size) break;
            if (u16(at) == 0x0112 && u16(at + 2) == 3) {
                const quint32 value = u16(at + 8);
                return value >= 1 && value <= 8 ? int(value) : 1;
            }
        }
    }
    return 1;
}

bool Transposed(int orientation) {
    return orientation >= 5;
}

// The eighths of the natural size to decode at for the wanted (upright) size.
int ScaleEighths(const jpeg_decompress_struct& info, QSize wanted, int orientation) {
    if (wanted.isEmpty()) return 8;
    if (Transposed(orientation)) wanted.transpose();
    for (int m = 1; m < 8; ++m) {
        const qint64 w = (qint64(info.image_width) * m + 7) / 8;
        const qint64 h = (qint64(info.image_height) * m + 7) / 8;
        if (w >= wanted.width() && h >= wanted.height()) return m;
    }
    return 8;
}

bool RunDecode(DecodeJob& job) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = &errors.base;
    InstallErrors(&errors.base);
    errors.message[0] = 0;
    jpeg_create_decompress(&info);
    if (setjmp(errors.jump)) {
        job.failure = QString::fromLatin1(errors.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Without a backing store libjpeg refuses work needing more than this (huge
    // progressive pictures keep every coefficient in memory).
    info.mem->max_memory_to_use =
        long(std::clamp<qint64>(job.maxPixels * 6, qint64(64) << 20, qint64(1536) << 20));
    jpeg_mem_src(&info, job.data, static_cast<unsigned long>(job.size));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    job.orientation = ExifOrientation(info.marker_list);
    job.natural = QSize(int(info.image_width), int(info.image_height));
    if (Transposed(job.orientation)) job.natural.transpose();
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&info, &icc, &iccLength) && icc) {
        job.icc = QByteArray(reinterpret_cast<const char*>(icc), int(iccLength));
        std::free(icc);
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = unsigned(ScaleEighths(info, job.wanted, job.orientation));
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    if (!PictureSizeAllowed(info.output_width, info.output_height, job.maxPixels, &job.failure)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    job.image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (job.image.isNull()) {
        job.failure = QStringLiteral("there is not enough memory for the picture");
        jpeg_destroy_decompress(&info);
        return false;
    }
    job.image.fill(Qt::black);
    jpeg_start_decompress(&info);
    const bool inverted = info.saw_Adobe_marker;
    if (cmyk) job.cmykRow = static_cast<uchar*>(std::malloc(size_t(info.output_width) * 4));
    while (info.output_scanline < info.output_height) {
        uchar* row = job.image.scanLine(int(info.output_scanline));
        JSAMPROW target = cmyk ? job.cmykRow : row;
        if (jpeg_read_scanlines(&info, &target, 1) != 1) break;
        if (!cmyk) continue;
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            const uchar* p = job.cmykRow + 4 * x;
            int c = p[0], mm = p[1], y = p[2], k = p[3];
            if (!inverted) c = 255 - c, mm = 255 - mm, y = 255 - y, k = 255 - k;
            row[3 * x] = uchar(c * k / 255);
            row[3 * x + 1] = uchar(mm * k / 255);
            row[3 * x + 2] = uchar(y * k / 255);
        }
    }
    // A file that ends early has had its end made up by libjpeg (a warning, no error).
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

QImage Upright(const QImage& image, int orientation) {
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.transformed(QTransform().rotate(180));
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

struct EncodeJob {
    const QImage* image = nullptr;
    int quality = 50;
    uchar* buffer = nullptr;
    unsigned long size = 0;
};

bool RunEncode(EncodeJob& job) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = &errors.base;
    InstallErrors(&errors.base);
    jpeg_create_compress(&info);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_mem_dest(&info, &job.buffer, &job.size);
    info.image_width = JDIMENSION(job.image->width());
    info.image_height = JDIMENSION(job.image->height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, job.quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(job.image->constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes, QString* reason, const JpegDecodeOptions& options,
                  QSize* natural) {
    DecodeJob job;
    job.data = reinterpret_cast<const uchar*>(bytes.constData());
    job.size = size_t(bytes.size());
    job.wanted = options.wanted;
    job.maxPixels = options.maxPixels;
    if (job.size < 4 || job.data[0] != 0xFF || job.data[1] != 0xD8) {
        if (reason) *reason = QStringLiteral("it is not a JPEG file");
        return {};
    }
    const bool decoded = RunDecode(job);
    std::free(job.cmykRow);
    if (!decoded) {
        if (reason) *reason = job.failure;
        return {};
    }
    if (natural) *natural = job.natural;
    QImage image = Upright(job.image, job.orientation);
    if (!job.icc.isEmpty()) {
        const QColorSpace space = QColorSpace::fromIccProfile(job.icc);
        if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
            image.setColorSpace(space);
            image.convertToColorSpace(QColorSpace::SRgb);
            if (image.format() != QImage::Format_RGB888) image.convertTo(QImage::Format_RGB888);
        }
    }
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) return {};
    const QImage source = image.convertToFormat(QImage::Format_RGB888);
    EncodeJob job;
    job.image = &source;
    job.quality = std::clamp(quality, 1, 100);
    const bool encoded = RunEncode(job);
    QByteArray bytes;
    if (encoded) bytes = QByteArray(reinterpret_cast<const char*>(job.buffer), qsizetype(job.size));
    std::free(job.buffer);
    return bytes;
}
