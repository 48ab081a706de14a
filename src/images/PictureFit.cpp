#include "images/PictureFit.h"

namespace {

// round(a * b / c) for positive values, ties to the even neighbour, exactly.
int RoundRatio(qint64 a, qint64 b, qint64 c) {
    const qint64 product = a * b;
    qint64 q = product / c;
    const qint64 r = product % c;
    if (2 * r > c || (2 * r == c && (q & 1))) ++q;
    return int(q);
}

// Steps 2 and 3 of the fit: the largest size of the picture's shape inside the area.
QSize Shrink(QSize picture, QSize area) {
    const int pw = picture.width(), ph = picture.height();
    int cw, ch;
    if (ph < pw) {
        cw = area.width();
        ch = RoundRatio(ph, cw, pw);
        if (ch > area.height()) {
            ch = area.height();
            cw = RoundRatio(pw, ch, ph);
        }
    } else {
        ch = area.height();
        cw = RoundRatio(pw, ch, ph);
        if (cw > area.width()) {
            cw = area.width();
            ch = RoundRatio(ph, cw, pw);
        }
    }
    return {cw, ch};
}

PictureFit Place(QSize shown, QSize picture, QSize panel) {
    PictureFit fit;
    fit.rect = QRect((panel.width() - shown.width() - 4) / 2,
                     (panel.height() - shown.height() - 4) / 2, shown.width(), shown.height());
    fit.zoom = shown.height() * 100 / picture.height();
    fit.fitEnabled = false;
    fit.actualEnabled = fit.zoom != 100;
    return fit;
}

bool Empty(QSize picture) {
    return picture.width() <= 0 || picture.height() <= 0;
}

} // namespace

PictureFit AspectFit(QSize picture, QSize panel, bool gif) {
    if (Empty(picture)) return {QRect(), 0, false, false};
    const QSize area = panel - QSize(4, 4);
    const bool fits = gif ? picture.height() < area.height() && picture.width() < area.width()
                          : picture.height() <= area.height() && picture.width() <= area.width();
    PictureFit fit = Place(fits ? picture : Shrink(picture, area), picture, panel);
    fit.fitEnabled = picture.height() - 4 < panel.height() && picture.width() - 4 < panel.width();
    return fit;
}

PictureFit FillFit(QSize picture, QSize panel) {
    if (Empty(picture)) return {QRect(), 0, false, false};
    PictureFit fit = Place(Shrink(picture, panel - QSize(4, 4)), picture, panel);
    fit.fitEnabled = false;
    fit.actualEnabled = true;
    return fit;
}

int ModifierZoomIn(int zoom) {
    if (zoom > 0) zoom += 10;
    if (zoom >= 100) zoom += 25;
    return zoom;
}

int ModifierZoomOut(int zoom) {
    if (zoom < 125 && zoom - 10 > 0) zoom -= 10;
    if (zoom > 124) zoom -= 25;
    return zoom;
}
