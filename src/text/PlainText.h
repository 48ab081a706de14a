#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// How a plain-text file was stored, so that saving it again keeps its bytes' form.
struct PlainTextFormat {
    enum class Encoding { Utf8, Utf16LE, Utf16BE, CodePage };
    enum class LineBreak : quint8 { LF, CRLF, CR };

    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    int codePage = 1252; ///< the 8-bit page, for Encoding::CodePage
    /// The break of lines typed anew: the most common one (the first found among equals).
    LineBreak lineBreak = LineBreak::LF;
    /// The text as last read or written ('\n' breaks) and the break that ended each of its
    /// lines, so that lines the user did not touch are written with their own breaks.
    QString storedText;
    QList<LineBreak> lineBreaks;

    bool operator==(const PlainTextFormat&) const = default;
};

/// Text with every line break as '\n', and the form it came in.
struct DecodedText {
    QString text;
    PlainTextFormat format;
};

/// Reads the bytes of a plain-text file: UTF-16 when it starts with a UTF-16 byte order
/// mark, UTF-8 (with or without its mark) when the bytes are valid UTF-8, otherwise the
/// 8-bit page `legacyCodePage`, which maps every byte. Every break (CR LF, LF or a lone CR)
/// becomes '\n'; the format records each one and the most common (LF when there is none).
DecodedText DecodePlainText(const QByteArray& bytes, int legacyCodePage = 1252);

/// The bytes of text with '\n' line breaks in the given form. The text before the first and
/// after the last character that differs from `format.storedText` keeps the breaks it was
/// stored with; breaks in between get `format.lineBreak`. So an unchanged text comes back
/// byte for byte, and an edit changes the bytes of the lines it touched only. Afterwards
/// `format` describes the text written. When a character cannot be stored in the 8-bit
/// page, the text is written as UTF-8 instead and `format` says so, so that no character
/// is lost.
QByteArray EncodePlainText(const QString& text, PlainTextFormat& format);
