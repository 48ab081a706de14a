#include "hex/HexDocument.h"

#include "core/KorError.h"

#include "HexFixtures.h"
#include "SmallVolume.h"
#include "TestWorld.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {
int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}
} // namespace

// Loading, saving, the working copy and the document's properties.
class TestHexDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initialState();
    void workingCopyIsPrivateAndRemoved();
    void abandonedWorkingCopiesAreRemoved();
    void loadsAFile();
    void loadFailures_data();
    void loadFailures();
    void refusesTwoGigabytes();
    void unwritableFileLoadsReadOnly();
    void editsNeverTouchTheOriginal();
    void saveBackup_data();
    void saveBackup();
    void saveReplacesOnlyWhenComplete();
    void unwritableFolderSavesInPlace();
    void saveKeepsPermissions();
    void saveUnnamedFails();
    void markReadOnly();
    void bufferFromFile();
    void bytesPerLineArgument();
    void readWindowFollowsRows();
    void cellTexts();
    void stateChangedIsDeferred();
};

void TestHexDocument::initialState() {
    TestWorld world;
    THexDocument doc;
    QCOMPARE(doc.DataSize(), 0);
    QVERIFY(!doc.Modified());
    QVERIFY(doc.ReadOnlyFile());
    QVERIFY(!doc.CanUndo());
    QCOMPARE(doc.UndoDescription(), QString("No Undo"));
    QCOMPARE(doc.SelAnchor(), -1);
    QCOMPARE(doc.SelStart(), -1);
    QCOMPARE(doc.SelEnd(), -1);
    QCOMPARE(doc.SelCount(), 0);
    QCOMPARE(doc.CaretPosition(), 0);
    QVERIFY(doc.CreateBackup());
    QCOMPARE(doc.BackupExtension(), QString(".bak"));
    QCOMPARE(doc.BytesPerLine(), 16);
    QVERIFY(!doc.OEMTranslate());
    QVERIFY(doc.FileName().isEmpty());
    QCOMPARE(doc.rowCount(), 1);
    QCOMPARE(doc.columnCount(), 51);
    for (int digit = 0; digit < 10; ++digit)
        QCOMPARE(doc.bookmark(digit), -1);
}

void TestHexDocument::workingCopyIsPrivateAndRemoved() {
    TestWorld world;
    QString first, second;
    {
        THexDocument a;
        THexDocument b;
        first = a.WorkingCopyName();
        second = b.WorkingCopyName();
        QVERIFY(first != second);
        const QRegularExpression pattern("^[0-9A-F]{8}\\.HEXW$");
        for (const QString& name : {first, second}) {
            QCOMPARE(QFileInfo(name).absolutePath() + '/', world.paths.temp);
            QVERIFY2(pattern.match(QFileInfo(name).fileName()).hasMatch(), qPrintable(name));
            QVERIFY(QFileInfo::exists(name));
            QCOMPARE(modeOf(name), 0600);
        }
        a.setFileName(world.file("x.bin", "abc"));
        QVERIFY(a.LoadFromFile());
        QCOMPARE(readFile(first), QByteArray("abc"));
    }
    QVERIFY(!QFileInfo::exists(first));
    QVERIFY(!QFileInfo::exists(second));
}

void TestHexDocument::abandonedWorkingCopiesAreRemoved() {
    TestWorld world;
    THexDocument running; // holds its copy's lock, as another instance would
    const QString left = world.file("cache/Kor2Temp/0000ABCD.HEXW", "x");
    const QString fresh = world.paths.temp + "0000ABCE.HEXW";
    QFile::copy(left, fresh);
    // Copies of a moment ago may still be taking their lock; only older ones are judged.
    const QDateTime old = QDateTime::currentDateTime().addSecs(-60);
    for (const QString& name : {left, running.WorkingCopyName()}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QCOMPARE(THexWorkingCopy::RemoveAbandoned(world.paths.temp), 1);
    QVERIFY(!QFileInfo::exists(left));
    QVERIFY(QFileInfo::exists(fresh));
    QVERIFY(QFileInfo::exists(running.WorkingCopyName()));
}

void TestHexDocument::loadsAFile() {
    TestWorld world;
    THexDocument doc;
    const QByteArray bytes = countingBytes(300);
    doc.setFileName(world.file("data.bin", bytes));
    QVERIFY(doc.LoadFromFile());
    QCOMPARE(doc.DataSize(), 300);
    QCOMPARE(contents(doc), bytes);
    QVERIFY(!doc.Modified());
    QVERIFY(!doc.ReadOnlyFile());
    QVERIFY(!doc.CanUndo());
    QCOMPARE(doc.caret(), (hexgrid::Cell{2, 0}));
    QCOMPARE(doc.rowCount(), 19);
    QCOMPARE(doc.FileName(), world.path("data.bin"));
}

void TestHexDocument::loadFailures_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("no name") << "none";
}

