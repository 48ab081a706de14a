#include "app/SecondaryWindows.h"

#include "app/AboutBox.h"

#include <QDialog>

const QList<SecondaryWindowRow>& SecondaryWindowTable() {
    static const QList<SecondaryWindowRow> table = {
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

QList<QWidget*> CreateSecondaryWindows(QWidget* mainWindow, const SecondaryWindowMaker& make) {
    QList<QWidget*> windows;
    for (const SecondaryWindowRow& row : SecondaryWindowTable()) {
        QWidget* window = make ? make(row) : nullptr;
        if (!window)
            window = row.name == "AboutBox" ? new TAboutBox(mainWindow) : new QDialog(mainWindow);
        window->setObjectName(row.name);
        window->setWindowTitle(row.caption);
        window->setWindowModality(row.modeless ? Qt::NonModal : Qt::ApplicationModal);
        windows.append(window);
    }
    return windows;
}
