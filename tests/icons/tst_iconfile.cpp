#include "icons/IconFile.h"

#include "icons/IconContainer.h"

#include "IconBuilder.h"
#include "MingwDll.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using iconbuilder::Entry;

namespace {

const QRgb red = 0xffff0000, green = 0xff00ff00, blue = 0xff0000ff, grey = 0xff808080;

Entry entry(int side, int bpp, QRgb colour) {
    return {side, side, bpp, iconbuilder::dib(iconbuilder::square(side, colour), bpp)};
}

// The colour of the icon's opaque bottom-right pixel, and whether the top-left is clear.
QString look(const QImage& image) {
    if (image.isNull()) return "null";
    const QRgb c = image.pixel(image.width() - 1, image.height() - 1);
    return QStringLiteral("%1x%2 #%3 %4")
        .arg(image.width())
        .arg(image.height())
        .arg(c, 8, 16, QLatin1Char('0'))
        .arg(qAlpha(image.pixel(0, 0)) == 0 ? "clear" : "opaque");
}

} // namespace

class TestIconFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void iconFileHoldsOneIcon_data();
    void iconFileHoldsOneIcon();
    void executablesCountGroups_data();
    void executablesCountGroups();
    void transparency_data();
    void transparency();
    void notIcons_data();
    void notIcons();
    void everyTruncationIsSafe_data();
    void everyTruncationIsSafe();
    void lyingImageHeaders_data();
    void lyingImageHeaders();
    void repeatedEntriesStayCheap();
    void imageMagickIcon();
    void mingwLibrary();
    void countingThreeHundredIconsIsFast();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void TestIconFile::initTestCase() {
    QVERIFY(m_dir.isValid());
}

QString TestIconFile::write(const QString& name, const QByteArray& bytes) {
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return file.fileName();
}

void TestIconFile::iconFileHoldsOneIcon_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("32 at the deepest of three depths")
        << iconbuilder::iconFile({entry(16, 32, grey), entry(32, 4, red), entry(32, 32, green),
                                  entry(32, 8, blue), entry(48, 32, grey)})
        << "32x32 #ff00ff00 clear";
    QTest::newRow("nearest to 32 wins over depth")
        << iconbuilder::iconFile({entry(16, 32, grey), entry(24, 4, red), entry(64, 32, green)})
        << "24x24 #ffff0000 clear";
    QTest::newRow("1-bit") << iconbuilder::iconFile({entry(32, 1, blue)})
                           << "32x32 #ff0000ff clear";
    QTest::newRow("24-bit") << iconbuilder::iconFile({entry(32, 24, red)})
                            << "32x32 #ffff0000 clear";
    QTest::newRow("PNG compressed 256")
        << iconbuilder::iconFile(
               {entry(16, 8, grey), {0, 0, 32, iconbuilder::png(iconbuilder::square(256, blue))}})
        << "16x16 #ff808080 clear";
    QTest::newRow("PNG compressed 32")
        << iconbuilder::iconFile(
               {entry(16, 8, grey), {32, 32, 32, iconbuilder::png(iconbuilder::square(32, blue))}})
        << "32x32 #ff0000ff clear";
    // Directory entries that lie about size and depth do not mislead the choice.
    QTest::newRow("directory lies")
        << iconbuilder::iconFile(
               {{32, 32, 32, entry(16, 4, red).data}, {16, 16, 1, entry(32, 32, green).data}})
        << "32x32 #ff00ff00 clear";
    QTest::newRow("cursor file") << iconbuilder::iconFile({entry(32, 1, grey), entry(32, 32, red)},
                                                          2)
                                 << "32x32 #ffff0000 clear";
}

void TestIconFile::iconFileHoldsOneIcon() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString path = write("test.ico", bytes);
    QCOMPARE(ExtractIconCount(path), 1);
    QCOMPARE(look(ExtractIconImage(path, 0)), expected);
    QVERIFY(ExtractIconImage(path, 1).isNull());
    QVERIFY(ExtractIconImage(path, -1).isNull());
}

void TestIconFile::executablesCountGroups_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QList<QList<Entry>> groups = {
        {entry(16, 4, grey), entry(32, 8, red)},
        {entry(32, 32, green)},
        {entry(48, 32, grey), entry(32, 4, grey), entry(32, 32, blue), entry(16, 32, grey)},
    };
    const auto resources = iconbuilder::iconResources(groups);
    QTest::newRow("PE32") << exebuilder::pe(resources, false);
    QTest::newRow("PE32+") << exebuilder::pe(resources, true);
    QTest::newRow("NE icon library") << exebuilder::ne(resources);
}

