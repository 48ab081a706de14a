#include "browser/FileAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

quint32 ParseDosAttrib(const QByteArray& value) {
    const qsizetype end = value.indexOf('\0');
    const QByteArray text = (end < 0 ? value : value.left(end)).trimmed();
    if (!text.startsWith("0x") && !text.startsWith("0X")) return 0;
    bool ok = false;
    const quint32 bits = text.mid(2).toUInt(&ok, 16);
    return ok ? bits : 0;
}

quint32 DosAttributes(const QByteArray& fullPath, const QByteArray& name) {
    quint32 bits = 0;
    if (name.startsWith('.') && name != "." && name != "..") bits |= FileAttr::Hidden;
    char value[256];
    const ssize_t length = ::getxattr(fullPath.constData(), kDosAttribName, value, sizeof value);
    if (length > 0) {
        const quint32 dos = ParseDosAttrib(QByteArray(value, length));
        bits |=
            dos & (FileAttr::Hidden | FileAttr::System | FileAttr::Archive | FileAttr::Temporary);
    }
    return bits;
}

quint32 EntryAttributes(const QByteArray& fullPath, const QByteArray& name, mode_t mode) {
    quint32 bits = DosAttributes(fullPath, name);
    if (!(mode & S_IWUSR)) bits |= FileAttr::ReadOnly;
    if (S_ISDIR(mode)) bits |= FileAttr::Directory;
    return bits;
}

bool PassesFileTypes(quint32 attributes, TFileTypes types) {
    if (types & ftAll) return true;
    const struct {
        quint32 bit;
        TFileType allowedBy;
    } rules[] = {{FileAttr::Archive, ftArchive},
                 {FileAttr::ReadOnly, ftReadonly},
                 {FileAttr::Hidden, ftHidden},
                 {FileAttr::System, ftSystem},
                 {FileAttr::Temporary, ftTemporary}};
    for (const auto& rule : rules)
        if ((attributes & rule.bit) && !(types & rule.allowedBy)) return false;
    return true;
}

bool PassesDirType(quint32 attributes, TDirTypes types) {
    if (types & dtAll) return true;
    const bool hidden = attributes & FileAttr::Hidden;
    const bool system = attributes & FileAttr::System;
    const bool archive = attributes & FileAttr::Archive;
    if ((hidden && !(types & dtHidden)) || (system && !(types & dtSystem)) ||
        (archive && !(types & dtArchive)))
        return false;
    return (types & dtNormal) || hidden || system || archive;
}
