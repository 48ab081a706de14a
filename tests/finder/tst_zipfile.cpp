#include "finder/ZipFile.h"

#include "TestWorld.h"
#include "ZipFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>

using zipfixture::Entry;

namespace {

QByteArrayList entryNames(const TZipFile& zip, bool fileNames) {
    QByteArrayList names;
    for (int i = 0; i < zip.EntryCount(); ++i)
        names << (fileNames ? zip.EntryFileName(i) : zip.EntryPath(i));
    return names;
}

// The message the reader raises for the path, or "" when it opened.
QString openError(const QString& path) {
    try {
        TZipFile zip(path);
        return {};
    } catch (const EZipErr& error) {
        return error.text();
    }
}

} // namespace

class TestZipFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void names_data();
    void names();
    void emptyEntriesDropped();
    void refused_data();
    void refused();
    void falseSignatureInComment();
    void lowerOfTwoVerifiedWins();
    void signatureAcrossWindows();
    void truncatedDirectory_data();
    void truncatedDirectory();
    void everyTruncationStaysInside();
    void zipAppendedWithoutDot();
    void noEntryList();
    void fifoIsRefusedAtOnce();
    void archiveFromZipTool();
};

void TestZipFile::names_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("fileName");
    QTest::newRow("slashes") << QByteArray("a/b/Read.Me") << QByteArray("a/b/Read.Me")
                             << QByteArray("read.me");
    QTest::newRow("backslashes") << QByteArray("a\\b\\X.TXT") << QByteArray("a/b/X.TXT")
                                 << QByteArray("x.txt");
    QTest::newRow("top level") << QByteArray("NOTES") << QByteArray("NOTES") << QByteArray("notes");
    QTest::newRow("high bytes kept") << QByteArray("d/\xC4RGER.TXT") << QByteArray("d/\xC4RGER.TXT")
                                     << QByteArray("\xC4rger.txt");
}

void TestZipFile::names() {
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, fileName);
    TestWorld world;
    const QString file = world.file("names.zip", zipfixture::archive({{"first.c"}, {stored}}));
    TZipFile zip(file);
    QCOMPARE(zip.EntryCount(), 2);
    QCOMPARE(zip.EntryPath(1), path);
    QCOMPARE(zip.EntryFileName(1), fileName);
    QCOMPARE(zip.EntryFileName(0), QByteArray("first.c"));
}

void TestZipFile::emptyEntriesDropped() {
    TestWorld world;
    const QString file =
        world.file("mixed.zip", zipfixture::archive({{"docs/", 0, 0, 0},
                                                     {"docs/empty.txt", 0, 0, 0},
                                                     {"docs/deflated-empty.txt", 8, 2, 0},
                                                     {"docs/stored.txt", 0, 5, 5},
                                                     {"docs/", 0, 0, 0, "extra"}}));
    TZipFile zip(file);
    QCOMPARE(entryNames(zip, false),
             QByteArrayList({"docs/deflated-empty.txt", "docs/stored.txt"}));
    QCOMPARE(zip.Entry(1).size(), 46 + 15);
}

void TestZipFile::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString invalid = QStringLiteral("%1 is not a valid ZIP file");
    // An archive without entries: its directory offset points at the end record itself.
    QTest::newRow("no entries") << zipfixture::endRecord(0, 0, 0) << invalid;
    QTest::newRow("prefixed data")
        << QByteArray(300, 'S') + zipfixture::archive({{"setup.exe"}}) << invalid;
    QTest::newRow("empty file") << QByteArray() << invalid;
    QTest::newRow("text file") << QByteArray(20000, 't') << invalid;
    QByteArray spanning = zipfixture::archive({{"part1.txt"}});
    spanning[spanning.size() - 22 + 4] = 1;
    QTest::newRow("this disk") << spanning << QStringLiteral("Disk spanning not yet implemented");
    QByteArray otherDisk = zipfixture::archive({{"part1.txt"}});
    otherDisk[otherDisk.size() - 22 + 6] = 2;
    QTest::newRow("directory disk")
        << otherDisk << QStringLiteral("Disk spanning not yet implemented");
}

