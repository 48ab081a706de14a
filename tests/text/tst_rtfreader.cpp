#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include "DocumentDump.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>

class TestRtfReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reservedCharactersRoundTrip();
    void recognises_data();
    void recognises();
    void reads_data();
    void reads();
    void malformed_data();
    void malformed();
    void deepNestingEndsQuickly();
    void notRtfLeavesDocument();
};

void TestRtfReader::recognises_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("plain header") << QByteArray("{\\rtf1\\ansi x}") << true;
    QTest::newRow("leading blanks") << QByteArray("\r\n {\\rtf1 x}") << true;
    QTest::newRow("utf-8 mark") << QByteArray("\xef\xbb\xbf{\\rtf1 x}") << true;
    QTest::newRow("text") << QByteArray("hello") << false;
    QTest::newRow("brace only") << QByteArray("{\\rt") << false;
    QTest::newRow("upper case") << QByteArray("{\\RTF1 x}") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestRtfReader::recognises() {
    QFETCH(QByteArray, data);
    QFETCH(bool, rtf);
    QCOMPARE(LooksLikeRtf(data), rtf);
}

void TestRtfReader::reads_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("dump");

    QTest::newRow("text") << QByteArray("{\\rtf1\\ansi Hello world}") << "L |{}Hello world";
    QTest::newRow("delimiter space") << QByteArray("{\\rtf1 \\b  two\\b0 x}") << "L |{b} two{}x";
    QTest::newRow("styles and their 0 forms")
        << QByteArray("{\\rtf1 a{\\b b}c\\i i\\i0\\ul u\\ul0\\ulw w\\ulnone\\strike s\\strike0 e}")
        << "L |{}a{b}b{}c{i}i{u}uw{s}s{}e";
    QTest::newRow("fonts and sizes")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fprq2 Times New "
                      "Roman;}}\\f0\\fs20 a\\f1\\fs30 b}")
        << "L |{f=Arial,fs=10}a{f=Times New Roman,fs=15}b";
    QTest::newRow("default font") << QByteArray("{\\rtf1\\deff1{\\fonttbl\\f0 A;\\f1 B;}x}")
                                  << "L |{f=B}x";
    QTest::newRow("colours") << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0"
                                           "\\green0\\blue255;}\\cf1 r\\cf2 b\\cf0 a\\cf9 z}")
                             << "L |{c=ff0000}r{c=0000ff}b{}az";
    QTest::newRow("plain resets") << QByteArray("{\\rtf1\\b\\i\\fs40 a\\plain b}")
                                  << "L |{fs=20,b,i}a{}b";
    QTest::newRow("group restores")
        << QByteArray("{\\rtf1 {\\b\\cf0 a{\\i b}c}d}") << "L |{b}a{b,i}b{b}c{}d";
    QTest::newRow("hex escape 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80}") << "L |{}caf\u00e9 \u20ac";
    QTest::newRow("hex escape 1251")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}") << "L |{}\u0410\u0431";
    QTest::newRow("font charset")
        << QByteArray(
               "{\\rtf1\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 Cyr;}}\\'e9\\f1\\'e9}")
        << "L |{f=A}\u00e9{f=Cyr}\u0439";
    QTest::newRow("other pages")
        << QByteArray("{\\rtf1\\ansicpg28595 \\'b0{\\ansicpg437 \\'82}\\ansicpg20866 \\'e1}")
        << "L |{}\u0410\u00e9\u0410";
    QTest::newRow("unknown page reads as 1252")
        << QByteArray("{\\rtf1\\ansicpg99999 \\'e9}") << "L |{}\u00e9";
    QTest::newRow("double-byte page")
        << QByteArray("{\\rtf1\\ansicpg932 \\'82\\'a0x}") << "L |{}\u3042x";
    QTest::newRow("unicode with fallback")
        << QByteArray("{\\rtf1\\uc1\\u8364?x\\u233\\'e9y}") << "L |{}\u20acx\u00e9y";
    QTest::newRow("unicode skip count")
        << QByteArray("{\\rtf1\\uc2\\u8364??x{\\uc0\\u8364y}\\u8364\\'80\\'80z}")
        << "L |{}\u20acx\u20acy\u20acz";
    QTest::newRow("unicode surrogates")
        << QByteArray("{\\rtf1\\uc0\\u-10179\\u-8704!}") << "L |{}\U0001F600!";
    QTest::newRow("fallback ends at a brace")
        << QByteArray("{\\rtf1\\uc3\\u8364{\\b b}}") << "L |{}\u20ac{b}b";
    QTest::newRow("escaped symbols")
        << QByteArray("{\\rtf1 \\{\\}\\\\\\~\\-\\_}") << "L |{}{}\\\u00a0\u00ad\u2011";
    QTest::newRow("specials") << QByteArray("{\\rtf1 a\\tab b\\line c\\emdash\\lquote\\rdblquote}")
                              << "L |{}a\tb\u2028c\u2014\u2018\u201d";
    QTest::newRow("skipped groups")
        << QByteArray("{\\rtf1{\\*\\generator Writer;}{\\info{\\title T}}{\\stylesheet{\\s1 "
                      "Heading;}}a{\\*\\unknown stuff}{\\pict\\wmetafile8 0123abcd}b{\\header "
                      "h}c\\unknownword12 d}")
        << "L |{}abcd";
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\pict\\bin3 {}\\}b\\bin2 }}c}")
                                 << "L |{}abc";
    QTest::newRow("field result") << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK "
                                                "\"x\"}{\\fldrslt link}} end}")
                                  << "L |{}link end";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b}") << "L |{}ab";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1\\pard\\qc a\\par\\pard b\\par\\qr c\\par "
                                              "\\qj d}")
                                << "C |{}a\nL |{}b\nR |{}c\nJ |{}d";
    QTest::newRow("final par ends the last paragraph") << QByteArray("{\\rtf1 a\\par}") << "L |{}a";
    QTest::newRow("empty last paragraph") << QByteArray("{\\rtf1 a\\par\\par}") << "L |{}a\nL |";
    QTest::newRow("newline escape is par") << QByteArray("{\\rtf1 a\\\nb}") << "L |{}a\nL |{}b";
    QTest::newRow("paragraph properties apply at par")
        << QByteArray("{\\rtf1 a\\qc\\par b}") << "C |{}a\nC |{}b";
    QTest::newRow("indents") << QByteArray("{\\rtf1\\li720\\fi-360\\ri200 x\\par\\pard y}")
                             << "L 720/-360/200 |{}x\nL |{}y";
    QTest::newRow("old-style bullets")
        << QByteArray("{\\rtf1{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}"
                      "\\li720 one\\par{\\pntext\\'b7\\tab}two\\par\\pard three}")
        << "L 120/0/0 list-1.1 |{}one\nL 120/0/0 list-1.1 |{}two\nL |{}three";
    QTest::newRow("list table")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list\\listtemplateid7{\\listlevel\\levelnfc23"
                      "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}}\\listid5}{\\list{\\listlevel"
                      "\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid6}}{\\*\\listoverridetable{"
                      "\\listoverride\\listid5\\listoverridecount0\\ls1}{\\listoverride\\listid6"
                      "\\ls2}}{\\listtext\\'95\\tab}\\pard\\ls1\\li720\\fi-360 a\\par{\\listtext "
                      "1.\\tab}\\pard\\ls2\\li720 b\\par\\pard\\ls2\\li720 c\\par\\pard d}")
        << "L 120/-360/0 list-1.1 |{}a\nL 120/0/0 list-4.1 |{}b\nL 120/0/0 list-4.1 |{}c\nL |{}d";
    QTest::newRow("upr keeps its text")
        << QByteArray("{\\rtf1 {\\upr{a}{\\*\\ud{\\u946 b}}}}") << "L |{}a";
    QTest::newRow("table cells") << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\intbl a\\cell "
                                               "b\\cell\\row c}")
                                 << "L |{}a\tb\t\nL |{}c";
}

