#pragma once

#include <QString>

/// The two values the main window keeps between runs, in section TKorMain of Kor2.ini.
struct MainSettings {
    bool drivePanelVisible = true; ///< key DrivePanel_Visible
    bool driveBarChecked = true;   ///< key DriveBar1_Checked

    bool operator==(const MainSettings&) const = default;
};

/// Reads the settings file; a missing file, section or key, or a value that is not a
/// boolean, leaves that value at its default.
MainSettings ReadMainSettings(const QString& iniPath);

/// Writes both keys as "True"/"False", keeping the file's other sections; false on failure.
bool WriteMainSettings(const QString& iniPath, const MainSettings& settings);
