#include "app/KorApplication.h"
#include "app/MainWindow.h"
#include "app/SplashScreen.h"

int main(int argc, char** argv) {
    TKorApplication app(argc, argv);
    TSplashScreen splash;
    splash.showNow();
    TKorMain KorMain(&splash);
    KorMain.CreateSecondaryWindows();
    KorMain.show();
    return app.exec();
}
