#include "finder/TreeFind.h"

#include "browser/DriveRules.h"
#include "browser/FileAttributes.h"
#include "core/KorError.h"
#include "finder/WildPattern.h"
#include "finder/ZipFile.h"
#include "platform/Host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::VolumeInfo;
using platform::VolumeType;

namespace {

quint16 driveBit(VolumeType type) {
    switch (type) {
    case VolumeType::Removable:
    case VolumeType::Floppy:
        return TTreeFind::RemovableDrives;
    case VolumeType::Fixed:
        return TTreeFind::FixedDrives;
    case VolumeType::Network:
        return TTreeFind::RemoteDrives;
    case VolumeType::CdRom:
        return TTreeFind::CdRomDrives;
    case VolumeType::Ram:
        return TTreeFind::RamDrives;
    case VolumeType::Unknown:
        break;
    }
    return 0;
}

bool isZipName(const char* name, size_t length) {
    return length >= 4 && name[length - 4] == '.' && (name[length - 3] | 0x20) == 'z' &&
           (name[length - 2] | 0x20) == 'i' && (name[length - 1] | 0x20) == 'p';
}

QByteArray withSlash(QByteArray path) {
    if (!path.endsWith('/')) path += '/';
    return path;
}

// Closes a directory stream when the walk leaves it, also through an exception.
struct DirCloser {
    DIR* dir;
    ~DirCloser() {
        if (dir) ::closedir(dir);
    }
};

} // namespace

/// One Execute: the mask, the volumes not to cross into, the directories already entered.
class TTreeFind::Walk {
public:
    Walk(TTreeFind& owner, const QByteArray& mask, QSet<QByteArray> otherRoots)
        : m_owner(owner), m_pattern(mask), m_otherRoots(std::move(otherRoots)),
          m_zipOnly(owner.Options & ZipOnly), m_archives(owner.Options & (ZipOnly | IncludeZip)),
          m_refused(quint32(~owner.Options) &
                    (FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System)) {}

    bool stopped() const { return m_stopped; }

    void volume(const QByteArray& root) {
        const QByteArray start = withSlash(root);
        m_otherRoots.remove(start);
        std::vector<QByteArray> pending;
        pending.push_back(start);
        bool first = true;
        while (!pending.empty()) {
            const QByteArray path = std::move(pending.back());
            pending.pop_back();
            if (!pause()) break;
            const int fd = first ? openRoot(start) : openSubdirectory(path);
            first = false;
            if (fd < 0) continue;
            std::vector<QByteArray> subdirectories = directory(path, fd);
            if (m_stopped) break;
            for (auto it = subdirectories.rbegin(); it != subdirectories.rend(); ++it)
                pending.push_back(std::move(*it));
        }
    }

private:
    // Lets the window run; false once the stop request is set.
    bool pause() {
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
        if (m_owner.StopRequested && m_owner.StopRequested()) m_stopped = true;
        return !m_stopped;
    }

    // The volume's root may itself be reached through a link; a failure ends the scan.
    int openRoot(const QByteArray& start) {
        const int fd = ::open(start.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            if (fd >= 0) ::close(fd);
            throw KorError(QStringLiteral("Cannot read the directory \"%1\". %2")
                               .arg(QFile::decodeName(start), reason));
        }
        m_device = st.st_dev;
        return fd;
    }

