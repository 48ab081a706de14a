#include "hex/HexEditor.h"

#include "HexFixtures.h"
#include "TestWorld.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using hexgrid::Cell;

// The grid control: layout, painting, mouse and keys as the widget receives them.
class TestHexEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void columnLayout();
    void clickBeyondLastByte_data();
    void clickBeyondLastByte();
    void clickOnSeparator();
    void dragSelectsWholeBytes();
    void doubleClickDoesNotSelect();
    void autoScrollEverySixtyMilliseconds();
    void paintsCellColours();
    void paintsBookmarkAndCaret();
    void bookmarkKeysByPhysicalDigit();
    void tabStaysInTheControl();
    void deleteKeyTypesNothing();
    void onKeyDownCanConsume();
    void stateChangedCarriesTheControl();
    void widthChangeKeepsCaretAndSelection();
    void caretScrollsIntoView();

private:
    void load(const QByteArray& bytes);
    QPoint centre(int col, int row) const { return m_editor->cellRect(col, row).center(); }
    QColor pixel(const QImage& image, const QPoint& at) const { return image.pixelColor(at); }

    std::unique_ptr<TestWorld> m_world;
    std::unique_ptr<THexEditor> m_editor;
};

void TestHexEditor::init() {
    m_world = std::make_unique<TestWorld>();
    m_editor = std::make_unique<THexEditor>();
    m_editor->resize(700, 12 * 20);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void TestHexEditor::cleanup() {
    m_editor.reset();
    m_world.reset();
}

void TestHexEditor::load(const QByteArray& bytes) {
    m_editor->setFileName(m_world->file("grid.bin", bytes));
    QVERIFY(m_editor->LoadFromFile());
}

void TestHexEditor::columnLayout() {
    const QFontMetrics metrics(m_editor->font());
    const int w = metrics.horizontalAdvance("w");
    QCOMPARE(m_editor->charWidth(), w);
    QCOMPARE(m_editor->rowHeight(), metrics.height() + 2);
    load(countingBytes(40));
    const int h = m_editor->rowHeight();
    QCOMPARE(m_editor->cellRect(0, 1), QRect(0, h, 9 * w, h));
    QCOMPARE(m_editor->cellRect(1, 1), QRect(9 * w, h, w, h));
    QCOMPARE(m_editor->cellRect(2, 0), QRect(10 * w, 0, w, h));
    QCOMPARE(m_editor->cellRect(3, 0), QRect(11 * w, 0, 2 * w, h)); // the gap after the byte
    QCOMPARE(m_editor->cellRect(4, 0).left(), 13 * w);
    QCOMPARE(m_editor->cellRect(34, 0), QRect(58 * w, 0, w, h)); // separator
    QCOMPARE(m_editor->cellRect(35, 0), QRect(59 * w, 0, w, h));
    QCOMPARE(m_editor->cellRect(50, 2).left(), 74 * w);
    Cell cell;
    QVERIFY(m_editor->cellAt(QPoint(12 * w, h + 1), cell));
    QCOMPARE(cell, (Cell{3, 1}));
    QVERIFY(m_editor->cellAt(QPoint(59 * w + 1, 2 * h + 1), cell));
    QCOMPARE(cell, (Cell{35, 2}));
    QVERIFY(!m_editor->cellAt(QPoint(20, 3 * h + 1), cell)); // below the last row
    // The first two columns stay when the grid scrolls sideways.
    m_editor->resize(40 * w, 10 * h);
    m_editor->setLeftColumn(20);
    QCOMPARE(m_editor->leftColumn(), 20);
    QCOMPARE(m_editor->cellRect(1, 0).left(), 9 * w);
    QCOMPARE(m_editor->cellRect(20, 0).left(), 10 * w);
    QVERIFY(m_editor->cellRect(10, 0).isEmpty());
}

void TestHexEditor::clickBeyondLastByte_data() {
    QTest::addColumn<Cell>("start");
    QTest::addColumn<Cell>("click");
    QTest::addColumn<Cell>("landing");
    // 20 bytes: the last is byte 19, row 1, offset 3.
    QTest::newRow("hex cell") << Cell{2, 0} << Cell{20, 1} << Cell{8, 1};
    QTest::newRow("text cell") << Cell{35, 0} << Cell{45, 1} << Cell{38, 1};
    QTest::newRow("text cell from the hex area") << Cell{2, 0} << Cell{45, 1} << Cell{8, 1};
}

void TestHexEditor::clickBeyondLastByte() {
    QFETCH(Cell, start);
    QFETCH(Cell, click);
    QFETCH(Cell, landing);
    load(countingBytes(20));
    m_editor->document().moveCaret(start);
    HeldKeys held;
    held.state.leftButton = true;
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, centre(click.col, click.row));
    QCOMPARE(m_editor->document().caret(), landing);
    QCOMPARE(m_editor->CaretPosition(), 19);
}

