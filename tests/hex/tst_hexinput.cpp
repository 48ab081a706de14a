#include "hex/HexDocument.h"
#include "hex/HexInput.h"

#include "HexFixtures.h"
#include "TestWorld.h"

#include <QTest>

#include <algorithm>

using hexgrid::Cell;

namespace {

// A view of `rows` full rows and `cols` scrolling columns.
class FakeViewport : public HexViewport {
public:
    explicit FakeViewport(const THexDocument& doc) : m_doc(doc) {}
    int top = 0, rows = 4, left = 2, cols = 10;
    int topRow() const override { return top; }
    int visibleRows() const override { return rows; }
    void setTopRow(int row) override {
        top = std::clamp(row, 0, std::max(0, m_doc.rowCount() - rows));
    }
    int leftColumn() const override { return left; }
    int visibleColumns() const override { return cols; }
    void setLeftColumn(int col) override { left = std::clamp(col, 2, m_doc.columnCount() - 1); }

private:
    const THexDocument& m_doc;
};

} // namespace

// Keys, typed characters and the cell acceptance, without a widget.
class TestHexInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void seventeenBytesAtSixteenPerLine();
    void homeAndEnd_data();
    void homeAndEnd();
    void leftAndRight_data();
    void leftAndRight();
    void tabBetweenTwins_data();
    void tabBetweenTwins();
    void typingNibbles();
    void capitalAInBothAreas();
    void typingInTheTextArea();
    void typingIgnored_data();
    void typingIgnored();
    void backspaceAndDeleteNeverDelete();
    void ctrlDeleteRemoves();
    void bookmarks();
    void shiftSelects();
    void moveWithoutShiftClearsSelection();
    void acceptanceBeyondDataAndSeparator();
    void emptyDocumentRefusesEveryCell();
    void gridNavigation_data();
    void gridNavigation();
    void unhandledKeysGoOn();

private:
    void load(const QByteArray& bytes);
    bool key(int code, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void type(const QString& text);

    std::unique_ptr<TestWorld> m_world;
    std::unique_ptr<THexDocument> m_doc;
};

void TestHexInput::init() {
    m_world = std::make_unique<TestWorld>();
    m_doc = std::make_unique<THexDocument>();
}

void TestHexInput::cleanup() {
    m_doc.reset();
    m_world.reset();
}

void TestHexInput::load(const QByteArray& bytes) {
    m_doc->setFileName(m_world->file("input.bin", bytes));
    QVERIFY(m_doc->LoadFromFile());
}

bool TestHexInput::key(int code, Qt::KeyboardModifiers mods) {
    // The order the control uses: its own keys, then the grid's navigation.
    if (HexControlKey(*m_doc, code, mods)) return true;
    FakeViewport view(*m_doc);
    HexGridKey(*m_doc, view, code, mods);
    return false;
}

void TestHexInput::type(const QString& text) {
    for (const QChar ch : text)
        HexTypeChar(*m_doc, ch);
}

void TestHexInput::seventeenBytesAtSixteenPerLine() {
    load(countingBytes(17));
    QCOMPARE(m_doc->rowCount(), 2);
    key(Qt::Key_End);
    QCOMPARE(m_doc->CaretPosition(), 15);
    key(Qt::Key_Down);
    QCOMPARE(m_doc->CaretPosition(), 16); // the column of byte 31 does not exist: the last byte
    key(Qt::Key_Home);
    key(Qt::Key_End);
    QCOMPARE(m_doc->CaretPosition(), 16);
    QCOMPARE(m_doc->cellText(2, 1), QString("1"));
    QCOMPARE(m_doc->cellText(4, 1), QString());
    QCOMPARE(m_doc->cellText(36, 1), QString());
}

