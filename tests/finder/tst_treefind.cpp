#include "finder/TreeFind.h"

#include "TestWorld.h"
#include "ZipFixtures.h"
#include "core/KorError.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// A world whose one volume is its folder vol/, away from the world's own settings folders.
class FindWorld {
public:
    FindWorld() { m_world.volumes.volumes[0].rootPath = m_world.dir("vol"); }
    QString path(const QString& relative = {}) const { return m_world.path("vol/" + relative); }
    QString file(const QString& relative, const QByteArray& bytes = {}) {
        return m_world.file("vol/" + relative, bytes);
    }
    QString dir(const QString& relative) { return m_world.dir("vol/" + relative); }
    QByteArray rawNameFile(const QString& folder, const QByteArray& name) {
        return m_world.rawNameFile("vol/" + folder, name);
    }
    QList<platform::VolumeInfo>& volumes() { return m_world.volumes.volumes; }

private:
    TestWorld m_world;
};

QByteArray raw(const QString& path) {
    return QFile::encodeName(path);
}

QByteArrayList sorted(QByteArrayList lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Runs a scan of the world's volume for the mask with the options given.
QByteArrayList scan(const FindWorld& world, const QByteArray& mask, quint16 options) {
    TTreeFind find;
    find.Options = options;
    find.FileSpec = raw(world.path()) + mask;
    find.Execute();
    return find.Results;
}

constexpr quint16 kAllAttributes = 0x0007;

} // namespace

class TestTreeFind : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsByMask_data();
    void findsByMask();
    void currentDrive();
    void noDriveChosen();
    void fixedDrivesOnly();
    void dotDirectoriesNotEntered();
    void attributesFilter();
    void linkedDirectoriesNotFollowed();
    void archivesIncluded();
    void archivesOnly();
    void damagedArchiveSkippedAlone();
    void unreadableDirectorySkippedAlone();
    void depthFirstOrder();
    void stopPartway();
    void stopBeforeStart();
    void rawNamesKept();
    void missingRootIsAnError();
};

void TestTreeFind::findsByMask_data() {
    QTest::addColumn<QByteArray>("mask");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("txt") << QByteArray("*.txt") << QStringList{"NOTES.TXT", "docs/a.txt"};
    QTest::newRow("empty means *.*")
        << QByteArray() << QStringList{"NOTES.TXT", "docs/a.txt", "docs/read.me", "docs/zz.bin"};
    QTest::newRow("prefix") << QByteArray("read*") << QStringList{"README", "docs/read.me"};
    QTest::newRow("set") << QByteArray("[n-r]*")
                         << QStringList{"NOTES.TXT", "README", "docs/read.me"};
}

void TestTreeFind::findsByMask() {
    QFETCH(QByteArray, mask);
    QFETCH(QStringList, found);
    FindWorld world;
    world.file("NOTES.TXT");
    world.file("README");
    world.file("docs/a.txt");
    world.file("docs/read.me");
    world.file("docs/zz.bin");
    TTreeFind find;
    find.Options = kAllAttributes;
    find.FileSpec = mask.isEmpty() ? QByteArray() : raw(world.path()) + mask;
    if (mask.isEmpty()) {
        // An empty FileSpec needs a drive: the current one.
        find.Options |= TTreeFind::CurrentDrive;
        QDir::setCurrent(world.path("docs"));
    }
    find.Execute();
    QDir::setCurrent(QDir::tempPath());
    QByteArrayList expected;
    for (const QString& name : found)
        expected << raw(world.path(name));
    QCOMPARE(sorted(find.Results), sorted(expected));
}

