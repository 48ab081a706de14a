#include "system/SystemFiles.h"

#include <QDir>
#include <QFileInfo>

QList<SystemFile> SystemFiles(const QString& home) {
    const QString h = QDir::cleanPath(home);
    return {
        {"SysCSBut", "Config Sys", "Config.sys", "/etc/fstab"},
        {"SysABBut", "Autoexec.bat", "Autoexec.bat", "/etc/profile"},
        {"SysSIBut", "System.ini", "System.ini", "/etc/sysctl.conf"},
        {"SysWIBut", "Win.ini", "Win.ini", h + "/.profile"},
        {"SysPIBut", "Protocol.ini", "Protocol.ini", "/etc/hosts"},
        {"SysCIBut", "Control.ini", "Control.ini", "/etc/environment"},
        {"SysMSBut", "MSDos.sys", "MSDos.sys", "/etc/default/grub"},
    };
}

QString SystemFile::directoryShown() const {
    return QFileInfo(path).path();
}

QString SystemFile::documentName() const {
    return QFileInfo(path).fileName();
}
