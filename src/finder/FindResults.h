#pragma once

#include "core/ViewerEntry.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>

/// The finder's result list: the scanner's lines kept in alphabetical order, letter case
/// ignored. A line holding a TAB is a zip line (entry name, TAB, archive path); any other
/// line is a file line (a full path). Lines are bytes; display() decodes them.
class FindResults : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    /// Replaces the lines with these, sorted.
    void setLines(QList<QByteArray> lines);
    void clear() { setLines({}); }
    void removeLine(int row);
    const QList<QByteArray>& lines() const { return m_lines; }
    int count() const { return int(m_lines.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static bool isZipLine(const QByteArray& line) { return line.contains('\t'); }
    /// The archive of a zip line (the part after its TAB); a file line whole.
    static QByteArray archivePath(const QByteArray& line);
    /// The list as saved: one line per result in list order, each ended by CR LF.
    QByteArray savedBytes() const;

private:
    QList<QByteArray> m_lines;
};

/// How the finder searches: the modes of its buttons turned into the scanner's settings.
namespace findsearch {

enum class ArchiveMode { Exclude, Include, Only };

/// The scanner's Options: the three attribute bits always, the fixed-drive bit for all
/// drives, and the archive bit of the mode.
quint16 Options(bool allDrives, ArchiveMode mode);

/// The scanner's FileSpec: the drive's root (ending in "/") before the text in single-drive
/// mode, and a "*" after it unless the search is exact.
QByteArray Spec(bool allDrives, const QByteArray& driveRoot, const QByteArray& text, bool exact);

/// Which viewer shows a file: from its extension with the dot, upper-cased, cut to four.
using Viewer = ViewerEntry;
Viewer ViewerFor(const QByteArray& fileName);

} // namespace findsearch