void TestTreeFind::currentDrive() {
    FindWorld world;
    world.file("top.txt");
    world.file("deep/down/low.txt");
    QVERIFY(QDir::setCurrent(world.path("deep/down")));
    TTreeFind find;
    find.Options = TTreeFind::CurrentDrive | kAllAttributes;
    find.FileSpec = "*.TXT";
    find.Execute();
    QCOMPARE(QDir::currentPath() + '/', world.path("deep/down/"));
    QDir::setCurrent(QDir::tempPath());
    QCOMPARE(sorted(find.Results),
             sorted({raw(world.path("top.txt")), raw(world.path("deep/down/low.txt"))}));
    QCOMPARE(find.Options, kAllAttributes);
}

void TestTreeFind::noDriveChosen() {
    FindWorld world;
    world.file("top.txt");
    QDir::setCurrent(world.path());
    TTreeFind find;
    find.Options = kAllAttributes | TTreeFind::IncludeZip;
    find.FileSpec = "*.txt";
    find.Results = {"old line"};
    int notices = 0;
    find.OnRunning = [&](bool) { ++notices; };
    find.OnScan = [&](TTreeFind&, const QString&) { ++notices; };
    find.Execute();
    QDir::setCurrent(QDir::tempPath());
    QVERIFY(find.Results.isEmpty());
    QCOMPARE(notices, 0);
}

void TestTreeFind::fixedDrivesOnly() {
    FindWorld world;
    world.file("fixed.txt");
    world.file("usb/stick.txt");
    world.file("share/remote.txt");
    platform::VolumeInfo usb;
    usb.rootPath = world.path("usb/");
    usb.type = platform::VolumeType::Removable;
    usb.totalBytes = 1000;
    platform::VolumeInfo share = usb;
    share.rootPath = world.path("share/");
    share.type = platform::VolumeType::Network;
    world.volumes() << usb << share;

    TTreeFind find;
    find.Options = TTreeFind::FixedDrives | kAllAttributes;
    find.FileSpec = "*.txt";
    find.Execute();
    QCOMPARE(find.Results, QByteArrayList{raw(world.path("fixed.txt"))});

    find.Options = TTreeFind::FixedDrives | TTreeFind::RemovableDrives | kAllAttributes;
    find.Execute();
    QCOMPARE(find.Results,
             QByteArrayList({raw(world.path("fixed.txt")), raw(world.path("usb/stick.txt"))}));
}

void TestTreeFind::dotDirectoriesNotEntered() {
    FindWorld world;
    world.file(".config/inside.txt");
    world.file("..two/inside.txt");
    world.file(".profile.txt");
    world.file("plain/visible.txt");
    QCOMPARE(sorted(scan(world, "*.txt", kAllAttributes)),
             sorted({raw(world.path(".profile.txt")), raw(world.path("plain/visible.txt"))}));
}

void TestTreeFind::attributesFilter() {
    FindWorld world;
    world.file(".hidden.txt");
    const QString locked = world.file("locked.txt");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup);
    world.file("normal.txt");
    const QString marked = world.file("marked.txt");
    const bool hasXattr = ::setxattr(raw(marked).constData(), "user.DOSATTRIB", "0x4", 3, 0) == 0;
    world.file("sysdir/in-system-dir.txt");
    if (hasXattr) ::setxattr(raw(world.path("sysdir")).constData(), "user.DOSATTRIB", "0x4", 3, 0);

    QByteArrayList all = {raw(world.path(".hidden.txt")), raw(locked), raw(marked),
                          raw(world.path("normal.txt")),
                          raw(world.path("sysdir/in-system-dir.txt"))};
    QCOMPARE(sorted(scan(world, "*.txt", kAllAttributes)), sorted(all));
    QByteArrayList noHidden = all;
    noHidden.removeAt(0);
    QCOMPARE(sorted(scan(world, "*.txt", 0x0005)), sorted(noHidden));
    QByteArrayList noReadOnly = all;
    noReadOnly.removeAt(1);
    QCOMPARE(sorted(scan(world, "*.txt", 0x0006)), sorted(noReadOnly));
    if (!hasXattr) QSKIP("the file system keeps no user attributes");
    QCOMPARE(sorted(scan(world, "*.txt", 0x0003)),
             sorted({raw(world.path(".hidden.txt")), raw(locked), raw(world.path("normal.txt"))}));
}

