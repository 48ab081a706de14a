#include "text/PlainText.h"

#include "text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

using LineBreak = PlainTextFormat::LineBreak;

// Turns CR LF and lone CR into LF in place, recording each break and the most common one.
void normaliseLineBreaks(QString& text, PlainTextFormat& format) {
    format.lineBreaks.clear();
    int counts[3] = {};
    QChar* out = text.data();
    const QChar* in = out;
    const QChar* end = in + text.size();
    while (in != end) {
        const QChar c = *in++;
        if (c != u'\r' && c != u'\n') {
            *out++ = c;
            continue;
        }
        LineBreak kind = LineBreak::LF;
        if (c == u'\r') {
            kind = in != end && *in == u'\n' ? LineBreak::CRLF : LineBreak::CR;
            if (kind == LineBreak::CRLF) ++in;
        }
        *out++ = u'\n';
        format.lineBreaks.append(kind);
        if (++counts[int(kind)] > counts[int(format.lineBreak)]) format.lineBreak = kind;
    }
    text.truncate(out - text.constData());
}

// The text with each '\n' written as its break: the breaks of the unchanged stretches at
// the start and the end are the stored ones, the others the document's own.
QString withLineBreaks(const QString& text, PlainTextFormat& format) {
    const QString& old = format.storedText;
    QList<LineBreak> kept = format.lineBreaks;
    if (kept.size() != old.count(u'\n')) kept.clear();
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype prefix = 0;
    if (!kept.isEmpty()) {
        while (prefix < shorter && old[prefix] == text[prefix])
            ++prefix;
    }
    qsizetype suffix = 0;
    if (!kept.isEmpty()) {
        while (suffix < shorter - prefix &&
               old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
            ++suffix;
    }
    const qsizetype suffixStart = text.size() - suffix;
    qsizetype headBreak = 0;
    qsizetype tailBreak = kept.size() - QStringView(text).sliced(suffixStart).count(u'\n');

    QString stored;
    stored.reserve(text.size() + text.size() / 8);
    QList<LineBreak> breaks;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n') {
            stored.append(c);
            continue;
        }
        LineBreak kind = format.lineBreak;
        if (i < prefix)
            kind = kept[headBreak++];
        else if (i >= suffixStart)
            kind = kept[tailBreak++];
        breaks.append(kind);
        switch (kind) {
        case LineBreak::LF:
            stored.append(u'\n');
            break;
        case LineBreak::CRLF:
            stored.append(u"\r\n");
            break;
        case LineBreak::CR:
            stored.append(u'\r');
            break;
        }
    }
    format.storedText = text;
    format.lineBreaks = breaks;
    return stored;
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
    normaliseLineBreaks(result.text, format);
    format.storedText = result.text;
    return result;
}

QByteArray EncodePlainText(const QString& text, PlainTextFormat& format) {
    const QString stored = withLineBreaks(text, format);

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
