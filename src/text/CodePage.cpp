#include "text/CodePage.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>

namespace {

// The pages documents name; any other number reads as 1252, so that a file cannot make
// the reader look up converters for arbitrary numbers.
constexpr int kKnownPages[] = {437,   708,   720,   737,   775,   850,   852,   855,   857,
                               858,   860,   861,   862,   863,   864,   865,   866,   869,
                               874,   932,   936,   949,   950,   1250,  1251,  1252,  1253,
                               1254,  1255,  1256,  1257,  1258,  1361,  10000, 10006, 10007,
                               10029, 10081, 20127, 20866, 21866, 28591, 28592, 28593, 28594,
                               28595, 28596, 28597, 28598, 28599, 28603, 28605, 65001};

int knownPage(int codePage) {
    return std::binary_search(std::begin(kKnownPages), std::end(kKnownPages), codePage) ? codePage
                                                                                        : 1252;
}

QByteArray converterName(int codePage, int attempt) {
    QByteArray special;
    switch (codePage) {
    case 10000:
        special = "macintosh";
        break;
    case 10006:
        special = "x-mac-greek";
        break;
    case 10007:
        special = "x-mac-cyrillic";
        break;
    case 10029:
        special = "x-mac-centraleurroman";
        break;
    case 10081:
        special = "x-mac-turkish";
        break;
    case 20127:
        special = "US-ASCII";
        break;
    case 20866:
        special = "KOI8-R";
        break;
    case 21866:
        special = "KOI8-U";
        break;
    case 28603:
        special = "ISO-8859-13";
        break;
    case 28605:
        special = "ISO-8859-15";
        break;
    case 65001:
        special = "UTF-8";
        break;
    default:
        if (codePage > 28590 && codePage < 28600)
            special = "ISO-8859-" + QByteArray::number(codePage - 28590);
        break;
    }
    if (!special.isEmpty()) return attempt == 0 ? special : QByteArray();
    static const char* const prefixes[] = {"windows-", "cp", "ibm-"};
    if (attempt >= 3) return {};
    return prefixes[attempt] + QByteArray::number(codePage);
}

QStringDecoder makeDecoder(int codePage) {
    for (int attempt = 0;; ++attempt) {
        const QByteArray name = converterName(codePage, attempt);
        if (name.isEmpty()) break;
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) return decoder;
    }
    return QStringDecoder("windows-1252");
}

/// One single-byte page: the character of each byte and the way back.
struct ByteTable {
    std::array<char16_t, 256> chars{};
    QHash<char16_t, char> bytes;
};

const ByteTable& byteTable(int codePage) {
    static QHash<int, std::shared_ptr<ByteTable>> tables;
    auto& slot = tables[codePage];
    if (!slot) {
        slot = std::make_shared<ByteTable>();
        QStringDecoder decoder = makeDecoder(codePage);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            decoder.resetState();
            const QString c = decoder.decode(QByteArrayView(&byte, 1));
            const char16_t u = c.size() == 1 && !decoder.hasError() ? c.at(0).unicode() : 0xfffd;
            slot->chars[b] = u;
            if (u != 0xfffd && !slot->bytes.contains(u)) slot->bytes.insert(u, byte);
        }
        // A byte the page leaves undefined still reads as a character of its own, so that
        // a file saved again gets it back: the Latin-1 one of that value when the page has
        // no other use for it, else one from the private use area.
        for (int b = 0; b < 256; ++b) {
            if (slot->chars[b] != 0xfffd) continue;
            char16_t u = char16_t(b);
            if (slot->bytes.contains(u)) u = char16_t(0xf700 + b);
            slot->chars[b] = u;
            slot->bytes.insert(u, char(b));
        }
    }
    return *slot;
}

} // namespace

namespace codepage {

bool IsSingleByte(int codePage) {
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 65001:
        return false;
    default:
        return true;
    }
}

QString Decode(int codePage, QByteArrayView bytes) {
    codePage = knownPage(codePage);
    if (IsSingleByte(codePage)) {
        const ByteTable& table = byteTable(codePage);
        QString text(bytes.size(), Qt::Uninitialized);
        QChar* out = text.data();
        for (char b : bytes)
            *out++ = QChar(table.chars[uchar(b)]);
        return text;
    }
    static QHash<int, std::shared_ptr<QStringDecoder>> decoders;
    auto& decoder = decoders[codePage];
    if (!decoder) decoder = std::make_shared<QStringDecoder>(makeDecoder(codePage));
    decoder->resetState();
    return decoder->decode(bytes);
}

std::optional<QByteArray> Encode(int codePage, QStringView text) {
    codePage = knownPage(codePage);
    if (!IsSingleByte(codePage)) {
        // The system's encoder may substitute what the page lacks: only bytes that read
        // back as the same text will do.
        for (int attempt = 0;; ++attempt) {
            const QByteArray name = converterName(codePage, attempt);
            if (name.isEmpty()) return std::nullopt;
            QStringEncoder encoder(name.constData());
            if (!encoder.isValid()) continue;
            const QByteArray bytes = encoder.encode(text);
            if (encoder.hasError() || Decode(codePage, bytes) != text) return std::nullopt;
            return bytes;
        }
    }
    const ByteTable& table = byteTable(codePage);
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 && table.chars[u] == u) {
            *out++ = char(u);
            continue;
        }
        const auto it = table.bytes.constFind(c.unicode());
        if (it == table.bytes.constEnd()) return std::nullopt;
        *out++ = *it;
    }
    return bytes;
}

std::optional<char> EncodeChar(int codePage, QChar c) {
    codePage = knownPage(codePage);
    const ByteTable& table = byteTable(IsSingleByte(codePage) ? codePage : 1252);
    const auto it = table.bytes.constFind(c.unicode());
    if (it == table.bytes.constEnd()) return std::nullopt;
    return *it;
}

int FromCharset(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

} // namespace codepage
