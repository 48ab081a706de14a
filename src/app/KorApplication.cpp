#include "app/KorApplication.h"

#include "core/CommandGuard.h"

#include <QIcon>

TKorApplication::TKorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Korvane");
    setApplicationVersion("2.0");
    setWindowIcon(QIcon(":/korvane.svg"));
    // Outside a desktop session no icon theme is set, and file icons would all be blank.
    QIcon::setFallbackThemeName("Adwaita");
}

bool TKorApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
