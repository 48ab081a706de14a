#include "text/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TUpDown::TUpDown(QLineEdit* associate, QWidget* parent)
    : QWidget(parent), m_associate(associate), m_up(new QToolButton(this)),
      m_down(new QToolButton(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setArrowType(arrow == m_up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(16, 11);
        arrow->setFocusPolicy(Qt::NoFocus);
        column->addWidget(arrow);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(false); });
}

void TUpDown::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

void TUpDown::step(bool up) {
    Q_EMIT changing(up);
    bool ok = false;
    const int shown = m_associate->text().toInt(&ok);
    if (ok) m_position = std::clamp(shown, m_minimum, m_maximum);
    const int next = std::clamp(m_position + (up ? 1 : -1), m_minimum, m_maximum);
    if (next == m_position) return; // at the end of the range
    m_position = next;
    m_associate->setText(QString::number(next));
}
