#pragma once

#include <QApplication>

/// The application object; its event delivery is the last guard, so an error that no
/// command handled is shown in a message box and the program keeps running.
class TKorApplication : public QApplication {
    Q_OBJECT
public:
    TKorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
