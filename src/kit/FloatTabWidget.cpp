#include "kit/FloatTabWidget.h"

#include <QCloseEvent>
#include <QTabBar>
#include <QVBoxLayout>

TFloatTabWidget::TFloatTabWidget(QWidget* parent) : QTabWidget(parent) {
    connect(tabBar(), &QTabBar::tabBarDoubleClicked, this, [this](int index) {
        if (QWidget* sheet = widget(index)) floatSheet(sheet);
    });
}

void TFloatTabWidget::setFloatable(QWidget* sheet, bool floatable) {
    if (floatable)
        m_floatable.insert(sheet, true);
    else
        m_floatable.remove(sheet);
}

bool TFloatTabWidget::floatSheet(QWidget* sheet) {
    const int index = indexOf(sheet);
    if (index < 0 || !isFloatable(sheet) || isFloating(sheet)) return false;
    Floating state{nullptr, index, tabText(index)};
    removeTab(index);
    auto* window = new QWidget(this, Qt::Tool);
    window->setObjectName(sheet->objectName() + QStringLiteral("Window"));
    window->setWindowTitle(QString(state.caption).remove('&'));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet);
    sheet->show();
    window->installEventFilter(this);
    window->resize(qMax(sheet->width(), 200), qMax(sheet->height(), 150));
    state.window = window;
    m_floating.insert(sheet, state);
    window->show();
    Q_EMIT sheetFloated(sheet);
    return true;
}

void TFloatTabWidget::dockSheet(QWidget* sheet) {
    if (!isFloating(sheet)) return;
    const Floating state = m_floating.take(sheet);
    insertTab(qMin(state.index, count()), sheet, state.caption);
    if (state.window) {
        state.window->removeEventFilter(this);
        state.window->deleteLater();
    }
    Q_EMIT sheetDocked(sheet);
}

bool TFloatTabWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        for (auto it = m_floating.begin(); it != m_floating.end(); ++it) {
            if (it->window == watched) {
                dockSheet(it.key());
                break;
            }
        }
    }
    return QTabWidget::eventFilter(watched, event);
}