void TestHexDocument::loadFailures() {
    QFETCH(QString, what);
    TestWorld world;
    THexDocument doc;
    doc.setFileName(world.file("before.bin", "12345"));
    QVERIFY(doc.LoadFromFile());
    QString name;
    if (what == "missing") name = world.path("nothing.bin");
    if (what == "directory") name = world.dir("folder");
    if (what == "fifo") {
        name = world.path("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    }
    doc.setFileName(name);
    QVERIFY(!doc.LoadFromFile());
    QCOMPARE(doc.DataSize(), 0);
    QVERIFY(doc.FileName().isEmpty());
    QVERIFY(!doc.Modified());
    QVERIFY(!doc.CanUndo());
    QVERIFY(doc.ReadOnlyFile());
}

void TestHexDocument::refusesTwoGigabytes() {
    TestWorld world;
    const QString big = world.path("big.bin");
    {
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 31)); // sparse: costs no disk
    }
    THexDocument doc;
    doc.setFileName(big);
    try {
        doc.LoadFromFile();
        QFAIL("a 2 GiB file was accepted");
    } catch (const KorError& error) {
        QCOMPARE(error.text(), "Cannot edit files of 2 GB or more\r\n" + big);
    }
    QCOMPARE(doc.DataSize(), 0);
    QCOMPARE(QFileInfo(doc.WorkingCopyName()).size(), 0);
    QCOMPARE(QFileInfo(big).size(), qint64(1) << 31);
}

void TestHexDocument::unwritableFileLoadsReadOnly() {
    TestWorld world;
    const QString file = world.file("locked.bin", "locked");
    Unwritable lock(file);
    if (!lock.ok()) QSKIP("cannot make a file unwritable here");
    THexDocument doc;
    doc.setFileName(file);
    QVERIFY(doc.LoadFromFile());
    QVERIFY(doc.ReadOnlyFile());
    doc.ChangeByte('l', 'L', 0, 2, 0);
    QVERIFY(doc.Modified()); // the indicator refuses nothing
    QVERIFY(!doc.SaveToFile());
    QVERIFY(doc.Modified());
    QVERIFY(doc.CanUndo());
    QCOMPARE(contents(doc), QByteArray("Locked"));
    QCOMPARE(readFile(file), QByteArray("locked"));
}

void TestHexDocument::editsNeverTouchTheOriginal() {
    TestWorld world;
    const QString file = world.file("orig.bin", "original");
    THexDocument doc;
    doc.setFileName(file);
    QVERIFY(doc.LoadFromFile());
    doc.ChangeByte('o', 'O', 0, 2, 0);
    doc.InsertBuffer("++", 2, 3);
    doc.AppendBuffer("!", 1);
    doc.DeleteSelection();
    QCOMPARE(readFile(file), QByteArray("original"));
    QVERIFY(doc.SaveToFile());
    QCOMPARE(readFile(file), QByteArray("Ori++ginal"));
}

void TestHexDocument::saveBackup_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("modify");
    QTest::addColumn<bool>("createBackup");
    QTest::addColumn<QString>("backup"); // "" = none expected
    QTest::newRow("modified existing") << "doc.txt" << true << true << true << "doc.bak";
    QTest::newRow("no extension") << "README" << true << true << true << "README.bak";
    QTest::newRow("hidden name") << ".profile" << true << true << true << ".profile.bak";
    QTest::newRow("last extension only") << "a.tar.gz" << true << true << true << "a.tar.bak";
    QTest::newRow("unmodified") << "doc.txt" << true << false << true << "";
    QTest::newRow("new name") << "new.txt" << false << true << true << "";
    QTest::newRow("backups off") << "doc.txt" << true << true << false << "";
}

