#pragma once

#include <QList>
#include <QString>

class QDialog;
class QWidget;

/// One secondary window made at start-up: the instance name, its caption and whether it
/// is shown modeless.
struct SecondaryWindowSpec {
    QString name;
    QString caption;
    bool modeless = false;
};

/// The fifteen secondary windows in the order they are created.
const QList<SecondaryWindowSpec>& SecondaryWindowTable();

/// Creates each window of the table once, owned by the main window; a window whose page
/// has not been built yet is an empty dialog with its name and caption.
QList<QDialog*> CreateSecondaryWindows(QWidget* mainWindow);
