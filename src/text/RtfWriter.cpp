#include "text/RtfWriter.h"

#include "text/CodePage.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>
#include <vector>

namespace {

constexpr int kListIndentTwips = 600; // the document's indent width (40 pixels) per level

int twips(double pixels) {
    return int(std::lround(pixels * 15.0));
}

bool isBullet(QTextListFormat::Style style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

int nfcOf(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDecimal:
        return 0;
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    default:
        return 23;
    }
}

void appendEscaped(QByteArray& out, QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\\':
            out += "\\\\";
            continue;
        case '{':
            out += "\\{";
            continue;
        case '}':
            out += "\\}";
            continue;
        case '\t':
            out += "\\tab ";
            continue;
        case 0x2028:
            out += "\\line ";
            continue;
        case 0x00a0:
            out += "\\~";
            continue;
        case 0x00ad:
            out += "\\-";
            continue;
        case 0x2011:
            out += "\\_";
            continue;
        case 0xfffc:
        case 0xfdd0:
        case 0xfdd1:
            continue; // objects and frame marks
        default:
            break;
        }
        if (u >= 0x20 && u < 0x7f) {
            out += char(u);
        } else if (u >= 0x7f) {
            out += "\\u" + QByteArray::number(int(qint16(u)));
            if (const auto byte = codepage::EncodeChar(1252, c))
                out += "\\'" + QByteArray::number(uchar(*byte), 16).rightJustified(2, '0');
            else
                out += '?';
        }
    }
}

class Writer {
public:
    explicit Writer(const QTextDocument& document) : m_doc(document) {}
    QByteArray run();

private:
    void collect();
    int fontIndex(const QString& family);
    QFont resolved(const QTextCharFormat& format) const;
    QByteArray characterProperties(const QTextCharFormat& format);
    void writeTables();
    void writeBlock(const QTextBlock& block, bool last);

    const QTextDocument& m_doc;
    QByteArray m_out;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    std::vector<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    std::vector<QTextList*> m_lists;
    QHash<QTextList*, int> m_listIndex;
};

QFont Writer::resolved(const QTextCharFormat& format) const {
    return format.font().resolve(m_doc.defaultFont());
}

int Writer::fontIndex(const QString& family) {
    const auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.constEnd()) return *it;
    const int index = int(m_fonts.size());
    m_fonts.append(family);
    m_fontIndex.insert(family, index);
    return index;
}

void Writer::collect() {
    fontIndex(m_doc.defaultFont().family());
    auto note = [this](const QTextCharFormat& format) {
        fontIndex(resolved(format).family());
        if (format.hasProperty(QTextFormat::ForegroundBrush) &&
            format.foreground().style() != Qt::NoBrush) {
            const QRgb rgb = format.foreground().color().rgb();
            if (!m_colorIndex.contains(rgb)) {
                m_colors.push_back(rgb);
                m_colorIndex.insert(rgb, int(m_colors.size()));
            }
        }
    };
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        note(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            note(it.fragment().charFormat());
        if (QTextList* list = block.textList(); list && !m_listIndex.contains(list)) {
            m_lists.push_back(list);
            m_listIndex.insert(list, int(m_lists.size()));
        }
    }
}

QByteArray Writer::characterProperties(const QTextCharFormat& format) {
    const QFont font = resolved(format);
    QByteArray props = "\\f" + QByteArray::number(fontIndex(font.family()));
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    props += "\\fs" + QByteArray::number(std::max(1L, std::lround(points * 2)));
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush)
        props += "\\cf" + QByteArray::number(m_colorIndex.value(format.foreground().color().rgb()));
    if (font.bold()) props += "\\b";
    if (font.italic()) props += "\\i";
    if (font.underline()) props += "\\ul";
    if (font.strikeOut()) props += "\\strike";
    return props + ' ';
}

void Writer::writeTables() {
    m_out += "{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        appendEscaped(m_out, QString(m_fonts[i]).remove(u';'));
        m_out += ";}";
    }
    m_out += "}\r\n{\\colortbl;";
    for (QRgb rgb : m_colors)
        m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                 QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    m_out += "}\r\n";
    if (m_lists.empty()) return;
    m_out += "{\\*\\listtable";
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const QTextListFormat::Style style = m_lists[i]->format().style();
        const QByteArray nfc = QByteArray::number(nfcOf(style));
        const QByteArray id = QByteArray::number(qulonglong(i + 1));
        m_out += "{\\list\\listtemplateid" + id + "\\listhybrid";
        for (int level = 0; level < 9; ++level) {
            m_out += "{\\listlevel\\levelnfc" + nfc + "\\levelnfcn" + nfc +
                     "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelindent0";
            m_out += isBullet(style) ? "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}"
                                     : "{\\leveltext\\'02\\'" +
                                           QByteArray::number(level).rightJustified(2, '0') +
                                           ".;}{\\levelnumbers\\'01;}";
            m_out += "\\fi-360\\li" + QByteArray::number((level + 1) * 720) + '}';
        }
        m_out += "{\\listname ;}\\listid" + id + "}";
    }
    m_out += "}\r\n{\\*\\listoverridetable";
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const QByteArray id = QByteArray::number(qulonglong(i + 1));
        m_out += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + '}';
    }
    m_out += "}\r\n";
}

void Writer::writeBlock(const QTextBlock& block, bool last) {
    const QTextBlockFormat format = block.blockFormat();
    m_out += "\\pard\\plain";
    QTextList* list = block.textList();
    int listIndent = 0;
    if (list) {
        const int level = std::clamp(list->format().indent() - 1, 0, 8);
        listIndent = (level + 1) * kListIndentTwips;
        m_out += "\\ls" + QByteArray::number(m_listIndex.value(list)) + "\\ilvl" +
                 QByteArray::number(level);
    }
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out += "\\qc";
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        m_out += "\\qr";
    else if (alignment & Qt::AlignJustify)
        m_out += "\\qj";
    else
        m_out += "\\ql";
    m_out += "\\li" + QByteArray::number(twips(format.leftMargin()) + listIndent) + "\\fi" +
             QByteArray::number(twips(format.textIndent())) + "\\ri" +
             QByteArray::number(twips(format.rightMargin())) + ' ';
    if (list) {
        m_out += "{\\listtext\\pard\\plain" + characterProperties(block.charFormat());
        if (isBullet(list->format().style()))
            m_out += "\\u8226\\'95";
        else
            appendEscaped(m_out, list->itemText(block));
        m_out += "\\tab}";
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        m_out += '{' + characterProperties(fragment.charFormat());
        appendEscaped(m_out, fragment.text());
        m_out += '}';
    }
    // The last paragraph ends with the document; an empty one needs its mark to exist.
    if (!last || block.length() <= 1)
        m_out += "\\plain" + characterProperties(block.charFormat()) + "\\par\r\n";
}

QByteArray Writer::run() {
    collect();
    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n";
    writeTables();
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
        writeBlock(block, !block.next().isValid());
    m_out += "}\r\n";
    return m_out;
}

} // namespace

QByteArray WriteRtf(const QTextDocument& document) {
    return Writer(document).run();
}
