// libFuzzer target for plain-text loading: any bytes decode in every code page without
// crashing; a file saved unchanged comes back byte for byte, line breaks included; and an
// edit in one line leaves every other line's bytes as they were.

#include "text/CodePage.h"
#include "text/PlainText.h"
#include "text/TextFile.h"

#include "FuzzApp.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kCodePages[] = {1252, 1250, 1251, 1253, 1254, 1257, 437, 850, 932, 936, 949, 950};

void check(bool condition) {
    if (!condition) std::abort();
}

// Characters the editor's document does not keep as they are: their files may change.
bool documentKeepsText(const QString& text) {
    for (const QChar c : text)
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
            c == QChar::ObjectReplacementCharacter || c == QChar(0xfdd0) || c == QChar(0xfdd1))
            return false;
    return true;
}

// Decoding and encoding alone, in a code page chosen by the input.
void decodeAndEncode(const QByteArray& bytes, int codePage) {
    DecodedText decoded = DecodePlainText(bytes, codePage);
    check(!decoded.text.contains(u'\r'));
    PlainTextFormat format = decoded.format;
    const QByteArray again = EncodePlainText(decoded.text, format);
    const bool exact = decoded.format.encoding == PlainTextFormat::Encoding::Utf8 ||
                       (decoded.format.encoding == PlainTextFormat::Encoding::CodePage &&
                        (codePage < 900 || codePage > 1000));
    if (exact) check(again == bytes);
    // Bytes in a multi-byte page may happen to be valid UTF-8, and then read as that.
    if (exact || codepage::IsSingleByte(codePage))
        check(DecodePlainText(again, codePage).text == decoded.text);
}

// The editor's path: load into a document, save, and save again after typing.
void loadAndSave(const QByteArray& bytes, int editAt) {
    QTextDocument document;
    TextContent content = LoadTextDocument(bytes, document);
    if (content.rich) return;
    const DecodedText decoded = DecodePlainText(bytes);
    if (!documentKeepsText(decoded.text)) return;
    PlainTextFormat format = content.plainFormat;
    const QByteArray saved = SaveTextDocument(document, false, format);
    if (decoded.format.encoding != PlainTextFormat::Encoding::Utf16LE &&
        decoded.format.encoding != PlainTextFormat::Encoding::Utf16BE)
        check(saved == bytes);

    // Typing a letter at the start of a line leaves the bytes of every other line alone.
    const int lines = document.blockCount();
    const int line = editAt % lines;
    QTextCursor cursor(document.findBlockByNumber(line));
    cursor.insertText(QStringLiteral("x"));
    format = content.plainFormat;
    const QByteArray edited = SaveTextDocument(document, false, format);
    check(DecodePlainText(edited).text ==
          DocumentPlainText(document)); // what the editor shows is what was written
    if (format.encoding == content.plainFormat.encoding &&
        decoded.format.encoding != PlainTextFormat::Encoding::Utf16LE &&
        decoded.format.encoding != PlainTextFormat::Encoding::Utf16BE) {
        // The inserted letter is the only difference.
        check(edited.size() == bytes.size() + 1);
        qsizetype first = 0;
        while (first < bytes.size() && edited[first] == bytes[first])
            ++first;
        check(edited[first] == 'x');
        check(edited.mid(first + 1) == bytes.mid(first));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApp();
    if (size < 1) return 0;

    // The first byte picks the legacy code page and the line to edit; the rest is the file.
    const int choice = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    decodeAndEncode(bytes, kCodePages[choice % std::size(kCodePages)]);
    loadAndSave(bytes, choice);
    return 0;
}
