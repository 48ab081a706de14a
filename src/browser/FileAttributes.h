#pragma once

#include <QByteArray>
#include <QFlags>

#include <sys/types.h>

/// The DOS attribute bits as the listing speaks them, mapped from Linux file facts.
namespace FileAttr {
constexpr quint32 ReadOnly = 0x01;
constexpr quint32 Hidden = 0x02;
constexpr quint32 System = 0x04;
constexpr quint32 Directory = 0x10;
constexpr quint32 Archive = 0x20;
constexpr quint32 Temporary = 0x100;
} // namespace FileAttr

/// The extended attribute Samba keeps DOS attributes in.
inline constexpr char kDosAttribName[] = "user.DOSATTRIB";

/// The bits stored in a user.DOSATTRIB value: the old form is the text "0x20", Samba's
/// newer blobs start with that same text and a NUL. Anything else gives 0.
quint32 ParseDosAttrib(const QByteArray& value);

/// The bits that need no mode: hidden for a leading dot, and hidden, system, archive and
/// temporary from user.DOSATTRIB where the file system keeps it.
quint32 DosAttributes(const QByteArray& fullPath, const QByteArray& name);

/// DosAttributes plus read-only when the owner may not write and directory from the mode.
quint32 EntryAttributes(const QByteArray& fullPath, const QByteArray& name, mode_t mode);

/// The file list's attribute filter.
enum TFileType {
    ftArchive = 0x01,
    ftReadonly = 0x02,
    ftSystem = 0x04,
    ftHidden = 0x08,
    ftTemporary = 0x10,
    ftAll = 0x20,
};
Q_DECLARE_FLAGS(TFileTypes, TFileType)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFileTypes)

/// With ftAll every entry passes; otherwise each of archive, read-only, hidden, system and
/// temporary that the entry has must be allowed. Other bits are not consulted.
bool PassesFileTypes(quint32 attributes, TFileTypes types);

/// The directory tree's attribute rule.
enum TDirType {
    dtReadonly = 0x01,
    dtHidden = 0x02,
    dtSystem = 0x04,
    dtArchive = 0x08,
    dtNormal = 0x10,
    dtAll = 0x20,
};
Q_DECLARE_FLAGS(TDirTypes, TDirType)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDirTypes)

/// With dtAll every directory passes. Otherwise a hidden, system or archive directory needs
/// its flag, and a directory with none of the three needs dtNormal. dtReadonly is ignored.
bool PassesDirType(quint32 attributes, TDirTypes types);
