#include "text/RtfReader.h"

#include "text/CodePage.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kMaxDepth = 4096;       // deeper groups are skipped whole
constexpr int kMaxTwips = 31680;      // 22 inches, beyond any page
constexpr int kMaxHalfPoints = 3276;  // 1638 points
constexpr int kListIndentTwips = 600; // the document's indent width (40 pixels) per list level

enum class Dest { Text, FontTable, ColorTable, ListTable, ListOverrides, Pn };

struct CharState {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0; // 0: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;

    bool operator==(const CharState&) const = default;
};

size_t qHash(const CharState& s, size_t seed = 0) {
    return qHashMulti(seed, s.font, s.halfPoints, s.color,
                      (s.bold << 0) | (s.italic << 1) | (s.underline << 2) | (s.strike << 3));
}

/// A list a paragraph belongs to: an \ls override with its level, or an old-style \pn one.
struct ListRef {
    int override = 0; // \ls number; negative for \pn lists
    int level = 0;
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;

    bool operator==(const ListRef&) const = default;
    bool operator<(const ListRef& o) const {
        return std::tie(override, level) < std::tie(o.override, o.level);
    }
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int firstTwips = 0;
    int rightTwips = 0;
    int override = 0; // \ls
    int level = 0;    // \ilvl
    QTextListFormat::Style pnStyle = QTextListFormat::ListStyleUndefined;
};

struct Group {
    Dest dest = Dest::Text;
    CharState chr;
    ParaState para;
    int unicodeSkip = 1; // \uc
    bool star = false;   // "\*" seen: an unknown destination word skips the group
    bool first = true;   // no control word read yet in this group
};

struct FontEntry {
    QString name;
    int codePage = 0; // 0: the document's
};

struct ListDef {
    int id = 0;
    std::vector<int> levels; // \levelnfc of each level
};