void TestHexEditor::clickOnSeparator() {
    load(countingBytes(48));
    HeldKeys held;
    held.state.leftButton = true;
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, centre(34, 1));
    QCOMPARE(m_editor->document().caret(), (Cell{33, 1}));
    QCOMPARE(m_editor->CaretPosition(), 31);
}

void TestHexEditor::dragSelectsWholeBytes() {
    load(countingBytes(64));
    QSignalSpy mouseUp(m_editor.get(), &THexEditor::OnMouseUp);
    HeldKeys held;
    held.state.leftButton = true;
    QWidget* view = m_editor->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, centre(7, 0)); // low nibble of byte 2
    QVERIFY(m_editor->document().selecting());
    QCOMPARE(m_editor->SelCount(), 0);
    QTest::mouseMove(view, centre(10, 1)); // high nibble of byte 20
    QCOMPARE(m_editor->SelStart(), 2);
    QCOMPARE(m_editor->SelEnd(), 20);
    QTest::mouseMove(view, centre(35, 0)); // back before the anchor, in the text area
    QCOMPARE(m_editor->SelStart(), 0);
    QCOMPARE(m_editor->SelEnd(), 2);
    QCOMPARE(m_editor->SelAnchor(), 2);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre(35, 0));
    held.state.leftButton = false;
    QVERIFY(!m_editor->document().selecting());
    QCOMPARE(mouseUp.count(), 1);
    QCOMPARE(m_editor->SelCount(), 3); // the selection stays after the release
}

void TestHexEditor::doubleClickDoesNotSelect() {
    load(countingBytes(64));
    HeldKeys held;
    held.state.leftButton = true;
    QTest::mouseDClick(m_editor->viewport(), Qt::LeftButton, {}, centre(8, 0));
    QVERIFY(!m_editor->document().selecting());
    QCOMPARE(m_editor->SelCount(), 0);
}

void TestHexEditor::autoScrollEverySixtyMilliseconds() {
    load(countingBytes(16 * 100));
    m_editor->resize(700, 5 * m_editor->rowHeight() + 30);
    QApplication::processEvents();
    const int rows = m_editor->visibleRows();
    HeldKeys held;
    held.state.leftButton = true;
    QWidget* view = m_editor->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, centre(4, 1));
    QTest::mouseMove(view, QPoint(centre(4, 1).x(), view->height() + 20)); // below the cells
    QTest::qWait(THexEditor::kScrollInterval * 6);
    const int row = m_editor->document().caret().row;
    QVERIFY2(row >= 4, qPrintable(QString::number(row)));
    QVERIFY(row <= 1 + 8);
    QCOMPARE(m_editor->topRow(), row - rows + 1);
    QCOMPARE(m_editor->SelStart(), 1 * 16 + 1);
    QCOMPARE(m_editor->SelEnd(), row * 16 + 1);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(centre(4, 1).x(), view->height() + 20));
    held.state.leftButton = false;
    const int stopped = m_editor->document().caret().row;
    QTest::qWait(THexEditor::kScrollInterval * 3);
    QCOMPARE(m_editor->document().caret().row, stopped);
}