void TestIconFile::executablesCountGroups() {
    QFETCH(QByteArray, bytes);
    const QString path = write("library.icl", bytes);
    QCOMPARE(ExtractIconCount(path), 3);
    QCOMPARE(look(ExtractIconImage(path, 0)), QString("32x32 #ffff0000 clear"));
    QCOMPARE(look(ExtractIconImage(path, 1)), QString("32x32 #ff00ff00 clear"));
    QCOMPARE(look(ExtractIconImage(path, 2)), QString("32x32 #ff0000ff clear"));
    QVERIFY(ExtractIconImage(path, 3).isNull());
}

void TestIconFile::transparency_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("alpha");
    QImage soft(32, 32, QImage::Format_ARGB32);
    soft.fill(qRgba(10, 20, 30, 128));
    soft.setPixel(0, 0, 0);
    QTest::newRow("32-bit alpha kept") << iconbuilder::dib(soft, 32) << 128;
    // The mask leaves the top-left pixel clear whatever the alpha channel says.
    QTest::newRow("32-bit without alpha uses the mask") << iconbuilder::dib(soft, 32, false) << 255;
    QTest::newRow("PNG alpha") << iconbuilder::png(soft) << 128;
}

void TestIconFile::transparency() {
    QFETCH(QByteArray, data);
    QFETCH(int, alpha);
    const QString path = write("alpha.ico", iconbuilder::iconFile({{32, 32, 32, data}}));
    const QImage image = ExtractIconImage(path, 0);
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    QCOMPARE(qAlpha(image.pixel(5, 5)), alpha);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    if (alpha == 255) QCOMPARE(image.pixel(5, 5), qRgb(10, 20, 30));
}

void TestIconFile::notIcons_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("just some text, not an icon at all");
    QTest::newRow("icon header, no entries") << QByteArray::fromHex("000001000000");
    QTest::newRow("icon header, entry past the end") << QByteArray::fromHex("000001000100");
    QTest::newRow("executable without icons")
        << exebuilder::pe({{16, 1, {}, 0x409, QByteArray("version")}}, false);
    QTest::newRow("bitmap file") << iconbuilder::png(QImage(4, 4, QImage::Format_RGB32));
}

void TestIconFile::notIcons() {
    QFETCH(QByteArray, bytes);
    const QString path = write("none.exe", bytes);
    QCOMPARE(ExtractIconCount(path), 0);
    QVERIFY(ExtractIconImage(path, 0).isNull());
    QCOMPARE(ExtractIconCount(m_dir.filePath("missing.ico")), 0);
    QCOMPARE(ExtractIconCount(m_dir.path()), 0);
    const QString fifo = m_dir.filePath("pipe.ico");
    if (!QFile::exists(fifo)) QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(ExtractIconCount(fifo), 0);
}

void TestIconFile::everyTruncationIsSafe_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("icon file") << iconbuilder::iconFile({entry(16, 4, grey), entry(32, 32, green)});
    QTest::newRow("PE32+") << exebuilder::pe(
        iconbuilder::iconResources({{entry(16, 8, red)}, {entry(32, 1, blue)}}), true);
    QTest::newRow("NE") << exebuilder::ne(
        iconbuilder::iconResources({{entry(16, 8, red)}, {entry(32, 1, blue)}}));
}

// Any cut gives a count no higher than the whole file's and images of the stored sizes.
void TestIconFile::everyTruncationIsSafe() {
    QFETCH(QByteArray, bytes);
    const int whole = IconContainer::fromBytes(bytes).count();
    QVERIFY(whole > 0);
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        const IconContainer icons = IconContainer::fromBytes(bytes.left(cut));
        QVERIFY(icons.count() <= whole);
        for (int i = 0; i < icons.count(); ++i) {
            const QImage image = icons.image(i);
            QVERIFY(image.isNull() || image.width() == 16 || image.width() == 32);
        }
    }
}

void TestIconFile::lyingImageHeaders_data() {
    QTest::addColumn<qsizetype>("at");
    QTest::addColumn<quint32>("value");
    QTest::newRow("width 2^31") << qsizetype(4) << 0x80000000u;
    QTest::newRow("width 100000") << qsizetype(4) << 100000u;
    QTest::newRow("height negative") << qsizetype(8) << 0xffffffc0u;
    QTest::newRow("height 2^30") << qsizetype(8) << 0x40000000u;
    QTest::newRow("bit count 7") << qsizetype(14) << 7u;
    QTest::newRow("RLE compression") << qsizetype(16) << 1u;
    QTest::newRow("colours used 2^31") << qsizetype(32) << 0x80000000u;
    QTest::newRow("header size 2^31") << qsizetype(0) << 0x80000000u;
}

