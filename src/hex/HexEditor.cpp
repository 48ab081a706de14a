#include "hex/HexEditor.h"

#include "core/CommandGuard.h"
#include "core/WaitCursor.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

using hexgrid::Cell;

namespace {

// Ctrl+Shift+3 arrives as '#' on most layouts: the physical key of the main keyboard's
// digit row (XKB key codes 10..19 for 1..9, 0) tells the digit.
int mainDigit(const QKeyEvent* event) {
    if (event->modifiers().testFlag(Qt::KeypadModifier)) return -1;
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) return event->key() - Qt::Key_0;
    const quint32 code = event->nativeScanCode();
    return code >= 10 && code <= 19 ? int((code - 9) % 10) : -1;
}

// Like the platform's character messages: Ctrl or Alt alone produce no typed character,
// AltGr (Ctrl+Alt) does, and Delete is no character at all.
bool typesText(const QKeyEvent* event) {
    if (event->text().isEmpty() || event->key() == Qt::Key_Delete) return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods.testFlag(Qt::MetaModifier)) return false;
    return mods.testFlag(Qt::ControlModifier) == mods.testFlag(Qt::AltModifier);
}

} // namespace

THexEditor::THexEditor(QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(new THexDocument(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    setFont(fixed);
    m_scrollTimer.setInterval(kScrollInterval);
    connect(&m_scrollTimer, &QTimer::timeout, this, &THexEditor::autoScroll);
    connect(m_doc, &THexDocument::OnStateChanged, this, [this] { Q_EMIT OnStateChanged(this); });
    connect(m_doc, &THexDocument::repaintNeeded, viewport(), qOverload<>(&QWidget::update));
    connect(m_doc, &THexDocument::gridRefreshed, this, [this] {
        measure();
        updateScrollBars();
        viewport()->update();
    });
    connect(m_doc, &THexDocument::caretMoved, this, &THexEditor::ensureCaretVisible);
    measure();
    updateScrollBars();
}

bool THexEditor::LoadFromFile() {
    const WaitCursor wait;
    return m_doc->LoadFromFile();
}

// ---- geometry

void THexEditor::measure() {
    const QFontMetrics metrics(font());
    m_w = std::max(1, metrics.horizontalAdvance(QStringLiteral("w")));
    m_rowHeight = metrics.height() + 2;
}

int THexEditor::columnWidth(int col) const {
    const int n = m_doc->BytesPerLine();
    if (col == hexgrid::kOffsetColumn) return 9 * m_w;
    if (col >= hexgrid::kFirstHexColumn && col <= hexgrid::lastHexColumn(n) && col % 2 == 1)
        return 2 * m_w;
    return m_w;
}

int THexEditor::columnOffset(int col) const {
    const int n = m_doc->BytesPerLine();
    if (col <= hexgrid::separatorColumn(n)) {
        const int k = col - hexgrid::kFirstHexColumn;
        return (k / 2) * 3 * m_w + (k % 2) * m_w;
    }
    return (3 * n + 1 + col - hexgrid::firstTextColumn(n)) * m_w;
}

int THexEditor::maxLeftColumn() const {
    const int room = viewport()->width() - fixedWidth();
    const int last = m_doc->columnCount() - 1;
    int left = last;
    while (left > hexgrid::kFixedColumns &&
           columnOffset(last) + columnWidth(last) - columnOffset(left - 1) <= room)
        --left;
    return left;
}

int THexEditor::topRow() const {
    return verticalScrollBar()->value();
}

int THexEditor::visibleRows() const {
    return std::max(1, viewport()->height() / m_rowHeight);
}

void THexEditor::setTopRow(int row) {
    verticalScrollBar()->setValue(row);
}

int THexEditor::leftColumn() const {
    return horizontalScrollBar()->value() + hexgrid::kFixedColumns;
}

int THexEditor::visibleColumns() const {
    const int room = viewport()->width() - fixedWidth();
    const int left = leftColumn();
    int count = 0;
    for (int col = left; col < m_doc->columnCount(); ++col) {
        if (columnOffset(col) + columnWidth(col) - columnOffset(left) > room) break;
        ++count;
    }
    return std::max(1, count);
}

void THexEditor::setLeftColumn(int col) {
    horizontalScrollBar()->setValue(col - hexgrid::kFixedColumns);
}

void THexEditor::updateScrollBars() {
    const int page = visibleRows();
    verticalScrollBar()->setRange(0, std::max(0, m_doc->rowCount() - page));
    verticalScrollBar()->setPageStep(page);
    horizontalScrollBar()->setRange(0, maxLeftColumn() - hexgrid::kFixedColumns);
    horizontalScrollBar()->setPageStep(visibleColumns());
}

QRect THexEditor::cellRect(int col, int row) const {
    const int top = topRow();
    if (row < top || row > top + visibleRows()) return {};
    const int y = (row - top) * m_rowHeight;
    if (col == hexgrid::kOffsetColumn) return {0, y, 9 * m_w, m_rowHeight};
    if (col == hexgrid::kGutterColumn) return {9 * m_w, y, m_w, m_rowHeight};
    const int left = leftColumn();
    if (col < left) return {};
    const int x = fixedWidth() + columnOffset(col) - columnOffset(left);
    if (x >= viewport()->width()) return {};
    return {x, y, columnWidth(col), m_rowHeight};
}

bool THexEditor::cellAt(const QPoint& pos, Cell& cell) const {
    if (!viewport()->rect().contains(pos)) return false;
    const int row = topRow() + pos.y() / m_rowHeight;
    if (row >= m_doc->rowCount()) return false;
    const int n = m_doc->BytesPerLine();
    int col;
    if (pos.x() < 9 * m_w) {
        col = hexgrid::kOffsetColumn;
    } else if (pos.x() < fixedWidth()) {
        col = hexgrid::kGutterColumn;
    } else {
        const int x = pos.x() - fixedWidth() + columnOffset(leftColumn());
        if (x < 3 * n * m_w)
            col = hexgrid::kFirstHexColumn + 2 * (x / (3 * m_w)) + (x % (3 * m_w) < m_w ? 0 : 1);
        else if (x < (3 * n + 1) * m_w)
            col = hexgrid::separatorColumn(n);
        else
            col = hexgrid::firstTextColumn(n) + (x - (3 * n + 1) * m_w) / m_w;
        if (col >= m_doc->columnCount()) return false;
    }
    cell = {col, row};
    return true;
}

void THexEditor::ensureCaretVisible() {
    const Cell caret = m_doc->caret();
    const int rows = visibleRows();
    if (caret.row < topRow())
        setTopRow(caret.row);
    else if (caret.row >= topRow() + rows)
        setTopRow(caret.row - rows + 1);
    if (caret.col < leftColumn()) {
        setLeftColumn(caret.col);
    } else {
        const int room = viewport()->width() - fixedWidth();
        int left = leftColumn();
        while (left < caret.col &&
               columnOffset(caret.col) + columnWidth(caret.col) - columnOffset(left) > room)
            ++left;
        setLeftColumn(left);
    }
    viewport()->update();
}

// ---- painting

void THexEditor::paintCell(QPainter& painter, int col, int row, const QRect& rect) {
    const int n = m_doc->BytesPerLine();
    QColor background = palette().color(QPalette::Base);
    QColor text = palette().color(QPalette::Text);
    const QString shown = m_doc->cellText(col, row);
    const int baseline = rect.top() + painter.fontMetrics().ascent();
    if (col != hexgrid::kOffsetColumn) {
        const qint64 index = hexgrid::byteOfCell(col, row, n);
        const bool data = col >= hexgrid::kFirstHexColumn && col != hexgrid::separatorColumn(n) &&
                          index < m_doc->DataSize();
        if (data && m_doc->isMarked(qint32(index))) {
            background = QColor(kModifiedBackground);
            text = QColor(kModifiedText);
        }
        const int mark = col == hexgrid::kGutterColumn ? m_doc->bookmarkAt(row) : -1;
        if (mark >= 0) {
            painter.fillRect(rect, QColor(kBookmarkBackground));
            const QFont saved = painter.font();
            QFont small(QStringLiteral("Arial"));
            if (font().pointSizeF() > 0)
                small.setPointSize(std::max(1, int(std::lround(font().pointSizeF() * 0.75))));
            else
                small.setPixelSize(std::max(1, int(std::lround(font().pixelSize() * 0.75))));
            painter.setFont(small);
            painter.setPen(QColor(kBookmarkText));
            painter.drawText(rect.left(), rect.top() + painter.fontMetrics().ascent(),
                             QString::number(mark));
            painter.setFont(saved);
            return;
        }
        if (data && m_doc->isSelected(qint32(index))) std::swap(background, text);
    }
    // Each cell's fill also covers any overhang of its left neighbour's glyph.
    painter.fillRect(rect, background);
    painter.setPen(text);
    painter.drawText(rect.left(), baseline, shown);
    const Cell caret = m_doc->caret();
    if (hasFocus() && row == caret.row && col != caret.col &&
        col == hexgrid::twinColumn(caret.col, n)) {
        painter.setPen(QColor(kTwinFrame));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rect.left(), rect.top(), m_w - 1, rect.height() - 1));
    }
}

