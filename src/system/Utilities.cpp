#include "system/Utilities.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

QList<UtilityCommand> programs(const QStringList& names) {
    QList<UtilityCommand> out;
    for (const QString& name : names)
        out.append({name, {}});
    return out;
}

} // namespace

const QList<Utility>& Utilities() {
    static const QList<Utility> table = {
        {"NPadBut",
         "NotePad",
         "NotePad",
         programs({"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed",
                   "featherpad", "leafpad"}),
         {}},
        {"PaintBut",
         "Paint",
         "Paint",
         programs({"pinta", "kolourpaint", "mtpaint", "gimp", "krita"}),
         {}},
        {"WPadBut", "WordPad", "WordPad", programs({"abiword", "lowriter", "calligrawords"}), {}},
        {"WClipViewer", "Clipboard Viewer", "Clipboard Viewer", {}, "ClipView"},
        {"ExplorerBut", "Explorer", "Explorer", {{"xdg-open", {"~"}}}, {}},
        {"FileManBut",
         "File Manager",
         "File Manager",
         programs({"nautilus", "dolphin", "thunar", "pcmanfm", "pcmanfm-qt", "caja", "nemo"}),
         {}},
        {"CMapBut",
         "Charector Map",
         "Charector Map",
         programs({"gucharmap", "gnome-characters", "kcharselect"}),
         {}},
        {"CalcBut",
         "Calculator",
         "Calculator",
         programs(
             {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}),
         {}},
        {"MPlayerBut",
         "Media Player",
         "Media Player",
         programs({"totem", "vlc", "celluloid", "parole", "dragon", "mpv"}),
         {}},
        {"CDPlay",
         "CD Player",
         "CD Player",
         {{"vlc", {"cdda://"}}, {"rhythmbox", {}}, {"totem", {}}},
         {}},
        {"TaskBut",
         "Task Manager",
         "Task Manager",
         programs({"gnome-system-monitor", "plasma-systemmonitor", "ksysguard",
                   "mate-system-monitor", "xfce4-taskmanager", "lxtask"}),
         {}},
        {"REditBut", "RegEdit", "RegEdit", programs({"dconf-editor"}), {}},
        {"CPBut",
         "Control Panel",
         "Control Panel",
         programs({"gnome-control-center", "systemsettings", "xfce4-settings-manager",
                   "mate-control-center", "lxqt-config"}),
         {}},
        {"ProgMBut",
         "Program Manager",
         "Program Manager",
         programs({"gnome-software", "plasma-discover", "xfce4-appfinder", "lxqt-runner"}),
         {}},
        {"ScanDBut",
         "ScanDisk",
         "ScanDisk",
         programs({"gnome-disks", "partitionmanager", "gparted"}),
         {}},
        {"DefragBut", "Defrag", "Defrag", programs({"baobab", "filelight", "qdirstat"}), {}},
        {"SolBut", "Solitare", "Solitaire", programs({"sol", "kpat"}), {}},
        {"WMinesBut", "Mine Sweeper", "Mine Sweeper", programs({"gnome-mines", "kmines"}), {}},
    };
    return table;
}

QStringList UtilsMenuOrder() {
    return {"NotePad",          "WordPad",         "Paint",        "-",       "Explorer",
            "File Manager",     "Program Manager", "Task Manager", "-",       "Control Panel",
            "Clipboard Viewer", "Charector Map",   "Calculator",   "RegEdit", "ScanDisk",
            "Defrag",           "Media Player",    "CD Player",    "-",       "Solitaire",
            "Mine Sweeper"};
}

QStringList SearchPath() {
    QStringList out;
    for (const QString& dir :
         QString::fromLocal8Bit(qgetenv("PATH")).split(':', Qt::SkipEmptyParts))
        out.append(dir);
    return out;
}

UtilityChoice FindUtility(const Utility& utility, const QStringList& searchPath,
                          const QString& home) {
    UtilityChoice choice;
    if (!utility.ownPage.isEmpty()) {
        choice.status = UtilityChoice::Status::OwnPage;
        return choice;
    }
    QString notExecutable;
    QStringList names;
    for (const UtilityCommand& command : utility.candidates) {
        names.append(command.program);
        for (const QString& dir : searchPath) {
            const QString path = QDir(dir).filePath(command.program);
            const QFileInfo info(path);
            if (!info.isFile()) continue;
            if (::access(QFile::encodeName(path).constData(), X_OK) != 0) {
                if (notExecutable.isEmpty()) notExecutable = path;
                continue;
            }
            choice.status = UtilityChoice::Status::Found;
            choice.program = path;
            for (const QString& argument : command.arguments)
                choice.arguments.append(argument == "~" ? home : argument);
            return choice;
        }
    }
    if (!notExecutable.isEmpty()) {
        choice.status = UtilityChoice::Status::NotExecutable;
        choice.program = notExecutable;
        choice.message = notExecutable + " is not an executable file.";
        return choice;
    }
    choice.message = "The file: " + names.join(", ") + " cannot be found.";
    return choice;
}

QString UtilityToolTip(const Utility& utility, const QStringList& searchPath) {
    if (!utility.ownPage.isEmpty()) return utility.ownPage + " page";
    const UtilityChoice choice = FindUtility(utility, searchPath, QDir::homePath());
    if (choice.status == UtilityChoice::Status::Found) return choice.program;
    QStringList names;
    for (const UtilityCommand& command : utility.candidates)
        names.append(command.program);
    return names.join(", ");
}

QString StartFailedMessage(int errorCode) {
    return "Error executing program. Error Code:; " + QString::number(errorCode & 0xffff);
}
