#include "platform/ExeResources.h"
#include "platform/VersionInfo.h"

#include "ExeBuilder.h"
#include "MingwDll.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using platform::ExeBytes;
using platform::ExeResource;
using platform::ExeResources;

namespace {

QList<exebuilder::Resource> sampleResources() {
    return {
        {ExeResources::Icon, 1, {}, 0x409, QByteArray("first icon image")},
        {ExeResources::Icon, 2, {}, 0x409, QByteArray("second")},
        {ExeResources::GroupIcon, 7, {}, 0x409, QByteArray("group seven")},
        {ExeResources::GroupIcon, 0, "MAINICON", 0x407, QByteArray("named group, German")},
        {ExeResources::GroupIcon, 0, "MAINICON", 0x409, QByteArray("named group, English")},
        {ExeResources::Version, 1, {}, 0x409, QByteArray("version bytes")},
    };
}

ExeResources parse(const QByteArray& bytes) {
    return ExeResources(ExeBytes::fromMemory(bytes));
}

QString describe(const ExeResources& exe) {
    QStringList out;
    for (const ExeResource& r : exe.resources())
        out << QStringLiteral("%1/%2/%3=%4")
                   .arg(r.type.number)
                   .arg(r.name.isName() ? r.name.name : QString::number(r.name.number))
                   .arg(r.language, 0, 16)
                   .arg(QString::fromLatin1(exe.data(r)));
    return out.join(' ');
}

} // namespace

class TestExeResources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsEveryResourceInOrder_data();
    void readsEveryResourceInOrder();
    void namesOfTypeInDirectoryOrder();
    void findPrefersTheLanguageAsked();
    void notAnExecutable_data();
    void notAnExecutable();
    void everyTruncationIsSafe_data();
    void everyTruncationIsSafe();
    void lyingFieldsAreRefused_data();
    void lyingFieldsAreRefused();
    void directoryPointingAtItselfEnds();
    void readsFileByRawName();
    void refusesFifoWithoutBlocking();
    void refusesDirectory();
    void realDllFromMingw_data();
    void realDllFromMingw();
};

void TestExeResources::readsEveryResourceInOrder_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");
    const QString pe = "3/1/409=first icon image 3/2/409=second 14/7/409=group seven "
                       "14/MAINICON/407=named group, German 14/MAINICON/409=named group, English "
                       "16/1/409=version bytes";
    QTest::newRow("PE32") << exebuilder::pe(sampleResources(), false)
                          << int(ExeResources::Format::Pe32) << pe;
    QTest::newRow("PE32+") << exebuilder::pe(sampleResources(), true)
                           << int(ExeResources::Format::Pe32Plus) << pe;
    // NE files have no languages, and store lengths in alignment units (16 bytes here).
    QList<exebuilder::Resource> neResources = sampleResources();
    neResources.removeAt(3);
    QStringList ne;
    for (auto& r : neResources) {
        r.data = r.data.leftJustified(32, '.');
        ne << QStringLiteral("%1/%2/0=%3")
                  .arg(r.type)
                  .arg(r.name.isEmpty() ? QString::number(r.id) : r.name)
                  .arg(QString::fromLatin1(r.data));
    }
    QTest::newRow("NE") << exebuilder::ne(neResources) << int(ExeResources::Format::Ne)
                        << ne.join(' ');
}

void TestExeResources::readsEveryResourceInOrder() {
    QFETCH(QByteArray, image);
    QFETCH(int, format);
    QFETCH(QString, expected);
    const ExeResources exe = parse(image);
    QCOMPARE(int(exe.format()), format);
    QCOMPARE(describe(exe), expected);
}

void TestExeResources::namesOfTypeInDirectoryOrder() {
    const ExeResources exe = parse(exebuilder::pe(sampleResources(), false));
    const QList<platform::ResourceId> groups = exe.namesOfType(ExeResources::GroupIcon);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[0].number, quint16(7));
    QVERIFY(!groups[0].isName());
    QCOMPARE(groups[1].name, QString("MAINICON"));
    QCOMPARE(exe.versionData(), QByteArray("version bytes"));
}

void TestExeResources::findPrefersTheLanguageAsked() {
    const ExeResources exe = parse(exebuilder::pe(sampleResources(), true));
    platform::ResourceId name;
    name.name = "MAINICON";
    QCOMPARE(exe.data(*exe.find(ExeResources::GroupIcon, name, 0x409)),
             QByteArray("named group, English"));
    QCOMPARE(exe.data(*exe.find(ExeResources::GroupIcon, name, 0x40c)),
             QByteArray("named group, German"));
    QCOMPARE(exe.data(*exe.find(ExeResources::GroupIcon, name)), QByteArray("named group, German"));
    platform::ResourceId missing;
    missing.number = 99;
    QVERIFY(!exe.find(ExeResources::GroupIcon, missing));
}

