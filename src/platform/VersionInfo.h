#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace platform {

/// The strings of a version resource: its translation table and the string table of the
/// first translation. Reads the 32-bit (UTF-16) layout of PE files and the 16-bit (8-bit
/// text) layout of NE files, telling them apart by the bytes; untrusted input is safe.
class VersionInfo {
public:
    /// Parses the bytes of a version resource; anything unreadable gives an empty result.
    static VersionInfo parse(const QByteArray& data);

    /// The keys a properties window reads, in the order it reads them.
    static QStringList keyOrder();

    /// True when the root block ("VS_VERSION_INFO") was read.
    bool isValid() const { return m_valid; }
    /// Translation table entries: the language in the low 16 bits, the code page in the high.
    const QList<quint32>& translations() const { return m_translations; }
    /// Name of the first translation's string table: language then code page, as eight
    /// upper-case hexadecimal digits ("040904B0"); empty without a translation table.
    QString translationKey() const;
    /// The first translation's strings in stored order; empty when there is no translation
    /// table or no string table of that name.
    const QList<std::pair<QString, QString>>& strings() const { return m_strings; }
    /// The value of one key of those strings (keys compare case-insensitively), or empty.
    QString value(const QString& key) const;

private:
    bool m_valid = false;
    QList<quint32> m_translations;
    QList<std::pair<QString, QString>> m_strings;
};

} // namespace platform
