#pragma once

#include <QChar>
#include <Qt>

class THexDocument;

/// What the grid's own navigation needs of the view that shows a hex document.
class HexViewport {
public:
    virtual ~HexViewport() = default;
    virtual int topRow() const = 0;
    /// Rows fully in view; at least 1.
    virtual int visibleRows() const = 0;
    /// Scrolls; the view keeps the row within its range.
    virtual void setTopRow(int row) = 0;
    /// The first scrolling column in view.
    virtual int leftColumn() const = 0;
    /// Scrolling columns fully in view; at least 1.
    virtual int visibleColumns() const = 0;
    virtual void setLeftColumn(int col) = 0;
};

/// The hex control's own keys (Ctrl+Delete, Home, End, Left, Right, Tab, bookmarks with
/// Ctrl+Shift+digit and Ctrl+digit, Shift starting a selection). Modifiers are compared
/// exactly; digits count only from the main keyboard (no Qt::KeypadModifier). Returns
/// false when the key is left to the form and then to HexGridKey (Ctrl+Delete deletes and
/// still returns false).
bool HexControlKey(THexDocument& doc, int key, Qt::KeyboardModifiers modifiers);

/// The grid's generic navigation: Up/Down, Page Up/Down (with Ctrl: top and last full
/// row), Ctrl+Up/Down scroll only, Ctrl+Left/Right a screen of columns, Backspace as Left.
void HexGridKey(THexDocument& doc, HexViewport& view, int key, Qt::KeyboardModifiers modifiers);

/// A typed character, written over the byte under the caret: any character from 32 up in
/// the text area, one of "0123456789abcdef" in the hex area; then the caret advances.
void HexTypeChar(THexDocument& doc, QChar ch);
