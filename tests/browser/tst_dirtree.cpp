#include "browser/DirTreeModel.h"
#include "browser/dirtree.h"

#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using platform::VolumeInfo;
using platform::VolumeType;

Q_DECLARE_METATYPE(VolumeType)

namespace {

VolumeInfo volume(const QString& root, const QString& caption, VolumeType type,
                  qint64 bytes = 1 << 30) {
    VolumeInfo v;
    v.rootPath = root;
    v.caption = caption;
    v.type = type;
    v.totalBytes = bytes;
    return v;
}

QStringList childCaptions(const QAbstractItemModel& model, const QModelIndex& parent) {
    QStringList captions;
    for (int row = 0; row < model.rowCount(parent); ++row)
        captions.append(model.index(row, 0, parent).data().toString());
    return captions;
}

} // namespace

class TestDirTree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placeholdersByVolumeType_data();
    void placeholdersByVolumeType();
    void readingIsLazyAndSorted();
    void goToPaths_data();
    void goToPaths();
    void hiddenLevelsFollowDirType();
    void recycleBinFilter();
    void addDirHandlerVetoes();
    void networkVolumesCanBeLeftOut();
    void refreshAfterCurrentDirectoryDeleted();
    void refreshWithNothingSelected();
    void drivesRememberTheirDirectory();
    void nestedVolumesOwnTheirPaths();
    void symlinkLoopsEndTheBranch();
    void nonUtf8DirectoryIsReachable();
    void badVolumesStayQuiet();
    void expandingInTheView();
};

void TestDirTree::placeholdersByVolumeType_data() {
    QTest::addColumn<VolumeType>("type");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<bool>("withSubdir");
    QTest::addColumn<QString>("placeholder");
    QTest::newRow("fixed with a folder") << VolumeType::Fixed << qint64(1 << 30) << true << " ";
    QTest::newRow("fixed, files only") << VolumeType::Fixed << qint64(1 << 30) << false << "";
    QTest::newRow("ram disk probed") << VolumeType::Ram << qint64(1 << 20) << true << " ";
    QTest::newRow("removable not probed")
        << VolumeType::Removable << qint64(1 << 30) << true << "u**";
    QTest::newRow("cd-rom not probed") << VolumeType::CdRom << qint64(1 << 30) << true << "u**";
    QTest::newRow("unknown not probed") << VolumeType::Unknown << qint64(1 << 30) << true << "u**";
    QTest::newRow("network not probed") << VolumeType::Network << qint64(1 << 30) << true << "u**";
    QTest::newRow("no media") << VolumeType::Fixed << qint64(-1) << true << "u**";
}

void TestDirTree::placeholdersByVolumeType() {
    QFETCH(VolumeType, type);
    QFETCH(qint64, bytes);
    QFETCH(bool, withSubdir);
    QFETCH(QString, placeholder);
    TestWorld world;
    const QString root = world.dir("vol");
    world.file("vol/file.txt", "x");
    if (withSubdir) world.dir("vol/folder");
    world.volumes.volumes = {volume(root, "vol", type, bytes)};
    DirTreeModel model;
    model.reload();
    QCOMPARE(model.rowCount(), 1);
    const QModelIndex rootIndex = model.index(0, 0);
    QCOMPARE(rootIndex.data().toString(), QString("vol"));
    QCOMPARE(model.pathList(), QStringList{"u" + root});
    QCOMPARE(childCaptions(model, rootIndex),
             placeholder.isEmpty() ? QStringList{} : QStringList{placeholder});
    QCOMPARE(model.isUntouched(rootIndex), placeholder == "u**");

    model.readNode(rootIndex);
    QCOMPARE(model.pathList().first(), "i" + root);
    QCOMPARE(childCaptions(model, rootIndex), withSubdir ? QStringList{"folder"} : QStringList{});
}