QTextListFormat::Style styleOfNfc(int nfc) {
    switch (nfc) {
    case 0:
        return QTextListFormat::ListDecimal;
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return QTextListFormat::ListDisc;
    case 255:
        return QTextListFormat::ListStyleUndefined;
    default:
        return QTextListFormat::ListDecimal;
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    Parser(const QByteArray& data, QTextDocument& document)
        : m_data(data.constData()), m_end(data.constData() + data.size()), m_doc(document),
          m_cursor(&document) {}

    void run();

private:
    // Input
    void parse();
    void controlWord(const QByteArray& word, bool hasParam, int param);
    void controlSymbol(char symbol);
    void skipGroup();
    void skipBinary(int count);
    bool consumeFallback();

    // Destinations
    bool startDestination(const QByteArray& word);
    void fontTableWord(const QByteArray& word, bool hasParam, int param);
    void colorTableWord(const QByteArray& word, int param);
    void listTableWord(const QByteArray& word, int param);
    void pnWord(const QByteArray& word);
    bool characterWord(const QByteArray& word, bool hasParam, int param);
    bool paragraphWord(const QByteArray& word, bool hasParam, int param);
    void tableText(char c);

    // Output
    void addByte(char byte);
    void addChar(QChar c);
    void flushBytes();
    void flushText();
    void endParagraph();
    void applyParagraph(const ParaState& para, const CharState& chr);
    QTextCharFormat charFormat(const CharState& state);
    int codePageOf(const CharState& state) const;
    void finishTables();

    Group& top() { return m_groups.back(); }

    const char* m_pos = nullptr;
    const char* m_data;
    const char* m_end;
    QTextDocument& m_doc;
    QTextCursor m_cursor;
    std::vector<Group> m_groups;

    int m_codePage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontBeingDefined = -1;
    QByteArray m_fontName;
    std::vector<QColor> m_colors;
    QColor m_colorBeingDefined;
    bool m_colorHasValue = false;
    std::vector<ListDef> m_lists;
    std::vector<std::pair<int, int>> m_overrides; // (\ls, \listid)
    bool m_listsResolved = false;
    std::map<int, std::vector<int>> m_levelsOfOverride;
    std::map<ListRef, QTextList*> m_textLists;

    int m_pendingSkip = 0; // fallback characters of the last \uN still to skip
    QByteArray m_bytes;    // \'hh bytes waiting to be decoded together
    CharState m_bytesState;
    QString m_text; // characters waiting for insertion in m_textState
    CharState m_textState;
    QHash<CharState, QTextCharFormat> m_formats;
    bool m_blockPending = false; // a \par ended the block; the next one starts on demand
    ParaState m_lastPara;
    CharState m_lastChar;
};

void Parser::run() {
    m_doc.clear();
    m_cursor = QTextCursor(&m_doc);
    m_cursor.beginEditBlock();
    m_pos = m_data;
    parse();
    flushBytes();
    flushText();
    if (!m_blockPending) applyParagraph(m_lastPara, m_lastChar);
    m_cursor.endEditBlock();
}

void Parser::parse() {
    while (m_pos < m_end) {
        const char c = *m_pos++;
        switch (c) {
        case '{':
            flushBytes();
            m_pendingSkip = 0;
            if (m_groups.size() >= size_t(kMaxDepth)) {
                skipGroup();
                break;
            }
            m_groups.push_back(m_groups.empty() ? Group() : top());
            top().star = false;
            top().first = true;
            break;
        case '}':
            flushBytes();
            m_pendingSkip = 0;
            if (m_groups.empty()) return;
            m_groups.pop_back();
            if (m_groups.empty()) return; // the document's own group closed: the rest is not RTF
            break;
        case '\\': {
            if (m_pos >= m_end) return;
            const char next = *m_pos;
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                const char* start = m_pos;
                while (m_pos < m_end && m_pos - start < 32 &&
                       ((*m_pos >= 'a' && *m_pos <= 'z') || (*m_pos >= 'A' && *m_pos <= 'Z')))
                    ++m_pos;
                const QByteArray word(start, m_pos - start);
                bool negative = false;
                if (m_pos < m_end && *m_pos == '-') {
                    negative = true;
                    ++m_pos;
                }
                long long value = 0;
                bool hasParam = false;
                while (m_pos < m_end && *m_pos >= '0' && *m_pos <= '9') {
                    if (value < INT_MAX) value = value * 10 + (*m_pos - '0');
                    hasParam = true;
                    ++m_pos;
                }
                if (m_pos < m_end && *m_pos == ' ') ++m_pos;
                const int param =
                    int(std::clamp<long long>(negative ? -value : value, INT_MIN + 1, INT_MAX));
                if (m_groups.empty()) break;
                if (word != "bin" && consumeFallback()) break;
                controlWord(word, hasParam, param);
            } else {
                ++m_pos;
                if (m_groups.empty()) break;
                if (next != '\'' && consumeFallback()) break;
                controlSymbol(next);
            }
            break;
        }
        case '\r':
        case '\n':
        case '\0':
            break;
        default:
            if (m_groups.empty() || consumeFallback()) break;
            tableText(c);
            break;
        }
    }
}

bool Parser::consumeFallback() {
    if (m_pendingSkip <= 0) return false;
    --m_pendingSkip;
    return true;
}

void Parser::skipGroup() {
    // Reads past the end of the group just opened, minding escapes and binary data.
    int depth = 1;
    while (m_pos < m_end && depth > 0) {
        const char c = *m_pos++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\\' && m_pos < m_end) {
            if (m_end - m_pos >= 3 && memcmp(m_pos, "bin", 3) == 0) {
                m_pos += 3;
                long long count = 0;
                while (m_pos < m_end && *m_pos >= '0' && *m_pos <= '9') {
                    if (count < INT_MAX) count = count * 10 + (*m_pos - '0');
                    ++m_pos;
                }
                if (m_pos < m_end && *m_pos == ' ') ++m_pos;
                skipBinary(int(std::min<long long>(count, INT_MAX)));
            } else {
                ++m_pos;
            }
        }
    }
}

void Parser::skipBinary(int count) {
    m_pos += std::min<qsizetype>(count, m_end - m_pos);
}

