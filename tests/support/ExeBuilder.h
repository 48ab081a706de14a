#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <utility>

/// Builds small PE (32- and 64-bit) and NE images and version resources as bytes, so tests
/// of the resource readers need no executable from elsewhere.
namespace exebuilder {

struct Resource {
    quint16 type = 0;
    quint16 id = 0;
    QString name; ///< a named resource when not empty
    quint16 language = 0x409;
    QByteArray data;
};

inline void put16(QByteArray& b, qsizetype at, quint16 v) {
    qToLittleEndian<quint16>(v, b.data() + at);
}
inline void put32(QByteArray& b, qsizetype at, quint32 v) {
    qToLittleEndian<quint32>(v, b.data() + at);
}
inline void add16(QByteArray& b, quint16 v) {
    b.append(2, '\0');
    put16(b, b.size() - 2, v);
}
inline void add32(QByteArray& b, quint32 v) {
    b.append(4, '\0');
    put32(b, b.size() - 4, v);
}
inline void pad4(QByteArray& b) {
    while (b.size() % 4)
        b.append('\0');
}

/// The resource tree of a PE file, for a section at the given RVA: types in order of first
/// appearance, each with its names in order, each with its languages.
inline QByteArray peResourceTree(const QList<Resource>& resources, quint32 sectionRva) {
    struct Name {
        Resource key;
        QList<int> items;
    };
    struct Type {
        quint16 type;
        QList<Name> names;
    };
    QList<Type> types;
    for (int i = 0; i < resources.size(); ++i) {
        const Resource& r = resources[i];
        auto t = std::find_if(types.begin(), types.end(),
                              [&](const Type& x) { return x.type == r.type; });
        if (t == types.end()) {
            types.append(Type{r.type, {}});
            t = types.end() - 1;
        }
        auto n = std::find_if(t->names.begin(), t->names.end(), [&](const Name& x) {
            return x.key.id == r.id && x.key.name == r.name;
        });
        if (n == t->names.end()) {
            t->names.append(Name{r, {}});
            n = t->names.end() - 1;
        }
        n->items.append(i);
    }
    // Offsets: root, type directories, name directories, data entries, names, data.
    qsizetype at = 16 + 8 * types.size();
    QList<qsizetype> typeAt, nameAt;
    for (const Type& t : types) {
        typeAt.append(at);
        at += 16 + 8 * t.names.size();
    }
    for (const Type& t : types)
        for (const Name& n : t.names) {
            nameAt.append(at);
            at += 16 + 8 * n.items.size();
        }
    QList<qsizetype> entryAt(resources.size());
    for (int i = 0; i < resources.size(); ++i) {
        entryAt[i] = at;
        at += 16;
    }
    const qsizetype stringsStart = at;
    QList<qsizetype> stringAt(resources.size(), -1);
    QByteArray strings;
    for (int i = 0; i < resources.size(); ++i) {
        if (resources[i].name.isEmpty()) continue;
        stringAt[i] = at + strings.size();
        add16(strings, quint16(resources[i].name.size()));
        for (QChar c : resources[i].name)
            add16(strings, c.unicode());
    }
    at += strings.size();
    at = (at + 3) & ~3;
    QList<qsizetype> dataAt(resources.size());
    for (int i = 0; i < resources.size(); ++i) {
        dataAt[i] = at;
        at = (at + resources[i].data.size() + 3) & ~3;
    }

    QByteArray out(at, '\0');
    auto directory = [&](qsizetype where, int count) { put16(out, where + 14, quint16(count)); };
    directory(0, int(types.size()));
    int nameIndex = 0;
    for (int t = 0; t < types.size(); ++t) {
        put32(out, 16 + 8 * t, types[t].type);
        put32(out, 16 + 8 * t + 4, 0x80000000u | quint32(typeAt[t]));
        directory(typeAt[t], int(types[t].names.size()));
        for (int n = 0; n < types[t].names.size(); ++n, ++nameIndex) {
            const Name& name = types[t].names[n];
            const qsizetype slot = typeAt[t] + 16 + 8 * n;
            const int first = name.items.first();
            put32(out, slot,
                  name.key.name.isEmpty() ? name.key.id : 0x80000000u | quint32(stringAt[first]));
            put32(out, slot + 4, 0x80000000u | quint32(nameAt[nameIndex]));
            directory(nameAt[nameIndex], int(name.items.size()));
            for (int l = 0; l < name.items.size(); ++l) {
                const int i = name.items[l];
                put32(out, nameAt[nameIndex] + 16 + 8 * l, resources[i].language);
                put32(out, nameAt[nameIndex] + 16 + 8 * l + 4, quint32(entryAt[i]));
            }
        }
    }
    for (int i = 0; i < resources.size(); ++i) {
        put32(out, entryAt[i], sectionRva + quint32(dataAt[i]));
        put32(out, entryAt[i] + 4, quint32(resources[i].data.size()));
        out.replace(dataAt[i], resources[i].data.size(), resources[i].data);
    }
    out.replace(stringsStart, strings.size(), strings);
    return out;
}

constexpr quint32 peSectionRva = 0x1000;
constexpr quint32 peSectionOffset = 0x200;

/// A PE image with one section ".rsrc" holding the resources.
inline QByteArray pe(const QList<Resource>& resources, bool plus) {
    const QByteArray tree = peResourceTree(resources, peSectionRva);
    const quint16 optionalSize = plus ? 240 : 224;
    QByteArray out(peSectionOffset, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    put32(out, 0x3c, 0x40);
    out.replace(0x40, 4, QByteArray("PE\0\0", 4));
    put16(out, 0x44, plus ? 0x8664 : 0x14c);
    put16(out, 0x46, 1);
    put16(out, 0x54, optionalSize);
    const qsizetype opt = 0x58;
    put16(out, opt, plus ? 0x20b : 0x10b);
    const qsizetype count = opt + (plus ? 108 : 92);
    put32(out, count, 16);
    put32(out, count + 4 + 16, peSectionRva);
    put32(out, count + 4 + 20, quint32(tree.size()));
    const qsizetype section = opt + optionalSize;
    out.replace(section, 5, ".rsrc");
    put32(out, section + 8, quint32(tree.size()));
    put32(out, section + 12, peSectionRva);
    put32(out, section + 16, quint32(tree.size()));
    put32(out, section + 20, peSectionOffset);
    return out + tree;
}

/// An NE image with the resources in its resource table (alignment shift 4).
inline QByteArray ne(const QList<Resource>& resources) {
    const quint16 shift = 4;
    QList<quint16> types;
    for (const Resource& r : resources)
        if (!types.contains(r.type)) types.append(r.type);
    QByteArray table;
    add16(table, shift);
    QList<qsizetype> slotAt(resources.size());
    QList<qsizetype> nameRefs(resources.size(), -1);
    for (quint16 t : types) {
        add16(table, 0x8000 | t);
        int count = 0;
        for (const Resource& r : resources)
            count += r.type == t;
        add16(table, quint16(count));
        add32(table, 0);
        for (int i = 0; i < resources.size(); ++i) {
            if (resources[i].type != t) continue;
            slotAt[i] = table.size();
            table.append(12, '\0');
        }
    }
    add16(table, 0);
    for (int i = 0; i < resources.size(); ++i) {
        if (resources[i].name.isEmpty()) {
            put16(table, slotAt[i] + 6, 0x8000 | resources[i].id);
        } else {
            put16(table, slotAt[i] + 6, quint16(table.size()));
            table.append(char(resources[i].name.size()));
            table.append(resources[i].name.toLatin1());
        }
    }
    table.append('\0');
    const qsizetype neAt = 0x40;
    const qsizetype tableAt = neAt + 64;
    QByteArray out(tableAt, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    put32(out, 0x3c, quint32(neAt));
    out[neAt] = 'N';
    out[neAt + 1] = 'E';
    put16(out, neAt + 0x24, 64);
    put16(out, neAt + 0x26, quint16(64 + table.size()));
    out += table;
    for (int i = 0; i < resources.size(); ++i) {
        while (out.size() % (1 << shift))
            out.append('\0');
        put16(out, tableAt + slotAt[i], quint16(out.size() >> shift));
        const qsizetype units = (resources[i].data.size() + (1 << shift) - 1) >> shift;
        put16(out, tableAt + slotAt[i] + 2, quint16(units));
        out += resources[i].data;
    }
    while (out.size() % (1 << shift))
        out.append('\0');
    return out;
}

/// One block of a version resource; wide is the 32-bit (UTF-16) layout.
inline QByteArray versionBlock(bool wide, const QString& key, const QByteArray& value, bool text,
                               const QList<QByteArray>& children = {}) {
    QByteArray b;
    add16(b, 0);
    add16(b, quint16(text && wide ? value.size() / 2 : value.size()));
    if (wide) add16(b, text ? 1 : 0);
    if (wide) {
        for (QChar c : key)
            add16(b, c.unicode());
        add16(b, 0);
    } else {
        b.append(key.toLatin1());
        b.append('\0');
    }
    pad4(b);
    b += value;
    for (const QByteArray& child : children) {
        pad4(b);
        b += child;
    }
    put16(b, 0, quint16(b.size()));
    return b;
}

/// A text value as stored: UTF-16 or 8-bit, with its terminating NUL.
inline QByteArray versionText(bool wide, const QString& s) {
    QByteArray b;
    if (wide) {
        for (QChar c : s)
            add16(b, c.unicode());
        add16(b, 0);
    } else {
        b = s.toLatin1();
        b.append('\0');
    }
    return b;
}

/// A whole version resource with one string table and, unless translation is empty, a
/// translation table.
inline QByteArray version(bool wide, const QString& tableName,
                          const QList<std::pair<QString, QString>>& strings,
                          const QByteArray& translation) {
    QList<QByteArray> entries;
    for (const auto& [key, value] : strings)
        entries.append(versionBlock(wide, key, versionText(wide, value), true));
    QList<QByteArray> sections;
    sections.append(versionBlock(wide, "StringFileInfo", {}, true,
                                 {versionBlock(wide, tableName, {}, true, entries)}));
    if (!translation.isEmpty())
        sections.append(versionBlock(wide, "VarFileInfo", {}, true,
                                     {versionBlock(wide, "Translation", translation, false)}));
    return versionBlock(wide, "VS_VERSION_INFO", QByteArray(52, '\0'), false, sections);
}

/// A translation table entry: language then code page.
inline QByteArray translation(quint16 language, quint16 codePage) {
    QByteArray b;
    add16(b, language);
    add16(b, codePage);
    return b;
}

} // namespace exebuilder
