#include "app/SecondaryWindows.h"

#include "app/AboutBox.h"

#include <QDialog>

const QList<SecondaryWindowSpec>& SecondaryWindowTable() {
    static const QList<SecondaryWindowSpec> table = {
        {"AboutBox", "About Korvane"},
        {"Msgform", "Zip Messages", true},
        {"frmFileProperties", ""},
        {"RenameDlg", "Rename File"},
        {"MakeDirForm", "New Directory"},
        {"FileAttrForm", "File attributes"},
        {"EMailForm", "Email Address"},
        {"NewHF", "New HTML Setup"},
        {"TableForm", "Table Setup"},
        {"DelDirForm", "Delete Directory (including all sub-directories & files)"},
        {"fFindForm", "File Finder", true},
        {"PSaveForm", "Modifier", true},
        {"PicResizeDlg", "Resize"},
        {"ContForm", "Change Contrast"},
        {"HImageForm", "Insert Image"},
    };
    return table;
}

QList<QDialog*> CreateSecondaryWindows(QWidget* mainWindow) {
    QList<QDialog*> windows;
    for (const SecondaryWindowSpec& spec : SecondaryWindowTable()) {
        QDialog* window =
            spec.name == "AboutBox" ? new TAboutBox(mainWindow) : new QDialog(mainWindow);
        window->setObjectName(spec.name);
        window->setWindowTitle(spec.caption);
        window->setModal(!spec.modeless);
        windows.append(window);
    }
    return windows;
}