void TestHexInput::homeAndEnd_data() {
    QTest::addColumn<Cell>("from");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mods");
    QTest::addColumn<Cell>("to");
    // 40 bytes: rows 0 and 1 full, row 2 holds bytes 32..39.
    QTest::newRow("home hex") << Cell{13, 1} << int(Qt::Key_Home) << 0 << Cell{2, 1};
    QTest::newRow("home text") << Cell{40, 1} << int(Qt::Key_Home) << 0 << Cell{35, 1};
    QTest::newRow("ctrl home") << Cell{40, 2} << int(Qt::Key_Home) << int(Qt::ControlModifier)
                               << Cell{35, 0};
    QTest::newRow("end hex") << Cell{3, 1} << int(Qt::Key_End) << 0 << Cell{32, 1};
    QTest::newRow("end text short row") << Cell{35, 2} << int(Qt::Key_End) << 0 << Cell{42, 2};
    QTest::newRow("ctrl end") << Cell{5, 0} << int(Qt::Key_End) << int(Qt::ControlModifier)
                              << Cell{16, 2};
}

void TestHexInput::homeAndEnd() {
    QFETCH(Cell, from);
    QFETCH(int, code);
    QFETCH(int, mods);
    QFETCH(Cell, to);
    load(countingBytes(40));
    QVERIFY(m_doc->moveCaret(from));
    QVERIFY(key(code, Qt::KeyboardModifiers(mods)));
    QCOMPARE(m_doc->caret(), to);
}

void TestHexInput::leftAndRight_data() {
    QTest::addColumn<Cell>("from");
    QTest::addColumn<int>("code");
    QTest::addColumn<Cell>("to");
    // 20 bytes: byte 16 starts row 1; byte 19 is the last.
    QTest::newRow("left low to high") << Cell{5, 0} << int(Qt::Key_Left) << Cell{4, 0};
    QTest::newRow("left high to previous low") << Cell{4, 0} << int(Qt::Key_Left) << Cell{3, 0};
    QTest::newRow("left across rows") << Cell{2, 1} << int(Qt::Key_Left) << Cell{33, 0};
    QTest::newRow("left stops at byte 0") << Cell{2, 0} << int(Qt::Key_Left) << Cell{2, 0};
    QTest::newRow("left text") << Cell{36, 0} << int(Qt::Key_Left) << Cell{35, 0};
    QTest::newRow("left text across rows") << Cell{35, 1} << int(Qt::Key_Left) << Cell{50, 0};
    QTest::newRow("left text at byte 0") << Cell{35, 0} << int(Qt::Key_Left) << Cell{35, 0};
    QTest::newRow("right high to low") << Cell{4, 0} << int(Qt::Key_Right) << Cell{5, 0};
    QTest::newRow("right low to next high") << Cell{33, 0} << int(Qt::Key_Right) << Cell{2, 1};
    QTest::newRow("right stops at the last low nibble")
        << Cell{9, 1} << int(Qt::Key_Right) << Cell{9, 1};
    QTest::newRow("right text") << Cell{50, 0} << int(Qt::Key_Right) << Cell{35, 1};
    QTest::newRow("right text at the last byte")
        << Cell{38, 1} << int(Qt::Key_Right) << Cell{38, 1};
}

void TestHexInput::leftAndRight() {
    QFETCH(Cell, from);
    QFETCH(int, code);
    QFETCH(Cell, to);
    load(countingBytes(20));
    QVERIFY(m_doc->moveCaret(from));
    QVERIFY(key(code));
    QCOMPARE(m_doc->caret(), to);
}

void TestHexInput::tabBetweenTwins_data() {
    QTest::addColumn<Cell>("from");
    QTest::addColumn<int>("mods");
    QTest::addColumn<Cell>("to");
    QTest::newRow("low nibble to text") << Cell{9, 0} << 0 << Cell{38, 0};
    QTest::newRow("high nibble to text") << Cell{8, 0} << 0 << Cell{38, 0};
    QTest::newRow("text to high nibble") << Cell{38, 0} << 0 << Cell{8, 0};
    QTest::newRow("shift tab") << Cell{38, 0} << int(Qt::ShiftModifier) << Cell{8, 0};
}