void TestDirTree::readingIsLazyAndSorted() {
    TestWorld world;
    for (const char* dir : {"Docs/sub", "docs", "alpha/deep/deeper", "Beta", ".hidden/inner"})
        world.dir(QString("vol/") + dir);
    world.file("vol/Docs/file.txt", "x");
    world.volumes.volumes = {volume(world.path("vol/"), "vol", VolumeType::Fixed)};
    DirTreeModel model;
    model.reload();
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(childCaptions(model, root), QStringList{" "});

    model.expandNode(root);
    // Case-insensitive order; equal names in bytes order.
    QCOMPARE(childCaptions(model, root), (QStringList{".hidden", "alpha", "Beta", "Docs", "docs"}));
    const QString base = world.path("vol/");
    QStringList expected{"i" + base};
    for (const char* dir : {".hidden/", "alpha/", "Beta/", "Docs/", "docs/"})
        expected.append("i" + base + dir);
    for (const char* dir : {".hidden/inner/", "alpha/deep/", "Docs/sub/"})
        expected.append("u" + base + dir);
    QCOMPARE(model.pathList(), expected);
    const QModelIndex alpha = model.index(1, 0, root);
    QCOMPARE(model.pathOf(alpha), QFile::encodeName(base + "alpha/"));
    QCOMPARE(childCaptions(model, alpha), QStringList{"deep"});
    QCOMPARE(model.rowCount(model.index(0, 0, alpha)), 0); // not read yet
}

void TestDirTree::goToPaths_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("selected"); // relative to the world, "?" for none
    QTest::newRow("exact case") << "docs"
                                << "docs/";
    QTest::newRow("the capitalised sibling") << "Docs/sub"
                                             << "Docs/sub/";
    QTest::newRow("another letter case matches nothing") << "DOCS"
                                                         << "?";
    QTest::newRow("trailing slash added") << "alpha/deep"
                                          << "alpha/deep/";
    QTest::newRow("cleaned") << "alpha//deep/./../deep/"
                             << "alpha/deep/";
    QTest::newRow("root") << ""
                          << "";
    QTest::newRow("missing") << "alpha/none"
                             << "?";
    QTest::newRow("a file") << "alpha/file.txt"
                            << "?";
    QTest::newRow("below a hidden folder") << ".hidden/inner"
                                           << ".hidden/inner/";
}

void TestDirTree::goToPaths() {
    QFETCH(QString, target);
    QFETCH(QString, selected);
    TestWorld world;
    for (const char* dir : {"Docs/sub", "docs", "alpha/deep", ".hidden/inner"})
        world.dir(dir);
    world.file("alpha/file.txt", "x");
    Tdirtree tree;
    QSignalSpy changes(&tree, &Tdirtree::OnChange);
    QCOMPARE(tree.Directory(), QString("?"));
    tree.setDirectory(world.path(target));
    QCOMPARE(tree.Directory(), selected == "?" ? selected : world.path(selected));
    QCOMPARE(changes.count(), selected == "?" ? 0 : 1);
    tree.setDirectory("?");
    QCOMPARE(tree.Directory(), selected == "?" ? selected : world.path(selected));
    tree.setDirectory("relative/path");
    QCOMPARE(changes.count(), selected == "?" ? 0 : 1);
}

void TestDirTree::hiddenLevelsFollowDirType() {
    TestWorld world;
    world.dir(".hidden/inner");
    world.dir("shown");
    Tdirtree tree;
    QCOMPARE(tree.DirType(), TDirTypes(dtNormal | dtAll));
    tree.setDirectory(world.path(".hidden/inner"));
    QCOMPARE(tree.Directory(), world.path(".hidden/inner/"));

    tree.setDirType(dtNormal);
    QCOMPARE(tree.Directory(), QString("?")); // a reload drops the selection
    tree.setDirectory(world.path(".hidden/inner"));
    QCOMPARE(tree.Directory(), QString("?"));
    tree.setDirectory(world.path("shown"));
    QCOMPARE(tree.Directory(), world.path("shown/"));
    tree.setDirType(dtNormal | dtHidden);
    tree.setDirectory(world.path(".hidden/inner"));
    QCOMPARE(tree.Directory(), world.path(".hidden/inner/"));
}

