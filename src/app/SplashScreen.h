#pragma once

#include <QWidget>

/// The borderless start-up window shown until the main window has been created.
class TSplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget* parent = nullptr);

    /// Shows and paints at once, before the event loop runs.
    void showNow();

protected:
    void paintEvent(QPaintEvent* event) override;
};
