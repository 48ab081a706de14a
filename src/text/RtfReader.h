#pragma once

#include <QByteArray>

class QTextDocument;

/// True when the bytes begin like an RTF document ("{\rtf", after blanks and a UTF-8 mark).
bool LooksLikeRtf(const QByteArray& data);

/// Replaces the document's content with the RTF in data: the font and colour tables,
/// \'hh escapes in the document's (or the font's) code page, \uN with its \ucN fallback,
/// character formatting (\b \i \ul \strike \fs \f \cf, \plain), paragraph formatting
/// (\ql \qc \qr \qj, \li \fi \ri, \pard), bullets and numbering (\pn, \ls with the list
/// tables), \tab and \line. Unknown control words and \* destinations, pictures, objects,
/// headers and the like are skipped. Malformed input (unbalanced braces, bad escapes,
/// huge \bin counts, garbage) reads as far as it makes sense; nothing is ever thrown.
/// Returns false, leaving the document untouched, when the data does not look like RTF.
bool ReadRtf(const QByteArray& data, QTextDocument& document);
