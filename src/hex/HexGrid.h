#pragma once

/// The cell layout of the hex grid for n bytes per line: column 0 the offset, 1 the bookmark
/// gutter, 2..2n+1 the hex nibbles (high nibble of byte k at 2+2k), 2n+2 a blank separator,
/// 2n+3..3n+2 one text cell per byte. Columns 0 and 1 are fixed.
namespace hexgrid {

constexpr int kOffsetColumn = 0;
constexpr int kGutterColumn = 1;
constexpr int kFirstHexColumn = 2;
constexpr int kFixedColumns = 2;

struct Cell {
    int col = kFirstHexColumn;
    int row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

inline int columnCount(int n) {
    return 3 * n + 3;
}
inline int separatorColumn(int n) {
    return 2 * n + 2;
}
inline int firstTextColumn(int n) {
    return 2 * n + 3;
}
inline int lastHexColumn(int n) {
    return 2 * n + 1;
}
/// The hex area runs up to the separator; the text area lies beyond it.
inline bool inHexArea(int col, int n) {
    return col <= separatorColumn(n);
}
inline bool isHighNibble(int col, int n) {
    return col >= 2 && col <= lastHexColumn(n) && col % 2 == 0;
}

/// The byte a cell shows (hex or text area); never negative. Cells left of the hex area
/// give their row's first byte, the separator its row's last.
long long byteOfCell(int col, int row, int n);
/// Byte i's cell in the hex area (its high nibble) or in the text area.
Cell cellOfByte(long long index, int n, bool textArea);
/// The twin of a column: a byte's text column and its high-nibble column face each other;
/// a low nibble's twin is its byte's text column. Other columns are their own twin.
int twinColumn(int col, int n);
/// Rows of a document of that size: one at least.
int rowCount(long long dataSize, int n);

} // namespace hexgrid