void Parser::controlSymbol(char symbol) {
    Group& g = top();
    switch (symbol) {
    case '*':
        g.star = true;
        return;
    case '\'': {
        const int high = m_pos < m_end ? hexValue(*m_pos) : -1;
        const int low = high >= 0 && m_pos + 1 < m_end ? hexValue(m_pos[1]) : -1;
        if (high < 0 || low < 0) {
            // A broken escape: drop it, keep what follows.
            if (high >= 0) ++m_pos;
            return;
        }
        m_pos += 2;
        if (consumeFallback()) return;
        if (g.dest == Dest::Text || g.dest == Dest::FontTable) addByte(char(high * 16 + low));
        return;
    }
    case '\\':
    case '{':
    case '}':
        tableText(symbol);
        return;
    case '\r':
    case '\n':
        if (g.dest == Dest::Text) endParagraph();
        return;
    case '~':
        if (g.dest == Dest::Text) addChar(QChar(0x00a0));
        return;
    case '-':
        if (g.dest == Dest::Text) addChar(QChar(0x00ad));
        return;
    case '_':
        if (g.dest == Dest::Text) addChar(QChar(0x2011));
        return;
    case '\t':
        if (g.dest == Dest::Text) addChar(QChar('\t'));
        return;
    default:
        return;
    }
}

void Parser::tableText(char c) {
    Group& g = top();
    switch (g.dest) {
    case Dest::Text:
        if (c == '\t')
            addChar(QChar('\t'));
        else if (uchar(c) >= 0x20)
            addByte(c);
        return;
    case Dest::FontTable:
        if (c == ';') {
            flushBytes();
            if (m_fontBeingDefined >= 0)
                m_fonts[m_fontBeingDefined].name = m_fonts[m_fontBeingDefined].name.trimmed();
            return;
        }
        addByte(c);
        return;
    case Dest::ColorTable:
        if (c == ';') {
            m_colors.push_back(m_colorHasValue ? m_colorBeingDefined : QColor());
            m_colorBeingDefined = QColor(0, 0, 0);
            m_colorHasValue = false;
        }
        return;
    default:
        return;
    }
}

void Parser::controlWord(const QByteArray& word, bool hasParam, int param) {
    Group& g = top();
    const bool wasFirst = g.first;
    g.first = false;
    if (word == "bin") {
        flushBytes();
        skipBinary(std::max(param, 0));
        return;
    }
    if (startDestination(word)) return;
    if (g.star && wasFirst) {
        // An optional destination this reader does not know.
        m_groups.pop_back();
        skipGroup();
        return;
    }
    switch (g.dest) {
    case Dest::FontTable:
        fontTableWord(word, hasParam, param);
        return;
    case Dest::ColorTable:
        colorTableWord(word, param);
        return;
    case Dest::ListTable:
    case Dest::ListOverrides:
        listTableWord(word, param);
        return;
    case Dest::Pn:
        pnWord(word);
        return;
    case Dest::Text:
        break;
    }

    if (word == "u" && hasParam) {
        int code = param;
        if (code < 0) code += 65536;
        if (code >= 0 && code <= 0xffff) addChar(QChar(char16_t(code)));
        m_pendingSkip = std::clamp(g.unicodeSkip, 0, 16);
        return;
    }
    if (word == "uc") {
        g.unicodeSkip = std::max(param, 0);
        return;
    }
    if (characterWord(word, hasParam, param)) return;
    if (paragraphWord(word, hasParam, param)) return;

    static const QHash<QByteArray, char16_t> specials = {
        {"tab", u'\t'},        {"line", 0x2028},    {"emdash", 0x2014},  {"endash", 0x2013},
        {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201c},
        {"rdblquote", 0x201d}, {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},
        {"zwj", 0x200d},       {"zwnj", 0x200c},    {"ltrmark", 0x200e}, {"rtlmark", 0x200f},
        {"cell", u'\t'},       {"nestcell", u'\t'},
    };
    const auto special = specials.constFind(word);
    if (special != specials.constEnd()) {
        addChar(QChar(*special));
        return;
    }
    if (word == "par" || word == "row" || word == "nestrow") {
        endParagraph();
        return;
    }
    if (word == "ansicpg" && param > 0) {
        m_codePage = param;
    } else if (word == "ansi") {
        m_codePage = 1252;
    } else if (word == "mac") {
        m_codePage = 10000;
    } else if (word == "pc") {
        m_codePage = 437;
    } else if (word == "pca") {
        m_codePage = 850;
    } else if (word == "deff") {
        m_defaultFont = param;
    }
}

