#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

/// Runs a program to its end; true when it exited with 0.
inline bool RunQuietly(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

/// A 64 KiB file system of its own, so that a save can run out of space. Mounting needs
/// root; without it mounted() is false and the test skips.
class SmallVolume {
public:
    SmallVolume() {
        if (::geteuid() == 0 && m_dir.isValid())
            m_mounted =
                RunQuietly("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", m_dir.path()});
    }
    ~SmallVolume() {
        if (m_mounted) RunQuietly("umount", {m_dir.path()});
    }
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool mounted() const { return m_mounted; }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