void TestHexInput::tabBetweenTwins() {
    QFETCH(Cell, from);
    QFETCH(int, mods);
    QFETCH(Cell, to);
    load(countingBytes(16));
    QVERIFY(m_doc->moveCaret(from));
    QVERIFY(key(Qt::Key_Tab, Qt::KeyboardModifiers(mods)));
    QCOMPARE(m_doc->caret(), to);
}

void TestHexInput::typingNibbles() {
    load(QByteArray("\x12\x34", 2));
    type("f");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("f234"));
    QCOMPARE(m_doc->caret(), (Cell{3, 0}));
    type("0");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("f034"));
    QCOMPARE(m_doc->caret(), (Cell{4, 0}));
    QVERIFY(m_doc->isMarked(0));
    QCOMPARE(m_doc->undoLog().count(), 2);
    type("9a");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("f09a"));
    QCOMPARE(m_doc->caret(), (Cell{5, 0})); // the last nibble: the caret stays
    type("b");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("f09b"));
}

void TestHexInput::capitalAInBothAreas() {
    load(QByteArray("\x00\x00", 2));
    type("A");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("0000"));
    QVERIFY(!m_doc->CanUndo());
    QCOMPARE(m_doc->caret(), (Cell{2, 0}));
    key(Qt::Key_Tab);
    type("A");
    QCOMPARE(contents(*m_doc).toHex(), QByteArray("4100"));
    QCOMPARE(m_doc->caret(), (Cell{36, 0}));
}

void TestHexInput::typingInTheTextArea() {
    load(QByteArray(20, '.'));
    QVERIFY(m_doc->moveCaret({49, 0})); // byte 14
    type(QString("xyz") + QChar(0x20AC));
    QCOMPARE(contents(*m_doc).mid(14, 4), QByteArray("xyz\x80"));
    QCOMPARE(m_doc->caret(), (Cell{37, 1})); // wrapped onto the next row
    m_doc->setOEMTranslate(true);
    type(QString(QChar(0x00C7))); // 0x80 in the OEM page
    QCOMPARE(uchar(contents(*m_doc).at(18)), uchar(0x80));
}

void TestHexInput::typingIgnored_data() {
    QTest::addColumn<Cell>("at");
    QTest::addColumn<QString>("text");
    QTest::newRow("control char in text") << Cell{35, 0} << "\x01\t\r";
    QTest::newRow("no byte for the char") << Cell{35, 0} << QString(QChar(0x4E2D));
    QTest::newRow("not a hex digit") << Cell{2, 0} << "gG-xF";
}

void TestHexInput::typingIgnored() {
    QFETCH(Cell, at);
    QFETCH(QString, text);
    load("abc");
    QVERIFY(m_doc->moveCaret(at));
    type(text);
    QCOMPARE(contents(*m_doc), QByteArray("abc"));
    QVERIFY(!m_doc->Modified());
    QCOMPARE(m_doc->caret(), at);
}

void TestHexInput::backspaceAndDeleteNeverDelete() {
    load(countingBytes(16));
    QVERIFY(m_doc->moveCaret({6, 0}));
    QVERIFY(!key(Qt::Key_Backspace));
    QCOMPARE(m_doc->caret(), (Cell{5, 0}));
    QVERIFY(!key(Qt::Key_Delete));
    QVERIFY(m_doc->moveCaret({36, 0}));
    key(Qt::Key_Backspace);
    QCOMPARE(m_doc->caret(), (Cell{35, 0}));
    key(Qt::Key_Backspace); // onto the separator: refused
    QCOMPARE(m_doc->caret(), (Cell{35, 0}));
    QCOMPARE(contents(*m_doc), countingBytes(16));
    QVERIFY(!m_doc->CanUndo());
}