void TestHexEditor::paintsCellColours() {
    load(countingBytes(48));
    THexDocument& doc = m_editor->document();
    doc.ChangeByte(1, 0x11, 0, 4, 1);   // byte 1 marked
    doc.ChangeByte(17, 0x21, 1, 4, 17); // byte 17 marked, and selected below
    selectBytes(doc, 16, 18);
    const QImage image = m_editor->viewport()->grab().toImage();
    const QColor base = m_editor->palette().color(QPalette::Base);
    const QColor text = m_editor->palette().color(QPalette::Text);
    // A point in the gap half of each low-nibble cell shows the background only.
    const auto gap = [&](int col, int row) {
        const QRect cell = m_editor->cellRect(col, row);
        return QPoint(cell.right() - 1, cell.center().y());
    };
    QCOMPARE(pixel(image, gap(3, 0)), base);                                    // byte 0
    QCOMPARE(pixel(image, gap(5, 0)), QColor(THexEditor::kModifiedBackground)); // marked
    QCOMPARE(pixel(image, gap(3, 1)), text);                                    // selected
    QCOMPARE(pixel(image, gap(5, 1)), QColor(THexEditor::kModifiedText));       // both: swapped
    QCOMPARE(pixel(image, gap(9, 1)), base);                                    // byte 19
    const QRect separator = m_editor->cellRect(34, 1);
    QCOMPARE(pixel(image, separator.center()), base); // never selected
}

void TestHexEditor::paintsBookmarkAndCaret() {
    load(countingBytes(48));
    m_editor->activateWindow();
    m_editor->setFocus();
    QTRY_VERIFY(m_editor->hasFocus());
    THexDocument& doc = m_editor->document();
    doc.moveCaret({6, 2}); // byte 34, high nibble
    doc.setBookmark(7, 2);
    const QImage image = m_editor->viewport()->grab().toImage();
    const QRect gutter = m_editor->cellRect(1, 2);
    QCOMPARE(pixel(image, QPoint(gutter.right(), gutter.bottom())),
             QColor(THexEditor::kBookmarkBackground));
    // The caret: a block one character wide and two pixels short of the row, in the twin
    // frame colour on the white background.
    const QRect caret = m_editor->cellRect(6, 2);
    QCOMPARE(pixel(image, caret.topLeft()), QColor(THexEditor::kTwinFrame));
    QCOMPARE(pixel(image, QPoint(caret.left(), caret.bottom() - 2)),
             QColor(THexEditor::kTwinFrame));
    QCOMPARE(pixel(image, QPoint(caret.left(), caret.bottom())),
             m_editor->palette().color(QPalette::Base));
    // The twin in the text area gets the frame.
    const QRect twin = m_editor->cellRect(37, 2);
    QCOMPARE(pixel(image, QPoint(twin.left(), twin.center().y())), QColor(THexEditor::kTwinFrame));
    QCOMPARE(pixel(image, QPoint(twin.left() + m_editor->charWidth() - 1, twin.top())),
             QColor(THexEditor::kTwinFrame));
    // Without the focus neither caret nor frame is drawn.
    m_editor->clearFocus();
    QTRY_VERIFY(!m_editor->hasFocus());
    const QImage unfocused = m_editor->viewport()->grab().toImage();
    QCOMPARE(pixel(unfocused, QPoint(twin.left(), twin.center().y())),
             m_editor->palette().color(QPalette::Base));
}

