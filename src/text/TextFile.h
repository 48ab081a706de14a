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

/// The whole file at a path (bytes, so that names which are not UTF-8 can be reached).
/// Throws KorError: "Cannot open file "<path>". <reason>" when it cannot be opened,
/// "Failed to Load Stream" when reading fails, and a message naming the limit when the
/// file is larger than `limit` bytes.
QByteArray ReadWholeFile(const QByteArray& path, qint64 limit = kMaxTextFileSize);

/// Replaces the file with the bytes through a temporary file in the same folder and a
/// rename, so that a failure never leaves a half-written file. Keeps the permissions of
/// a file it replaces and writes through symbolic links. Throws KorError
/// "Cannot create file "<path>". <reason>" on failure; the old file then stays.
void WriteWholeFile(const QByteArray& path, const QByteArray& bytes);

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
