#include "kit/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>

TStatusPanels::TStatusPanels(const QList<int>& widths, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(0);
        const bool last = i == widths.size() - 1;
        if (last)
            label->setMinimumWidth(widths[i]);
        else
            label->setFixedWidth(widths[i]);
        layout->addWidget(label, last ? 1 : 0);
        m_panels.append(label);
    }
    setFixedHeight(sizeHint().height());
}

QString TStatusPanels::panelText(int index) const {
    return index >= 0 && index < m_panels.size() ? m_panels[index]->text() : QString();
}

void TStatusPanels::setPanelText(int index, const QString& text) {
    if (index < 0 || index >= m_panels.size()) return;
    QLabel* label = m_panels[index];
    label->setText(text);
    // The widths suit the classic small dialog font; with a larger desktop font a panel
    // widens to show its whole text rather than cut it.
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 6;
    if (index < m_panels.size() - 1 && needed > label->width()) label->setFixedWidth(needed);
}

void TStatusPanels::setPanelAlignment(int index, Qt::Alignment alignment) {
    if (index >= 0 && index < m_panels.size()) m_panels[index]->setAlignment(alignment);
}
