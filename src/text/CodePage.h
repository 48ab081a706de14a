#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/// Windows code pages (1252, 1251, 932, ...) as documents name them, decoded through the
/// system's converters. Single-byte pages round-trip every byte value.
namespace codepage {

/// True when the code page maps each byte to one character.
bool IsSingleByte(int codePage);

/// The text of bytes in the code page; a page that documents do not use reads as 1252.
QString Decode(int codePage, QByteArrayView bytes);

/// The bytes of the text in the code page, or nothing when some character has no bytes
/// there (for a multi-byte page: when the bytes would not read back as the same text).
std::optional<QByteArray> Encode(int codePage, QStringView text);

/// The byte of one character in a single-byte page, or nothing.
std::optional<char> EncodeChar(int codePage, QChar c);

/// The code page of an RTF character set number (\fcharset); 0 for the ANSI, default and
/// symbol sets and unknown numbers, which read in the document's own code page.
int FromCharset(int charset);

} // namespace codepage