void TestTreeFind::linkedDirectoriesNotFollowed() {
    FindWorld world;
    world.file("outside/far.txt");
    world.file("tree/near.txt");
    QVERIFY(QFile::link(world.path("outside"), world.path("tree/link-out")));
    QVERIFY(QFile::link(world.path("tree"), world.path("tree/loop")));
    QVERIFY(QFile::link(world.path("tree/near.txt"), world.path("tree/alias.txt")));
    TTreeFind find;
    find.Options = kAllAttributes;
    find.FileSpec = raw(world.path("tree/")) + "*";
    find.Execute();
    QCOMPARE(sorted(find.Results),
             sorted({raw(world.path("tree/near.txt")), raw(world.path("tree/alias.txt"))}));
}

void TestTreeFind::archivesIncluded() {
    FindWorld world;
    const QString tools =
        world.file("down/TOOLS.ZIP",
                   zipfixture::archive({{"Docs/Read.Me"}, {"docs/readme.txt"}, {"src/main.c"}}));
    world.file("down/readme.txt");
    QStringList scanned;
    TTreeFind find;
    find.Options = TTreeFind::IncludeZip | kAllAttributes;
    find.FileSpec = raw(world.path()) + "read*";
    find.OnScan = [&](TTreeFind& sender, const QString& text) {
        QCOMPARE(&sender, &find);
        scanned << text;
    };
    find.Execute();
    QCOMPARE(sorted(find.Results), sorted({raw(world.path("down/readme.txt")),
                                           "read.me\t" + raw(tools), "readme.txt\t" + raw(tools)}));
    QCOMPARE(scanned, QStringList({world.path(), world.path("down/"), tools}));

    // An archive whose own name fits is a plain line too.
    QCOMPARE(sorted(scan(world, "*.zip", TTreeFind::IncludeZip | kAllAttributes)),
             QByteArrayList{raw(tools)});
    QCOMPARE(sorted(scan(world, "*.c", kAllAttributes)), QByteArrayList());
}

void TestTreeFind::archivesOnly() {
    FindWorld world;
    const QString pack = world.file("a/pack.zip", zipfixture::archive({{"x/notes.txt"}}));
    world.file("a/notes.txt");
    QStringList scanned;
    TTreeFind find;
    find.Options = TTreeFind::ZipOnly | kAllAttributes;
    find.FileSpec = raw(world.path()) + "*";
    find.OnScan = [&](TTreeFind&, const QString& text) { scanned << text; };
    find.Execute();
    QCOMPARE(find.Results, QByteArrayList{"notes.txt\t" + raw(pack)});
    QCOMPARE(scanned, QStringList{pack});
}

void TestTreeFind::damagedArchiveSkippedAlone() {
    FindWorld world;
    world.file("dir/bad.zip", "PK\5\6 not really an archive");
    world.file("dir/truncated.zip", zipfixture::archive({{"lost.txt"}}).left(40));
    const QString good = world.file("dir/good.zip", zipfixture::archive({{"kept.txt"}}));
    world.file("dir/after.txt");
    world.file("dir/sub/below.txt");
    QCOMPARE(sorted(scan(world, "*.txt", TTreeFind::IncludeZip | kAllAttributes)),
             sorted({raw(world.path("dir/after.txt")), raw(world.path("dir/sub/below.txt")),
                     "kept.txt\t" + raw(good)}));
}