bool Parser::startDestination(const QByteArray& word) {
    static const QHash<QByteArray, Dest> destinations = {
        {"fonttbl", Dest::FontTable},
        {"colortbl", Dest::ColorTable},
        {"listtable", Dest::ListTable},
        {"listoverridetable", Dest::ListOverrides},
        {"pn", Dest::Pn},
        {"field", Dest::Text},
        {"fldrslt", Dest::Text},
        {"shppict", Dest::Text},
        {"upr", Dest::Text},
    };
    static const char* const skipped[] = {
        "stylesheet", "info",      "pict",    "object",    "header",  "headerl",  "headerr",
        "headerf",    "footer",    "footerl", "footerr",   "footerf", "footnote", "annotation",
        "fldinst",    "listtext",  "pntext",  "pntxta",    "pntxtb",  "shp",      "shpinst",
        "nonshppict", "xe",        "tc",      "bkmkstart", "bkmkend", "revtbl",   "filetbl",
        "template",   "userprops", "docvar",  "ftnsep",    "ftnsepc", "ftncn",    "aftnsep",
        "aftnsepc",   "aftncn",    "atnid",   "atnauthor", "txe",     "rxe",      "listpicture",
        "mmathPr",    "private"};

    Group& g = top();
    const auto it = destinations.constFind(word);
    if (it != destinations.constEnd()) {
        flushBytes();
        g.dest = *it;
        if (*it == Dest::FontTable) m_fontBeingDefined = -1;
        if (*it == Dest::ColorTable) {
            m_colorBeingDefined = QColor(0, 0, 0);
            m_colorHasValue = false;
        }
        return true;
    }
    for (const char* name : skipped) {
        if (word == name) {
            flushBytes();
            m_groups.pop_back();
            skipGroup();
            return true;
        }
    }
    return false;
}

void Parser::fontTableWord(const QByteArray& word, bool hasParam, int param) {
    if (word == "f" && hasParam) {
        flushBytes();
        m_fontBeingDefined = param;
        m_fonts[param] = FontEntry();
    } else if (word == "fcharset" && m_fontBeingDefined >= 0) {
        m_fonts[m_fontBeingDefined].codePage = codepage::FromCharset(param);
    } else if (word == "cpg" && m_fontBeingDefined >= 0 && param > 0) {
        m_fonts[m_fontBeingDefined].codePage = param;
    }
}

void Parser::colorTableWord(const QByteArray& word, int param) {
    const int value = std::clamp(param, 0, 255);
    if (word == "red")
        m_colorBeingDefined.setRed(value);
    else if (word == "green")
        m_colorBeingDefined.setGreen(value);
    else if (word == "blue")
        m_colorBeingDefined.setBlue(value);
    else
        return;
    m_colorHasValue = true;
}

void Parser::listTableWord(const QByteArray& word, int param) {
    if (top().dest == Dest::ListTable) {
        if (word == "list") {
            m_lists.emplace_back();
        } else if (m_lists.empty()) {
            return;
        } else if (word == "listlevel") {
            if (m_lists.back().levels.size() < 9) m_lists.back().levels.push_back(0);
        } else if ((word == "levelnfc" || word == "levelnfcn") && !m_lists.back().levels.empty()) {
            m_lists.back().levels.back() = param;
        } else if (word == "listid") {
            m_lists.back().id = param;
        }
        return;
    }
    if (word == "listoverride")
        m_overrides.emplace_back(0, 0);
    else if (m_overrides.empty())
        return;
    else if (word == "listid")
        m_overrides.back().second = param;
    else if (word == "ls")
        m_overrides.back().first = param;
}

