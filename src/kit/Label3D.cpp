#include "kit/Label3D.h"

#include <QPainter>

TLabel3D::TLabel3D(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

void TLabel3D::setText(const QString& text) {
    m_text = text;
    updateGeometry();
    update();
}

void TLabel3D::setStyle3D(Style style) {
    m_style = style;
    update();
}

void TLabel3D::setTextColor(const QColor& color) {
    m_color = color;
    update();
}

void TLabel3D::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

QSize TLabel3D::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + 4, metrics.height() + 4};
}

void TLabel3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect box = rect().adjusted(1, 1, -2, -2);
    if (m_style != Style::Flat) {
        // Sunken text is lit from below right, raised text from above left.
        const bool sunken = m_style == Style::Sunken;
        painter.setPen(sunken ? Qt::white : QColor(0x40, 0x40, 0x40));
        painter.drawText(box.translated(1, 1), int(m_alignment), m_text);
        painter.setPen(sunken ? QColor(0x40, 0x40, 0x40) : Qt::white);
        painter.drawText(box.translated(-1, -1), int(m_alignment), m_text);
    }
    painter.setPen(m_color);
    painter.drawText(box, int(m_alignment), m_text);
}
