#pragma once

#include <QString>
#include <QtGlobal>

/// File work of the hex document on descriptors: the fast whole-file copy, writes that
/// replace a file only once they are complete, and moves of byte ranges inside a file.
namespace hexio {

/// Copies everything of `from` (read from offset 0) onto `to` (written from offset 0), by
/// reflink where the file system shares blocks, else copy_file_range, else a buffered
/// copy. Stops after more than `limit` bytes. Returns the bytes copied, -1 on an error.
qint64 copyWhole(int from, int to, qint64 limit);

/// Writes the whole of `from` to `target` through a temporary file in the target's
/// folder that is renamed over it only when complete, so a failure leaves the target as
/// it was. With `mode` >= 0 the result gets those permission bits (else the target's, or
/// the default for a new file).
bool replaceFileFrom(int from, const QString& target, int mode = -1);

/// Copies a file onto `target` the same way, keeping the source's permission bits.
bool copyFileOver(const QString& source, const QString& target);

/// Creates the file, failing when it exists (O_EXCL, mode 0600, no links followed).
/// Returns 0, or the errno of the failure (EEXIST when the name is taken).
int createExclusive(const QString& path);
/// Opens a private read/write file (created when missing, emptied when `truncate`).
int openWorking(const QString& path, bool truncate);

bool readAt(int fd, char* data, qint64 count, qint64 offset);
bool writeAt(int fd, const char* data, qint64 count, qint64 offset);
/// Moves `count` bytes at `from` to `to` within one file, in bounded chunks, correct for
/// overlapping ranges in either direction.
bool moveRange(int fd, qint64 from, qint64 to, qint64 count);

} // namespace hexio