void Parser::pnWord(const QByteArray& word) {
    // The \pn group describes the paragraph that holds it.
    if (m_groups.size() < 2) return;
    ParaState& para = m_groups[m_groups.size() - 2].para;
    if (word == "pnlvlblt")
        para.pnStyle = QTextListFormat::ListDisc;
    else if (word == "pnlvlbody" || word == "pnlvl" || word == "pndec")
        para.pnStyle = QTextListFormat::ListDecimal;
    else if (word == "pnucltr")
        para.pnStyle = QTextListFormat::ListUpperAlpha;
    else if (word == "pnlcltr")
        para.pnStyle = QTextListFormat::ListLowerAlpha;
    else if (word == "pnucrm")
        para.pnStyle = QTextListFormat::ListUpperRoman;
    else if (word == "pnlcrm")
        para.pnStyle = QTextListFormat::ListLowerRoman;
    else if (word == "pnlvlcont")
        para.pnStyle = QTextListFormat::ListStyleUndefined;
}

bool Parser::characterWord(const QByteArray& word, bool hasParam, int param) {
    CharState& c = top().chr;
    const bool on = !hasParam || param != 0;
    if (word == "plain") {
        c = CharState();
    } else if (word == "b") {
        c.bold = on;
    } else if (word == "i") {
        c.italic = on;
    } else if (word == "strike" || word == "striked") {
        c.strike = on;
    } else if (word == "v") {
        c.hidden = on;
    } else if (word == "ulnone") {
        c.underline = false;
    } else if (word.startsWith("ul") && word != "ulc") {
        c.underline = on;
    } else if (word == "fs") {
        if (param > 0) c.halfPoints = std::min(param, kMaxHalfPoints);
    } else if (word == "f") {
        if (hasParam) c.font = param;
    } else if (word == "cf") {
        c.color = std::max(param, 0);
    } else {
        return false;
    }
    return true;
}

bool Parser::paragraphWord(const QByteArray& word, bool hasParam, int param) {
    ParaState& p = top().para;
    const int twips = std::clamp(param, -kMaxTwips, kMaxTwips);
    if (word == "pard")
        p = ParaState();
    else if (word == "ql")
        p.alignment = Qt::AlignLeft;
    else if (word == "qc")
        p.alignment = Qt::AlignHCenter;
    else if (word == "qr")
        p.alignment = Qt::AlignRight;
    else if (word == "qj" || word == "qd")
        p.alignment = Qt::AlignJustify;
    else if (word == "li")
        p.leftTwips = twips;
    else if (word == "fi")
        p.firstTwips = twips;
    else if (word == "ri")
        p.rightTwips = twips;
    else if (word == "ls" && hasParam)
        p.override = param;
    else if (word == "ilvl")
        p.level = std::clamp(param, 0, 8);
    else
        return false;
    return true;
}

int Parser::codePageOf(const CharState& state) const {
    const auto font = m_fonts.constFind(state.font >= 0 ? state.font : m_defaultFont);
    if (font != m_fonts.constEnd() && font->codePage > 0) return font->codePage;
    return m_codePage;
}

void Parser::addByte(char byte) {
    const Group& g = top();
    if (g.dest == Dest::Text && !m_bytes.isEmpty() && !(m_bytesState == g.chr)) flushBytes();
    if (m_bytes.isEmpty()) m_bytesState = g.chr;
    m_bytes.append(byte);
}

void Parser::flushBytes() {
    if (m_bytes.isEmpty()) return;
    const QByteArray bytes = std::exchange(m_bytes, QByteArray());
    if (m_groups.empty()) return;
    if (top().dest == Dest::FontTable) {
        if (m_fontBeingDefined < 0) return;
        FontEntry& font = m_fonts[m_fontBeingDefined];
        const int page = font.codePage > 0 ? font.codePage : m_codePage;
        font.name += codepage::Decode(page, bytes);
        return;
    }
    if (top().dest != Dest::Text) return;
    const QString text = codepage::Decode(codePageOf(m_bytesState), bytes);
    const CharState saved = top().chr;
    top().chr = m_bytesState;
    for (QChar c : text)
        addChar(c);
    top().chr = saved;
}