void TestHexDocument::saveBackup() {
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(bool, modify);
    QFETCH(bool, createBackup);
    QFETCH(QString, backup);
    TestWorld world;
    const QString source = world.file("source.bin", "old contents");
    THexDocument doc;
    doc.setFileName(source);
    QVERIFY(doc.LoadFromFile());
    const QString target = exists ? world.file(name, "old contents") : world.path(name);
    if (modify) doc.ChangeByte('o', 'O', 0, 2, 0);
    doc.setCreateBackup(createBackup);
    doc.setFileName(target);
    QVERIFY(doc.SaveToFile());
    QCOMPARE(readFile(target), modify ? QByteArray("Old contents") : QByteArray("old contents"));
    QVERIFY(!doc.Modified());
    QVERIFY(!doc.ReadOnlyFile());
    QVERIFY(!doc.CanUndo());
    QCOMPARE(doc.UndoDescription(), QString("No Undo"));
    QStringList expected = {"source.bin", name};
    if (!backup.isEmpty()) {
        QCOMPARE(readFile(world.path(backup)), QByteArray("old contents"));
        expected.append(backup);
    }
    QStringList found = QDir(world.path()).entryList(QDir::Files | QDir::Hidden);
    expected.sort();
    found.sort();
    QCOMPARE(found, expected); // no temporary file left behind
}