void TestDirTree::recycleBinFilter() {
    TestWorld world;
    world.dir(".Trash-1000/files/old");
    world.dir(".Trash/1000/files");
    world.dir("Trash-like/inner");
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(world.path("data")));
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", oldDataHome); });
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QCOMPARE(dataHome, world.path("data"));
    QVERIFY(QDir().mkpath(dataHome + "/Trash/files/gone"));
    world.volumes.volumes.append(volume(dataHome + "/", "data", VolumeType::Fixed));

    Tdirtree tree;
    QVERIFY(tree.GoBelowRecycleBin());
    tree.setDirectory(world.path(".Trash-1000/files/old"));
    QCOMPARE(tree.Directory(), world.path(".Trash-1000/files/old/"));

    tree.setGoBelowRecycleBin(false);
    tree.setDirectory(world.path(".Trash-1000"));
    QCOMPARE(tree.Directory(), world.path(".Trash-1000/")); // the bin itself stays
    tree.setDirectory(world.path(".Trash-1000/files"));
    QCOMPARE(tree.Directory(), world.path(".Trash-1000/"));
    QCOMPARE(tree.model()->rowCount(tree.currentIndex()), 0);
    tree.setDirectory(world.path(".Trash/1000"));
    QCOMPARE(tree.Directory(), world.path(".Trash-1000/"));
    tree.setDirectory(world.path("Trash-like/inner"));
    QCOMPARE(tree.Directory(), world.path("Trash-like/inner/"));
    tree.setDirectory(dataHome + "/Trash");
    QCOMPARE(tree.Directory(), dataHome + "/Trash/");
    tree.setDirectory(dataHome + "/Trash/files/gone");
    QCOMPARE(tree.Directory(), dataHome + "/Trash/");
}

void TestDirTree::addDirHandlerVetoes() {
    TestWorld world;
    world.dir("keep/inner");
    world.dir("drop/inner");
    Tdirtree tree;
    QStringList asked;
    tree.setOnAddDir([&](const QString& path) {
        asked.append(path);
        return !path.endsWith("/drop/");
    });
    tree.reload();
    tree.setDirectory(world.path("drop/inner"));
    QCOMPARE(tree.Directory(), QString("?"));
    tree.setDirectory(world.path("keep/inner"));
    QCOMPARE(tree.Directory(), world.path("keep/inner/"));
    QVERIFY(asked.contains(world.path("drop/")));
    QVERIFY(asked.contains(world.path()));
}

void TestDirTree::networkVolumesCanBeLeftOut() {
    TestWorld world;
    world.volumes.volumes.append(volume(world.dir("net"), "net", VolumeType::Network));
    Tdirtree tree;
    QCOMPARE(tree.model()->rowCount(), 2);
    QVERIFY(tree.AllowNetwork());
    tree.setAllowNetwork(false);
    QCOMPARE(tree.model()->rowCount(), 1);
    QCOMPARE(tree.model()->index(0, 0).data().toString(), QString("/"));
}

void TestDirTree::refreshAfterCurrentDirectoryDeleted() {
    TestWorld world;
    world.dir("alpha/deep");
    world.dir("beta");
    Tdirtree tree;
    tree.setDirectory(world.path("beta"));
    tree.refresh();
    QCOMPARE(tree.Directory(), world.path("beta/"));

    tree.setDirectory(world.path("alpha/deep"));
    QVERIFY(QDir(world.path("alpha/deep")).removeRecursively());
    QSignalSpy changes(&tree, &Tdirtree::OnChange);
    tree.refresh();
    QCOMPARE(tree.Directory(), world.path());
    QVERIFY(changes.count() >= 1);
}