void TestHexInput::ctrlDeleteRemoves() {
    load("abcdef");
    QVERIFY(m_doc->moveCaret({4, 0}));
    QVERIFY(!key(Qt::Key_Delete, Qt::ControlModifier)); // removes, then goes on like any key
    QCOMPARE(contents(*m_doc), QByteArray("acdef"));
    selectBytes(*m_doc, 1, 3);
    key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(contents(*m_doc), QByteArray("af"));
    key(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier); // not exactly Ctrl
    QCOMPARE(contents(*m_doc), QByteArray("af"));
}

void TestHexInput::bookmarks() {
    load(countingBytes(16 * 10));
    QVERIFY(m_doc->moveCaret({12, 5}));
    QVERIFY(key(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier));
    QCOMPARE(m_doc->bookmark(3), 5);
    QCOMPARE(m_doc->bookmarkAt(5), 3);
    QVERIFY(m_doc->moveCaret({40, 8}));
    QVERIFY(key(Qt::Key_3, Qt::ControlModifier));
    QCOMPARE(m_doc->caret(), (Cell{2, 5}));
    QVERIFY(m_doc->moveCaret({40, 8}));
    QVERIFY(key(Qt::Key_4, Qt::ControlModifier)); // unset: column 2 of the current row
    QCOMPARE(m_doc->caret(), (Cell{2, 8}));
    QVERIFY(key(Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier));
    QVERIFY(key(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier));
    QCOMPARE(m_doc->bookmarkAt(8), 1); // the lowest digit on the row
    QVERIFY(!key(Qt::Key_5,
                 Qt::ControlModifier | Qt::KeypadModifier)); // keypad digits are not bookmarks
    QCOMPARE(m_doc->bookmark(5), -1);
    // Bookmarks survive loading; one beyond the last row is dropped when used.
    load(countingBytes(16 * 4));
    QCOMPARE(m_doc->bookmark(3), 5);
    QVERIFY(key(Qt::Key_3, Qt::ControlModifier));
    QCOMPARE(m_doc->bookmark(3), -1);
    QCOMPARE(m_doc->caret(), (Cell{2, 0}));
}

