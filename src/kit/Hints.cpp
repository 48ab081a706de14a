#include "kit/Hints.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QStatusTipEvent>
#include <QWidget>

QString ShortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(ShortHint(hint));
    widget->setStatusTip(LongHint(hint));
}

void SetHint(QAction* action, const QString& hint) {
    action->setToolTip(ShortHint(hint));
    action->setStatusTip(LongHint(hint));
}

HintRouter::HintRouter() : QObject(QCoreApplication::instance()) {
    QCoreApplication::instance()->installEventFilter(this);
}

HintRouter& HintRouter::instance() {
    // Lives as long as the application; a new application gets a new router.
    static QPointer<HintRouter> router;
    if (!router) router = new HintRouter;
    return *router;
}

bool HintRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        Q_EMIT hintChanged(static_cast<QStatusTipEvent*>(event)->tip());
        return true; // one announcement; the event would otherwise climb to every parent
    }
    return QObject::eventFilter(watched, event);
}
