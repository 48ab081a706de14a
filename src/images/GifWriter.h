#pragma once

#include <QByteArray>
#include <QImage>

/// A GIF89a file of the image: its colours reduced by an octree to at most 255, stored as
/// colours 1 to 255 of a 256-entry global table whose colour 0 is the modifier's
/// background grey; one graphic control extension (restore to background, no delay,
/// transparent index 0, the transparency flag set by `transparent`) and one image, its
/// rows in the four interlace passes when `interlaced`. With `transparent` the pixels of
/// the background grey take index 0. Empty on failure.
QByteArray EncodeGif(const QImage& image, bool transparent, bool interlaced);
