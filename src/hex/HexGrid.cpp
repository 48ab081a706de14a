#include "hex/HexGrid.h"

#include <algorithm>

namespace hexgrid {

long long byteOfCell(int col, int row, int n) {
    const long long rowStart = (long long)row * n;
    long long index;
    if (col >= firstTextColumn(n))
        index = rowStart + (col - firstTextColumn(n));
    else if (col == separatorColumn(n))
        index = rowStart + n - 1;
    else
        index = rowStart + (col - kFirstHexColumn) / 2;
    return std::max(0LL, index);
}

Cell cellOfByte(long long index, int n, bool textArea) {
    const int offset = int(index % n);
    const int row = int(index / n);
    return {textArea ? offset + firstTextColumn(n) : 2 * offset + kFirstHexColumn, row};
}

int twinColumn(int col, int n) {
    if (col >= firstTextColumn(n) && col < columnCount(n))
        return 2 * (col - firstTextColumn(n)) + kFirstHexColumn;
    if (col >= kFirstHexColumn && col <= lastHexColumn(n))
        return (col - kFirstHexColumn) / 2 + firstTextColumn(n);
    return col;
}

int rowCount(long long dataSize, int n) {
    return dataSize <= 0 ? 1 : int((dataSize + n - 1) / n);
}

} // namespace hexgrid
