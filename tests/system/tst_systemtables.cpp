#include "system/DetachedStart.h"
#include "system/SystemFiles.h"
#include "system/Utilities.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSystemTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void systemFiles();
    void winIniIsTheHomeProfile();
    void utilitiesInButtonOrder();
    void menuOrder();
    void findsFirstExecutableCandidate();
    void notExecutable();
    void notFound();
    void clipboardViewerIsOwnPage();
    void explorerOpensHome();
    void startFailedMessage();
    void startsDetached();
    void startReportsTheError();

private:
    QString makeProgram(const QString& dir, const QString& name, bool executable);
};

QString TestSystemTables::makeProgram(const QString& dir, const QString& name, bool executable) {
    QFile file(dir + "/" + name);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
    return file.fileName();
}

void TestSystemTables::systemFiles() {
    const QList<SystemFile> files = SystemFiles("/home/u");
    QStringList rows;
    for (const SystemFile& f : files)
        rows << f.button + "|" + f.caption + "|" + f.menuItem + "|" + f.path;
    QCOMPARE(rows, (QStringList{"SysCSBut|Config Sys|Config.sys|/etc/fstab",
                                "SysABBut|Autoexec.bat|Autoexec.bat|/etc/profile",
                                "SysSIBut|System.ini|System.ini|/etc/sysctl.conf",
                                "SysWIBut|Win.ini|Win.ini|/home/u/.profile",
                                "SysPIBut|Protocol.ini|Protocol.ini|/etc/hosts",
                                "SysCIBut|Control.ini|Control.ini|/etc/environment",
                                "SysMSBut|MSDos.sys|MSDos.sys|/etc/default/grub"}));
}

void TestSystemTables::winIniIsTheHomeProfile() {
    const SystemFile win = SystemFiles("/home/u/")[3];
    QCOMPARE(win.path, QString("/home/u/.profile"));
    QCOMPARE(win.directoryShown(), QString("/home/u"));
    QCOMPARE(win.documentName(), QString(".profile"));
    QCOMPARE(SystemFiles("/")[3].directoryShown(), QString("/"));
}

void TestSystemTables::utilitiesInButtonOrder() {
    QStringList buttons;
    for (const Utility& u : Utilities())
        buttons << u.button + "=" + u.caption;
    QCOMPARE(buttons,
             (QStringList{"NPadBut=NotePad", "PaintBut=Paint", "WPadBut=WordPad",
                          "WClipViewer=Clipboard Viewer", "ExplorerBut=Explorer",
                          "FileManBut=File Manager", "CMapBut=Charector Map", "CalcBut=Calculator",
                          "MPlayerBut=Media Player", "CDPlay=CD Player", "TaskBut=Task Manager",
                          "REditBut=RegEdit", "CPBut=Control Panel", "ProgMBut=Program Manager",
                          "ScanDBut=ScanDisk", "DefragBut=Defrag", "SolBut=Solitare",
                          "WMinesBut=Mine Sweeper"}));
    QCOMPARE(Utilities()[16].menuItem, QString("Solitaire"));
    for (const Utility& u : Utilities())
        QVERIFY2(!u.candidates.isEmpty() || !u.ownPage.isEmpty(), qPrintable(u.button));
}

void TestSystemTables::menuOrder() {
    const QStringList menu = UtilsMenuOrder();
    QCOMPARE(menu.size(), 21);
    QCOMPARE(menu.count("-"), 3);
    for (const Utility& u : Utilities())
        QVERIFY2(menu.contains(u.menuItem), qPrintable(u.menuItem));
    QCOMPARE(menu.mid(0, 4), (QStringList{"NotePad", "WordPad", "Paint", "-"}));
    QCOMPARE(menu.mid(18), (QStringList{"-", "Solitaire", "Mine Sweeper"}));
}

void TestSystemTables::findsFirstExecutableCandidate() {
    QTemporaryDir first, second;
    makeProgram(second.path(), "gedit", true);
    const QString kate = makeProgram(first.path(), "kate", true);
    const QString gedit = makeProgram(first.path(), "gedit", true);
    const UtilityChoice choice =
        FindUtility(Utilities()[0], {first.path(), second.path()}, "/home/u");
    QCOMPARE(int(choice.status), int(UtilityChoice::Status::Found));
    // gedit comes before kate in the candidates, and the first folder before the second.
    QCOMPARE(choice.program, gedit);
    QVERIFY(choice.arguments.isEmpty());
    QCOMPARE(UtilityToolTip(Utilities()[0], {first.path()}), gedit);
    Q_UNUSED(kate);
}

void TestSystemTables::notExecutable() {
    QTemporaryDir dir;
    const QString mines = makeProgram(dir.path(), "gnome-mines", false);
    const UtilityChoice choice = FindUtility(Utilities()[17], {dir.path()}, "/home/u");
    QCOMPARE(int(choice.status), int(UtilityChoice::Status::NotExecutable));
    QCOMPARE(choice.message, mines + " is not an executable file.");
    makeProgram(dir.path(), "kmines", true);
    QCOMPARE(int(FindUtility(Utilities()[17], {dir.path()}, "/home/u").status),
             int(UtilityChoice::Status::Found));
}

void TestSystemTables::notFound() {
    QTemporaryDir dir;
    const UtilityChoice choice = FindUtility(Utilities()[16], {dir.path()}, "/home/u");
    QCOMPARE(int(choice.status), int(UtilityChoice::Status::NotFound));
    QCOMPARE(choice.message, QString("The file: sol, kpat cannot be found."));
    QVERIFY(choice.program.isEmpty());
    QCOMPARE(UtilityToolTip(Utilities()[16], {dir.path()}), QString("sol, kpat"));
}

void TestSystemTables::clipboardViewerIsOwnPage() {
    const Utility& clip = Utilities()[3];
    QCOMPARE(clip.ownPage, QString("ClipView"));
    QCOMPARE(int(FindUtility(clip, {}, "/home/u").status), int(UtilityChoice::Status::OwnPage));
}

void TestSystemTables::explorerOpensHome() {
    QTemporaryDir dir;
    const QString open = makeProgram(dir.path(), "xdg-open", true);
    const UtilityChoice choice = FindUtility(Utilities()[4], {dir.path()}, "/home/u");
    QCOMPARE(choice.program, open);
    QCOMPARE(choice.arguments, QStringList{"/home/u"});
}

void TestSystemTables::startFailedMessage() {
    QCOMPARE(StartFailedMessage(13), QString("Error executing program. Error Code:; 13"));
    QCOMPARE(StartFailedMessage(0x10002), QString("Error executing program. Error Code:; 2"));
}

void TestSystemTables::startsDetached() {
    QTemporaryDir dir;
    const QString marker = dir.filePath("started");
    QCOMPARE(StartDetached("/bin/sh", {"-c", "echo ran > '" + marker + "'"}), 0);
    QTRY_VERIFY(QFile::exists(marker));
}

void TestSystemTables::startReportsTheError() {
    QTemporaryDir dir;
    const QString plain = makeProgram(dir.path(), "plain", false);
    QCOMPARE(StartDetached(plain, {}), EACCES);
    QCOMPARE(StartDetached(dir.filePath("missing"), {}), ENOENT);
}

QTEST_GUILESS_MAIN(TestSystemTables)
#include "tst_systemtables.moc"
