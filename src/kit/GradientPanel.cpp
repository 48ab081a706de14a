#include "kit/GradientPanel.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>

TGradientPanel::TGradientPanel(const QString& title, QWidget* parent)
    : QWidget(parent), m_row(new QHBoxLayout(this)) {
    m_row->setContentsMargins(2, 1, 2, 1);
    m_row->setSpacing(1);
    setTitle(title);
}

void TGradientPanel::setTitle(const QString& title) {
    m_title = title;
    const int titleWidth = title.isEmpty() ? 2 : fontMetrics().horizontalAdvance(title) + 12;
    m_row->setContentsMargins(titleWidth, 1, 2, 1);
    update();
}

void TGradientPanel::setColors(const QColor& start, const QColor& end) {
    m_start = start;
    m_end = end;
    update();
}

void TGradientPanel::addWidget(QWidget* widget) {
    m_row->addWidget(widget);
}
void TGradientPanel::addStretch() {
    m_row->addStretch(1);
}

void TGradientPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(rect().topLeft(), rect().topRight());
    gradient.setColorAt(0, m_start);
    gradient.setColorAt(1, m_end);
    painter.fillRect(rect(), gradient);
    if (m_title.isEmpty()) return;
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_title);
}
