#pragma once

#include "images/PictureLimits.h"

#include <QByteArray>
#include <QImage>
#include <QString>

/// Windows metafiles drawn at their own size on white. Both converters run in a child
/// process, so a hostile file can crash or hang only that child: EMF through libemf2svg
/// in a forked copy of this process, WMF through the wmf2svg program (libwmf and libuemf,
/// which libemf2svg uses, define the same symbols and never share a process).

/// An enhanced metafile held in memory.
QImage RenderEmf(const QByteArray& bytes, QString* reason = nullptr,
                 qint64 maxPixels = kMaxPicturePixels);
/// A Windows metafile (placeable or not) at `path`.
QImage RenderWmf(const QString& path, QString* reason = nullptr,
                 qint64 maxPixels = kMaxPicturePixels);
/// SVG text drawn at its default size on white.
QImage RenderSvg(const QByteArray& svg, QString* reason = nullptr,
                 qint64 maxPixels = kMaxPicturePixels);
