#include "platform/VersionInfo.h"

#include <QtEndian>

#include <optional>

namespace platform {

namespace {

// One node of the version tree: key, value bytes and the range of its children.
struct Block {
    QString key;
    qsizetype valueAt = 0;
    qsizetype valueEnd = 0;
    qsizetype childrenAt = 0;
    qsizetype end = 0;
};

qsizetype align4(qsizetype at) {
    return (at + 3) & ~qsizetype(3);
}

class VersionReader {
public:
    VersionReader(const QByteArray& data, bool wide) : m_data(data), m_wide(wide) {}

    // The block at `at`, clipped to `limit`; nullopt when its header does not fit.
    std::optional<Block> block(qsizetype at, qsizetype limit) const {
        const qsizetype headerSize = m_wide ? 6 : 4;
        if (at < 0 || limit > m_data.size() || at > limit || limit - at < headerSize)
            return std::nullopt;
        const quint16 length = word(at);
        if (length < headerSize) return std::nullopt;
        Block b;
        b.end = qMin(limit, at + length);
        const quint16 valueLength = word(at + 2);
        const bool text = m_wide && word(at + 4) == 1;
        qsizetype keyEnd = 0;
        b.key = string(at + headerSize, b.end, &keyEnd);
        b.valueAt = qMin(align4(keyEnd), b.end);
        // Text values count characters, the others bytes.
        const qsizetype valueBytes = text ? qsizetype(valueLength) * 2 : valueLength;
        b.valueEnd = qMin(b.valueAt + valueBytes, b.end);
        b.childrenAt = qMin(align4(b.valueEnd), b.end);
        return b;
    }

    // The children of a block in stored order.
    QList<Block> children(const Block& parent) const {
        QList<Block> out;
        qsizetype at = parent.childrenAt;
        while (at < parent.end) {
            const auto child = block(at, parent.end);
            if (!child) break;
            out.append(*child);
            at = align4(child->end);
        }
        return out;
    }

    // A value read as text up to its first NUL; producers disagree about the length field
    // of strings, so the text runs to the end of its block.
    QString text(const Block& b) const { return string(b.valueAt, b.end, nullptr); }

    QByteArray value(const Block& b) const { return m_data.mid(b.valueAt, b.valueEnd - b.valueAt); }

private:
    quint16 word(qsizetype at) const { return qFromLittleEndian<quint16>(m_data.constData() + at); }

    // A NUL-terminated string from `at`, stopping at `limit`; *after is set past the NUL.
    QString string(qsizetype at, qsizetype limit, qsizetype* after) const {
        QString out;
        qsizetype pos = at;
        const qsizetype unit = m_wide ? 2 : 1;
        while (limit - pos >= unit) {
            const char16_t c = m_wide ? word(pos) : char16_t(quint8(m_data[pos]));
            pos += unit;
            if (c == 0) break;
            out.append(QChar(c));
        }
        if (after) *after = pos;
        return out;
    }

    const QByteArray& m_data;
    bool m_wide;
};

} // namespace

QStringList VersionInfo::keyOrder() {
    return {"LegalCopyright", "FileDescription",  "FileVersion", "Comments",      "CompanyName",
            "InternalName",   "OriginalFilename", "ProductName", "ProductVersion"};
}

VersionInfo VersionInfo::parse(const QByteArray& data) {
    VersionInfo info;
    // The 16-bit layout has its key right after two words, the 32-bit one after three.
    const bool wide = !data.mid(4, 4).startsWith("VS_V");
    const VersionReader reader(data, wide);
    const auto root = reader.block(0, data.size());
    if (!root || root->key != QLatin1String("VS_VERSION_INFO")) return info;
    info.m_valid = true;

    const QList<Block> sections = reader.children(*root);
    for (const Block& section : sections) {
        if (section.key != QLatin1String("VarFileInfo")) continue;
        for (const Block& var : reader.children(section)) {
            if (var.key != QLatin1String("Translation")) continue;
            const QByteArray table = reader.value(var);
            for (qsizetype at = 0; at + 4 <= table.size(); at += 4)
                info.m_translations.append(qFromLittleEndian<quint32>(table.constData() + at));
            if (table.size() == 2)
                info.m_translations.append(qFromLittleEndian<quint16>(table.constData()));
            break;
        }
        if (!info.m_translations.isEmpty()) break;
    }

    const QString wanted = info.translationKey();
    if (wanted.isEmpty()) return info;
    for (const Block& section : sections) {
        if (section.key != QLatin1String("StringFileInfo")) continue;
        for (const Block& table : reader.children(section)) {
            if (table.key.compare(wanted, Qt::CaseInsensitive) != 0) continue;
            for (const Block& entry : reader.children(table))
                info.m_strings.append({entry.key, reader.text(entry)});
            return info;
        }
    }
    return info;
}

QString VersionInfo::translationKey() const {
    if (m_translations.isEmpty()) return {};
    const quint32 first = m_translations.first();
    return QStringLiteral("%1%2")
        .arg(first & 0xffff, 4, 16, QLatin1Char('0'))
        .arg(first >> 16, 4, 16, QLatin1Char('0'))
        .toUpper();
}

QString VersionInfo::value(const QString& key) const {
    for (const auto& [name, text] : m_strings)
        if (name.compare(key, Qt::CaseInsensitive) == 0) return text;
    return {};
}

} // namespace platform
