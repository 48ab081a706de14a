#include "hex/HexDocument.h"

#include "core/KorError.h"

#include "HexFixtures.h"
#include "TestWorld.h"

#include <QSignalSpy>
#include <QTest>

using hexgrid::Cell;

// Every edit, its undo record and its undo.
class TestHexEdits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void typingTheSameValueRecordsNothing();
    void recordLengthsOfASequence();
    void hundredAndFirstRecordDropsTheOldest();
    void undoingTheOnlyChange();
    void pasteWithoutSelection();
    void pasteOverSelection();
    void pasteOverTailSelection();
    void deleteSelection();
    void deleteOnEmptyDocumentDoesNothing();
    void clearThenAppendOneByte();
    void insertIntoEmptyDocument();
    void insertArguments();
    void marksFollowTyping();
    void undoRestoresCaretAreaAndSelection();
    void widthChangeKeepsCaretAndSelection();
    void saveDiscardsUndo();

private:
    void load(const QByteArray& bytes);

    std::unique_ptr<TestWorld> m_world;
    std::unique_ptr<THexDocument> m_doc;
};

void TestHexEdits::init() {
    m_world = std::make_unique<TestWorld>();
    m_doc = std::make_unique<THexDocument>();
}

void TestHexEdits::cleanup() {
    m_doc.reset();
    m_world.reset();
}

void TestHexEdits::load(const QByteArray& bytes) {
    m_doc->setFileName(m_world->file("doc.bin", bytes));
    QVERIFY(m_doc->LoadFromFile());
}

void TestHexEdits::typingTheSameValueRecordsNothing() {
    load("abc");
    QCoreApplication::processEvents();
    QSignalSpy spy(m_doc.get(), &THexDocument::OnStateChanged);
    m_doc->ChangeByte('b', 'b', 0, 4, 1);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(!m_doc->Modified());
    QVERIFY(!m_doc->CanUndo());
    QVERIFY(m_doc->undoLog().bytes().isEmpty());
    QVERIFY(!m_doc->isMarked(1));
}

void TestHexEdits::recordLengthsOfASequence() {
    load("0123456789");
    m_doc->ChangeByte('0', 'X', 0, 2, 0); // 38
    m_doc->InsertBuffer("ab", 2, 5);      // 38
    selectBytes(*m_doc, 1, 3);
    m_doc->DeleteSelection(); // 3 + 37
    selectBytes(*m_doc, 2, 5);
    m_doc->ReplaceSelection("zz", 2); // 4 + 37
    m_doc->AppendBuffer("!!!", 3);    // 38
    QCOMPARE(recordLengths(*m_doc), (QList<int>{38, 38, 40, 41, 38}));
    const QByteArray& log = m_doc->undoLog().bytes();
    QCOMPARE(log.size(), 38 + 38 + 40 + 41 + 38);
    // Headers: kind, old mark, was modified; then the position and counts.
    QCOMPARE(log.mid(0, 3).toHex(), QByteArray("000000"));
    QCOMPARE(log.mid(38, 3).toHex(), QByteArray("020001"));
    QCOMPARE(log.mid(76, 3).toHex(), QByteArray("010001"));
    QCOMPARE(log.mid(116, 3).toHex(), QByteArray("030001"));
    QCOMPARE(log.mid(157, 3).toHex(), QByteArray("040001"));
    // The removal stores the removed bytes "123"; the replacement its four old bytes.
    QCOMPARE(log.mid(76 + 33, 3), QByteArray("123"));
    QCOMPARE(log.mid(116 + 21, 12).toHex(), QByteArray("020000000200000004000000"));
    QCOMPARE(log.mid(116 + 33, 4), QByteArray("ab56"));
    QCOMPARE(contents(*m_doc), QByteArray("X4zz789!!!"));
    QCOMPARE(m_doc->UndoDescription(), QString("Append buffer"));
    const QStringList descriptions = {"Replace selection", "Byte(s) removed", "Insert Buffer",
                                      "Byte changed", "No Undo"};
    const QList<QByteArray> states = {"X4zz789", "X4ab56789", "X1234ab56789", "X123456789",
                                      "0123456789"};
    for (int i = 0; i < states.size(); ++i) {
        m_doc->Undo();
        QCOMPARE(contents(*m_doc), states[i]);
        QCOMPARE(m_doc->UndoDescription(), descriptions[i]);
    }
    QVERIFY(!m_doc->Modified());
}

