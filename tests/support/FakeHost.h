#pragma once

#include "platform/Host.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>

/// Volumes a test sets by hand.
class FakeVolumes : public platform::Volumes {
public:
    QList<platform::VolumeInfo> volumes;
    QList<platform::VolumeInfo> list() const override { return volumes; }
};

/// Settings, home and temp folders inside a test's world.
class FakePaths : public platform::Paths {
public:
    QString settings, home, temp;
    QString settingsDir() const override { return settings; }
    QString homeDir() const override { return home; }
    QString tempDir() const override { return temp; }
};

/// Records what would have been opened or run; nothing starts.
class FakeShell : public platform::Shell {
public:
    struct Run {
        QString fileName, parameters, directory;
    };
    QList<QUrl> openedUrls;
    QList<Run> runs;
    bool result = true;

    bool openUrl(const QUrl& url) override {
        openedUrls.append(url);
        return result;
    }
    bool runFile(const QString& fileName, const QString& parameters,
                 const QString& directory) override {
        runs.append({fileName, parameters, directory});
        return result;
    }
};

/// Sizes and dates a test sets by hand; unknown names have none.
class FakeFileFacts : public platform::FileFacts {
public:
    QHash<QString, qint64> sizes;
    QHash<QString, QDateTime> dates;
    qint64 size(const QString& fileName) const override { return sizes.value(fileName, -1); }
    QDateTime lastWrite(const QString& fileName) const override { return dates.value(fileName); }
};
