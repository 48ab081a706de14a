#include "icons/IcoWriter.h"

#include "icons/IconContainer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// Sixteen-colour art: a red square on navy with a transparent top row and left column.
QImage classicIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(qRgb(0, 0, 0x80));
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            image.setPixel(x, y, qRgb(0xff, 0, 0));
    for (int i = 0; i < 32; ++i) {
        image.setPixel(i, 0, 0);
        image.setPixel(0, i, 0);
    }
    return image;
}

// True colour with soft alpha, which sixteen colours cannot hold.
QImage modernIcon() {
    QImage image(48, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            image.setPixel(x, y, qRgba(x * 5, y * 5, 77, (x + y) * 2 + 10));
    image.setPixel(3, 3, 0);
    return image;
}

quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// Pixels compared with fully transparent ones equal whatever their colour.
bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0) continue;
            if (p != q) {
                qWarning("pixel %d,%d: %08x vs %08x", x, y, p, q);
                return false;
            }
        }
    return true;
}

} // namespace

class TestIcoWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sixteenColourLayout();
    void trueColourKeepsAlpha();
    void readsBackTheSamePixels_data();
    void readsBackTheSamePixels();
    void imageMagickReadsTheSamePixels_data();
    void imageMagickReadsTheSamePixels();
    void largeIconsFit256();
    void onWhite();
};

void TestIcoWriter::sixteenColourLayout() {
    const QByteArray ico = IcoFileBytes(classicIcon());
    // Header, then the entry: 32 x 32, colour word 4, two zero words, 744 bytes at 22.
    QCOMPARE(ico.left(22).toHex(), QByteArray("000001000100"
                                              "2020"
                                              "0400"
                                              "0000"
                                              "0000"
                                              "e8020000"
                                              "16000000"));
    QCOMPARE(ico.size(), 22 + 744);
    QCOMPARE(u32(ico, 22), 40u);
    QCOMPARE(u32(ico, 26), 32u);
    QCOMPARE(u32(ico, 30), 64u);
    QCOMPARE(u16(ico, 34), quint16(1));
    QCOMPARE(u16(ico, 36), quint16(4));
    QCOMPARE(u32(ico, 38), 0u);
    // The standard palette: black, maroon, ..., navy at 4, ..., white at 15.
    const int palette = 22 + 40;
    QCOMPARE(ico.mid(palette, 8).toHex(), QByteArray("0000000000008000"));
    QCOMPARE(u32(ico, palette + 4 * 4), 0x000080u);
    QCOMPARE(u32(ico, palette + 4 * 9), 0xff0000u);
    QCOMPARE(u32(ico, palette + 4 * 15), 0xffffffu);
    // Bottom row first: transparent pixel 0 (index 0), then navy (4); a red row inside.
    const int pixels = palette + 64;
    QCOMPARE(ico.mid(pixels, 2).toHex(), QByteArray("0444"));
    QCOMPARE(ico.mid(pixels + 16 * (31 - 10) + 4, 1).toHex(), QByteArray("99"));
    // The mask: the top row (stored last) all set, other rows only their first bit.
    const int mask = pixels + 16 * 32;
    QCOMPARE(ico.mid(mask, 4).toHex(), QByteArray("80000000"));
    QCOMPARE(ico.mid(mask + 4 * 31, 4).toHex(), QByteArray("ffffffff"));
}

void TestIcoWriter::trueColourKeepsAlpha() {
    const QByteArray ico = IcoFileBytes(modernIcon());
    QCOMPARE(ico.left(22).toHex(), QByteArray("000001000100"
                                              "3030"
                                              "2000"
                                              "0000"
                                              "0000"
                                              "a8250000"
                                              "16000000"));
    QCOMPARE(u16(ico, 22 + 14), quint16(32));
    QCOMPARE(ico.size(), 22 + 40 + 48 * 48 * 4 + 8 * 48);
}

void TestIcoWriter::readsBackTheSamePixels_data() {
    QTest::addColumn<QImage>("icon");
    QTest::newRow("sixteen colours") << classicIcon();
    QTest::newRow("true colour") << modernIcon();
}

void TestIcoWriter::readsBackTheSamePixels() {
    QFETCH(QImage, icon);
    const IconContainer icons = IconContainer::fromBytes(IcoFileBytes(icon));
    QCOMPARE(icons.count(), 1);
    QVERIFY(samePixels(icons.image(0), icon));
}

void TestIcoWriter::imageMagickReadsTheSamePixels_data() {
    readsBackTheSamePixels_data();
}

void TestIcoWriter::imageMagickReadsTheSamePixels() {
    QFETCH(QImage, icon);
    const QString convert = "/usr/bin/convert";
    if (!QFile::exists(convert)) QSKIP("ImageMagick is not installed");
    QTemporaryDir dir;
    QFile file(dir.filePath("saved.ico"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(IcoFileBytes(icon));
    file.close();
    QProcess p;
    p.start(convert, {file.fileName(), dir.filePath("back.png")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QImage back(dir.filePath("back.png"));
    QVERIFY(samePixels(back.convertToFormat(QImage::Format_ARGB32), icon));
}

void TestIcoWriter::largeIconsFit256() {
    QImage big(512, 300, QImage::Format_ARGB32);
    big.fill(qRgb(0, 0xff, 0));
    const QByteArray ico = IcoFileBytes(big);
    QCOMPARE(quint8(ico[6]), quint8(0));
    QCOMPARE(quint8(ico[7]), quint8(150));
    QCOMPARE(IconContainer::fromBytes(ico).image(0).size(), QSize(256, 150));
    QVERIFY(IcoFileBytes(QImage()).isEmpty());
}

void TestIcoWriter::onWhite() {
    const QImage white = IconOnWhite(classicIcon());
    QCOMPARE(white.size(), QSize(32, 32));
    QCOMPARE(white.pixel(0, 5), qRgb(0xff, 0xff, 0xff));
    QCOMPARE(white.pixel(10, 10), qRgb(0xff, 0, 0));
    QCOMPARE(white.pixel(30, 30), qRgb(0, 0, 0x80));
}

QTEST_GUILESS_MAIN(TestIcoWriter)
#include "tst_icowriter.moc"
