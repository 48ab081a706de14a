#pragma once

#include <QByteArray>
#include <QImage>

/// A Windows bitmap file of the image: 1 bit per pixel with a two-entry palette of its own
/// two colours (the darker one first) when it has exactly two, else 24 bits. Empty for a
/// null image.
QByteArray EncodeBmp(const QImage& image);