void TestExeResources::notAnExecutable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray(
        "hello, this is a plain text file with no header at all......");
    QByteArray mzOnly(64, '\0');
    mzOnly[0] = 'M';
    mzOnly[1] = 'Z';
    QTest::newRow("MZ with nothing behind") << mzOnly;
    QByteArray farHeader = mzOnly;
    exebuilder::put32(farHeader, 0x3c, 0xfffffff0u);
    QTest::newRow("header offset past the end") << farHeader;
}

void TestExeResources::notAnExecutable() {
    QFETCH(QByteArray, bytes);
    const ExeResources exe = parse(bytes);
    QCOMPARE(int(exe.format()), int(ExeResources::Format::None));
    QVERIFY(exe.resources().isEmpty());
    QVERIFY(exe.versionData().isEmpty());
}

void TestExeResources::everyTruncationIsSafe_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("PE32") << exebuilder::pe(sampleResources(), false);
    QTest::newRow("PE32+") << exebuilder::pe(sampleResources(), true);
    QTest::newRow("NE") << exebuilder::ne(sampleResources());
}

// Every cut of the file gives resources whose bytes all lie inside what is left.
void TestExeResources::everyTruncationIsSafe() {
    QFETCH(QByteArray, image);
    const int whole = int(parse(image).resources().size());
    QVERIFY(whole >= 5);
    for (qsizetype cut = 0; cut < image.size(); ++cut) {
        const QByteArray part = image.left(cut);
        const ExeResources exe = parse(part);
        QVERIFY(exe.resources().size() <= whole);
        for (const ExeResource& r : exe.resources()) {
            QVERIFY2(r.offset + r.size <= quint64(cut), qPrintable(QString::number(cut)));
            QCOMPARE(exe.data(r).size(), qsizetype(r.size));
        }
    }
}

void TestExeResources::lyingFieldsAreRefused_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("resources"); // -1: any number, as long as all lie in the file
    const QByteArray pe = exebuilder::pe(sampleResources(), false);
    const qsizetype tree = exebuilder::peSectionOffset;
    const qsizetype section = 0x58 + 224;

    QByteArray hugeData = pe;
    const ExeResources good = parse(pe);
    // The first data entry is found by the RVA it holds.
    const quint64 firstEntry = [&] {
        const quint32 rva =
            exebuilder::peSectionRva + quint32(good.resources().first().offset - tree);
        for (qsizetype at = tree; at + 8 <= pe.size(); at += 4)
            if (qFromLittleEndian<quint32>(pe.constData() + at) == rva) return quint64(at);
        return quint64(0);
    }();
    QVERIFY(firstEntry != 0);
    exebuilder::put32(hugeData, qsizetype(firstEntry) + 4, 0x7fffffff);
    QTest::newRow("data size larger than the file") << hugeData << 5;

    QByteArray outsideRva = pe;
    exebuilder::put32(outsideRva, qsizetype(firstEntry), 0x90000000u);
    QTest::newRow("data RVA outside every section") << outsideRva << 5;

    QByteArray manyTypes = pe;
    exebuilder::put16(manyTypes, tree + 12, 0xffff);
    exebuilder::put16(manyTypes, tree + 14, 0xffff);
    QTest::newRow("root claims 131070 entries") << manyTypes << -1;

    QByteArray rawSizeLies = pe;
    exebuilder::put32(rawSizeLies, section + 16, 0x7ffffff0);
    QTest::newRow("section longer than the file") << rawSizeLies << 6;

    QByteArray sections = pe;
    exebuilder::put16(sections, 0x46, 0xffff);
    QTest::newRow("65535 sections claimed") << sections << 0;

    QByteArray optional = pe;
    exebuilder::put16(optional, 0x54, 0x10);
    QTest::newRow("optional header too short") << optional << 0;

    QByteArray dirCount = pe;
    exebuilder::put32(dirCount, 0x58 + 92, 2);
    QTest::newRow("no resource directory slot") << dirCount << 0;

    QByteArray ne = exebuilder::ne(sampleResources());
    QByteArray neShift = ne;
    exebuilder::put16(neShift, 0x40 + 64, 30);
    QTest::newRow("NE alignment shift 30") << neShift << 0;

    QByteArray neCount = ne;
    exebuilder::put16(neCount, 0x40 + 64 + 4, 0xffff);
    QTest::newRow("NE type claims 65535 names") << neCount << -1;
}

void TestExeResources::lyingFieldsAreRefused() {
    QFETCH(QByteArray, image);
    QFETCH(int, resources);
    const ExeResources exe = parse(image);
    for (const ExeResource& r : exe.resources())
        QVERIFY(r.offset + r.size <= quint64(image.size()));
    if (resources >= 0) QCOMPARE(int(exe.resources().size()), resources);
}

