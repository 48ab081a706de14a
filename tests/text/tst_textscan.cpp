#include "text/EditorSearch.h"
#include "text/TextScan.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TestTextScan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scan_data();
    void scan();
    void findSequence();
    void findLeavesSelectionWhenNothingFound();
    void findCountsParagraphBreaksAsOneCharacter();
    void scanWholeLongText();
    void replaceOneReplacesSelectionIgnoringCase();
    void replaceAll_data();
    void replaceAll();
    void replaceAllIsOneUndoStep();
};

void TestTextScan::scan_data() {
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("expected");

    QTest::newRow("first occurrence") << "cat cat" << 0 << 0 << "cat" << false << false << 0;
    QTest::newRow("after the selection") << "cat cat" << 0 << 3 << "cat" << false << false << 4;
    QTest::newRow("past the last") << "cat cat" << 4 << 3 << "cat" << false << false << -1;
    QTest::newRow("ends at the end of the text")
        << "abcdef" << 0 << 0 << "def" << false << false << 3;
    QTest::newRow("as long as the text") << "abcdef" << 0 << 0 << "abcdef" << false << false << 0;
    QTest::newRow("longer than the text") << "abc" << 0 << 0 << "abcd" << false << false << -1;
    QTest::newRow("empty buffer") << "" << 0 << 0 << "a" << false << false << -1;
    QTest::newRow("empty pattern") << "abc" << 0 << 0 << "" << false << false << -1;
    QTest::newRow("selection past the end") << "abc" << 2 << 5 << "c" << false << false << -1;
    QTest::newRow("case ignored") << "the Word" << 0 << 0 << "WORD" << false << false << 4;
    QTest::newRow("case matched") << "the word" << 0 << 0 << "WORD" << true << false << -1;
    QTest::newRow("case matched hit") << "word WORD" << 0 << 0 << "WORD" << true << false << 5;
    QTest::newRow("accented letters fold")
        << "caf\u00e9" << 0 << 0 << "CAF\u00c9" << false << false << 0;
    QTest::newRow("whole word skips the word it starts in")
        << "cat cat" << 0 << 0 << "cat" << false << true << 4;
    QTest::newRow("whole word at the very end")
        << "xx cat" << 0 << 0 << "cat" << false << true << 3;
    QTest::newRow("whole word not inside a longer word")
        << "a bobcat cat" << 0 << 0 << "cat" << false << true << 9;
    QTest::newRow("whole word not a prefix of a longer word")
        << "a cats cat." << 0 << 0 << "cat" << false << true << 7;
    QTest::newRow("whole word prefix only") << "a cats" << 0 << 0 << "cat" << false << true << -1;
    QTest::newRow("accented letters delimit words")
        << "x \u00e9cat\u00e9" << 0 << 0 << "cat" << false << true << 3;
    QTest::newRow("digits are word characters")
        << "x 1cat cat" << 0 << 0 << "cat" << false << true << 7;
    QTest::newRow("whole word from a delimiter")
        << "cat, cat" << 3 << 0 << "cat" << false << true << 5;
    QTest::newRow("whole word ignores case") << "x Cat" << 0 << 0 << "cAT" << false << true << 2;
    QTest::newRow("no match without a later word")
        << "cat" << 0 << 0 << "cat" << false << true << -1;
}

void TestTextScan::scan() {
    QFETCH(QString, buffer);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, pattern);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, expected);
    SearchOptions options;
    options.matchCase = matchCase;
    options.wholeWord = wholeWord;
    QCOMPARE(ScanTextBuffer(buffer, selStart, selLength, pattern, options), expected);
}

void TestTextScan::findSequence() {
    QTextDocument document(QStringLiteral("fox fox"));
    QTextCursor cursor(&document);
    QVERIFY(FindInEditor(cursor, "fox", {}));
    QCOMPARE(cursor.selectionStart(), 0);
    QCOMPARE(cursor.selectionEnd(), 3);
    QVERIFY(FindInEditor(cursor, "fox", {}));
    QCOMPARE(cursor.selectionStart(), 4);
    QCOMPARE(cursor.selectionEnd(), 7);
    QVERIFY(!FindInEditor(cursor, "fox", {}));
}

