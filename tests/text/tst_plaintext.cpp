#include "text/PlainText.h"
#include "text/TextFile.h"

#include <QFile>
#include <QTest>
#include <QTextDocument>

using Encoding = PlainTextFormat::Encoding;
using LineBreak = PlainTextFormat::LineBreak;

class TestPlainText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void lineBreaksOfUntouchedLinesAreKept_data();
    void lineBreaksOfUntouchedLinesAreKept();
    void everyByteSurvivesAnEightBitRoundTrip_data();
    void everyByteSurvivesAnEightBitRoundTrip();
    void unencodableCharacterFallsBackToUtf8();
    void multiByteCodePageWritesWhatReadsBack_data();
    void multiByteCodePageWritesWhatReadsBack();
    void richTextNames_data();
    void richTextNames();
    void plainTextKeepsNoBreakSpaces();
    void loadChoosesRichOrPlain();
};

void TestPlainText::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<int>("lineBreak");

    QTest::newRow("utf-8 lf") << QByteArray("h\xc3\xa9llo\nw\xc3\xb6rld\n")
                              << "h\u00e9llo\nw\u00f6rld\n"
                              << int(Encoding::Utf8) << false << int(LineBreak::LF);
    QTest::newRow("utf-8 mark crlf")
        << QByteArray("\xef\xbb\xbf"
                      "a\r\nb")
        << "a\nb" << int(Encoding::Utf8) << true << int(LineBreak::CRLF);
    QTest::newRow("windows-1252 crlf")
        << QByteArray("caf\xe9\r\nna\xefve \x80") << "caf\u00e9\nna\u00efve \u20ac"
        << int(Encoding::CodePage) << false << int(LineBreak::CRLF);
    QTest::newRow("lone cr") << QByteArray("one\rtwo\r") << "one\ntwo\n"
                             << int(Encoding::Utf8) << false << int(LineBreak::CR);
    QTest::newRow("no break") << QByteArray("single") << "single" << int(Encoding::Utf8) << false
                              << int(LineBreak::LF);
    QTest::newRow("empty") << QByteArray() << "" << int(Encoding::Utf8) << false
                           << int(LineBreak::LF);
    QTest::newRow("utf-16le") << QByteArray("\xff\xfe"
                                            "a\0\r\0\n\0\xe9\0",
                                            10)
                              << "a\n\u00e9" << int(Encoding::Utf16LE) << true
                              << int(LineBreak::CRLF);
    QTest::newRow("utf-16be") << QByteArray("\xfe\xff\0x\0\n", 6) << "x\n"
                              << int(Encoding::Utf16BE) << true << int(LineBreak::LF);
    QTest::newRow("truncated utf-8 is 8-bit")
        << QByteArray("ab\xc3") << "ab\u00c3" << int(Encoding::CodePage) << false
        << int(LineBreak::LF);
}

void TestPlainText::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(bool, bom);
    QFETCH(int, lineBreak);
    DecodedText decoded = DecodePlainText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(int(decoded.format.encoding), encoding);
    QCOMPARE(decoded.format.byteOrderMark, bom);
    QCOMPARE(int(decoded.format.lineBreak), lineBreak);
    // Saved again in the same form, the bytes come back unchanged.
    PlainTextFormat format = decoded.format;
    QCOMPARE(EncodePlainText(decoded.text, format), bytes);
    QCOMPARE(format, decoded.format);
}

void TestPlainText::lineBreaksOfUntouchedLinesAreKept_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("edited"); // the text after the user's edit
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<int>("newLineBreak");

    QTest::newRow("mixed, unchanged")
        << QByteArray("first\r\nsecond\nthird\n") << "first\nsecond\nthird\n"
        << QByteArray("first\r\nsecond\nthird\n") << int(LineBreak::LF);
    QTest::newRow("mixed, one letter typed")
        << QByteArray("first\r\nsecond\nthird\n") << "first\nsecXond\nthird\n"
        << QByteArray("first\r\nsecXond\nthird\n") << int(LineBreak::LF);
    QTest::newRow("all three kinds, first of equals wins")
        << QByteArray("a\r\nb\nc\rd") << "a\nb\nc\nd\n"
        << QByteArray("a\r\nb\nc\rd\r\n") << int(LineBreak::CRLF);
    QTest::newRow("new line takes the most common break")
        << QByteArray("a\nb\r\nc\r\n") << "a\nb\nc\nd\n"
        << QByteArray("a\nb\r\nc\r\nd\r\n") << int(LineBreak::CRLF);
    QTest::newRow("line split by Enter") << QByteArray("one\rtwo\rthree\n") << "one\ntw\no\nthree\n"
                                         << QByteArray("one\rtw\ro\rthree\n") << int(LineBreak::CR);
    QTest::newRow("lines joined") << QByteArray("a\nb\r\nc\rd") << "a\nbc\nd"
                                  << QByteArray("a\nbc\rd") << int(LineBreak::LF);
    QTest::newRow("everything replaced") << QByteArray("x\r\ny\n\n") << "p\nq\n"
                                         << QByteArray("p\nq\n") << int(LineBreak::LF);
}