void TestZipFile::refused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestWorld world;
    const QString file = world.file("bad.zip", bytes);
    QCOMPARE(openError(file), message.contains("%1") ? message.arg(file) : message);
}

void TestZipFile::falseSignatureInComment() {
    // The last 8 KiB hold only a comment with a signature that fails the verification; the
    // true end record lies in the window before.
    QByteArray comment(9000, 'c');
    comment.replace(8800, 4, "PK\5\6");
    TestWorld world;
    const QString file =
        world.file("commented.zip", zipfixture::archive({{"one.txt"}, {"two.txt"}}, comment));
    TZipFile zip(file);
    QCOMPARE(entryNames(zip, true), QByteArrayList({"one.txt", "two.txt"}));
    QCOMPARE(zip.EndRecord().size(), 22 + 9000);
}

void TestZipFile::lowerOfTwoVerifiedWins() {
    const QByteArray data = "PK\3\4 data";
    const QByteArray directory =
        zipfixture::centralRecord({"real.txt"}, 0) + zipfixture::centralRecord({"more.txt"}, 0);
    // The comment holds a second, verified end record that claims a single entry.
    const QByteArray fake =
        zipfixture::endRecord(1, quint32(directory.size()), quint32(data.size()));
    const QByteArray bytes =
        data + directory +
        zipfixture::endRecord(2, quint32(directory.size()), quint32(data.size()), fake);
    TestWorld world;
    TZipFile zip(world.file("two-ends.zip", bytes));
    QCOMPARE(entryNames(zip, true), QByteArrayList({"real.txt", "more.txt"}));
}

void TestZipFile::signatureAcrossWindows() {
    // The end record starts two bytes before the last window, so its signature straddles
    // the border between the last window and the one before.
    QByteArray bytes = zipfixture::archive({{"edge.txt"}});
    const int commentLength = 8192 + 2 - 22;
    bytes[bytes.size() - 2] = char(commentLength & 0xff);
    bytes[bytes.size() - 1] = char(commentLength >> 8);
    bytes += QByteArray(commentLength, 'z');
    TestWorld world;
    TZipFile zip(world.file("edge.zip", bytes));
    QCOMPARE(entryNames(zip, true), QByteArrayList({"edge.txt"}));
}

void TestZipFile::truncatedDirectory_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("names");
    const QByteArray data = "PK\3\4 data";
    const QByteArray first = zipfixture::centralRecord({"kept.txt"}, 0);
    const QByteArray second = zipfixture::centralRecord({"second.txt"}, 0);
    const auto build = [&](const QByteArray& directory, quint16 count) {
        return data + directory +
               zipfixture::endRecord(count, quint32(directory.size()), quint32(data.size()));
    };
    QTest::newRow("count larger than directory")
        << build(first + second, 9) << QByteArrayList({"kept.txt", "second.txt"});
    QTest::newRow("name runs past the file")
        << build(first + zipfixture::centralRecord({"long.txt"}, 0, 60000), 2)
        << QByteArrayList({"kept.txt"});
    QByteArray wrongSignature = second;
    wrongSignature[2] = '7';
    QTest::newRow("record without signature")
        << build(first + wrongSignature + second, 3) << QByteArrayList({"kept.txt"});
}

void TestZipFile::truncatedDirectory() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, names);
    TestWorld world;
    TZipFile zip(world.file("short.zip", bytes));
    QCOMPARE(entryNames(zip, false), names);
}

void TestZipFile::everyTruncationStaysInside() {
    const QByteArray whole =
        zipfixture::archive({{"a.txt"}, {"dir/b.txt", 8, 1, 1, "xx", "note"}, {"c.txt"}});
    TestWorld world;
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        const QString file = world.file("cut.zip", whole.left(cut));
        try {
            TZipFile zip(file);
            QVERIFY(zip.EntryCount() <= 3);
            for (int i = 0; i < zip.EntryCount(); ++i)
                QVERIFY(whole.contains(zip.EntryPath(i)));
        } catch (const EZipErr& error) {
            QCOMPARE(error.text(), file + " is not a valid ZIP file");
        }
    }
}

