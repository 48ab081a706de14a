#include "finder/FindResults.h"

#include "finder/TreeFind.h"

#include <QFile>

#include <algorithm>

void FindResults::setLines(QList<QByteArray> lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const QByteArray& a, const QByteArray& b) {
        return qstricmp(a.constData(), b.constData()) < 0;
    });
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void FindResults::removeLine(int row) {
    if (row < 0 || row >= m_lines.size()) return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    endRemoveRows();
}

int FindResults::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant FindResults::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size()) return {};
    if (role == Qt::DisplayRole) return QFile::decodeName(m_lines[index.row()]);
    if (role == Qt::UserRole) return m_lines[index.row()];
    return {};
}

QByteArray FindResults::archivePath(const QByteArray& line) {
    const qsizetype tab = line.indexOf('\t');
    return tab < 0 ? line : line.mid(tab + 1);
}

QByteArray FindResults::savedBytes() const {
    QByteArray bytes;
    for (const QByteArray& line : m_lines)
        bytes += line + "\r\n";
    return bytes;
}

namespace findsearch {

quint16 Options(bool allDrives, ArchiveMode mode) {
    quint16 options = TTreeFind::ReadOnlyFiles | TTreeFind::HiddenFiles | TTreeFind::SystemFiles;
    if (allDrives) options |= TTreeFind::FixedDrives;
    if (mode == ArchiveMode::Include) options |= TTreeFind::IncludeZip;
    if (mode == ArchiveMode::Only) options |= TTreeFind::ZipOnly;
    return options;
}

QByteArray Spec(bool allDrives, const QByteArray& driveRoot, const QByteArray& text, bool exact) {
    QByteArray spec = allDrives ? text : driveRoot + text;
    if (!exact) spec += '*';
    return spec;
}

Viewer ViewerFor(const QByteArray& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    const QByteArray key = dot < 0 ? QByteArray() : fileName.mid(dot).toUpper().left(4);
    return DispatchEntry(QString::fromLatin1(key));
}

} // namespace findsearch
