#pragma once

#include "FakeHost.h"

#include <QByteArray>
#include <QTemporaryDir>

/// A temporary directory that stands in for the machine while it lives: fake settings,
/// home and temp folders and a fake shell inside it, and one fixed volume at its root.
class TestWorld {
public:
    TestWorld();
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    /// Absolute path of a name inside the world ("" gives the root, ending in "/").
    QString path(const QString& relative = {}) const;
    /// Writes a file (parent folders made) and returns its absolute path.
    QString file(const QString& relative, const QByteArray& bytes = {});
    /// Makes a folder and returns its path ending in "/".
    QString dir(const QString& relative);
    /// A file whose name holds bytes that are not UTF-8, in the folder given; returns its
    /// full path as bytes, since no QString can hold such a name.
    QByteArray rawNameFile(const QString& folderRelative, const QByteArray& rawName,
                           const QByteArray& bytes = {});

    FakePaths paths;
    FakeShell shell;
    FakeVolumes volumes;

private:
    QTemporaryDir m_dir;
};
