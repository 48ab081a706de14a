#include "hex/HexInput.h"

#include "hex/HexCodePage.h"
#include "hex/HexDocument.h"

#include <QString>

#include <algorithm>

using hexgrid::Cell;

namespace {
constexpr Qt::KeyboardModifiers kCompared =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
}

bool HexControlKey(THexDocument& doc, int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers mods = modifiers & kCompared;
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    if (key == Qt::Key_Delete && mods == Qt::ControlModifier) doc.DeleteSelection();
    if (mods == Qt::NoModifier && key != Qt::Key_Shift) doc.clearSelection();

    const int n = doc.BytesPerLine();
    const Cell caret = doc.caret();
    const bool text = doc.caretInText();
    const qint32 byte = doc.caretByte();
    const qint32 size = doc.DataSize();
    const auto inArea = [&](qint64 index) { return hexgrid::cellOfByte(index, n, text); };

    switch (key) {
    case Qt::Key_Home:
        doc.moveCaret(
            {text ? hexgrid::firstTextColumn(n) : hexgrid::kFirstHexColumn, ctrl ? 0 : caret.row});
        return true;
    case Qt::Key_End:
        if (size > 0)
            doc.moveCaret(
                inArea(ctrl ? size - 1 : std::min<qint64>(qint64(caret.row) * n + n, size) - 1));
        return true;
    case Qt::Key_Left:
        if (ctrl) break;
        if (text)
            doc.moveCaret(inArea(std::max(0, byte - 1)));
        else if (!hexgrid::isHighNibble(caret.col, n))
            doc.moveCaret({caret.col - 1, caret.row});
        else if (byte > 0)
            doc.moveCaret({hexgrid::cellOfByte(byte - 1, n, false).col + 1,
                           hexgrid::cellOfByte(byte - 1, n, false).row});
        return true;
    case Qt::Key_Right:
        if (ctrl) break;
        if (size == 0) return true;
        if (text)
            doc.moveCaret(inArea(std::min(byte + 1, size - 1)));
        else if (hexgrid::isHighNibble(caret.col, n))
            doc.moveCaret({caret.col + 1, caret.row});
        else if (byte + 1 < size)
            doc.moveCaret(inArea(byte + 1));
        return true;
    case Qt::Key_Tab:
        if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) break;
        if (size > 0) doc.moveCaret({hexgrid::twinColumn(caret.col, n), caret.row});
        return true;
    case Qt::Key_Shift:
        if (mods != Qt::ShiftModifier) break;
        if (!doc.selecting()) doc.clearSelection();
        doc.setSelecting(true);
        return true;
    default:
        break;
    }

    if (key < Qt::Key_0 || key > Qt::Key_9 || modifiers.testFlag(Qt::KeypadModifier)) return false;
    const int digit = key - Qt::Key_0;
    if (mods == (Qt::ShiftModifier | Qt::ControlModifier)) {
        doc.setBookmark(digit, caret.row);
        return true;
    }
    if (mods != Qt::ControlModifier) return false;
    doc.clearSelection();
    const int row = doc.bookmark(digit);
    if (row < 0)
        doc.moveCaret({hexgrid::kFirstHexColumn, caret.row});
    else if (row < doc.rowCount())
        doc.moveCaret({hexgrid::kFirstHexColumn, row});
    else
        doc.setBookmark(digit, -1);
    return true;
}

void HexGridKey(THexDocument& doc, HexViewport& view, int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const int page = std::max(1, view.visibleRows());
    const int pageColumns = std::max(1, view.visibleColumns());
    Cell target = doc.caret();
    int top = view.topRow();
    int left = view.leftColumn();
    switch (key) {
    case Qt::Key_Up:
        ctrl ? --top : --target.row;
        break;
    case Qt::Key_Down:
        ctrl ? ++top : ++target.row;
        break;
    case Qt::Key_PageUp:
        if (ctrl) {
            target.row = top;
        } else {
            target.row -= page;
            top -= page;
        }
        break;
    case Qt::Key_PageDown:
        if (ctrl) {
            target.row = top + page - 1;
        } else {
            target.row += page;
            top += page;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        if (ctrl) {
            target.col -= pageColumns;
            left -= pageColumns;
        } else {
            --target.col;
        }
        break;
    case Qt::Key_Right:
        if (!ctrl) return;
        target.col += pageColumns;
        left += pageColumns;
        break;
    default:
        return;
    }
    if (top != view.topRow()) view.setTopRow(top);
    if (left != view.leftColumn()) view.setLeftColumn(left);
    target.row = std::clamp(target.row, 0, doc.rowCount() - 1);
    target.col = std::clamp(target.col, hexgrid::kFixedColumns, doc.columnCount() - 1);
    if (!(target == doc.caret())) doc.moveCaret(target);
}

void HexTypeChar(THexDocument& doc, QChar ch) {
    const qint32 byte = doc.caretByte();
    if (byte >= doc.DataSize()) return;
    const int n = doc.BytesPerLine();
    const Cell caret = doc.caret();
    Cell next;
    if (doc.caretInText()) {
        if (ch.unicode() < 32) return;
        doc.clearSelection();
        const int value = doc.OEMTranslate() ? hexcp::oemByte(ch) : hexcp::ansiByte(ch);
        if (value < 0) return;
        doc.ChangeByte(doc.byteAt(byte), uchar(value), caret.row, caret.col, byte);
        next = caret.col + 1 < doc.columnCount() ? Cell{caret.col + 1, caret.row}
                                                 : Cell{hexgrid::firstTextColumn(n), caret.row + 1};
    } else {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(ch);
        if (digit < 0 || caret.col > hexgrid::lastHexColumn(n)) return;
        doc.clearSelection();
        const uchar old = doc.byteAt(byte);
        const uchar value = hexgrid::isHighNibble(caret.col, n) ? uchar(digit * 16 + old % 16)
                                                                : uchar((old & 0xF0) + digit);
        doc.ChangeByte(old, value, caret.row, caret.col, byte);
        next = caret.col < hexgrid::lastHexColumn(n)
                   ? Cell{caret.col + 1, caret.row}
                   : Cell{hexgrid::kFirstHexColumn, caret.row + 1};
    }
    if (hexgrid::byteOfCell(next.col, next.row, n) < doc.DataSize()) doc.moveCaret(next);
}
