#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include "DocumentDump.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

QTextCharFormat run(const QString& family, double size) {
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(size);
    return format;
}

QTextBlockFormat paragraph(Qt::Alignment alignment, double left = 0, double indent = 0,
                           double right = 0) {
    QTextBlockFormat format;
    format.setAlignment(alignment);
    format.setLeftMargin(left);
    format.setTextIndent(indent);
    format.setRightMargin(right);
    return format;
}

// A document with everything the page can set.
void buildFormatted(QTextDocument& document) {
    document.setDefaultFont(QFont("DejaVu Sans", 10));
    QTextCursor cursor(&document);
    const QTextCharFormat plain = run("DejaVu Sans", 10);
    cursor.setBlockFormat(paragraph(Qt::AlignLeft));
    cursor.insertText("Plain ", plain);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("bold", bold);
    cursor.insertText(" ", plain);
    QTextCharFormat italic = plain;
    italic.setFontItalic(true);
    cursor.insertText("italic", italic);
    QTextCharFormat under = plain;
    under.setFontUnderline(true);
    under.setFontStrikeOut(true);
    cursor.insertText("under-struck", under);
    QTextCharFormat red = run("Liberation Serif", 14);
    red.setForeground(QColor(255, 0, 0));
    red.setFontWeight(QFont::Bold);
    cursor.insertText("red serif", red);

    cursor.insertBlock(paragraph(Qt::AlignHCenter), plain);
    cursor.insertText(QString::fromUtf8("Centred caf\u00e9 \u20ac \u6f22 \U0001F600"), plain);
    cursor.insertBlock(paragraph(Qt::AlignRight, 40, 20, 20), plain);
    cursor.insertText("Right {braces} \\ back\tslash\u2028line\u00a0nbsp", plain);
    cursor.insertBlock(paragraph(Qt::AlignJustify), plain);
    cursor.insertText("justified", plain);

    cursor.insertBlock(paragraph(Qt::AlignLeft), plain);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(1);
    QTextList* list = cursor.createList(bullets);
    cursor.insertText("item one", plain);
    cursor.insertBlock(paragraph(Qt::AlignLeft), plain);
    list->add(cursor.block());
    cursor.insertText("item two", plain);

    // A fresh block format belongs to no list.
    cursor.insertBlock(paragraph(Qt::AlignLeft), plain);
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    numbers.setIndent(1);
    cursor.createList(numbers);
    cursor.insertText("numbered", plain);

    cursor.insertBlock(paragraph(Qt::AlignLeft), plain);
}

QString roundTrip(const QTextDocument& document) {
    QTextDocument back;
    if (!ReadRtf(WriteRtf(document), back)) return QStringLiteral("not RTF");
    return DumpDocument(back);
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formattedRoundTrip();
    void writesCommonControlWords();
    void paragraphCounts_data();
    void paragraphCounts();
};

void TestRtfWriter::formattedRoundTrip() {
    QTextDocument document;
    buildFormatted(document);
    const QString dump = DumpDocument(document);
    QVERIFY(dump.contains("list-1.1 |{f=DejaVu Sans,fs=10}item two"));
    QCOMPARE(roundTrip(document), dump);
}

void TestRtfWriter::writesCommonControlWords() {
    QTextDocument document;
    buildFormatted(document);
    const QByteArray rtf = WriteRtf(document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.endsWith("}\r\n"));
    for (const char* word : {"{\\f0\\fnil\\fcharset0 DejaVu Sans;}",
                             "Liberation Serif;",
                             "\\red255\\green0\\blue0;",
                             "\\b ",
                             "\\i ",
                             "\\ul\\strike ",
                             "\\cf1\\b ",
                             "\\qc",
                             "\\qr",
                             "\\qj",
                             "\\li600\\fi300\\ri300",
                             "\\u233\\'e9",
                             "\\u8364\\'80",
                             "\\u28450?",
                             "\\u-10179?",
                             "\\{braces\\}",
                             "\\\\",
                             "\\tab ",
                             "\\line ",
                             "\\~",
                             "{\\*\\listtable",
                             "\\levelnfc23",
                             "\\levelnfc0",
                             "{\\*\\listoverridetable",
                             "\\ls1\\ilvl0",
                             "\\ls2\\ilvl0",
                             "{\\listtext"})
        QVERIFY2(rtf.contains(word), word);
    // Only ASCII in the file: the rest is escaped.
    for (char c : rtf)
        QVERIFY(uchar(c) < 0x80);
}

void TestRtfWriter::paragraphCounts_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("one line") << "a";
    QTest::newRow("final empty line") << "a\n";
    QTest::newRow("two empty lines") << "\n";
    QTest::newRow("inner empty line") << "a\n\nb";
    QTest::newRow("delete and high characters") << "a\x7f\u00ff\u0100";
}

void TestRtfWriter::paragraphCounts() {
    QFETCH(QString, text);
    QTextDocument document;
    document.setPlainText(text);
    QTextDocument back;
    QVERIFY(ReadRtf(WriteRtf(document), back));
    QCOMPARE(back.blockCount(), document.blockCount());
    QCOMPARE(back.toPlainText(), text);
}

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
