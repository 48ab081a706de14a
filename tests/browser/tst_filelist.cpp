#include "browser/FileList.h"

#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TSortColumn)

namespace {

void setModified(const QString& path, qint64 secondsSinceEpoch) {
    const struct timespec times[2] = {{time_t(secondsSinceEpoch), 0},
                                      {time_t(secondsSinceEpoch), 0}};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

QStringList captions(const TQuickFileList& list) {
    QStringList result;
    for (int i = 0; i < list.itemCount(); ++i)
        result.append(list.itemCaption(i));
    return result;
}

QByteArray readRaw(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0) return "<cannot open>";
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    return QByteArray(buffer, n < 0 ? 0 : int(n));
}

void clickHeader(TQuickFileList& list, int section) {
    QHeaderView* header = list.reportView()->header();
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

} // namespace

class TestFileList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void maskSelectsFiles_data();
    void maskSelectsFiles();
    void attributeFilter();
    void unreadableFolderSaysWhy();
    void displayNamesHandOutStoredNames();
    void sortRules_data();
    void sortRules();
    void headerClicksToggleDirection();
    void directoriesFirstInBothDirections();
    void hugeSparseFileSortsBySize();
    void columnsOfReport();
    void sameDirectoryIsNotReread();
    void badInputGivesQuietList();
    void nonUtf8NameIsReachable();
    void symlinkLoopsDoNotHang();
    void newListingSupersedesRunningOne();
    void viewStylesShareSelection();
    void iconStylesShowWholeCaptions();
    void selectionQueries();
    void mouseAndKeySignals();
};

void TestFileList::defaults() {
    TQuickFileList list;
    QCOMPARE(list.Mask(), QString("*.*"));
    QCOMPARE(list.FileTypes(), TFileTypes(ftArchive | ftReadonly));
    QVERIFY(!list.DisplayDirectory());
    QVERIFY(!list.DisplayParentDir());
    QCOMPARE(list.SortColumn(), clName);
    QVERIFY(!list.SortReversed());
    QVERIFY(list.DrawSortSign());
    QCOMPARE(list.ViewStyle(), vsReport);
    QVERIFY(!list.MultiSelect());
    QVERIFY(list.ReadOnly());
    QVERIFY(!list.HideSelection());
    QVERIFY(list.ColumnClick());
    QVERIFY(list.ShowColumnHeaders());
    QCOMPARE(list.IconOptions().arrangement, TIconOptions::iaTop);
    QVERIFY(!list.IconOptions().autoArrange);
    QVERIFY(list.IconOptions().wrapText);
    QCOMPARE(list.directory(), QString());
    QCOMPARE(list.itemCount(), 0);
}

void TestFileList::maskSelectsFiles_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("star dot star hides README")
        << "*.*" << QStringList{"a.txt", "a.txt.txt", "index.htm", "page.html", "Photo.JPG"};
    QTest::newRow("txt") << "*.txt" << QStringList{"a.txt"};
    QTest::newRow("html preset") << "*.htm; *.html" << QStringList{"index.htm", "page.html"};
    QTest::newRow("empty mask lists all")
        << "" << QStringList{"a.txt", "a.txt.txt", "index.htm", "page.html", "Photo.JPG", "Readme"};
    QTest::newRow("bare word") << "TXT" << QStringList{"a.txt", "a.txt.txt"};
    QTest::newRow("question mark") << "*.?pg" << QStringList{"Photo.JPG"};
    QTest::newRow("nothing matches") << "*.<>" << QStringList{};
}

void TestFileList::maskSelectsFiles() {
    QFETCH(QString, mask);
    QFETCH(QStringList, listed);
    TestWorld world;
    for (const char* name : {"a.txt", "a.txt.txt", "index.htm", "page.html", "Photo.JPG", "README"})
        world.file(QString("files/") + name, "x");
    world.dir("files/sub.txt");
    TQuickFileList list;
    list.setDirectory(world.path("files"));
    list.setMask(mask);
    QCOMPARE(captions(list), listed);
}