void TestHexInput::shiftSelects() {
    load(countingBytes(32));
    QVERIFY(m_doc->moveCaret({6, 0})); // byte 2
    HeldKeys held;
    held.state.shift = true;
    QVERIFY(key(Qt::Key_Shift, Qt::ShiftModifier));
    QVERIFY(m_doc->selecting());
    key(Qt::Key_Right, Qt::ShiftModifier); // low nibble of byte 2
    QCOMPARE(m_doc->SelStart(), 2);
    QCOMPARE(m_doc->SelEnd(), 2);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(m_doc->SelEnd(), 3);
    key(Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(m_doc->SelStart(), 2);
    QCOMPARE(m_doc->SelEnd(), 15);
    key(Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(m_doc->SelStart(), 0);
    QCOMPARE(m_doc->SelEnd(), 2);
    QCOMPARE(m_doc->SelAnchor(), 2);
    held.state.shift = false;
    key(Qt::Key_Right); // no modifier: clears first
    QCOMPARE(m_doc->SelCount(), 0);
    QVERIFY(!m_doc->selecting());
}

void TestHexInput::moveWithoutShiftClearsSelection() {
    load(countingBytes(32));
    selectBytes(*m_doc, 3, 9);
    QCOMPARE(m_doc->SelCount(), 7);
    key(Qt::Key_Down, Qt::AltModifier); // a modifier, but neither Shift nor the button held
    QCOMPARE(m_doc->SelCount(), 0);
}

void TestHexInput::acceptanceBeyondDataAndSeparator() {
    load(countingBytes(20));
    QVERIFY(m_doc->moveCaret({6, 0}));
    QVERIFY(!m_doc->moveCaret({40, 1}));            // text cell of byte 21: beyond
    QCOMPARE(m_doc->caret(), (Cell{2 + 2 * 3, 1})); // last byte, in the caret's (hex) area
    QVERIFY(m_doc->moveCaret({36, 0}));
    QVERIFY(!m_doc->moveCaret({12, 1}));
    QCOMPARE(m_doc->caret(), (Cell{35 + 3, 1})); // last byte, text area
    QVERIFY(!m_doc->moveCaret({34, 0}));         // the separator, no button: stays
    QCOMPARE(m_doc->caret(), (Cell{38, 1}));
    HeldKeys held;
    held.state.leftButton = true;
    QVERIFY(!m_doc->moveCaret({34, 0}));
    QCOMPARE(m_doc->caret(), (Cell{33, 0})); // the last low nibble of that row
    QVERIFY(!m_doc->moveCaret({34, 1}));     // the last row's separator: its row ends early
    QCOMPARE(m_doc->caret(), (Cell{2 + 2 * 3, 1}));
    QVERIFY(!m_doc->moveCaret({1, 0})); // fixed columns never
    QVERIFY(!m_doc->moveCaret({2, 2})); // no such row
}

void TestHexInput::emptyDocumentRefusesEveryCell() {
    QVERIFY(!m_doc->moveCaret({3, 0}));
    QCOMPARE(m_doc->caret(), (Cell{2, 0}));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(m_doc->caret(), (Cell{2, 0}));
    type("ab");
    QCOMPARE(m_doc->DataSize(), 0);
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Right);
    QCOMPARE(m_doc->caret(), (Cell{2, 0}));
}

void TestHexInput::gridNavigation_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mods");
    QTest::addColumn<Cell>("to");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    // From cell (20, 10) with rows 8..11 and columns 10..19 in view; 40 rows of data.
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << Cell{20, 9} << 8 << 10;
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << Cell{20, 11} << 8 << 10;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << Cell{20, 14} << 12 << 10;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 0 << Cell{20, 6} << 4 << 10;
    QTest::newRow("ctrl up scrolls only")
        << int(Qt::Key_Up) << int(Qt::ControlModifier) << Cell{20, 10} << 7 << 10;
    QTest::newRow("ctrl down scrolls only")
        << int(Qt::Key_Down) << int(Qt::ControlModifier) << Cell{20, 10} << 9 << 10;
    QTest::newRow("ctrl page up") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << Cell{20, 8}
                                  << 8 << 10;
    QTest::newRow("ctrl page down")
        << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << Cell{20, 11} << 8 << 10;
    QTest::newRow("ctrl left") << int(Qt::Key_Left) << int(Qt::ControlModifier) << Cell{10, 10} << 8
                               << 2;
    QTest::newRow("ctrl right") << int(Qt::Key_Right) << int(Qt::ControlModifier) << Cell{30, 10}
                                << 8 << 20;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << Cell{19, 10} << 8 << 10;
}

void TestHexInput::gridNavigation() {
    QFETCH(int, code);
    QFETCH(int, mods);
    QFETCH(Cell, to);
    QFETCH(int, top);
    QFETCH(int, left);
    load(countingBytes(16 * 40));
    QVERIFY(m_doc->moveCaret({20, 10}));
    FakeViewport view(*m_doc);
    view.top = 8;
    view.left = 10;
    QVERIFY(!HexControlKey(*m_doc, code, Qt::KeyboardModifiers(mods)));
    HexGridKey(*m_doc, view, code, Qt::KeyboardModifiers(mods));
    QCOMPARE(m_doc->caret(), to);
    QCOMPARE(view.top, top);
    QCOMPARE(view.left, left);
}

void TestHexInput::unhandledKeysGoOn() {
    load("abc");
    QVERIFY(!HexControlKey(*m_doc, Qt::Key_A, Qt::ControlModifier));
    QVERIFY(!HexControlKey(*m_doc, Qt::Key_F5, Qt::NoModifier));
    QVERIFY(!HexControlKey(*m_doc, Qt::Key_Tab, Qt::ControlModifier));
    QVERIFY(!HexControlKey(*m_doc, Qt::Key_Left, Qt::ControlModifier));
}

QTEST_GUILESS_MAIN(TestHexInput)
#include "tst_hexinput.moc"
