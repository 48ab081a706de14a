#pragma once

#include <QByteArray>

class QTextDocument;

/// The document as RTF that word processors open with its formatting: per character the
/// font name and size, colour, bold, italic, underline and strike-out; per paragraph the
/// alignment, the first-line, left and right indents, and bullets or numbering (as list
/// tables with \ls references and \listtext for readers without lists). Characters
/// outside ASCII are written as \uN with a Windows-1252 (or "?") fallback.
QByteArray WriteRtf(const QTextDocument& document);
