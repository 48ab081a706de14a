#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

/// Walks whole volumes directory by directory and collects the files whose names fit a
/// wildcard mask, and on request the entries of the zip archives it meets.
///
/// A result line is a plain file's full path ("/data/docs/Letter.txt"), or an archive
/// entry's file name as TZipFile::EntryFileName gives it, a TAB and the archive's full path
/// ("readme.txt\t/data/TOOLS.ZIP"). Paths are the bytes of the names.
///
/// A volume's walk stays on that volume: it never crosses into another mount nor into the
/// root of another listed volume, never follows a symbolic link to a directory, enters each
/// directory once and never enters a directory whose name begins with ".". A damaged archive
/// or a subdirectory that cannot be read is skipped alone. Pending events are processed
/// before each directory and each archive, and the stop request is read right after.
class TTreeFind {
public:
    // Options: the attribute bits also report files with that attribute (and walk into
    // such directories); the drive bits choose volumes; the archive bits open archives.
    static constexpr quint16 ReadOnlyFiles = 0x0001;
    static constexpr quint16 HiddenFiles = 0x0002;
    static constexpr quint16 SystemFiles = 0x0004;
    static constexpr quint16 CurrentDrive = 0x0008;
    static constexpr quint16 RemovableDrives = 0x0010;
    static constexpr quint16 FixedDrives = 0x0020;
    static constexpr quint16 RemoteDrives = 0x0040;
    static constexpr quint16 CdRomDrives = 0x0080;
    static constexpr quint16 RamDrives = 0x0100;
    static constexpr quint16 DriveSelection = 0x01F8;
    static constexpr quint16 ZipOnly = 0x4000;
    static constexpr quint16 IncludeZip = 0x8000;

    quint16 Options = CurrentDrive;
    /// The mask, optionally after a directory path ending in "/" that stands for the drive:
    /// "/media/stick/*.txt" scans from /media/stick/ whatever the drive bits say. Empty
    /// means "*.*"; the mask is cut to 255 bytes.
    QByteArray FileSpec;
    /// The lines found by the last Execute, in the order found.
    QList<QByteArray> Results;
    /// Called with each directory as it is entered (not in zip-only mode) and with each
    /// archive before it is read.
    std::function<void(TTreeFind& sender, const QString& text)> OnScan;
    /// The stop request; unset never stops.
    std::function<bool()> StopRequested;
    /// Called with true when a scan starts walking and with false when it ends (also when
    /// an error ends it); not called when there is nothing to scan.
    std::function<void(bool running)> OnRunning;

    /// Runs the scan, Results cleared first; returns at once when the stop request is set.
    /// Throws KorError when the root of a chosen volume cannot be read; the lines found
    /// until then stay in Results.
    void Execute();

private:
    class Walk;
};
