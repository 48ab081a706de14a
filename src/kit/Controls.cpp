#include "kit/Controls.h"

#include "kit/Hints.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

namespace {

// Watches the button for enabled changes; lives as the button's child.
class EnabledFollower : public QObject {
public:
    EnabledFollower(QAction* item, QAbstractButton* button) : QObject(button), m_item(item) {
        button->installEventFilter(this);
        item->setEnabled(button->isEnabled());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange && m_item)
            m_item->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        return false;
    }

private:
    QPointer<QAction> m_item;
};

} // namespace

QToolButton* NewToolButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& hint, const QString& themeIcon, const QIcon& fallback) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    const QIcon icon = themeIcon.isEmpty() ? fallback : QIcon::fromTheme(themeIcon, fallback);
    if (!icon.isNull()) button->setIcon(icon);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    SetHint(button, hint);
    return button;
}

QAction* NewMenuItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    return item;
}

void FollowButton(QAction* item, QAbstractButton* button) {
    new EnabledFollower(item, button);
}

QToolButton* NewExitButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QStringLiteral("Exit"));
    SetHint(button, QStringLiteral("Exit|Close Korvane"));
    return button;
}
