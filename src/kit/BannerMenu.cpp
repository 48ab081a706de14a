#include "kit/BannerMenu.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
const char* kMenuStyle = "QMenu { font-weight: bold; padding-left: 20px; }"
                         "QMenu::item:selected { background-color: #ff0000; color: #ffff00; }";
}

TBannerMenu::TBannerMenu(const QString& title, QWidget* parent, const QString& bannerText)
    : QMenu(title, parent), m_bannerText(bannerText) {
    setStyleSheet(QString::fromLatin1(kMenuStyle));
}

void TBannerMenu::setBannerText(const QString& text) {
    m_bannerText = text;
    update();
}

void TBannerMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    QPainter painter(this);
    const QRect band(0, 0, kBannerWidth, height());
    QLinearGradient gradient(band.bottomLeft(), band.topLeft());
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, QColor(0x80, 0, 0));
    painter.fillRect(band, gradient);
    QFont font = painter.font();
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Qt::yellow);
    // The banner reads from the bottom up.
    painter.translate(0, height());
    painter.rotate(-90);
    painter.drawText(QRect(4, 0, height() - 8, kBannerWidth), Qt::AlignLeft | Qt::AlignVCenter,
                     m_bannerText);
}