void TestTreeFind::unreadableDirectorySkippedAlone() {
    if (::geteuid() == 0) QSKIP("permissions do not stop root");
    FindWorld world;
    world.file("a/closed/secret.txt");
    world.file("a/open1/one.txt");
    world.file("a/open2/two.txt");
    QFile::setPermissions(world.path("a/closed"), QFileDevice::Permissions());
    const QByteArrayList found = scan(world, "*.txt", kAllAttributes);
    QFile::setPermissions(world.path("a/closed"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(sorted(found),
             sorted({raw(world.path("a/open1/one.txt")), raw(world.path("a/open2/two.txt"))}));
}

void TestTreeFind::depthFirstOrder() {
    FindWorld world;
    for (const char* name :
         {"x/x.txt", "x/deep/x2.txt", "x/deep/er/x3.txt", "y/y.txt", "y/deep/y2.txt", "top.txt"})
        world.file(name);
    const QByteArrayList found = scan(world, "*.txt", kAllAttributes);
    QCOMPARE(found.size(), 6);
    QCOMPARE(found.first(), raw(world.path("top.txt")));
    // Each directory comes before what lies below it, and each subtree is found whole
    // before its sibling's.
    const auto at = [&](const char* name) { return found.indexOf(raw(world.path(name))); };
    QVERIFY(at("x/x.txt") < at("x/deep/x2.txt") && at("x/deep/x2.txt") < at("x/deep/er/x3.txt"));
    QVERIFY(at("y/y.txt") < at("y/deep/y2.txt"));
    QVERIFY(at("x/deep/er/x3.txt") < at("y/y.txt") || at("y/deep/y2.txt") < at("x/x.txt"));
}

void TestTreeFind::stopPartway() {
    FindWorld world;
    for (int i = 0; i < 20; ++i)
        world.file(QStringLiteral("d%1/f.txt").arg(i));
    world.file("a.txt");
    bool stop = false;
    int directories = 0;
    QList<bool> running;
    TTreeFind find;
    find.Options = kAllAttributes;
    find.FileSpec = raw(world.path()) + "*.txt";
    find.StopRequested = [&] { return stop; };
    find.OnRunning = [&](bool on) { running << on; };
    find.OnScan = [&](TTreeFind&, const QString&) {
        if (++directories == 4) stop = true;
    };
    find.Execute();
    QCOMPARE(directories, 4);
    QCOMPARE(find.Results.size(), 4); // a.txt and the files of three subdirectories
    QCOMPARE(find.Results.first(), raw(world.path("a.txt")));
    QCOMPARE(running, QList<bool>({true, false}));
}

void TestTreeFind::stopBeforeStart() {
    FindWorld world;
    world.file("a.txt");
    TTreeFind find;
    find.Options = kAllAttributes;
    find.FileSpec = raw(world.path()) + "*";
    find.Results = {"kept"};
    bool ran = false;
    find.OnRunning = [&](bool) { ran = true; };
    find.StopRequested = [] { return true; };
    find.Execute();
    QCOMPARE(find.Results, QByteArrayList{"kept"});
    QVERIFY(!ran);
}

void TestTreeFind::rawNamesKept() {
    FindWorld world;
    const QByteArray name = world.rawNameFile("odd", "caf\xE9.txt");
    const QString pack = world.file("odd/pack.zip", zipfixture::archive({{"d/\xFF.TXT"}}));
    QCOMPARE(sorted(scan(world, "*.txt", TTreeFind::IncludeZip | kAllAttributes)),
             sorted({name, "\xFF.txt\t" + raw(pack)}));
}

void TestTreeFind::missingRootIsAnError() {
    FindWorld world;
    QList<bool> running;
    TTreeFind find;
    find.Options = kAllAttributes;
    find.FileSpec = raw(world.path("gone/")) + "*";
    find.OnRunning = [&](bool on) { running << on; };
    try {
        find.Execute();
        QFAIL("no error");
    } catch (const KorError& error) {
        QVERIFY(error.text().contains(world.path("gone/")));
    }
    QCOMPARE(running, QList<bool>({true, false}));
}

QTEST_GUILESS_MAIN(TestTreeFind)
#include "tst_treefind.moc"
