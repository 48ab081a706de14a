#pragma once

#include <QString>
#include <QtGlobal>

/// File work of the hex document on descriptors: the fast whole-file copy and moves of
/// byte ranges inside a file.
namespace hexio {

/// Copies everything of `from` (read from offset 0) onto `to` (written from offset 0), by
/// reflink where the file system shares blocks, else copy_file_range, else a buffered
/// copy. Stops after more than `limit` bytes. Returns the bytes copied, -1 on an error.
qint64 copyWhole(int from, int to, qint64 limit);

/// Opens a private read/write file (created when missing, emptied when `truncate`).
int openWorking(const QString& path, bool truncate);

bool readAt(int fd, char* data, qint64 count, qint64 offset);
bool writeAt(int fd, const char* data, qint64 count, qint64 offset);
/// Moves `count` bytes at `from` to `to` within one file, in bounded chunks, correct for
/// overlapping ranges in either direction.
bool moveRange(int fd, qint64 from, qint64 to, qint64 count);

} // namespace hexio