void THexEditor::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const int top = topRow();
    const int last = std::min(m_doc->rowCount() - 1, top + viewport()->height() / m_rowHeight);
    const int left = leftColumn();
    const int width = viewport()->width();
    for (int row = top; row <= last; ++row) {
        const int y = (row - top) * m_rowHeight;
        paintCell(painter, hexgrid::kOffsetColumn, row, QRect(0, y, 9 * m_w, m_rowHeight));
        paintCell(painter, hexgrid::kGutterColumn, row, QRect(9 * m_w, y, m_w, m_rowHeight));
        for (int col = left, x = fixedWidth(); col < m_doc->columnCount() && x < width; ++col) {
            const int w = columnWidth(col);
            paintCell(painter, col, row, QRect(x, y, w, m_rowHeight));
            x += w;
        }
    }
    if (!hasFocus()) return;
    // The block caret inverts what lies under it, like a system caret: on the default
    // white it shows in the twin frame colour.
    const Cell caret = m_doc->caret();
    const QRect cell = cellRect(caret.col, caret.row);
    if (cell.isEmpty()) return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(cell.left(), cell.top(), m_w, m_rowHeight - 2),
                     QColor(~kTwinFrame & 0xFFFFFF));
}

// ---- input

void THexEditor::keyPressEvent(QKeyEvent* event) {
    // Typing writes the working copy; a failure is reported, never thrown into the loop.
    RunGuarded([&] { handleKey(event); });
    event->accept();
}