    // The descriptor of a subdirectory that is on this volume and not entered before, or -1.
    int openSubdirectory(const QByteArray& path) {
        const QByteArray bare = path.chopped(1);
        const int fd =
            ::open(bare.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return -1;
        struct stat st;
        if (::fstat(fd, &st) != 0 || st.st_dev != m_device) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    bool firstVisit(int fd) {
        struct stat st;
        if (::fstat(fd, &st) != 0) return false;
        const auto key = qMakePair(quint64(st.st_dev), quint64(st.st_ino));
        if (m_visited.contains(key)) return false;
        m_visited.insert(key);
        return true;
    }

    // Whether an entry's attributes are all among those the options let through.
    bool allowed(int dirFd, const QByteArray& path, const char* name, bool directory) {
        if (!m_refused) return true;
        quint32 bits = DosAttributes(path + name, QByteArray::fromRawData(name, qstrlen(name)));
        if (m_refused & FileAttr::ReadOnly) {
            struct stat st;
            if (::fstatat(dirFd, name, &st, directory ? AT_SYMLINK_NOFOLLOW : 0) == 0 &&
                !(st.st_mode & S_IWUSR))
                bits |= FileAttr::ReadOnly;
        }
        return !(bits & m_refused);
    }

    // Reports the directory's files (and the entries of its archives) and returns its
    // subdirectories in search order.
    std::vector<QByteArray> directory(const QByteArray& path, int fd) {
        std::vector<QByteArray> subdirectories;
        if (!firstVisit(fd)) {
            ::close(fd);
            return subdirectories;
        }
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return subdirectories;
        }
        DirCloser closer{dir};
        if (m_owner.OnScan && !m_zipOnly) m_owner.OnScan(m_owner, QFile::decodeName(path));
        while (const dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            unsigned char type = entry->d_type;
            if (type == DT_UNKNOWN) {
                struct stat st;
                if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
            if (type == DT_LNK) {
                // A link to a directory is neither entered nor reported.
                struct stat st;
                if (::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) continue;
            }
            if (type == DT_DIR) {
                if (name[0] == '.' || !allowed(fd, path, name, true)) continue;
                QByteArray sub = path + name + '/';
                if (!m_otherRoots.contains(sub)) subdirectories.push_back(std::move(sub));
                continue;
            }
            file(fd, path, name);
            if (m_stopped) break;
        }
        return subdirectories;
    }

    void file(int dirFd, const QByteArray& path, const char* name) {
        const size_t length = std::strlen(name);
        const bool wanted = !m_zipOnly && m_pattern.matches(name, qsizetype(length));
        const bool archive = m_archives && isZipName(name, length);
        if (!wanted && !archive) return;
        if (!allowed(dirFd, path, name, false)) return;
        const QByteArray full = path + QByteArray(name, qsizetype(length));
        if (wanted) m_owner.Results.append(full);
        if (archive) zip(full);
    }

    void zip(const QByteArray& full) {
        if (m_owner.OnScan) m_owner.OnScan(m_owner, QFile::decodeName(full));
        if (!pause()) return;
        try {
            TZipFile reader;
            reader.OpenArchiveRaw(full);
            const int count = reader.EntryCount();
            for (int i = 0; i < count; ++i) {
                const QByteArray name = reader.EntryFileName(i);
                if (m_pattern.matches(name)) m_owner.Results.append(name + '\t' + full);
            }
        } catch (const EZipErr&) {
            // A damaged archive hides nothing but itself.
        }
    }

    TTreeFind& m_owner;
    WildPattern m_pattern;
    QSet<QByteArray> m_otherRoots;
    QSet<QPair<quint64, quint64>> m_visited;
    dev_t m_device = 0;
    bool m_zipOnly;
    bool m_archives;
    quint32 m_refused;
    bool m_stopped = false;
};

void TTreeFind::Execute() {
    if (StopRequested && StopRequested()) return;
    Results.clear();
    QByteArray mask = FileSpec.isEmpty() ? QByteArray("*.*") : FileSpec;

    const QList<VolumeInfo> volumes = platform::volumes().list();
    QList<QByteArray> roots;
    const qsizetype slash = mask.lastIndexOf('/');
    if (slash >= 0) {
        QByteArray prefix = mask.left(slash + 1);
        if (!prefix.startsWith('/'))
            prefix = withSlash(QFile::encodeName(QDir::currentPath())) + prefix;
        roots.append(prefix);
        mask = mask.mid(slash + 1);
    } else {
        if (!(Options & DriveSelection)) return;
        if (Options & CurrentDrive) {
            Options &= quint16(~CurrentDrive);
            const QString current = VolumeRootOf(volumes, QDir::currentPath() + '/');
            if (!current.isEmpty()) roots.append(QFile::encodeName(current));
        }
        for (const VolumeInfo& volume : volumes)
            if ((driveBit(volume.type) & Options) && volume.hasMedia())
                roots.append(withSlash(QFile::encodeName(volume.rootPath)));
        std::sort(roots.begin(), roots.end());
        roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    }

    QSet<QByteArray> volumeRoots;
    for (const VolumeInfo& volume : volumes)
        volumeRoots.insert(withSlash(QFile::encodeName(volume.rootPath)));

    struct Running {
        const std::function<void(bool)>& notify;
        explicit Running(const std::function<void(bool)>& n) : notify(n) {
            if (notify) notify(true);
        }
        ~Running() {
            if (notify) notify(false);
        }
    } running(OnRunning);
    for (const QByteArray& root : roots) {
        Walk walk(*this, mask.left(255), volumeRoots);
        walk.volume(root);
        if (walk.stopped()) break;
    }
}
