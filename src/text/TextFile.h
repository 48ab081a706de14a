#pragma once

#include "text/PlainText.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

/// What a file held: rich text, or plain text stored in a given form.
struct TextContent {
    bool rich = false;
    PlainTextFormat plainFormat;
};

/// The largest file the editor takes in; bigger ones would exhaust memory.
inline constexpr qint64 kMaxTextFileSize = qint64(256) << 20;

/// Fills the document from a file's bytes: as rich text when they look like RTF,
/// otherwise as plain text.
TextContent LoadTextDocument(const QByteArray& bytes, QTextDocument& document);

/// The document's text with '\n' between paragraphs and for line separators.
QString DocumentPlainText(const QTextDocument& document);

/// The bytes to save: RTF when rich, else the plain text in `plainFormat` (which may
/// change to UTF-8 when the old form cannot hold every character).
QByteArray SaveTextDocument(const QTextDocument& document, bool rich, PlainTextFormat& plainFormat);

/// Whether a document name saves as rich text: the first four characters of its
/// extension are ".rtf", in any letter case (".rtfx" and ".RTF" too, ".rt" not).
bool IsRichTextName(const QString& name);

/// Whether a document saved under a new name is rich text: it keeps the form it was loaded
/// or last saved in (`rich`) while the extension stays the same (any letter case), so a
/// .txt file that holds RTF stays RTF; another extension chooses by IsRichTextName.
bool IsRichAfterRename(bool rich, const QString& oldName, const QString& newName);
