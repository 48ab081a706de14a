#include "text/TextFile.h"

#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QTextBlock>
#include <QTextDocument>

TextContent LoadTextDocument(const QByteArray& bytes, QTextDocument& document) {
    TextContent content;
    if (ReadRtf(bytes, document)) {
        content.rich = true;
        return content;
    }
    DecodedText decoded = DecodePlainText(bytes);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.setPlainText(decoded.text);
    document.setUndoRedoEnabled(undo);
    content.plainFormat = decoded.format;
    return content;
}

QString DocumentPlainText(const QTextDocument& document) {
    // The raw text keeps no-break spaces, which toPlainText() would turn into spaces.
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    text.remove(QChar::ObjectReplacementCharacter);
    text.remove(QChar(0xfdd0));
    text.remove(QChar(0xfdd1));
    return text;
}

QByteArray SaveTextDocument(const QTextDocument& document, bool rich,
                            PlainTextFormat& plainFormat) {
    if (rich) return WriteRtf(document);
    return EncodePlainText(DocumentPlainText(document), plainFormat);
}

namespace {

// The extension with its dot, or nothing.
QStringView extensionOf(const QString& name) {
    const QStringView fileName = QStringView(name).mid(name.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : fileName.mid(dot);
}

} // namespace

bool IsRichTextName(const QString& name) {
    return extensionOf(name).left(4).compare(u".rtf", Qt::CaseInsensitive) == 0;
}

bool IsRichAfterRename(bool rich, const QString& oldName, const QString& newName) {
    if (extensionOf(oldName).compare(extensionOf(newName), Qt::CaseInsensitive) == 0) return rich;
    return IsRichTextName(newName);
}
