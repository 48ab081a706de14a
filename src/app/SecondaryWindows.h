#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

/// One secondary window made at start-up: the instance name, its caption and whether it
/// is shown modeless.
struct SecondaryWindowRow {
    QString name;
    QString caption;
    bool modeless = false;
};

/// The fifteen secondary windows in the order they are created.
const QList<SecondaryWindowRow>& SecondaryWindowTable();

/// Makes the window of a row, or gives nullptr for a window not built yet.
using SecondaryWindowMaker = std::function<QWidget*(const SecondaryWindowRow& row)>;

/// Creates each window of the table once, owned by the main window; a window the maker
/// does not build is an empty dialog with its name and caption.
QList<QWidget*> CreateSecondaryWindows(QWidget* mainWindow, const SecondaryWindowMaker& make);
