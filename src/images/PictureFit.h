#pragma once

#include <QRect>
#include <QSize>

/// Where the image page puts its picture control inside `PicPanel`, what the zoom
/// indicator reads, and whether `ZoomFitBut` and `ZoomActualBut` are enabled.
struct PictureFit {
    QRect rect;
    int zoom;
    bool fitEnabled;
    bool actualEnabled;
};

/// The fit on load: a picture that fits the area (the panel less 4 for the scroll box's
/// borders; strictly inside it for a GIF) keeps its natural size, a larger one is shrunk to
/// the area keeping its aspect ratio (rounding ties to even); centred in the panel. A
/// picture of width or height 0 gets zoom 0 and neither button.
PictureFit AspectFit(QSize picture, QSize panel, bool gif);
/// The Fit button: the picture always takes the area's size by its aspect ratio, small
/// ones enlarged too; `ZoomFitBut` off, `ZoomActualBut` on.
PictureFit FillFit(QSize picture, QSize panel);

/// The modifier's zoom in: 10 up, then 25 more from 100 on (100 gives 135, 90 gives 125).
int ModifierZoomIn(int zoom);
/// The modifier's zoom out: 10 down below 125 (never to 0 or less), then 25 down above 124
/// (135 gives 110, 100 gives 90).
int ModifierZoomOut(int zoom);
