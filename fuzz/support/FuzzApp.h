#pragma once

#include <QGuiApplication>

/// The offscreen application object the documents and pictures need, made once per process.
inline void EnsureFuzzApp() {
    static int argc = 1;
    static char name[] = "korvane_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);
}
