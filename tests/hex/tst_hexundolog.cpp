#include "hex/HexUndoLog.h"

#include <QTest>

class TestHexUndoLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encodesTheDocumentedLayout();
    void decodeRoundTrips();
    void texts_data();
    void texts();
    void holdsAtMostHundredRecords();
};

void TestHexUndoLog::encodesTheDocumentedLayout() {
    HexUndoRecord record;
    record.kind = HexUndoKind::ReplaceSelection;
    record.oldMark = false;
    record.wasModified = true;
    record.caretByte = 0x01020304;
    record.caretNibble = 1;
    record.caretInText = false;
    record.selStart = 5;
    record.selEnd = 7;
    record.selAnchor = -1;
    record.position = 5;
    record.count = 2;
    record.replacedCount = 3;
    record.payload = QByteArray("\xAA\xBB\xCC", 3);
    const QByteArray expected = QByteArray::fromHex("03"         // kind
                                                    "00"         // old mark
                                                    "01"         // was modified
                                                    "04030201"   // caret byte
                                                    "01"         // caret nibble
                                                    "00"         // caret in text
                                                    "05000000"   // selection start
                                                    "07000000"   // selection end
                                                    "ffffffff"   // selection anchor
                                                    "05000000"   // position
                                                    "02000000"   // count
                                                    "03000000"   // replaced count
                                                    "aabbcc"     // payload
                                                    "28000000"); // trailer: 3 + 37
    QCOMPARE(THexUndoLog::encode(record).toHex(), expected.toHex());
}

void TestHexUndoLog::decodeRoundTrips() {
    HexUndoRecord record;
    record.kind = HexUndoKind::ByteChanged;
    record.oldMark = true;
    record.caretByte = 77;
    record.caretInText = true;
    record.selStart = record.selEnd = record.selAnchor = -1;
    record.position = 77;
    record.count = 1;
    record.payload = QByteArray(1, '\x12');
    const QByteArray bytes = THexUndoLog::encode(record);
    QCOMPARE(bytes.size(), 38);
    const HexUndoRecord back = THexUndoLog::decode(bytes.constData(), bytes.size());
    QCOMPARE(back.kind, HexUndoKind::ByteChanged);
    QVERIFY(back.oldMark);
    QVERIFY(back.caretInText);
    QCOMPARE(back.caretByte, 77);
    QCOMPARE(back.selAnchor, -1);
    QCOMPARE(back.payload, QByteArray(1, '\x12'));
}

void TestHexUndoLog::texts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "Byte changed";
    QTest::newRow("1") << 1 << "Byte(s) removed";
    QTest::newRow("2") << 2 << "Insert Buffer";
    QTest::newRow("3") << 3 << "Replace selection";
    QTest::newRow("4") << 4 << "Append buffer";
}

void TestHexUndoLog::texts() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QCOMPARE(HexUndoText(HexUndoKind(kind)), text);
}

void TestHexUndoLog::holdsAtMostHundredRecords() {
    THexUndoLog log;
    for (int i = 0; i < 101; ++i) {
        HexUndoRecord record;
        record.kind = HexUndoKind::BytesRemoved;
        record.position = i;
        record.count = 1 + i % 3;
        record.payload = QByteArray(record.count, char(i));
        log.append(record);
    }
    QCOMPARE(log.count(), 100);
    QCOMPARE(log.newest().position, 100);
    QList<int> positions;
    while (log.count() > 0) {
        positions.prepend(log.newest().position);
        log.removeNewest();
    }
    QCOMPARE(positions.first(), 1); // record 0 was dropped
    QCOMPARE(positions.size(), 100);
    QVERIFY(log.bytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestHexUndoLog)
#include "tst_hexundolog.moc"