void TestHexEdits::hundredAndFirstRecordDropsTheOldest() {
    const QByteArray original(101, 'a');
    load(original);
    for (int i = 0; i < 101; ++i)
        m_doc->ChangeByte('a', 'b', i / 16, 2 + 2 * (i % 16), i);
    QCOMPARE(m_doc->undoLog().count(), 100);
    QCOMPARE(m_doc->undoLog().bytes().size(), 100 * 38);
    for (int i = 0; i < 100; ++i) {
        QVERIFY(m_doc->CanUndo());
        m_doc->Undo();
    }
    QVERIFY(!m_doc->CanUndo());
    QCOMPARE(m_doc->UndoDescription(), QString("No Undo"));
    QByteArray expected = original;
    expected[0] = 'b'; // its record was dropped
    QCOMPARE(contents(*m_doc), expected);
    QVERIFY(m_doc->Modified()); // the oldest remaining record was made on a modified document
    m_doc->Undo();              // nothing left: no change
    QCOMPARE(contents(*m_doc), expected);
}

void TestHexEdits::undoingTheOnlyChange() {
    load("hello");
    m_doc->ChangeByte('e', 'a', 0, 4, 1);
    QVERIFY(m_doc->Modified());
    QVERIFY(m_doc->isMarked(1));
    QCOMPARE(m_doc->UndoDescription(), QString("Byte changed"));
    m_doc->Undo();
    QCOMPARE(contents(*m_doc), QByteArray("hello"));
    QVERIFY(!m_doc->Modified());
    QVERIFY(!m_doc->CanUndo());
    QCOMPARE(m_doc->UndoDescription(), QString("No Undo"));
    QVERIFY(!m_doc->isMarked(1));
    QVERIFY(m_doc->undoLog().bytes().isEmpty());
}

void TestHexEdits::pasteWithoutSelection() {
    load("abcdef");
    m_doc->moveCaret({8, 0}); // byte 3
    m_doc->ChangeByte('e', 'E', 0, 10, 4);
    QVERIFY(m_doc->isMarked(4));
    m_doc->ReplaceSelection("XY", 2);
    QCOMPARE(contents(*m_doc), QByteArray("abcXYdEf"));
    QCOMPARE(m_doc->CaretPosition(), 3);
    QCOMPARE(m_doc->SelStart(), 3);
    QCOMPARE(m_doc->SelEnd(), 4);
    QCOMPARE(m_doc->SelAnchor(), 3);
    QCOMPARE(m_doc->UndoDescription(), QString("Insert Buffer"));
    for (int i = 0; i < 8; ++i)
        QVERIFY2(!m_doc->isMarked(i), qPrintable(QString::number(i)));
    m_doc->Undo();
    QCOMPARE(contents(*m_doc), QByteArray("abcdEf"));
    QCOMPARE(m_doc->SelCount(), 0);
    QCOMPARE(m_doc->CaretPosition(), 3);
}

void TestHexEdits::pasteOverSelection() {
    load("abcdefgh");
    selectBytes(*m_doc, 2, 4);
    QCOMPARE(m_doc->SelCount(), 3);
    m_doc->ReplaceSelection("Z", 1);
    QCOMPARE(contents(*m_doc), QByteArray("abZfgh"));
    QCOMPARE(m_doc->SelStart(), 2);
    QCOMPARE(m_doc->SelEnd(), 2);
    QCOMPARE(m_doc->CaretPosition(), 2);
    QCOMPARE(m_doc->UndoDescription(), QString("Replace selection"));
    QVERIFY(!m_doc->isMarked(2));
    m_doc->Undo();
    QCOMPARE(contents(*m_doc), QByteArray("abcdefgh"));
    QCOMPARE(m_doc->SelStart(), 2);
    QCOMPARE(m_doc->SelEnd(), 4);
    QCOMPARE(m_doc->SelAnchor(), 2);
    QCOMPARE(m_doc->CaretPosition(), 4);
}