void THexEditor::handleKey(QKeyEvent* event) {
    int key = event->key() == Qt::Key_Backtab ? int(Qt::Key_Tab) : event->key();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        const int digit = mainDigit(event);
        if (digit >= 0) key = Qt::Key_0 + digit;
    }
    if (!HexControlKey(*m_doc, key, event->modifiers())) {
        event->ignore();
        Q_EMIT OnKeyDown(event);
        if (!event->isAccepted()) HexGridKey(*m_doc, *this, key, event->modifiers());
    }
    if (typesText(event))
        for (const QChar ch : event->text())
            HexTypeChar(*m_doc, ch);
}

void THexEditor::keyReleaseEvent(QKeyEvent* event) {
    QAbstractScrollArea::keyReleaseEvent(event);
    Q_EMIT OnKeyUp();
}

void THexEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_lastMouse = event->position().toPoint();
    Cell cell;
    if (cellAt(m_lastMouse, cell) && cell.col >= hexgrid::kFixedColumns) {
        m_dragging = true;
        m_doc->moveCaret(cell);
        m_scrollTimer.start();
    }
    m_doc->clearSelection();
    m_doc->setSelecting(true);
}

void THexEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    m_doc->clearSelection();
}

void THexEditor::mouseMoveEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    if (!m_dragging || !event->buttons().testFlag(Qt::LeftButton)) return;
    Cell cell;
    if (cellAt(m_lastMouse, cell) && cell.col >= hexgrid::kFixedColumns &&
        !(cell == m_doc->caret()))
        m_doc->moveCaret(cell);
}

void THexEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_scrollTimer.stop();
    m_doc->setSelecting(false);
    Q_EMIT OnMouseUp();
    Q_EMIT OnClick();
}

void THexEditor::autoScroll() {
    if (!m_dragging) {
        m_scrollTimer.stop();
        return;
    }
    // The cells in view: right of the fixed columns, down to the last row drawn.
    const int bottom = std::min(viewport()->height(), (m_doc->rowCount() - topRow()) * m_rowHeight);
    const int last = m_doc->columnCount() - 1;
    const int right =
        std::min(viewport()->width(), fixedWidth() + columnOffset(last) + columnWidth(last) -
                                          columnOffset(leftColumn()));
    Cell target = m_doc->caret();
    if (m_lastMouse.x() < fixedWidth())
        --target.col;
    else if (m_lastMouse.x() >= right)
        ++target.col;
    if (m_lastMouse.y() < 0)
        --target.row;
    else if (m_lastMouse.y() >= bottom)
        ++target.row;
    target.col = std::clamp(target.col, hexgrid::kFixedColumns, last);
    target.row = std::clamp(target.row, 0, m_doc->rowCount() - 1);
    if (!(target == m_doc->caret())) m_doc->moveCaret(target);
}

void THexEditor::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void THexEditor::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void THexEditor::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void THexEditor::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measure();
        updateScrollBars();
        viewport()->update();
    }
}

void THexEditor::scrollContentsBy(int, int) {
    viewport()->update();
}

bool THexEditor::focusNextPrevChild(bool) {
    return false;
}
