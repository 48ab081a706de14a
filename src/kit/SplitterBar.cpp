#include "kit/SplitterBar.h"

#include <QMouseEvent>

TSplitterBar::TSplitterBar(QWidget* above, QWidget* parent) : QWidget(parent), m_above(above)
{
    setFixedHeight(3);
    setCursor(Qt::SplitVCursor);
}

void TSplitterBar::mousePressEvent(QMouseEvent* event)
{
    m_pressY = int(event->globalPosition().y());
    m_startHeight = m_above->height();
}

void TSplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int wanted = m_startHeight + int(event->globalPosition().y()) - m_pressY;
    m_above->setFixedHeight(qMax(0, wanted));
}
