#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

/// Links a resource-only Windows DLL with the MinGW-w64 binutils (windres and ld), so
/// tests can read an executable made by the platform's own tool chain. Returns the DLL's
/// path, or an empty string when the tools are not installed or fail.
inline QString BuildResourceDll(const QString& folder, const QString& rcText, bool sixtyFour) {
    const QString prefix = sixtyFour ? "x86_64-w64-mingw32-" : "i686-w64-mingw32-";
    const QString windres = QStandardPaths::findExecutable(prefix + "windres");
    const QString ld = QStandardPaths::findExecutable(prefix + "ld");
    const QString cpp = QStandardPaths::findExecutable("cpp");
    if (windres.isEmpty() || ld.isEmpty() || cpp.isEmpty()) return {};
    const QDir dir(folder);
    QFile rc(dir.filePath("resources.rc"));
    if (!rc.open(QIODevice::WriteOnly)) return {};
    rc.write(rcText.toUtf8());
    rc.close();
    auto run = [&](const QString& program, const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(folder);
        p.start(program, args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    };
    const QString object = dir.filePath("resources.o");
    const QString dll = dir.filePath(sixtyFour ? "library64.dll" : "library32.dll");
    if (!run(windres, {"--preprocessor=" + cpp, "resources.rc", "-O", "coff", "-o", object}) ||
        !run(ld, {"--dll", "-e", "0", object, "-o", dll}))
        return {};
    return dll;
}