void TestHexEdits::pasteOverTailSelection() {
    load("0123456789");
    selectBytes(*m_doc, 7, 9);
    m_doc->ReplaceSelection("ab", 2);
    QCOMPARE(contents(*m_doc), QByteArray("0123456ab"));
    QCOMPARE(m_doc->SelStart(), 7);
    QCOMPARE(m_doc->SelEnd(), 8);
    QCOMPARE(m_doc->CaretPosition(), 7);
}

void TestHexEdits::deleteSelection() {
    load("abcdefgh");
    m_doc->moveCaret({6, 0}); // byte 2
    m_doc->DeleteSelection();
    QCOMPARE(contents(*m_doc), QByteArray("abdefgh"));
    QCOMPARE(m_doc->CaretPosition(), 2);
    QCOMPARE(m_doc->UndoDescription(), QString("Byte(s) removed"));
    selectBytes(*m_doc, 5, 3);
    m_doc->DeleteSelection();
    QCOMPARE(contents(*m_doc), QByteArray("abdh"));
    QCOMPARE(m_doc->SelCount(), 0);
    QCOMPARE(m_doc->CaretPosition(), 3);
    m_doc->moveCaret({2 + 2 * 3, 0}); // the last byte
    m_doc->DeleteSelection();
    QCOMPARE(contents(*m_doc), QByteArray("abd"));
    QCOMPARE(m_doc->CaretPosition(), 2); // back onto the new last byte
    m_doc->Undo();
    m_doc->Undo();
    QCOMPARE(contents(*m_doc), QByteArray("abdefgh"));
    QCOMPARE(m_doc->SelStart(), 3);
    QCOMPARE(m_doc->SelEnd(), 5);
    QCOMPARE(m_doc->SelAnchor(), 5);
}

void TestHexEdits::deleteOnEmptyDocumentDoesNothing() {
    m_doc->DeleteSelection();
    QCOMPARE(m_doc->DataSize(), 0);
    QVERIFY(!m_doc->CanUndo());
    QVERIFY(!m_doc->Modified());
    m_doc->ChangeByte(0, 1, 0, 2, 0); // typing is refused too
    QVERIFY(!m_doc->CanUndo());
}

void TestHexEdits::clearThenAppendOneByte() {
    load("something");
    m_doc->Clear();
    QVERIFY(m_doc->FileName().isEmpty());
    QCOMPARE(m_doc->DataSize(), 0);
    m_doc->AppendBuffer("\x7f", 1);
    QCOMPARE(contents(*m_doc), QByteArray("\x7f"));
    QCOMPARE(m_doc->SelStart(), 0);
    QCOMPARE(m_doc->SelEnd(), 0);
    QCOMPARE(m_doc->SelCount(), 1);
    QCOMPARE(m_doc->CaretPosition(), 0);
    QVERIFY(m_doc->Modified());
    m_doc->Undo();
    QCOMPARE(m_doc->DataSize(), 0);
    QVERIFY(!m_doc->Modified());
}

void TestHexEdits::insertIntoEmptyDocument() {
    m_doc->InsertBuffer("new", 3, 0);
    QCOMPARE(contents(*m_doc), QByteArray("new"));
    QCOMPARE(m_doc->SelStart(), 0);
    QCOMPARE(m_doc->SelEnd(), 2);
    m_doc->InsertBuffer("++", 2, 3); // at the end; the caret is elsewhere
    QCOMPARE(contents(*m_doc), QByteArray("new++"));
    QCOMPARE(m_doc->SelEnd(), 2);
}

void TestHexEdits::insertArguments() {
    load("abc");
    QVERIFY_THROWS_EXCEPTION(KorError, m_doc->InsertBuffer("x", 1, 4));
    QVERIFY_THROWS_EXCEPTION(KorError, m_doc->InsertBuffer("x", 1, -1));
    m_doc->InsertBuffer("x", 0, 1);
    m_doc->AppendBuffer("x", 0);
    QCOMPARE(contents(*m_doc), QByteArray("abc"));
    QVERIFY(!m_doc->CanUndo());
}