void Parser::addChar(QChar c) {
    if (!m_bytes.isEmpty()) flushBytes();
    const CharState& state = top().chr;
    // Control characters carry no text in RTF (tabs come as \tab or as themselves).
    if (state.hidden || (c.unicode() < 0x20 && c != u'\t')) return;
    // The document keeps these for objects and frames; as text they would not survive.
    if (c == QChar::ObjectReplacementCharacter || c.unicode() == 0xfdd0 || c.unicode() == 0xfdd1)
        return;
    if (!m_text.isEmpty() && !(state == m_textState)) flushText();
    if (m_text.isEmpty()) m_textState = state;
    m_text.append(c);
    m_lastPara = top().para;
    m_lastChar = state;
}

void Parser::flushText() {
    if (m_text.isEmpty()) return;
    if (m_blockPending) {
        m_cursor.insertBlock(QTextBlockFormat(), charFormat(m_textState));
        m_blockPending = false;
    }
    m_cursor.insertText(m_text, charFormat(m_textState));
    m_text.clear();
}

void Parser::endParagraph() {
    flushBytes();
    flushText();
    if (m_blockPending) m_cursor.insertBlock(QTextBlockFormat(), charFormat(top().chr));
    applyParagraph(top().para, top().chr);
    m_blockPending = true;
}

void Parser::finishTables() {
    if (m_listsResolved) return;
    m_listsResolved = true;
    for (const auto& [override, listId] : m_overrides)
        for (const ListDef& list : m_lists)
            if (list.id == listId) m_levelsOfOverride[override] = list.levels;
}

void Parser::applyParagraph(const ParaState& para, const CharState& chr) {
    ListRef ref;
    if (para.override > 0) {
        finishTables();
        ref.override = para.override;
        ref.level = para.level;
        const auto levels = m_levelsOfOverride.find(para.override);
        int nfc = 23;
        if (levels != m_levelsOfOverride.end() && size_t(para.level) < levels->second.size())
            nfc = levels->second[size_t(para.level)];
        ref.style = styleOfNfc(nfc);
    } else if (para.pnStyle != QTextListFormat::ListStyleUndefined) {
        ref.override = -1;
        ref.style = para.pnStyle;
    }

    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    int left = para.leftTwips;
    if (ref.style != QTextListFormat::ListStyleUndefined)
        left = std::max(0, left - (ref.level + 1) * kListIndentTwips);
    format.setLeftMargin(left / 15.0);
    format.setTextIndent(para.firstTwips / 15.0);
    format.setRightMargin(para.rightTwips / 15.0);
    m_cursor.setBlockFormat(format);
    m_cursor.setBlockCharFormat(charFormat(chr));

    const QTextBlock block = m_cursor.block();
    if (QTextList* list = block.textList()) list->remove(block);
    if (ref.style == QTextListFormat::ListStyleUndefined) return;
    QTextList*& list = m_textLists[ref];
    if (list && list->format().style() == ref.style) {
        list->add(block);
    } else {
        QTextListFormat listFormat;
        listFormat.setStyle(ref.style);
        listFormat.setIndent(ref.level + 1);
        list = m_cursor.createList(listFormat);
    }
}

QTextCharFormat Parser::charFormat(const CharState& state) {
    const auto cached = m_formats.constFind(state);
    if (cached != m_formats.constEnd()) return *cached;
    QTextCharFormat format;
    const auto font = m_fonts.constFind(state.font >= 0 ? state.font : m_defaultFont);
    if (font != m_fonts.constEnd() && !font->name.isEmpty())
        format.setFontFamilies(QStringList{font->name});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    if (state.color > 0 && size_t(state.color) < m_colors.size() &&
        m_colors[size_t(state.color)].isValid())
        format.setForeground(m_colors[size_t(state.color)]);
    m_formats.insert(state, format);
    return format;
}

} // namespace

bool LooksLikeRtf(const QByteArray& data) {
    qsizetype i = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return QByteArrayView(data).sliced(i).startsWith("{\\rtf");
}

bool ReadRtf(const QByteArray& data, QTextDocument& document) {
    if (!LooksLikeRtf(data)) return false;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    Parser parser(data, document);
    parser.run();
    document.setUndoRedoEnabled(undo);
    return true;
}