void TestFileList::unreadableFolderSaysWhy() {
    TestWorld world;
    world.file("d/a.txt", "x");
    TQuickFileList list;
    QSignalSpy listed(&list, &TQuickFileList::OnListed);
    list.setDirectory(world.path("d"));
    QVERIFY(list.readError().isEmpty());
    QVERIFY(QDir(world.path("d")).removeRecursively());
    list.reread();
    QCOMPARE(listed.count(), 2);
    QCOMPARE(
        list.readError(),
        QString("Cannot read the folder \"%1\". No such file or directory").arg(world.path("d/")));
    QVERIFY(captions(list).isEmpty());
}

void TestFileList::attributeFilter() {
    TestWorld world;
    world.file("d/plain.txt", "x");
    const QString locked = world.file("d/locked.txt", "x");
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner));
    world.file("d/.hidden.txt", "x");
    const QString system = world.file("d/system.txt", "x");
    const bool haveXattr =
        ::setxattr(QFile::encodeName(system).constData(), "user.DOSATTRIB", "0x4", 3, 0) == 0;

    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QStringList expected{"locked.txt", "plain.txt"};
    if (!haveXattr) expected.append("system.txt");
    QCOMPARE(captions(list), expected);

    list.setFileTypes(ftArchive | ftReadonly | ftAll);
    QCOMPARE(captions(list), (QStringList{".hidden.txt", "locked.txt", "plain.txt", "system.txt"}));

    list.setFileTypes(ftArchive | ftHidden);
    expected = QStringList{".hidden.txt", "plain.txt"};
    if (!haveXattr) expected.append("system.txt");
    QCOMPARE(captions(list), expected);
}

void TestFileList::displayNamesHandOutStoredNames() {
    TestWorld world;
    world.file("d/README.TXT", "upper");
    world.file("d/readme.txt", "lower");
    world.file("d/ReadMe.TXT", "mixed");
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QCOMPARE(list.itemCount(), 3);
    QHash<QString, QString> contentByCaption;
    for (int i = 0; i < list.itemCount(); ++i) {
        QFile file(list.itemPath(i));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(list.itemPath(i)));
        contentByCaption.insert(list.itemCaption(i) + "|" + list.itemName(i), file.readAll());
    }
    QCOMPARE(contentByCaption.value("Readme.txt|README.TXT"), QString("upper"));
    QCOMPARE(contentByCaption.value("readme.txt|readme.txt"), QString("lower"));
    QCOMPARE(contentByCaption.value("ReadMe.TXT|ReadMe.TXT"), QString("mixed"));
}

void TestFileList::sortRules_data() {
    QTest::addColumn<TSortColumn>("column");
    QTest::addColumn<QStringList>("order");
    // Names compare upper-cased: "Z" (0x5A) comes before "_" (0x5F), unlike a lower-case order.
    QTest::newRow("name") << clName << QStringList{"b.txt", "c.dat", "zeta.txt", "_a.txt"};
    QTest::newRow("size") << clSize << QStringList{"zeta.txt", "_a.txt", "c.dat", "b.txt"};
    QTest::newRow("modified, newest first")
        << clDate << QStringList{"c.dat", "b.txt", "_a.txt", "zeta.txt"};
    QTest::newRow("type") << clType << QStringList{};
}

