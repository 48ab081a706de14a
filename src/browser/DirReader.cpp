#include "browser/DirReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

void takeFacts(DirEntry& entry, const struct stat& st) {
    entry.hasFacts = true;
    entry.mode = st.st_mode;
    entry.isDir = S_ISDIR(st.st_mode);
    entry.size = qint64(st.st_size);
    entry.modifiedMs = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

} // namespace

DirReader::DirReader(const QByteArray& directory, Facts facts)
    : m_dir(::opendir(directory.constData())), m_error(m_dir ? 0 : errno), m_facts(facts) {}

DirReader::~DirReader() {
    if (m_dir) ::closedir(m_dir);
}

bool DirReader::next(DirEntry& entry) {
    if (!m_dir) return false;
    const dirent* raw = ::readdir(m_dir);
    if (!raw) return false;
    entry = DirEntry();
    entry.name = QByteArray(raw->d_name);
    const int fd = ::dirfd(m_dir);
    const unsigned char type = raw->d_type;
    entry.isSymlink = type == DT_LNK;
    struct stat st;
    if (type == DT_UNKNOWN) {
        if (::fstatat(fd, raw->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return true;
        entry.isSymlink = S_ISLNK(st.st_mode);
        if (!entry.isSymlink) {
            takeFacts(entry, st);
            return true;
        }
    }
    if (!entry.isSymlink && m_facts == Facts::TypeOnly) {
        entry.isDir = type == DT_DIR;
        return true;
    }
    if (::fstatat(fd, raw->d_name, &st, 0) == 0) {
        takeFacts(entry, st);
    } else if (entry.isSymlink && ::fstatat(fd, raw->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        takeFacts(entry, st); // dangling or looping: the link itself
    }
    return true;
}