void TestPlainText::lineBreaksOfUntouchedLinesAreKept() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, edited);
    QFETCH(QByteArray, saved);
    QFETCH(int, newLineBreak);
    const DecodedText decoded = DecodePlainText(bytes);
    QCOMPARE(int(decoded.format.lineBreak), newLineBreak);
    PlainTextFormat format = decoded.format;
    QCOMPARE(EncodePlainText(edited, format), saved);
    // Saved once more, the text just written is what lines are kept against.
    QCOMPARE(EncodePlainText(edited, format), saved);
    QCOMPARE(DecodePlainText(saved).text, edited);
}

void TestPlainText::everyByteSurvivesAnEightBitRoundTrip_data() {
    QTest::addColumn<int>("codePage");
    // 1253, 1257 and 874 leave some bytes undefined.
    for (int page : {1252, 1253, 1257, 874, 866})
        QTest::newRow(QByteArray::number(page).constData()) << page;
}

void TestPlainText::everyByteSurvivesAnEightBitRoundTrip() {
    QFETCH(int, codePage);
    // A binary file read as text: every byte value comes back, also those 1252 leaves
    // undefined, and a one-letter edit changes that letter only (no LF becomes CR).
    QByteArray all("\r");
    for (int round = 0; round < 21; ++round)
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
    const DecodedText legacy = DecodePlainText(all, codePage);
    QCOMPARE(int(legacy.format.encoding), int(Encoding::CodePage));
    QCOMPARE(legacy.format.codePage, codePage);
    PlainTextFormat legacyFormat = legacy.format;
    QCOMPARE(EncodePlainText(legacy.text, legacyFormat), all);
    QString edited = legacy.text;
    edited[300] = u'#';
    QByteArray expected = all;
    expected[300] = '#';
    QCOMPARE(EncodePlainText(edited, legacyFormat), expected);
}

void TestPlainText::unencodableCharacterFallsBackToUtf8() {
    PlainTextFormat format;
    format.encoding = Encoding::CodePage;
    format.codePage = 1252;
    format.lineBreak = LineBreak::CRLF;
    QCOMPARE(EncodePlainText("caf\u00e9\n", format), QByteArray("caf\xe9\r\n"));
    QCOMPARE(EncodePlainText("\u6f22\u00e9\n", format), QByteArray("\xe6\xbc\xa2\xc3\xa9\r\n"));
    QCOMPARE(format.encoding, Encoding::Utf8);
    QCOMPARE(format.lineBreak, LineBreak::CRLF);
}

void TestPlainText::multiByteCodePageWritesWhatReadsBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<bool>("sameBytes");
    QTest::newRow("shift-jis") << QByteArray("\x82\xb1\x82\xf1\r\n\x83\x65") << 932 << true;
    // Found by fuzzing: written with the 1252 table, these read back as other characters.
    QTest::newRow("949, not all of it valid") << QByteArray("GHI\xa9\xa1M^&^") << 949 << false;
}

void TestPlainText::multiByteCodePageWritesWhatReadsBack() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, codePage);
    QFETCH(bool, sameBytes);
    const DecodedText decoded = DecodePlainText(bytes, codePage);
    QCOMPARE(int(decoded.format.encoding), int(Encoding::CodePage));
    PlainTextFormat format = decoded.format;
    const QByteArray saved = EncodePlainText(decoded.text, format);
    if (sameBytes) QCOMPARE(saved, bytes);
    QCOMPARE(DecodePlainText(saved, codePage).text, decoded.text);
}

void TestPlainText::richTextNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rich");
    QTest::newRow("rtf") << "/a/letter.rtf" << true;
    QTest::newRow("RTF") << "LETTER.RTF" << true;
    QTest::newRow("Rtf") << "x.Rtf" << true;
    QTest::newRow("rtfx") << "x.rtfx" << true;
    QTest::newRow("rt") << "x.rt" << false;
    QTest::newRow("txt") << "x.txt" << false;
    QTest::newRow("no extension") << "README" << false;
    QTest::newRow("dot only in the folder") << "/home/a.rtf/readme" << false;
    QTest::newRow("two dots") << "x.rtf.txt" << false;
}

void TestPlainText::richTextNames() {
    QFETCH(QString, name);
    QFETCH(bool, rich);
    QCOMPARE(IsRichTextName(name), rich);
}

void TestPlainText::plainTextKeepsNoBreakSpaces() {
    QTextDocument document;
    document.setPlainText("a\u00a0b\nc\u2028d");
    QCOMPARE(DocumentPlainText(document), QString("a\u00a0b\nc\nd"));
}

void TestPlainText::loadChoosesRichOrPlain() {
    QTextDocument rich;
    const TextContent richContent = LoadTextDocument("{\\rtf1 {\\b bold} text}", rich);
    QVERIFY(richContent.rich);
    QCOMPARE(rich.toPlainText(), QString("bold text"));

    QTextDocument plain;
    const TextContent plainContent = LoadTextDocument("{rtf not really}\r\nline", plain);
    QVERIFY(!plainContent.rich);
    QCOMPARE(plain.toPlainText(), QString("{rtf not really}\nline"));
    QCOMPARE(plainContent.plainFormat.lineBreak, LineBreak::CRLF);
    QVERIFY(!plain.isUndoAvailable());
}

QTEST_GUILESS_MAIN(TestPlainText)
#include "tst_plaintext.moc"
