#pragma once

#include <QByteArray>

#include <memory>

namespace platform {

/// Random access to the bytes of an executable or icon file, held in memory or read on
/// demand from an open file, so a large library is never read whole to count its icons.
class ExeBytes {
public:
    virtual ~ExeBytes() = default;

    /// Bytes held in memory (tests, fuzzing, clipboard data).
    static std::shared_ptr<const ExeBytes> fromMemory(QByteArray bytes);
    /// Opens the file by the bytes of its name, read-only and without blocking; nullptr when
    /// it cannot be opened or is not a regular file (a FIFO or device is refused).
    static std::shared_ptr<const ExeBytes> fromFile(const QByteArray& rawPath);

    virtual quint64 size() const = 0;
    /// The bytes [offset, offset + length), or an empty array when the range is not wholly
    /// inside the file or longer than maxRead.
    virtual QByteArray read(quint64 offset, quint64 length) const = 0;
    /// True when [offset, offset + length) lies inside the file.
    bool contains(quint64 offset, quint64 length) const {
        return offset <= size() && length <= size() - offset;
    }

    /// The longest single read: no resource an icon or version reader needs is larger.
    static constexpr quint64 maxRead = 64 * 1024 * 1024;
};

} // namespace platform
