#include "browser/FileAttributes.h"

#include "TestWorld.h"

#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>

Q_DECLARE_METATYPE(TFileTypes)
Q_DECLARE_METATYPE(TDirTypes)

namespace {

quint32 attributesOf(const QString& path) {
    const QByteArray raw = QFile::encodeName(path.endsWith('/') ? path.chopped(1) : path);
    struct stat st;
    if (::stat(raw.constData(), &st) != 0) return 0xffffffff;
    return EntryAttributes(raw, raw.mid(raw.lastIndexOf('/') + 1), st.st_mode);
}

// False when the file system keeps no user attributes.
bool setDosAttrib(const QString& path, const QByteArray& value) {
    const QByteArray raw = QFile::encodeName(path);
    return ::setxattr(raw.constData(), kDosAttribName, value.constData(), size_t(value.size()),
                      0) == 0;
}

} // namespace

class TestAttributes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseDosAttrib_data();
    void parseDosAttrib();
    void entryAttributesFromHost();
    void dosAttribOnDisk();
    void fileTypes_data();
    void fileTypes();
    void dirTypes_data();
    void dirTypes();
};

void TestAttributes::parseDosAttrib_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<uint>("bits");
    QTest::newRow("old text form") << QByteArray("0x22") << 0x22u;
    QTest::newRow("upper X") << QByteArray("0X4") << 0x4u;
    QTest::newRow("blob after text") << QByteArray("0x20\0\x04\x00\x04\x00", 9) << 0x20u;
    QTest::newRow("text with NUL") << QByteArray("0x2\0", 4) << 0x2u;
    QTest::newRow("empty") << QByteArray() << 0u;
    QTest::newRow("no hex digits") << QByteArray("0x") << 0u;
    QTest::newRow("garbage") << QByteArray("hello") << 0u;
    QTest::newRow("binary without text") << QByteArray("\0\x03\x00", 3) << 0u;
}

void TestAttributes::parseDosAttrib() {
    QFETCH(QByteArray, value);
    QFETCH(uint, bits);
    QCOMPARE(ParseDosAttrib(value), bits);
}

void TestAttributes::entryAttributesFromHost() {
    TestWorld world;
    const QString plain = world.file("plain.txt", "x");
    const QString locked = world.file("locked.txt", "x");
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
    const QString hidden = world.file(".hidden", "x");
    const QString folder = world.dir("folder");
    const QString hiddenFolder = world.dir(".config");

    QCOMPARE(attributesOf(plain), 0u);
    QCOMPARE(attributesOf(locked), FileAttr::ReadOnly);
    QCOMPARE(attributesOf(hidden), FileAttr::Hidden);
    QCOMPARE(attributesOf(folder), FileAttr::Directory);
    QCOMPARE(attributesOf(hiddenFolder), FileAttr::Directory | FileAttr::Hidden);
}

void TestAttributes::dosAttribOnDisk() {
    TestWorld world;
    const QString system = world.file("IO.SYS", "x");
    const QString hiddenByBit = world.file("secret.txt", "x");
    const QString folder = world.dir("marked");
    if (!setDosAttrib(system, "0x24"))
        QSKIP("the test folder's file system keeps no user extended attributes");
    QVERIFY(setDosAttrib(hiddenByBit, QByteArray("0x2\0\x04\x00", 6)));
    QVERIFY(setDosAttrib(folder.chopped(1), "0x20"));

    QCOMPARE(attributesOf(system), FileAttr::System | FileAttr::Archive);
    QCOMPARE(attributesOf(hiddenByBit), FileAttr::Hidden);
    QCOMPARE(attributesOf(folder), FileAttr::Directory | FileAttr::Archive);
}

void TestAttributes::fileTypes_data() {
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<TFileTypes>("types");
    QTest::addColumn<bool>("passes");
    const TFileTypes classDefault = ftArchive | ftReadonly;
    QTest::newRow("no attributes") << 0u << classDefault << true;
    QTest::newRow("hidden") << FileAttr::Hidden << classDefault << false;
    QTest::newRow("read-only") << FileAttr::ReadOnly << classDefault << true;
    QTest::newRow("archive") << FileAttr::Archive << classDefault << true;
    QTest::newRow("system") << FileAttr::System << classDefault << false;
    QTest::newRow("temporary") << FileAttr::Temporary << classDefault << false;
    QTest::newRow("archive and hidden")
        << (FileAttr::Archive | FileAttr::Hidden) << classDefault << false;
    QTest::newRow("directory bit not consulted") << FileAttr::Directory << TFileTypes() << true;
    QTest::newRow("hidden allowed") << FileAttr::Hidden << TFileTypes(ftHidden) << true;
    QTest::newRow("all") << (FileAttr::Hidden | FileAttr::System) << (classDefault | ftAll) << true;
    QTest::newRow("temporary allowed") << FileAttr::Temporary << TFileTypes(ftTemporary) << true;
}

void TestAttributes::fileTypes() {
    QFETCH(uint, attributes);
    QFETCH(TFileTypes, types);
    QFETCH(bool, passes);
    QCOMPARE(PassesFileTypes(attributes, types), passes);
}

void TestAttributes::dirTypes_data() {
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<TDirTypes>("types");
    QTest::addColumn<bool>("passes");
    const TDirTypes classDefault = dtNormal | dtAll;
    QTest::newRow("default takes hidden") << FileAttr::Hidden << classDefault << true;
    QTest::newRow("normal only: hidden") << FileAttr::Hidden << TDirTypes(dtNormal) << false;
    QTest::newRow("normal only: plain") << 0u << TDirTypes(dtNormal) << true;
    QTest::newRow("hidden only: plain") << 0u << TDirTypes(dtHidden) << false;
    QTest::newRow("hidden only: hidden") << FileAttr::Hidden << TDirTypes(dtHidden) << true;
    QTest::newRow("hidden only: hidden system")
        << (FileAttr::Hidden | FileAttr::System) << TDirTypes(dtHidden) << false;
    QTest::newRow("read-only not consulted")
        << FileAttr::ReadOnly << TDirTypes(dtReadonly) << false;
    QTest::newRow("archive allowed") << FileAttr::Archive << TDirTypes(dtArchive) << true;
    QTest::newRow("empty set") << 0u << TDirTypes() << false;
}

void TestAttributes::dirTypes() {
    QFETCH(uint, attributes);
    QFETCH(TDirTypes, types);
    QFETCH(bool, passes);
    QCOMPARE(PassesDirType(attributes, types), passes);
}

QTEST_GUILESS_MAIN(TestAttributes)
#include "tst_attributes.moc"
