#pragma once

#include <QImage>
#include <QRect>

#include <functional>

/// The picture modifier's operations on its 24-bit working image (QImage::Format_RGB888).
/// An image in another format is converted first. Operations with a `scope` work on that
/// rectangle of pixels (clipped to the image); a null rect means the whole image.

/// The fill colour of clear, cut and canvas enlargement.
constexpr QRgb kModifierBackground = 0xFF808080;

/// Each pixel becomes round((30 R + 59 G + 11 B) / 100) in all three channels, ties to even.
void Grayscale(QImage& image, QRect scope);
/// Each channel c becomes 255 - c.
void Negative(QImage& image, QRect scope);
/// Contrast by `value` (-100 to 100) around the whole image's mean colour, also when the
/// scope is a part of it: c becomes mean + trunc((c - mean) * x), clamped, where x is
/// 1 + v/10 for v >= 0 and 1 - sqrt(-v)/10 below. -100 flattens the scope to the mean.
void Contrast(QImage& image, int value, QRect scope);
/// Rows in reverse order.
void Flip(QImage& image);
/// Every row reversed.
void Mirror(QImage& image);
/// Every pixel becomes the background colour.
void Clear(QImage& image);
/// A w x h image holding the top-left part of `image`; new columns and rows are background.
QImage CanvasSize(const QImage& image, int w, int h);
/// The image resampled to w x h (both > 0, else a null image) with the filter of
/// `filterIndex`: 0 plain averaging stretch, 1 Triangle, 2 Hermite, 3 Bell, 4 BSpline,
/// 5 Lanczos3, 6 Mitchell. Separable (horizontal first), source positions beyond an edge
/// mirrored back, support widened by the scale factor when reducing, each destination
/// pixel's weights normalised to sum 1. `progress` gets 0 to 100 as rows are done.
QImage Resample(const QImage& image, int w, int h, int filterIndex,
                const std::function<void(int percent)>& progress = {});
