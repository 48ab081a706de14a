#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

/// The most pixels a decoder allocates for one picture: a header claiming more is refused
/// before anything is allocated (a few hundred bytes must not make gigabytes).
constexpr qint64 kMaxPicturePixels = qint64(256) * 1024 * 1024;

/// True when a picture of w x h may be allocated; otherwise `reason` says why (a size of
/// 0 is no picture at all).
inline bool PictureSizeAllowed(qint64 w, qint64 h, qint64 maxPixels, QString* reason) {
    if (w <= 0 || h <= 0) {
        if (reason) *reason = QStringLiteral("the picture is %1 x %2 pixels").arg(w).arg(h);
        return false;
    }
    if (w * h > maxPixels) {
        if (reason)
            *reason = QStringLiteral("the picture claims %1 x %2 pixels, more than %3 megapixels")
                          .arg(w)
                          .arg(h)
                          .arg(maxPixels / (1024 * 1024));
        return false;
    }
    return true;
}