void TestDirTree::refreshWithNothingSelected() {
    TestWorld world;
    const QString usb = world.dir("usb");
    const QString disk = world.dir("disk");
    world.dir("disk/work");
    world.volumes.volumes = {volume(usb, "usb", VolumeType::Removable),
                             volume(disk, "disk", VolumeType::Fixed)};
    Tdirtree tree;
    tree.setDirectory(disk + "work");
    tree.reload();
    QCOMPARE(tree.Directory(), QString("?"));
    tree.refresh(); // the first volume that was probed, at its remembered directory
    QCOMPARE(tree.Directory(), disk + "work/");

    // When that directory cannot be opened any more, the volume's node itself is selected.
    world.dir("usb/stick");
    world.volumes.volumes = {volume(usb, "usb", VolumeType::Removable)};
    tree.reload();
    tree.setDirectory(usb + "stick");
    QCOMPARE(tree.Directory(), usb + "stick/");
    QVERIFY(QDir(usb + "stick").removeRecursively());
    tree.reload();
    tree.refresh();
    QCOMPARE(tree.Directory(), usb);
}

void TestDirTree::drivesRememberTheirDirectory() {
    TestWorld world;
    const QString a = world.dir("volA");
    const QString b = world.dir("volB");
    world.dir("volA/x/y");
    world.dir("volB/one");
    world.dir("volB/two");
    world.volumes.volumes = {volume(a, "volA", VolumeType::Fixed),
                             volume(b, "volB", VolumeType::Fixed)};
    Tdirtree tree;
    tree.setDirectory(b.chopped(1)); // a volume root named without its "/"
    QCOMPARE(tree.Directory(), b);
    tree.setDirectory(a + "x/y");
    QCOMPARE(tree.currentDrive(), a);
    tree.goToDrive(b);
    QCOMPARE(tree.Directory(), b);
    tree.setDirectory(b + "two");
    tree.goToDrive(a);
    QCOMPARE(tree.Directory(), a + "x/y/");
    tree.goToDrive(b);
    QCOMPARE(tree.Directory(), b + "two/");

    QSignalSpy changes(&tree, &Tdirtree::OnChange);
    tree.goToDrive(b); // the current volume: nothing happens
    QCOMPARE(tree.Directory(), b + "two/");
    QCOMPARE(changes.count(), 0);

    tree.goToDrive(a);
    tree.setDirectory(b + "one");
    QVERIFY(QDir(a + "x").removeRecursively());
    tree.goToDrive(a); // the remembered one is gone: the root
    QCOMPARE(tree.Directory(), a);
    tree.refresh(); // remembered directories survive a reload
    tree.goToDrive(b);
    QCOMPARE(tree.Directory(), b + "one/");
}

void TestDirTree::nestedVolumesOwnTheirPaths() {
    TestWorld world;
    const QString inner = world.dir("mnt/usb");
    world.dir("mnt/usb/photos");
    world.volumes.volumes.append(volume(inner, "usb", VolumeType::Fixed));
    Tdirtree tree;
    tree.setDirectory(inner + "photos");
    QCOMPARE(tree.Directory(), inner + "photos/");
    QCOMPARE(tree.currentDrive(), inner);
    QCOMPARE(tree.currentIndex().parent().data().toString(), QString("usb"));
    tree.setDirectory(world.path("mnt"));
    QCOMPARE(tree.currentDrive(), world.path());
}

void TestDirTree::symlinkLoopsEndTheBranch() {
    TestWorld world;
    const QString top = world.dir("top");
    world.dir("top/child");
    world.dir("other");
    QVERIFY(QFile::link(top, top + "child/up"));
    QVERIFY(QFile::link(top, top + "self"));
    QVERIFY(QFile::link(world.path("other"), top + "toOther"));
    QVERIFY(QFile::link(top, world.path("other/back")));
    Tdirtree tree;
    tree.setDirectory(top + "child/up");
    QCOMPARE(tree.Directory(), top + "child/up/");
    DirTreeModel* model = tree.pathModel();
    const QModelIndex up = tree.currentIndex();
    model->expandNode(up);
    QCOMPARE(model->rowCount(up), 0); // a link to a folder above it is not opened
    tree.setDirectory(top + "child/up/child");
    QCOMPARE(tree.Directory(), top + "child/up/");

    // A cycle over two links ends where it meets a folder already on the branch.
    tree.setDirectory(top + "toOther/back");
    QCOMPARE(tree.Directory(), top + "toOther/back/");
    model->expandNode(tree.currentIndex());
    QCOMPARE(model->rowCount(tree.currentIndex()), 0);
    QVERIFY(model->pathList().contains("i" + top + "self/"));
}

