#pragma once

#include <QHash>
#include <QPointer>
#include <QTabWidget>

/// A page control whose floatable sheets can leave it as windows of their own (a
/// double-click on the tab) and come back (closing that window, or dockSheet()).
class TFloatTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit TFloatTabWidget(QWidget* parent = nullptr);

    void setFloatable(QWidget* sheet, bool floatable);
    bool isFloatable(QWidget* sheet) const { return m_floatable.contains(sheet); }
    bool isFloating(QWidget* sheet) const { return m_floating.contains(sheet); }

    /// Moves a floatable sheet out into its own window; false when it cannot.
    bool floatSheet(QWidget* sheet);
    /// Puts a floating sheet back at the position it left.
    void dockSheet(QWidget* sheet);

Q_SIGNALS:
    void sheetFloated(QWidget* sheet);
    void sheetDocked(QWidget* sheet);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Floating {
        QPointer<QWidget> window;
        int index = 0;
        QString caption;
    };
    QHash<QWidget*, bool> m_floatable;
    QHash<QWidget*, Floating> m_floating;
};