void TestZipFile::zipAppendedWithoutDot() {
    TestWorld world;
    world.file("DATA/ARCHIVE.zip", zipfixture::archive({{"appended.txt"}}));
    world.file("MY.DIR/ARCHIVE", zipfixture::archive({{"as-is.txt"}}));
    world.file("MY.DIR/ARCHIVE.zip", zipfixture::archive({{"wrong.txt"}}));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(world.path()));
    const QString appended = openError("DATA/ARCHIVE");
    TZipFile dotted("MY.DIR/ARCHIVE");
    TZipFile plain("DATA/ARCHIVE");
    const QString missing = openError("DATA/NONE");
    QDir::setCurrent(before);
    QCOMPARE(appended, QString());
    QCOMPARE(entryNames(plain, true), QByteArrayList({"appended.txt"}));
    QCOMPARE(entryNames(dotted, true), QByteArrayList({"as-is.txt"}));
    QCOMPARE(missing, QStringLiteral("Cannot open specified file"));
}

void TestZipFile::noEntryList() {
    TZipFile none{QString()};
    QVERIFY_THROWS_EXCEPTION(EZipErr, none.EntryCount());
    try {
        none.EntryPath(0);
        QFAIL("no error");
    } catch (const EZipErr& error) {
        QCOMPARE(error.text(), QStringLiteral("No ZIP file specified"));
    }

    TestWorld world;
    TZipFile zip(world.file("ok.zip", zipfixture::archive({{"ok.txt"}})));
    QVERIFY_THROWS_EXCEPTION(EZipErr, zip.EntryPath(1));
    QVERIFY_THROWS_EXCEPTION(EZipErr, zip.OpenArchive(world.file("bad.zip", "not a zip")));
    try {
        zip.EntryCount();
        QFAIL("entries kept after a failed open");
    } catch (const EZipErr& error) {
        QCOMPARE(error.text(), QStringLiteral("No ZIP file specified"));
    }
    zip.OpenArchive(QString());
    QVERIFY_THROWS_EXCEPTION(EZipErr, zip.EntryCount());
}

void TestZipFile::fifoIsRefusedAtOnce() {
    TestWorld world;
    const QByteArray fifo = QFile::encodeName(world.path("pipe.zip"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(openError(world.path("pipe.zip")), QStringLiteral("Cannot open specified file"));
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(openError(world.dir("folder.zip")), QStringLiteral("Cannot open specified file"));
}

void TestZipFile::archiveFromZipTool() {
    const QString zipTool = QStandardPaths::findExecutable("zip");
    if (zipTool.isEmpty()) QSKIP("the zip program is not installed");
    TestWorld world;
    world.file("src/docs/Read.Me", "read me\n");
    world.file("src/docs/sub/Notes.TXT", QByteArray(5000, 'n'));
    world.file("src/empty.dat");
    QProcess zip;
    zip.setWorkingDirectory(world.path("src"));
    zip.start(zipTool, {"-q", "-r", "-z", world.path("tool.zip"), "."});
    zip.write("a comment with PK\x05\x06 inside\n.\n");
    zip.closeWriteChannel();
    QVERIFY(zip.waitForFinished());
    QCOMPARE(zip.exitCode(), 0);

    TZipFile archive(world.path("tool.zip"));
    QByteArrayList paths = entryNames(archive, false);
    std::sort(paths.begin(), paths.end());
    QCOMPARE(paths, QByteArrayList({"docs/Read.Me", "docs/sub/Notes.TXT"}));
    QByteArrayList names = entryNames(archive, true);
    std::sort(names.begin(), names.end());
    QCOMPARE(names, QByteArrayList({"notes.txt", "read.me"}));
}

QTEST_GUILESS_MAIN(TestZipFile)
#include "tst_zipfile.moc"