void TestIconFile::lyingImageHeaders() {
    QFETCH(qsizetype, at);
    QFETCH(quint32, value);
    QByteArray data = entry(32, 8, red).data;
    if (value > 0xffff || at % 4 == 0)
        exebuilder::put32(data, at, value);
    else
        exebuilder::put16(data, at, quint16(value));
    const IconContainer icons =
        IconContainer::fromBytes(iconbuilder::iconFile({{32, 32, 8, data}}));
    QCOMPARE(icons.count(), 0);
    QVERIFY(icons.image(0).isNull());
}

// 65535 directory entries all naming one large image whose pixels are cut short.
void TestIconFile::repeatedEntriesStayCheap() {
    QByteArray broken = entry(256, 32, red).data;
    broken.chop(broken.size() / 2);
    QList<Entry> entries(65535, {32, 32, 32, {}});
    QByteArray bytes = iconbuilder::iconFile(entries);
    const quint32 offset = quint32(bytes.size());
    for (int i = 0; i < entries.size(); ++i) {
        exebuilder::put32(bytes, 6 + 16 * i + 8, quint32(broken.size()));
        exebuilder::put32(bytes, 6 + 16 * i + 12, offset);
    }
    bytes += broken;
    QList<Entry> many(4000, entry(32, 32, green));
    QByteArray group = iconbuilder::group(many, 1);
    for (int i = 0; i < many.size(); ++i)
        exebuilder::put16(group, 6 + 14 * i + 12, 1);
    const QByteArray pe =
        exebuilder::pe({{3, 1, {}, 0x409, broken}, {14, 1, {}, 0x409, group}}, true);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(IconContainer::fromBytes(bytes).count(), 0);
    const IconContainer library = IconContainer::fromBytes(pe);
    QCOMPARE(library.count(), 1);
    QVERIFY(library.image(0).isNull());
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
}

void TestIconFile::imageMagickIcon() {
    const QString convert = "/usr/bin/convert";
    if (!QFile::exists(convert)) QSKIP("ImageMagick is not installed");
    const QString path = m_dir.filePath("magick.ico");
    QProcess p;
    p.start(convert,
            {"-size", "64x64", "xc:#3366cc", "-define", "icon:auto-resize=48,32,16", path});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(ExtractIconCount(path), 1);
    const QImage image = ExtractIconImage(path, 0);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixel(16, 16), qRgb(0x33, 0x66, 0xcc));
}

void TestIconFile::mingwLibrary() {
    const QString convert = "/usr/bin/convert";
    if (!QFile::exists(convert)) QSKIP("ImageMagick is not installed");
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(convert,
            {"-size", "32x32", "xc:#cc3366", "-define", "icon:auto-resize=32,16", "one.ico"});
    QVERIFY(p.waitForFinished(60000));
    p.start(convert, {"-size", "32x32", "xc:#118822", "two.ico"});
    QVERIFY(p.waitForFinished(60000));
    const QString rc = "10 ICON \"one.ico\"\nMAIN ICON \"two.ico\"\n";
    const QString dll = BuildResourceDll(m_dir.path(), rc, true);
    if (dll.isEmpty()) QSKIP("MinGW-w64 binutils (windres, ld) are not installed");
    // Named groups come before numbered ones in a PE directory.
    QCOMPARE(ExtractIconCount(dll), 2);
    QCOMPARE(ExtractIconImage(dll, 0).pixel(8, 8), qRgb(0x11, 0x88, 0x22));
    QCOMPARE(ExtractIconImage(dll, 1).size(), QSize(32, 32));
    QCOMPARE(ExtractIconImage(dll, 1).pixel(8, 8), qRgb(0xcc, 0x33, 0x66));
}

void TestIconFile::countingThreeHundredIconsIsFast() {
    QList<QList<Entry>> groups;
    for (int i = 0; i < 300; ++i)
        groups.append({entry(16, 4, grey), entry(32, 8, qRgb(i % 256, 0, 0)),
                       entry(32, 32, qRgb(0, i % 256, 0))});
    const QString path = write("big.dll", exebuilder::pe(iconbuilder::iconResources(groups), true));
    QElapsedTimer timer;
    timer.start();
    const int count = ExtractIconCount(path);
    const qint64 ms = timer.elapsed();
    QCOMPARE(count, 300);
    qInfo("counting 300 icons: %lld ms", ms);
    QVERIFY(ms < 100);
    QCOMPARE(ExtractIconImage(path, 299).pixel(31, 31), qRgb(0, 299 % 256, 0));
}

QTEST_GUILESS_MAIN(TestIconFile)
#include "tst_iconfile.moc"
