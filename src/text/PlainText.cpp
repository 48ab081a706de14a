#include "text/PlainText.h"

#include "text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace {

PlainTextFormat::LineBreak firstLineBreak(const QString& text) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* end = p + text.size();
    for (; p != end; ++p) {
        if (*p == '\n') return PlainTextFormat::LineBreak::LF;
        if (*p == '\r')
            return p + 1 != end && p[1] == '\n' ? PlainTextFormat::LineBreak::CRLF
                                                : PlainTextFormat::LineBreak::CR;
    }
    return PlainTextFormat::LineBreak::LF;
}

// CR LF and lone CR become LF, in place.
void normaliseLineBreaks(QString& text) {
    if (!text.contains(u'\r')) return;
    QChar* out = text.data();
    const QChar* in = out;
    const QChar* end = in + text.size();
    while (in != end) {
        if (*in == u'\r') {
            *out++ = u'\n';
            ++in;
            if (in != end && *in == u'\n') ++in;
        } else {
            *out++ = *in++;
        }
    }
    text.truncate(out - text.constData());
}

bool startsWith(const QByteArray& bytes, const char* mark, int length) {
    return bytes.size() >= length && memcmp(bytes.constData(), mark, length) == 0;
}

} // namespace

DecodedText DecodePlainText(const QByteArray& bytes, int legacyCodePage) {
    DecodedText result;
    PlainTextFormat& format = result.format;
    if (startsWith(bytes, "\xff\xfe", 2) || startsWith(bytes, "\xfe\xff", 2)) {
        const bool little = uchar(bytes[0]) == 0xff;
        format.encoding =
            little ? PlainTextFormat::Encoding::Utf16LE : PlainTextFormat::Encoding::Utf16BE;
        format.byteOrderMark = true;
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        result.text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else {
        const bool mark = startsWith(bytes, "\xef\xbb\xbf", 3);
        const QByteArrayView body = QByteArrayView(bytes).sliced(mark ? 3 : 0);
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless |
                                   QStringConverter::Flag::ConvertInitialBom);
        result.text = decoder.decode(body);
        if (!decoder.hasError()) {
            format.encoding = PlainTextFormat::Encoding::Utf8;
            format.byteOrderMark = mark;
        } else {
            format.encoding = PlainTextFormat::Encoding::CodePage;
            format.codePage = legacyCodePage;
            result.text = codepage::Decode(legacyCodePage, QByteArrayView(bytes));
        }
    }
    format.lineBreak = firstLineBreak(result.text);
    normaliseLineBreaks(result.text);
    return result;
}

QByteArray EncodePlainText(const QString& text, PlainTextFormat& format) {
    QString stored = text;
    if (format.lineBreak == PlainTextFormat::LineBreak::CRLF)
        stored.replace(u'\n', QStringLiteral("\r\n"));
    else if (format.lineBreak == PlainTextFormat::LineBreak::CR)
        stored.replace(u'\n', u'\r');

    switch (format.encoding) {
    case PlainTextFormat::Encoding::CodePage:
        if (auto bytes = codepage::Encode(format.codePage, stored)) return *bytes;
        format.encoding = PlainTextFormat::Encoding::Utf8;
        format.byteOrderMark = false;
        return stored.toUtf8();
    case PlainTextFormat::Encoding::Utf16LE:
    case PlainTextFormat::Encoding::Utf16BE: {
        const bool little = format.encoding == PlainTextFormat::Encoding::Utf16LE;
        QStringEncoder::Flags flags = QStringConverter::Flag::Default;
        if (format.byteOrderMark) flags |= QStringConverter::Flag::WriteBom;
        QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               flags);
        return encoder.encode(stored);
    }
    case PlainTextFormat::Encoding::Utf8:
        break;
    }
    QByteArray bytes = stored.toUtf8();
    if (format.byteOrderMark) bytes.prepend("\xef\xbb\xbf");
    return bytes;
}