void TestFileList::sortRules() {
    QFETCH(TSortColumn, column);
    QFETCH(QStringList, order);
    TestWorld world;
    const struct {
        const char* name;
        int size;
        qint64 modified;
    } files[] = {
        {"_a.txt", 20, 2000}, {"b.txt", 300, 3000}, {"zeta.txt", 1, 1000}, {"c.dat", 40, 4000}};
    for (const auto& f : files) {
        const QString path = world.file(QString("d/") + f.name, QByteArray(f.size, 'x'));
        setModified(path, 1'600'000'000 + f.modified);
    }
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    list.setSortColumn(column);
    if (column == clType) {
        // Type names come from the MIME database: check the rule, not its words.
        const auto typeAt = [&](int i) { return list.listModel()->typeName(i); };
        for (int i = 1; i < list.itemCount(); ++i)
            QVERIFY2(QString::compare(typeAt(i - 1), typeAt(i)) <= 0, qPrintable(typeAt(i)));
        list.listModel()->columnClick(column);
        for (int i = 1; i < list.itemCount(); ++i)
            QVERIFY2(QString::compare(typeAt(i - 1), typeAt(i)) >= 0, qPrintable(typeAt(i)));
        QVERIFY(typeAt(0) != typeAt(list.itemCount() - 1));
        return;
    }
    QCOMPARE(captions(list), order);
    list.listModel()->columnClick(column);
    std::reverse(order.begin(), order.end());
    QCOMPARE(captions(list), order);
}

void TestFileList::headerClicksToggleDirection() {
    TestWorld world;
    const QString old = world.file("d/old.txt", "x");
    const QString recent = world.file("d/new.txt", "x");
    setModified(old, 1'000'000'000);
    setModified(recent, 1'700'000'000);
    TQuickFileList list;
    list.resize(600, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setDirectory(world.path("d"));
    QAbstractItemModel* model = list.reportView()->model();
    const auto header = [&](int s) { return model->headerData(s, Qt::Horizontal).toString(); };
    QCOMPARE(header(0), QString("Name+"));
    QCOMPARE(header(3), QString("Modified"));
    QSignalSpy sorted(&list, &TQuickFileList::OnSort);

    clickHeader(list, clDate);
    QCOMPARE(captions(list), (QStringList{"new.txt", "old.txt"}));
    QCOMPARE(header(3), QString("Modified+"));
    QCOMPARE(header(0), QString("Name"));
    clickHeader(list, clDate);
    QCOMPARE(captions(list), (QStringList{"old.txt", "new.txt"}));
    QCOMPARE(header(3), QString("Modified-"));
    QCOMPARE(sorted.count(), 2);
    QCOMPARE(sorted.last().at(0).value<TSortColumn>(), clDate);

    // Another column keeps the reversed direction.
    clickHeader(list, clName);
    QCOMPARE(header(0), QString("Name-"));
    QCOMPARE(captions(list), (QStringList{"old.txt", "new.txt"}));

    // The direction survives a re-read.
    list.reread();
    QCOMPARE(captions(list), (QStringList{"old.txt", "new.txt"}));

    list.setDrawSortSign(false);
    QCOMPARE(header(0), QString("Name"));
    list.setColumnClick(false);
    clickHeader(list, clSize);
    QCOMPARE(list.SortColumn(), clName);
}

void TestFileList::directoriesFirstInBothDirections() {
    TestWorld world;
    world.file("d/a.txt", "x");
    world.file("d/z.txt", "x");
    world.dir("d/m-folder");
    world.dir("d/b-folder");
    TQuickFileList list;
    list.setDisplayDirectory(true);
    list.setDisplayParentDir(true);
    list.setMask("*");
    list.setDirectory(world.path("d"));
    QCOMPARE(captions(list), (QStringList{"..", "b-folder", "m-folder", "a.txt", "z.txt"}));
    list.listModel()->columnClick(clName);
    QCOMPARE(captions(list), (QStringList{"..", "m-folder", "b-folder", "z.txt", "a.txt"}));
    QCOMPARE(list.listModel()->data(list.listModel()->index(1, clSize), Qt::DisplayRole).toString(),
             QString());

    list.setDisplayParentDir(false);
    QCOMPARE(list.itemCaption(0), QString("m-folder"));
    list.setDisplayDirectory(false);
    QCOMPARE(captions(list), (QStringList{"z.txt", "a.txt"}));
}

void TestFileList::hugeSparseFileSortsBySize() {
    TestWorld world;
    const struct {
        const char* name;
        qint64 size;
    } files[] = {{"huge.bin", 5'000'000'000LL}, {"big.bin", 1'000'000'000LL}, {"small.bin", 10}};
    for (const auto& f : files) {
        const QString path = world.file(QString("d/") + f.name);
        QVERIFY(::truncate(QFile::encodeName(path).constData(), off_t(f.size)) == 0);
    }
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    list.setSortColumn(clSize);
    // Cut to 32 bits, 5,000,000,000 would be 705,032,704 and sort before big.bin.
    QCOMPARE(captions(list), (QStringList{"small.bin", "big.bin", "huge.bin"}));
    QCOMPARE(list.listModel()->item(2).size, 5'000'000'000LL);
    const QAbstractItemModel* model = list.listModel();
    QCOMPARE(model->data(model->index(2, clSize), Qt::DisplayRole).toString(),
             QString("5000000000"));
    QCOMPARE(model->data(model->index(0, clSize), Qt::DisplayRole).toString(),
             QString("        10"));
}

void TestFileList::columnsOfReport() {
    TestWorld world;
    const QString file = world.file("d/notes.txt", "hello");
    setModified(file, 1'600'000'000);
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QHeaderView* header = list.reportView()->header();
    const int widths[] = {150, 60, 130, 100};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(header->sectionSize(column), widths[column]);
    const QAbstractItemModel* model = list.listModel();
    QCOMPARE(model->columnCount(), 4);
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
             int(Qt::AlignRight));
    QCOMPARE(model->data(model->index(0, clSize), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
             int(Qt::AlignRight));
    QCOMPARE(model->data(model->index(0, clName), Qt::TextAlignmentRole).toInt() & Qt::AlignLeft,
             int(Qt::AlignLeft));
    QCOMPARE(model->data(model->index(0, clName), Qt::DisplayRole).toString(),
             QString("notes.txt"));
    QVERIFY(!model->data(model->index(0, clType), Qt::DisplayRole).toString().isEmpty());
    const QString modified = model->data(model->index(0, clDate), Qt::DisplayRole).toString();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(1'600'000'000).toLocalTime();
    const QString date = QLocale().toString(local.date(), QLocale::ShortFormat) + "  ";
    QVERIFY2(modified.startsWith(date), qPrintable(modified));
    QVERIFY2(!modified.mid(date.size()).isEmpty(), qPrintable(modified));
    QVERIFY2(!modified.mid(date.size()).contains(":40"), qPrintable(modified)); // no seconds
    QCOMPARE(modified, FileListModel::formatModified(1'600'000'000'000LL));
}

void TestFileList::sameDirectoryIsNotReread() {
    TestWorld world;
    world.file("d/one.txt", "x");
    TQuickFileList list;
    list.setDirectory(world.path("d")); // without the final "/"
    QCOMPARE(list.directory(), world.path("d/"));
    world.file("d/two.txt", "x");
    list.setDirectory(world.path("d/"));
    QCOMPARE(list.itemCount(), 1);
    list.reread();
    QCOMPARE(list.itemCount(), 2);
    list.setDirectory("?"); // nothing selected in the tree: nothing listed, not the root
    QCOMPARE(list.directory(), QString());
    QCOMPARE(list.itemCount(), 0);
}

void TestFileList::badInputGivesQuietList() {
    TestWorld world;
    ScriptedPrompter prompter;
    TQuickFileList list;

    world.file("gone/a.txt", "x");
    list.setDirectory(world.path("gone"));
    QCOMPARE(list.itemCount(), 1);
    QVERIFY(QDir(world.path("gone")).removeRecursively());
    list.reread();
    QCOMPARE(list.itemCount(), 0);

    list.setDirectory(world.path("never-there"));
    QCOMPARE(list.itemCount(), 0);
    list.setDirectory(world.file("plain.txt", "x"));
    QCOMPARE(list.itemCount(), 0);

    const QString locked = world.dir("locked");
    world.file("locked/a.txt", "x");
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
    list.setDirectory(locked);
    if (::geteuid() != 0) QCOMPARE(list.itemCount(), 0); // root reads it regardless
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(prompter.messages.isEmpty());
}

void TestFileList::nonUtf8NameIsReachable() {
    TestWorld world;
    const QByteArray raw = world.rawNameFile("d", "caf\xe9.txt", "latin-1 name");
    world.file("d/plain.txt", "plain");
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QCOMPARE(list.itemCount(), 2);
    int odd = -1;
    for (int i = 0; i < list.itemCount(); ++i)
        if (list.itemRawName(i) == "caf\xe9.txt") odd = i;
    QVERIFY(odd >= 0);
    QVERIFY(list.itemCaption(odd).startsWith("caf"));
    QVERIFY(list.itemCaption(odd).endsWith(".txt"));
    list.setItemSelected(odd, true);
    QCOMPARE(list.firstSelectedItem(), odd);
    QCOMPARE(list.firstSelectedRawPath(), raw);
    QCOMPARE(readRaw(list.firstSelectedRawPath()), QByteArray("latin-1 name"));
}

void TestFileList::symlinkLoopsDoNotHang() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString dir = world.dir("d");
    world.file("d/real.txt", "x");
    QVERIFY(QFile::link(dir + "self.lnk", dir + "self.lnk"));
    QVERIFY(QFile::link(dir + "b.lnk", dir + "a.lnk"));
    QVERIFY(QFile::link(dir + "a.lnk", dir + "b.lnk"));
    QVERIFY(QFile::link(dir, dir + "up"));
    QVERIFY(QFile::link(dir + "real.txt", dir + "alias.txt"));
    TQuickFileList list;
    list.setMask("*");
    list.setDirectory(dir);
    QCOMPARE(captions(list), (QStringList{"a.lnk", "alias.txt", "b.lnk", "real.txt", "self.lnk"}));
    QCOMPARE(list.listModel()->item(1).size, 1); // the link shows its target's facts
    list.setDisplayDirectory(true);
    QVERIFY(captions(list).contains("up"));
    list.setDirectory(dir + "up/up/up/");
    QCOMPARE(list.itemCount(), 6);
    QVERIFY(prompter.messages.isEmpty());
}

void TestFileList::newListingSupersedesRunningOne() {
    TestWorld world;
    for (int i = 0; i < 3000; ++i)
        world.file(QString("big/f%1.txt").arg(i), {});
    world.file("small/only.txt", "x");
    TQuickFileList list;
    list.listModel()->setYieldInterval(0);
    bool fired = false;
    QTimer::singleShot(0, &list, [&] {
        fired = true;
        QVERIFY(list.listModel()->isListing());
        list.setDirectory(world.path("small"));
    });
    list.setDirectory(world.path("big"));
    QVERIFY(fired);
    QCOMPARE(list.directory(), world.path("small/"));
    QCOMPARE(captions(list), QStringList{"only.txt"});
    QVERIFY(!list.listModel()->isListing());
}

void TestFileList::viewStylesShareSelection() {
    TestWorld world;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        world.file(QString("d/") + name, "x");
    TQuickFileList list;
    list.setMultiSelect(true);
    list.resize(400, 300);
    list.show();
    list.setDirectory(world.path("d"));
    list.setItemSelected(1, true);

    const struct {
        TViewStyle style;
        QListView::ViewMode mode;
        QListView::Flow flow;
        int icon;
    } styles[] = {{vsIcon, QListView::IconMode, QListView::LeftToRight, 32},
                  {vsSmallIcon, QListView::ListMode, QListView::LeftToRight, 16},
                  {vsList, QListView::ListMode, QListView::TopToBottom, 16}};
    for (const auto& s : styles) {
        list.setViewStyle(s.style);
        QCOMPARE(list.currentView(), static_cast<QAbstractItemView*>(list.iconView()));
        QVERIFY(list.iconView()->isVisible());
        QVERIFY(!list.reportView()->isVisible());
        QCOMPARE(list.iconView()->viewMode(), s.mode);
        QCOMPARE(list.iconView()->flow(), s.flow);
        QCOMPARE(list.iconView()->iconSize(), QSize(s.icon, s.icon));
        QCOMPARE(list.selectedItems(), QList<int>{1});
    }
    TIconOptions left;
    left.arrangement = TIconOptions::iaLeft;
    left.autoArrange = true;
    left.wrapText = false;
    list.setIconOptions(left);
    list.setViewStyle(vsIcon);
    QCOMPARE(list.iconView()->flow(), QListView::TopToBottom);
    QCOMPARE(list.iconView()->resizeMode(), QListView::Adjust);
    QVERIFY(!list.iconView()->wordWrap());

    list.setViewStyle(vsReport);
    QVERIFY(list.reportView()->isVisible());
    QCOMPARE(list.selectedItems(), QList<int>{1});
    QCOMPARE(list.firstSelectedName(), QString("b.txt"));
}

void TestFileList::iconStylesShowWholeCaptions() {
    TestWorld world;
    const QString longName = "a-rather-long-file-name-for-one-column.txt";
    for (const QString& name : {QString("a.txt"), longName, QString("b.txt")})
        world.file("d/" + name, "x");
    TQuickFileList list;
    list.setViewStyle(vsSmallIcon);
    list.setDirectory(world.path("d")); // listed before it is ever shown
    list.resize(600, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (const TViewStyle style : {vsSmallIcon, vsList, vsSmallIcon}) {
        list.setViewStyle(style);
        QCoreApplication::processEvents();
        QListView* view = list.iconView();
        const int needed = view->fontMetrics().horizontalAdvance(longName);
        for (int row = 0; row < list.itemCount(); ++row)
            QVERIFY2(view->visualRect(list.listModel()->index(row, 0)).width() > needed,
                     qPrintable(list.itemCaption(row)));
    }
}

void TestFileList::selectionQueries() {
    TestWorld world;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        world.file(QString("d/") + name, "x");
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QCOMPARE(list.firstSelectedName(), QString());
    QCOMPARE(list.firstSelectedItem(), -1);

    list.setItemSelected(2, true);
    list.setItemSelected(1, true); // single selection: replaces
    QCOMPARE(list.selectedItems(), QList<int>{1});

    list.setMultiSelect(true);
    list.setItemSelected(3, true);
    list.setItemSelected(0, true);
    QVERIFY(list.isItemSelected(0) && list.isItemSelected(1) && list.isItemSelected(3));
    QVERIFY(!list.isItemSelected(2));
    QCOMPARE(list.firstSelectedName(), QString("a.txt")); // list order, not selection order

    list.replaceFirstSelectedName("NEW.TXT");
    QCOMPARE(list.itemName(0), QString("NEW.TXT"));
    QCOMPARE(list.itemCaption(0), QString("New.txt"));
    QCOMPARE(list.itemPath(0), world.path("d/NEW.TXT"));

    list.reread(); // the selection does not survive a rebuild
    QCOMPARE(list.selectedItems(), QList<int>{});
}

void TestFileList::mouseAndKeySignals() {
    TestWorld world;
    for (const char* name : {"a.txt", "b.txt"})
        world.file(QString("d/") + name, "x");
    TQuickFileList list;
    list.setMultiSelect(true);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setDirectory(world.path("d"));
    QSignalSpy clicks(&list, &TQuickFileList::OnClick);
    QSignalSpy doubles(&list, &TQuickFileList::OnDblClick);
    QSignalSpy keys(&list, &TQuickFileList::OnKeyUp);
    QSignalSpy changes(&list, &TQuickFileList::OnChange);

    QTreeView* view = list.reportView();
    QStringList selectedAtClick;
    connect(&list, &TQuickFileList::OnClick, this,
            [&] { selectedAtClick.append(list.firstSelectedName()); });
    const QPoint second = view->visualRect(list.listModel()->index(1, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(selectedAtClick, QStringList{"b.txt"});
    QVERIFY(changes.count() >= 1);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(5, view->viewport()->height() - 5));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(selectedAtClick.last(), QString()); // empty space clears the selection

    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(doubles.count(), 1);

    const int leftClicks = int(clicks.count());
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, second);
    QCOMPARE(clicks.count(), leftClicks);

    view->setFocus();
    view->setCurrentIndex(list.listModel()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.last().at(0).toInt(), int(Qt::Key_Up));
    QCOMPARE(list.firstSelectedName(), QString("a.txt"));
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
