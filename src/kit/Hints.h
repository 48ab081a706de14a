#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

/// The short part of a hint (before "|"), shown as the tool-tip.
QString ShortHint(const QString& hint);
/// The long part of a hint (after "|"), shown in the status bars; the whole hint without "|".
QString LongHint(const QString& hint);

/// Gives a control its hint: the short part as tool-tip, the long part as status tip.
void SetHint(QWidget* widget, const QString& hint);
void SetHint(QAction* action, const QString& hint);

/// The application-wide hint handler: announces the long part of the hint under the mouse
/// (empty when the mouse leaves), for the status bars that show it.
class HintRouter : public QObject {
    Q_OBJECT
public:
    /// The router, installed on the application on first use.
    static HintRouter& instance();

Q_SIGNALS:
    void hintChanged(const QString& longHint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintRouter();
};
