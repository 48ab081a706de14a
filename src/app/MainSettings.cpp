#include "app/MainSettings.h"

#include <QSettings>

#include <optional>

namespace {

const char* kSection = "TKorMain";

// The stored text form of a boolean; numbers count as their truth value.
std::optional<bool> parseBool(const QVariant& value) {
    const QString text = value.toString().trimmed();
    if (text.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (text.compare("False", Qt::CaseInsensitive) == 0) return false;
    bool isNumber = false;
    const long long number = text.toLongLong(&isNumber);
    if (isNumber) return number != 0;
    return std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

MainSettings ReadMainSettings(const QString& iniPath) {
    MainSettings result;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(kSection);
    if (auto value = parseBool(ini.value("DrivePanel_Visible"))) result.drivePanelVisible = *value;
    if (auto value = parseBool(ini.value("DriveBar1_Checked"))) result.driveBarChecked = *value;
    return result;
}

bool WriteMainSettings(const QString& iniPath, const MainSettings& settings) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(kSection);
    ini.setValue("DrivePanel_Visible", boolText(settings.drivePanelVisible));
    ini.setValue("DriveBar1_Checked", boolText(settings.driveBarChecked));
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}