void TestExeResources::directoryPointingAtItselfEnds() {
    QByteArray pe = exebuilder::pe(sampleResources(), true);
    const qsizetype tree = exebuilder::peSectionOffset;
    // The root's only type entry leads back to the root, which claims many entries.
    exebuilder::put16(pe, tree + 12, 0);
    exebuilder::put16(pe, tree + 14, 0xffff);
    for (int i = 0; i < 3; ++i)
        exebuilder::put32(pe, tree + 16 + 8 * i + 4, 0x80000000u);
    QElapsedTimer timer;
    timer.start();
    const ExeResources exe = parse(pe);
    QVERIFY(timer.elapsed() < 5000);
    for (const ExeResource& r : exe.resources())
        QVERIFY(r.offset + r.size <= quint64(pe.size()));
}

void TestExeResources::readsFileByRawName() {
    QTemporaryDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/lib\xff\xfe.dll";
    QFile file(QFile::decodeName(raw));
    FILE* f = ::fopen(raw.constData(), "wb");
    QVERIFY(f);
    const QByteArray image = exebuilder::pe(sampleResources(), false);
    QCOMPARE(::fwrite(image.constData(), 1, size_t(image.size()), f), size_t(image.size()));
    ::fclose(f);
    const ExeResources exe = ExeResources::fromFile(raw);
    QCOMPARE(int(exe.format()), int(ExeResources::Format::Pe32));
    QCOMPARE(exe.versionData(), QByteArray("version bytes"));
    QCOMPARE(int(ExeResources::fromFile(raw + "missing").format()),
             int(ExeResources::Format::None));
    QCOMPARE(::unlink(raw.constData()), 0);
}

void TestExeResources::refusesFifoWithoutBlocking() {
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.exe"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!ExeBytes::fromFile(fifo));
    QVERIFY(timer.elapsed() < 2000);
}

void TestExeResources::refusesDirectory() {
    QTemporaryDir dir;
    QVERIFY(!ExeBytes::fromFile(QFile::encodeName(dir.path())));
}

void TestExeResources::realDllFromMingw_data() {
    QTest::addColumn<bool>("sixtyFour");
    QTest::newRow("PE32") << false;
    QTest::newRow("PE32+") << true;
}

void TestExeResources::realDllFromMingw() {
    QFETCH(bool, sixtyFour);
    QTemporaryDir dir;
    QFile icon(dir.filePath("a.ico"));
    QVERIFY(icon.open(QIODevice::WriteOnly));
    // A 1 x 1 icon: header, one entry, a 32-bit image with its mask.
    QByteArray ico = QByteArray::fromHex("00000100010001010000010020003000000016000000");
    QByteArray header(40, '\0');
    exebuilder::put32(header, 0, 40);
    exebuilder::put32(header, 4, 1);
    exebuilder::put32(header, 8, 2);
    exebuilder::put16(header, 12, 1);
    exebuilder::put16(header, 14, 32);
    ico += header + QByteArray::fromHex("0000ffff") + QByteArray(4, '\0');
    icon.write(ico);
    icon.close();
    const QString rc =
        "5 ICON \"a.ico\"\n"
        "9 ICON \"a.ico\"\n"
        "1 VERSIONINFO\nFILEVERSION 1,2,3,4\nBEGIN\n"
        " BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"041904E3\"\n  BEGIN\n"
        "   VALUE \"CompanyName\", \"Mingw Test\"\n"
        "   VALUE \"FileDescription\", \"Resource only\"\n"
        "   VALUE \"FileVersion\", \"1.2.3.4\"\n"
        "  END\n END\n"
        " BLOCK \"VarFileInfo\"\n BEGIN\n  VALUE \"Translation\", 0x419, 1251\n END\n"
        "END\n";
    const QString dll = BuildResourceDll(dir.path(), rc, sixtyFour);
    if (dll.isEmpty()) QSKIP("MinGW-w64 binutils (windres, ld) are not installed");
    const ExeResources exe = ExeResources::fromFile(QFile::encodeName(dll));
    QCOMPARE(int(exe.format()),
             int(sixtyFour ? ExeResources::Format::Pe32Plus : ExeResources::Format::Pe32));
    const QList<platform::ResourceId> groups = exe.namesOfType(ExeResources::GroupIcon);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[0].number, quint16(5));
    QCOMPARE(groups[1].number, quint16(9));
    QCOMPARE(exe.ofType(ExeResources::Icon).size(), 2);
    QCOMPARE(exe.data(exe.ofType(ExeResources::Icon).first()), ico.mid(22));
    const platform::VersionInfo version = platform::VersionInfo::parse(exe.versionData());
    QCOMPARE(version.translationKey(), QString("041904E3"));
    QCOMPARE(version.value("companyname"), QString("Mingw Test"));
    QCOMPARE(version.value("FileDescription"), QString("Resource only"));
    QCOMPARE(version.value("FileVersion"), QString("1.2.3.4"));
}

QTEST_GUILESS_MAIN(TestExeResources)
#include "tst_exeresources.moc"
