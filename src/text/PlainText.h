#pragma once

#include <QByteArray>
#include <QString>

/// How a plain-text file was stored, so that saving it again keeps its bytes' form.
struct PlainTextFormat {
    enum class Encoding { Utf8, Utf16LE, Utf16BE, CodePage };
    enum class LineBreak { LF, CRLF, CR };

    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    int codePage = 1252; ///< the 8-bit page, for Encoding::CodePage
    LineBreak lineBreak = LineBreak::LF;

    bool operator==(const PlainTextFormat&) const = default;
};

/// Text with every line break as '\n', and the form it came in.
struct DecodedText {
    QString text;
    PlainTextFormat format;
};

/// Reads the bytes of a plain-text file: UTF-16 when it starts with a UTF-16 byte order
/// mark, UTF-8 (with or without its mark) when the bytes are valid UTF-8, otherwise the
/// 8-bit page `legacyCodePage`, which maps every byte. The line break is the first one
/// found (CR LF, LF or a lone CR; LF when there is none); all breaks become '\n'.
DecodedText DecodePlainText(const QByteArray& bytes, int legacyCodePage = 1252);

/// The bytes of text with '\n' line breaks in the given form. When a character cannot be
/// stored in the 8-bit page, the text is written as UTF-8 instead and `format` says so,
/// so that no character is lost.
QByteArray EncodePlainText(const QString& text, PlainTextFormat& format);
