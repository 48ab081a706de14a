#pragma once

#include <QChar>

/// The single-byte code pages of the text cells and of the clipboard's text: the ANSI page
/// (Windows-1252, every byte has a character) and the OEM page (437).
namespace hexcp {

/// The character that byte shows as in the ANSI page.
QChar ansiChar(unsigned char byte);
/// The ANSI byte of a character, or -1 when the page has none.
int ansiByte(QChar ch);
/// The character that byte shows as in the OEM page.
QChar oemChar(unsigned char byte);
/// The OEM byte of a character, or -1 when the page has none.
int oemByte(QChar ch);

} // namespace hexcp