void TestTextScan::findLeavesSelectionWhenNothingFound() {
    QTextDocument document(QStringLiteral("one two"));
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    QVERIFY(!FindInEditor(cursor, "zzz", {}));
    QVERIFY(!FindInEditor(cursor, "", {}));
    QCOMPARE(cursor.anchor(), 1);
    QCOMPARE(cursor.position(), 3);
}

void TestTextScan::findCountsParagraphBreaksAsOneCharacter() {
    QTextDocument document;
    document.setPlainText("first\nsecond\nthird word");
    QTextCursor cursor(&document);
    QVERIFY(FindInEditor(cursor, "word", {}));
    QCOMPARE(cursor.selectedText(), QString("word"));
    QCOMPARE(cursor.selectionStart(), 19);
}

void TestTextScan::scanWholeLongText() {
    // Far beyond 65,536 characters: the whole text is searched.
    QString buffer(200000, u'a');
    buffer += QStringLiteral(" needle");
    QCOMPARE(ScanTextBuffer(buffer, 0, 0, "needle", {}), 200001);
    QCOMPARE(ScanTextBuffer(buffer, 0, 0, "needle", {false, true}), 200001);
}

void TestTextScan::replaceOneReplacesSelectionIgnoringCase() {
    QTextDocument document(QStringLiteral("Cat cat cat"));
    QTextCursor cursor(&document);
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    SearchOptions options;
    options.matchCase = true;
    QVERIFY(ReplaceAndFindNext(cursor, "cat", "dog", options));
    QCOMPARE(document.toPlainText(), QString("dog cat cat"));
    QCOMPARE(cursor.selectionStart(), 4);
    QCOMPARE(cursor.selectedText(), QString("cat"));

    QVERIFY(ReplaceAndFindNext(cursor, "cat", "dog", options));
    QVERIFY(!ReplaceAndFindNext(cursor, "cat", "dog", options));
    QCOMPARE(document.toPlainText(), QString("dog dog dog"));

    // A selection that is not the find text is left alone; the search starts after it.
    QTextDocument other(QStringLiteral("ab cat"));
    QTextCursor otherCursor(&other);
    otherCursor.setPosition(0);
    otherCursor.setPosition(2, QTextCursor::KeepAnchor);
    QVERIFY(ReplaceAndFindNext(otherCursor, "cat", "dog", {}));
    QCOMPARE(other.toPlainText(), QString("ab cat"));
    QCOMPARE(otherCursor.selectionStart(), 3);
}

void TestTextScan::replaceAll_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");

    QTest::newRow("from the start") << "a-a-a" << 0 << "a"
                                    << "b" << false << "b-b-b" << 3;
    QTest::newRow("caret in the middle") << "a-a-a-a" << 3 << "a"
                                         << "b" << false << "a-a-b-b" << 2;
    QTest::newRow("replacement contains the find text") << "xax-a" << 0 << "a"
                                                        << "aa" << false << "xaax-aa" << 2;
    QTest::newRow("shorter replacement") << "abab ab" << 0 << "ab"
                                         << "" << false << " " << 3;
    QTest::newRow("whole words only") << "a cat catalog cat" << 0 << "cat"
                                      << "dog" << true << "a dog catalog dog" << 2;
    QTest::newRow("nothing to replace") << "abc" << 0 << "x"
                                        << "y" << false << "abc" << 0;
}

void TestTextScan::replaceAll() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(bool, wholeWord);
    QFETCH(QString, expected);
    QFETCH(int, count);
    QTextDocument document(text);
    QTextCursor cursor(&document);
    cursor.setPosition(caret);
    SearchOptions options;
    options.wholeWord = wholeWord;
    QCOMPARE(ReplaceAll(cursor, find, replace, options), count);
    QCOMPARE(document.toPlainText(), expected);
    QVERIFY(!cursor.hasSelection());
}

void TestTextScan::replaceAllIsOneUndoStep() {
    QTextDocument document(QStringLiteral("a a a"));
    QTextCursor cursor(&document);
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    QCOMPARE(ReplaceAll(cursor, "a", "bb", {}), 3);
    QCOMPARE(document.toPlainText(), QString("bb bb bb"));
    QCOMPARE(cursor.position(), 8);
    document.undo();
    QCOMPARE(document.toPlainText(), QString("a a a"));
}

QTEST_GUILESS_MAIN(TestTextScan)
#include "tst_textscan.moc"