void TestDirTree::nonUtf8DirectoryIsReachable() {
    TestWorld world;
    const QByteArray odd = QFile::encodeName(world.path()) + "caf\xe9";
    QVERIFY(QDir().mkpath(world.path("plain")));
    QVERIFY(::mkdir(odd.constData(), 0755) == 0);
    QVERIFY(::mkdir((odd + "/inside").constData(), 0755) == 0);
    Tdirtree tree;
    tree.setRawDirectory(odd + "/inside");
    QCOMPARE(tree.rawDirectory(), odd + "/inside/");
    QVERIFY(tree.Directory().contains(QChar(QChar::ReplacementCharacter)));
    tree.setDirectory(world.path("plain"));
    QCOMPARE(tree.Directory(), world.path("plain/"));
}

void TestDirTree::badVolumesStayQuiet() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString gone = world.path("gone/");
    const QString empty = world.dir("floppy");
    world.volumes.volumes.append(volume(gone, "gone", VolumeType::Fixed));
    world.volumes.volumes.append(volume(empty, "fd0", VolumeType::Floppy, -1));
    world.volumes.volumes.append(volume(QString(), "fd1", VolumeType::Floppy, -1));
    Tdirtree tree;
    DirTreeModel* model = tree.pathModel();
    QCOMPARE(model->rowCount(), 3); // a floppy entry without a mount has no node
    const QModelIndex goneRoot = model->rootIndexOf(QFile::encodeName(gone));
    QCOMPARE(model->rowCount(goneRoot), 0);
    model->expandNode(goneRoot);
    QCOMPARE(model->rowCount(goneRoot), 0);
    const QModelIndex floppy = model->rootIndexOf(QFile::encodeName(empty));
    QCOMPARE(childCaptions(*model, floppy), QStringList{"u**"});
    model->expandNode(floppy);
    QCOMPARE(model->rowCount(floppy), 0);
    tree.setDirectory(gone + "x");
    QCOMPARE(tree.Directory(), QString("?"));
    tree.goToDrive(gone); // its node is selected and simply stays empty
    QCOMPARE(tree.Directory(), gone);
    QCOMPARE(model->rowCount(tree.currentIndex()), 0);

    const QString locked = world.dir("locked/inner");
    QVERIFY(QFile::setPermissions(world.path("locked"), QFileDevice::Permissions()));
    tree.refresh();
    tree.setDirectory(world.path("locked"));
    if (::geteuid() != 0) QCOMPARE(tree.model()->rowCount(tree.currentIndex()), 0);
    QFile::setPermissions(world.path("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(prompter.messages.isEmpty());
}

void TestDirTree::expandingInTheView() {
    TestWorld world;
    world.dir("vol/a/b/c");
    world.dir("vol/z");
    world.volumes.volumes = {volume(world.path("vol/"), "vol", VolumeType::Fixed)};
    Tdirtree tree;
    tree.resize(300, 400);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    const QModelIndex root = tree.model()->index(0, 0);
    tree.expand(root);
    QCOMPARE(childCaptions(*tree.model(), root), (QStringList{"a", "z"}));
    const QModelIndex a = tree.model()->index(0, 0, root);
    QCOMPARE(childCaptions(*tree.model(), a), QStringList{"b"}); // one level further read
    QVERIFY(tree.model()->hasChildren(a));
    QVERIFY(!tree.model()->hasChildren(tree.model()->index(1, 0, root)));

    QSignalSpy changes(&tree, &Tdirtree::OnChange);
    tree.setCurrentIndex(a);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(tree.Directory(), world.path("vol/a/"));
    QVERIFY(tree.Readonly());
    QCOMPARE(tree.editTriggers(), QAbstractItemView::NoEditTriggers);
}

QTEST_MAIN(TestDirTree)
#include "tst_dirtree.moc"
