#include "app/SplashScreen.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("SplashScreen");
    setWindowTitle("K-o-r");
    setFixedSize(229, 89);
}

void TSplashScreen::showNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Grey to silver to white, one horizontal line at a time.
    const QColor stops[] = {QColor(0x80, 0x80, 0x80), QColor(0xc0, 0xc0, 0xc0), Qt::white};
    for (int y = 0; y < height(); ++y) {
        const double t = double(y) / qMax(1, height() - 1) * 2.0;
        const int i = qMin(1, int(t));
        const double f = t - i;
        const QColor& a = stops[i];
        const QColor& b = stops[i + 1];
        painter.setPen(QColor(int(a.red() + (b.red() - a.red()) * f),
                              int(a.green() + (b.green() - a.green()) * f),
                              int(a.blue() + (b.blue() - a.blue()) * f)));
        painter.drawLine(0, y, width(), y);
    }
    QFont loading = font();
    loading.setBold(true);
    loading.setPointSize(10);
    painter.setFont(loading);
    painter.setPen(Qt::red);
    painter.drawText(QRect(0, 4, width(), 20), Qt::AlignCenter, "Loading");

    QFont title = font();
    title.setBold(true);
    title.setPointSize(26);
    painter.setFont(title);
    const QRect box(0, 26, width(), height() - 30);
    // Sunken: light below right, dark above left, face in the middle.
    painter.setPen(Qt::white);
    painter.drawText(box.translated(1, 1), Qt::AlignCenter, "Korvane");
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(box.translated(-1, -1), Qt::AlignCenter, "Korvane");
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.drawText(box, Qt::AlignCenter, "Korvane");
}
