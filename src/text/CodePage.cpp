#include "text/CodePage.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <memory>

namespace {

QByteArray converterName(int codePage, int attempt) {
    switch (codePage) {
    case 10000:
        return attempt == 0 ? "macintosh" : QByteArray();
    case 20127:
        return attempt == 0 ? "US-ASCII" : QByteArray();
    case 28591:
        return attempt == 0 ? "ISO-8859-1" : QByteArray();
    case 65001:
        return attempt == 0 ? "UTF-8" : QByteArray();
    default:
        break;
    }
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
    const ByteTable& table = byteTable(IsSingleByte(codePage) ? codePage : 1252);
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
