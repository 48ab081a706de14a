#include "kit/GradientPanel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>

// The controls sit on an inner strip that keeps its natural width: a panel narrower than
// its controls cuts them off at the right instead of squeezing them over each other.
TGradientPanel::TGradientPanel(const QString& title, QWidget* parent)
    : QWidget(parent), m_strip(new QWidget(this)), m_row(new QHBoxLayout(m_strip)) {
    m_row->setContentsMargins(2, 1, 2, 1);
    m_row->setSpacing(1);
    m_strip->installEventFilter(this);
    setTitle(title);
}

void TGradientPanel::placeStrip() {
    m_strip->setGeometry(0, 0, qMax(width(), m_strip->minimumSizeHint().width()), height());
}

void TGradientPanel::resizeEvent(QResizeEvent*) {
    placeStrip();
}

bool TGradientPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_strip && event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        placeStrip();
    }
    return QWidget::eventFilter(watched, event);
}

QSize TGradientPanel::sizeHint() const {
    return m_strip->sizeHint();
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

QSize TGradientPanel::minimumSizeHint() const {
    return {0, m_strip->minimumSizeHint().height()};
}