void TestHexDocument::saveReplacesOnlyWhenComplete() {
    SmallVolume volume;
    if (!volume.mounted()) QSKIP("needs root to mount a small file system");
    const QString file = volume.path("doc.bin");
    const QByteArray original(30 << 10, 'k');
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(original) == original.size());
    }
    TestWorld world;
    THexDocument doc;
    doc.setFileName(file);
    QVERIFY(doc.LoadFromFile());
    const QByteArray more(10 << 10, 'x');
    doc.AppendBuffer(more.constData(), more.size());
    QVERIFY(!doc.SaveToFile());
    QCOMPARE(doc.LastError(), QString("No space left on device"));
    QVERIFY(doc.Modified());
    QVERIFY(doc.CanUndo());
    QCOMPARE(readFile(file), original);
    QCOMPARE(QDir(volume.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.bin"});
}

void TestHexDocument::unwritableFolderSavesInPlace() {
    TestWorld world;
    const QString folder = world.dir("locked");
    const QString file = world.file("locked/doc.bin", "keep me");
    THexDocument doc;
    doc.setFileName(file);
    QVERIFY(doc.LoadFromFile());
    doc.ChangeByte('k', 'K', 0, 2, 0);
    doc.setCreateBackup(false);
    Unwritable lock(folder);
    if (!lock.ok()) QSKIP("cannot make a folder unwritable here");
    QVERIFY2(doc.SaveToFile(), qPrintable(doc.LastError()));
    QVERIFY(!doc.Modified());
    QCOMPARE(readFile(file), QByteArray("Keep me"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.bin"});
}

void TestHexDocument::saveKeepsPermissions() {
    TestWorld world;
    const QString file = world.file("private.bin", "secret");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    THexDocument doc;
    doc.setFileName(file);
    QVERIFY(doc.LoadFromFile());
    doc.ChangeByte('s', 'S', 0, 2, 0);
    QVERIFY(doc.SaveToFile());
    QCOMPARE(modeOf(file), 0600);
    QCOMPARE(modeOf(world.path("private.bak")), 0600);
}

void TestHexDocument::saveUnnamedFails() {
    TestWorld world;
    THexDocument doc;
    doc.AppendBuffer("x", 1);
    QVERIFY(!doc.SaveToFile());
    QVERIFY(doc.Modified());
}

void TestHexDocument::markReadOnly() {
    TestWorld world;
    THexDocument doc;
    doc.setFileName(world.file("rw.bin", "rw"));
    QVERIFY(doc.LoadFromFile());
    QVERIFY(!doc.ReadOnlyFile());
    doc.MarkReadOnly(false);
    QVERIFY(!doc.ReadOnlyFile());
    QCoreApplication::processEvents();
    QSignalSpy spy(&doc, &THexDocument::OnStateChanged);
    doc.MarkReadOnly(true);
    QVERIFY(doc.ReadOnlyFile());
    QTRY_COMPARE(spy.count(), 1);
    doc.MarkReadOnly(true); // no change, no notification
    doc.MarkReadOnly(false);
    QVERIFY(doc.ReadOnlyFile());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void TestHexDocument::bufferFromFile() {
    TestWorld world;
    THexDocument doc;
    int count = 1;
    QVERIFY_THROWS_EXCEPTION(KorError, doc.BufferFromFile(0, count)); // empty document
    doc.setFileName(world.file("b.bin", "0123456789"));
    QVERIFY(doc.LoadFromFile());
    count = 3;
    QCOMPARE(doc.BufferFromFile(2, count), QByteArray("234"));
    QCOMPARE(count, 3);
    count = 100;
    QCOMPARE(doc.BufferFromFile(7, count), QByteArray("789"));
    QCOMPARE(count, 3);
    for (int position : {-1, 10, 11}) {
        count = 1;
        try {
            doc.BufferFromFile(position, count);
            QFAIL("accepted a position outside the data");
        } catch (const KorError& error) {
            QCOMPARE(error.text(), QString("Invalid BufferFromFile argument"));
        }
    }
}

void TestHexDocument::bytesPerLineArgument() {
    TestWorld world;
    THexDocument doc;
    for (int bad : {0, -1, 257}) {
        try {
            doc.setBytesPerLine(bad);
            QFAIL("accepted a bad width");
        } catch (const KorError& error) {
            QCOMPARE(error.text(), QString("Invalid BytesPerLine argument"));
        }
        QCOMPARE(doc.BytesPerLine(), 16);
    }
    doc.setBytesPerLine(1);
    QCOMPARE(doc.columnCount(), 6);
    doc.setBytesPerLine(256);
    QCOMPARE(doc.columnCount(), 771);
}

void TestHexDocument::readWindowFollowsRows() {
    TestWorld world;
    // Far larger than the read window, with bytes that tell their position.
    QByteArray bytes(300000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xFF);
    THexDocument doc;
    doc.setFileName(world.file("wide.bin", bytes));
    QVERIFY(doc.LoadFromFile());
    for (int row : {0, doc.rowCount() - 1, 2000, 17000, 4100, 18000, 1}) {
        int count = 0;
        const uchar* data = doc.rowBytes(row, count);
        QVERIFY(data);
        QCOMPARE(count, std::min(16, int(bytes.size()) - row * 16));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(data), count),
                 bytes.mid(row * 16, count));
    }
    const int far = 290000;
    const uchar flipped = uchar(bytes[far]) ^ 0xFF;
    QCOMPARE(doc.byteAt(far), uchar(bytes[far])); // loads the window around it
    doc.ChangeByte(uchar(bytes[far]), flipped, far / 16, 2, far);
    QCOMPARE(doc.byteAt(far), flipped);       // the window saw the write
    QCOMPARE(doc.byteAt(0), uchar(bytes[0])); // moves the window away
    QCOMPARE(doc.byteAt(far), flipped);       // and the file has it too
}

void TestHexDocument::cellTexts() {
    TestWorld world;
    THexDocument doc;
    QCOMPARE(doc.cellText(0, 0), QString("00000000:"));
    QCOMPARE(doc.cellText(2, 0), QString());
    QCOMPARE(doc.cellText(35, 0), QString());
    QByteArray bytes = countingBytes(17);
    bytes[0] = char(0xA5);
    bytes[1] = 'A';
    bytes[16] = char(0x80);
    doc.setFileName(world.file("t.bin", bytes));
    QVERIFY(doc.LoadFromFile());
    QCOMPARE(doc.cellText(0, 1), QString("00000010:"));
    QCOMPARE(doc.cellText(1, 0), QString(" "));
    QCOMPARE(doc.cellText(34, 0), QString(" "));
    QCOMPARE(doc.cellText(2, 0), QString("A"));
    QCOMPARE(doc.cellText(3, 0), QString("5"));
    QCOMPARE(doc.cellText(35, 0), QString(QChar(0xA5)));
    QCOMPARE(doc.cellText(36, 0), QString("A"));
    QCOMPARE(doc.cellText(37, 0), QString("."));           // byte 2, below 32
    QCOMPARE(doc.cellText(35, 1), QString(QChar(0x20AC))); // 0x80 in the ANSI page
    QCOMPARE(doc.cellText(36, 1), QString());              // beyond the data
    QCOMPARE(doc.cellText(4, 1), QString());
    doc.setOEMTranslate(true);
    QCOMPARE(doc.cellText(35, 1), QString(QChar(0x00C7))); // 0x80 in the OEM page
    QCOMPARE(doc.cellText(37, 0), QString("."));
    doc.setBytesPerLine(32);
    QCOMPARE(doc.cellText(0, 1), QString("00000020:"));
}

void TestHexDocument::stateChangedIsDeferred() {
    TestWorld world;
    THexDocument doc;
    doc.setFileName(world.file("s.bin", "abcdef"));
    QVERIFY(doc.LoadFromFile());
    QCoreApplication::processEvents();
    QSignalSpy spy(&doc, &THexDocument::OnStateChanged);
    doc.ChangeByte('a', 'b', 0, 2, 0);
    doc.ChangeByte('b', 'c', 0, 4, 1);
    QCOMPARE(spy.count(), 0); // queued, not called
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 2); // one call for each notification
    spy.clear();
    doc.Clear(); // resetting the undo log calls at once
    QVERIFY(spy.count() >= 1);
}

QTEST_GUILESS_MAIN(TestHexDocument)
#include "tst_hexdocument.moc"
