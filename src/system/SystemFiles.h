#pragma once

#include <QList>
#include <QString>

/// One button of the "System files" group and the Linux file that plays its part.
struct SystemFile {
    QString button;   ///< control name, e.g. "SysCSBut"
    QString caption;  ///< button caption
    QString menuItem; ///< item of the "System" menu
    QString path;     ///< the Linux file, absolute
    /// The folder shown on the text page: the file's folder without a final "/" ("/" for
    /// the root).
    QString directoryShown() const;
    /// The document name: the bare file name.
    QString documentName() const;
};

/// The seven system files in button order, with "~" resolved against home.
QList<SystemFile> SystemFiles(const QString& home);