void TestRtfReader::reads() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, dump);
    QTextDocument document;
    QVERIFY(ReadRtf(rtf, document));
    QCOMPARE(DumpDocument(document), dump);
    QVERIFY(!document.isUndoAvailable());
}

void TestRtfReader::malformed_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing closing braces")
        << QByteArray("{\\rtf1 {\\b bold {\\i more") << "bold more";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b{c") << "a";
    QTest::newRow("bad hex escapes") << QByteArray("{\\rtf1 a\\'zzb\\'4}") << "azzb";
    QTest::newRow("escape at the end") << QByteArray("{\\rtf1 a\\'") << "a";
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("huge bin count") << QByteArray("{\\rtf1 a\\bin999999999999 xyz}") << "a";
    QTest::newRow("negative bin count") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("garbage after the header")
        << QByteArray("{\\rtf1 \x01\x02\xff\xfe garbage\x00 x}", 23) << "\u00ff\u00fe garbage x";
    QTest::newRow("control characters")
        << QByteArray("{\\rtf1 a\\'00\\'1fb\\uc0\\u0 c\\'09d}") << "abc\td";
    QTest::newRow("only the header") << QByteArray("{\\rtf") << "";
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1\\fs99999999999\\li-99999999999\\u99999999999 a\\uc99999\\u66 bcd "
                      "efghijklmnopqrstuvwxyz}")
        << "Bqrstuvwxyz";
    QTest::newRow("long control word")
        << QByteArray("{\\rtf1 \\" + QByteArray(100, 'x') + " a}") << QString(68, u'x') + " a";
    QTest::newRow("unterminated tables") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << "";
    QTest::newRow("list reference without tables")
        << QByteArray("{\\rtf1\\ls9\\ilvl99 a\\par}") << "a";
}

void TestRtfReader::malformed() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    QVERIFY(ReadRtf(rtf, document));
    QCOMPARE(document.toPlainText(), text);
}

void TestRtfReader::deepNestingEndsQuickly() {
    QElapsedTimer timer;
    timer.start();
    const int depth = 200000;
    const QByteArray rtf =
        "{\\rtf1 a" + QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "b}";
    QTextDocument document;
    QVERIFY(ReadRtf(rtf, document));
    QCOMPARE(document.toPlainText(), QString("ab"));
    QVERIFY(timer.elapsed() < 5000);
}

void TestRtfReader::notRtfLeavesDocument() {
    QTextDocument document(QStringLiteral("keep"));
    QVERIFY(!ReadRtf("plain {\\rtf1 inside}", document));
    QCOMPARE(document.toPlainText(), QString("keep"));
}

void TestRtfReader::reservedCharactersRoundTrip() {
    // \u-4 is U+FFFC, which the document reserves for objects: it is not text to keep.
    const QByteArray input = "{\\rtf1\\ansi a\\u-4?b\\u-42?c\\u-560?d\\u-559?e\\par}";
    QTextDocument document;
    QVERIFY(ReadRtf(input, document));
    QCOMPARE(document.toRawText(), QStringView(u"ab\uffd6cde").toString());
    QTextDocument again;
    QVERIFY(ReadRtf(WriteRtf(document), again));
    QCOMPARE(again.toRawText(), document.toRawText());
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