void TestHexEdits::marksFollowTyping() {
    load("0123456789");
    m_doc->ChangeByte('2', 'a', 0, 6, 2);
    m_doc->ChangeByte('8', 'b', 0, 18, 8);
    m_doc->ChangeByte('a', 'c', 0, 6, 2);
    QVERIFY(m_doc->isMarked(2));
    QVERIFY(m_doc->isMarked(8));
    m_doc->Undo(); // restores the mark the byte had: set
    QVERIFY(m_doc->isMarked(2));
    m_doc->InsertBuffer("--", 2, 5); // marks from the insertion on are gone
    QVERIFY(m_doc->isMarked(2));
    QVERIFY(!m_doc->isMarked(8));
    QVERIFY(!m_doc->isMarked(10));
    m_doc->AppendBuffer("z", 1);
    QVERIFY(!m_doc->isMarked(12));
    m_doc->Clear();
    m_doc->AppendBuffer("q", 1);
    QVERIFY(!m_doc->isMarked(0));
}

void TestHexEdits::undoRestoresCaretAreaAndSelection() {
    load(countingBytes(40));
    m_doc->moveCaret({35 + 3, 1}); // text cell of byte 19
    QVERIFY(m_doc->caretInText());
    selectBytes(*m_doc, 20, 24);
    QVERIFY(m_doc->caretInText());
    m_doc->DeleteSelection();
    QCOMPARE(m_doc->caret(), (Cell{35 + 4, 1})); // the old start's text cell
    m_doc->moveCaret({7, 0});                    // low nibble of byte 2
    m_doc->ChangeByte(2, 0x22, 0, 7, 2);
    m_doc->moveCaret({2, 0});
    m_doc->Undo();
    QCOMPARE(m_doc->caret(), (Cell{7, 0}));
    m_doc->Undo();
    QCOMPARE(m_doc->caret(), (Cell{35 + 8, 1})); // text cell of byte 24, where the caret was
    QCOMPARE(m_doc->SelStart(), 20);
    QCOMPARE(m_doc->SelEnd(), 24);
    QCOMPARE(contents(*m_doc), countingBytes(40));
}

void TestHexEdits::widthChangeKeepsCaretAndSelection() {
    load(countingBytes(200));
    selectBytes(*m_doc, 40, 70);
    QCOMPARE(m_doc->CaretPosition(), 70);
    m_doc->setBytesPerLine(64);
    QCOMPARE(m_doc->CaretPosition(), 70);
    QCOMPARE(m_doc->caret(), (Cell{2 + 2 * 6, 1}));
    QCOMPARE(m_doc->SelStart(), 40);
    QCOMPARE(m_doc->SelEnd(), 70);
    QCOMPARE(m_doc->SelAnchor(), 40);
    QCOMPARE(m_doc->rowCount(), 4);
    m_doc->moveCaret({2 * 64 + 3 + 5, 2}); // text cell of byte 133
    m_doc->setBytesPerLine(16);
    QCOMPARE(m_doc->caret(), (Cell{35 + 5, 8}));
}

void TestHexEdits::saveDiscardsUndo() {
    load("abc");
    m_doc->ChangeByte('a', 'A', 0, 2, 0);
    QVERIFY(m_doc->SaveToFile());
    QVERIFY(!m_doc->CanUndo());
    QVERIFY(!m_doc->isMarked(0));
    m_doc->Undo();
    QCOMPARE(contents(*m_doc), QByteArray("Abc"));
    m_doc->ChangeByte('b', 'B', 0, 4, 1); // still open on the same working copy
    QVERIFY(m_doc->SaveToFile());
    QCOMPARE(readFile(m_doc->FileName()), QByteArray("ABc"));
}

QTEST_GUILESS_MAIN(TestHexEdits)
#include "tst_hexedits.moc"
