#include "kit/SplitPanel.h"

#include <QMouseEvent>

TSplitPanel::TSplitPanel(QWidget* parent) : QWidget(parent), m_bar(new QWidget(this)) {
    m_bar->setCursor(Qt::SplitVCursor);
    m_bar->installEventFilter(this);
}

void TSplitPanel::setControls(QWidget* top, QWidget* client) {
    m_top = top;
    m_client = client;
    top->setParent(this);
    client->setParent(this);
    m_bar->raise();
    place();
}

void TSplitPanel::setTopHeight(int height) {
    m_topHeight = qMax(0, height);
    place();
}

void TSplitPanel::resizeEvent(QResizeEvent*) {
    place();
}

void TSplitPanel::place() {
    const int top = qMin(m_topHeight, qMax(0, height() - kBarHeight));
    if (m_top) m_top->setGeometry(0, 0, width(), top);
    m_bar->setGeometry(0, top, width(), kBarHeight);
    if (m_client)
        m_client->setGeometry(0, top + kBarHeight, width(), qMax(0, height() - top - kBarHeight));
}

bool TSplitPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bar) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_dragStartY = int(static_cast<QMouseEvent*>(event)->globalPosition().y());
            m_dragStartHeight = m_topHeight;
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() & Qt::LeftButton)
                setTopHeight(m_dragStartHeight + int(move->globalPosition().y()) - m_dragStartY);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