void TestHexEditor::bookmarkKeysByPhysicalDigit() {
    load(countingBytes(16 * 10));
    m_editor->document().moveCaret({8, 6});
    // Ctrl+Shift+3 as a US keyboard reports it: '#' on the key with scan code 12.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier,
                    12, 0, 0, "#");
    QApplication::sendEvent(m_editor.get(), &press);
    QCOMPARE(m_editor->document().bookmark(3), 6);
    QCOMPARE(contents(m_editor->document()), countingBytes(16 * 10)); // nothing typed
    m_editor->document().moveCaret({40, 1});
    QTest::keyClick(m_editor.get(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(m_editor->document().caret(), (Cell{2, 6}));
}

void TestHexEditor::tabStaysInTheControl() {
    load(countingBytes(16));
    m_editor->activateWindow();
    m_editor->setFocus();
    QTRY_VERIFY(m_editor->hasFocus());
    m_editor->document().moveCaret({9, 0});
    QTest::keyClick(m_editor.get(), Qt::Key_Tab);
    QCOMPARE(m_editor->document().caret(), (Cell{38, 0}));
    QTest::keyClick(m_editor.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(m_editor->document().caret(), (Cell{8, 0}));
    QVERIFY(m_editor->hasFocus());
}

void TestHexEditor::deleteKeyTypesNothing() {
    load("abc");
    m_editor->document().moveCaret({36, 0});
    QTest::keyClick(m_editor.get(), Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f");
    QApplication::sendEvent(m_editor.get(), &del);
    QTest::keyClick(m_editor.get(), Qt::Key_Backspace);
    QCOMPARE(contents(m_editor->document()), QByteArray("abc"));
    QTest::keyClicks(m_editor.get(), "Xy");
    QCOMPARE(contents(m_editor->document()), QByteArray("Xyc"));
    QTest::keyClick(m_editor.get(), Qt::Key_Home);
    QTest::keyClick(m_editor.get(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(contents(m_editor->document()), QByteArray("yc"));
}

void TestHexEditor::onKeyDownCanConsume() {
    load(countingBytes(64));
    QList<int> seen;
    connect(m_editor.get(), &THexEditor::OnKeyDown, this, [&](QKeyEvent* event) {
        seen.append(event->key());
        if (event->key() == Qt::Key_Down) event->accept();
    });
    QTest::keyClick(m_editor.get(), Qt::Key_Down);
    QCOMPARE(m_editor->document().caret(), (Cell{2, 0})); // consumed: no navigation
    QTest::keyClick(m_editor.get(), Qt::Key_PageDown);
    QCOMPARE(m_editor->document().caret().row, 3);
    QTest::keyClick(m_editor.get(), Qt::Key_End); // the control's own key: not offered
    QCOMPARE(seen, (QList<int>{Qt::Key_Down, Qt::Key_PageDown}));
}

void TestHexEditor::stateChangedCarriesTheControl() {
    load("abc");
    QApplication::processEvents();
    QSignalSpy spy(m_editor.get(), &THexEditor::OnStateChanged);
    QTest::keyClick(m_editor.get(), Qt::Key_7);
    QCOMPARE(contents(m_editor->document()), QByteArray("qbc"));
    QVERIFY(spy.isEmpty()); // deferred
    QTRY_VERIFY(!spy.isEmpty());
    QCOMPARE(spy.first().first().value<THexEditor*>(), m_editor.get());
}

void TestHexEditor::widthChangeKeepsCaretAndSelection() {
    load(countingBytes(300));
    selectBytes(m_editor->document(), 100, 130);
    m_editor->setBytesPerLine(64);
    QCOMPARE(m_editor->BytesPerLine(), 64);
    QCOMPARE(m_editor->CaretPosition(), 130);
    QCOMPARE(m_editor->SelStart(), 100);
    QCOMPARE(m_editor->SelEnd(), 130);
    QCOMPARE(m_editor->verticalScrollBar()->maximum(), std::max(0, 5 - m_editor->visibleRows()));
    QVERIFY(!m_editor->cellRect(m_editor->document().caret().col, 2).isEmpty()); // scrolled to it
}

void TestHexEditor::caretScrollsIntoView() {
    load(countingBytes(16 * 1000));
    QTest::keyClick(m_editor.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_editor->CaretPosition(), 16 * 1000 - 1);
    QCOMPARE(m_editor->topRow(), 1000 - m_editor->visibleRows());
    QTest::keyClick(m_editor.get(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_editor->topRow(), 0);
}

QTEST_MAIN(TestHexEditor)
#include "tst_hexeditor.moc"
