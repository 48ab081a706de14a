// Reading and writing picture files: round trips through the program's own codecs,
// hand-made headers, and the failures a user would see.

#include "images/PictureFiles.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QImage Pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x * y) % 256));
    return image;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB888) == b.convertToFormat(QImage::Format_RGB888);
}

QByteArray TgaHeader(int type, int w, int h, int depth, int descriptor, int mapLength = 0,
                     int mapDepth = 0) {
    QByteArray header(18, '\0');
    auto* p = reinterpret_cast<uchar*>(header.data());
    p[1] = mapLength ? 1 : 0;
    p[2] = uchar(type);
    qToLittleEndian<quint16>(quint16(mapLength), p + 5);
    p[7] = uchar(mapDepth);
    qToLittleEndian<quint16>(quint16(w), p + 12);
    qToLittleEndian<quint16>(quint16(h), p + 14);
    p[16] = uchar(depth);
    p[17] = uchar(descriptor);
    return header;
}

} // namespace

class TestPictureFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void pcxRoundTrip_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("odd width pads the line") << QSize(13, 7);
        QTest::newRow("long runs") << QSize(200, 3);
        QTest::newRow("one pixel") << QSize(1, 1);
    }
    void pcxRoundTrip() {
        QFETCH(QSize, size);
        QImage image = Pattern(size.width(), size.height());
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixel(x, 0, qRgb(250, 250, 250));
        QVERIFY(WritePcx(image, path("round.pcx")));
        QString error;
        const QImage back = NViewLibLoad(path("round.pcx"), &error);
        QVERIFY2(!back.isNull(), qPrintable(error));
        QVERIFY(SamePixels(back, image));
    }

    void pcxTruncatedKeepsWhatWasDecoded() {
        const QImage image = Pattern(40, 30);
        QVERIFY(WritePcx(image, path("full.pcx")));
        const QByteArray bytes = ReadBytes(path("full.pcx"));
        WriteBytes(path("cut.pcx"), bytes.left(128 + (bytes.size() - 128) / 2));
        const QImage back = NViewLibLoad(path("cut.pcx"));
        QCOMPARE(back.size(), QSize(40, 30));
        QCOMPARE(back.pixel(5, 2), image.pixel(5, 2));
        QCOMPARE(back.pixel(39, 29), qRgb(0, 0, 0));
    }

    void pcxEightBitPalette() {
        // 3 x 1 pixels, 8 bits, one plane, raw; palette at the end.
        QByteArray bytes(128, '\0');
        bytes[0] = 0x0A;
        bytes[1] = 5;
        bytes[3] = 8;
        bytes[8] = 2;
        bytes[65] = 1;
        bytes[66] = 4;
        bytes.append(QByteArray::fromHex("00010200"));
        QByteArray palette(769, '\0');
        palette[0] = 0x0C;
        palette[1 + 3] = char(255);     // colour 1 red
        palette[1 + 6 + 2] = char(255); // colour 2 blue
        bytes.append(palette);
        WriteBytes(path("pal.pcx"), bytes);
        const QImage back = NViewLibLoad(path("pal.pcx"));
        QCOMPARE(back.size(), QSize(3, 1));
        QCOMPARE(back.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(back.pixel(1, 0), qRgb(255, 0, 0));
        QCOMPARE(back.pixel(2, 0), qRgb(0, 0, 255));
    }

    void tgaVariants_data() {
        QTest::addColumn<QByteArray>("bytes");
        // Two by two: top row red, green; bottom row blue, white.
        const QByteArray bottomUp = QByteArray::fromHex("ff0000"
                                                        "ffffff"
                                                        "0000ff"
                                                        "00ff00");
        const QByteArray topDown = QByteArray::fromHex("0000ff"
                                                       "00ff00"
                                                       "ff0000"
                                                       "ffffff");
        QTest::newRow("type 2 bottom-up") << TgaHeader(2, 2, 2, 24, 0) + bottomUp;
        QTest::newRow("type 2 top-down") << TgaHeader(2, 2, 2, 24, 0x20) + topDown;
        QTest::newRow("type 10 RLE across rows")
            << TgaHeader(10, 2, 2, 24, 0x20) + QByteArray::fromHex("010000ff00ff00"
                                                                   "01ff0000ffffff");
        QTest::newRow("type 1 colour map") << TgaHeader(1, 2, 2, 8, 0x20, 4, 24) +
                                                  QByteArray::fromHex("0000ff"
                                                                      "00ff00"
                                                                      "ff0000"
                                                                      "ffffff") +
                                                  QByteArray::fromHex("00010203");
        QTest::newRow("type 9 RLE colour map") << TgaHeader(9, 2, 2, 8, 0x20, 4, 24) +
                                                      QByteArray::fromHex("0000ff"
                                                                          "00ff00"
                                                                          "ff0000"
                                                                          "ffffff") +
                                                      QByteArray::fromHex("0300010203");
        QByteArray footer(26, '\0');
        footer.replace(8, 18, QByteArray("TRUEVISION-XFILE.\0", 18));
        QTest::newRow("with footer") << TgaHeader(2, 2, 2, 24, 0) + bottomUp + footer;
    }
    void tgaVariants() {
        QFETCH(QByteArray, bytes);
        WriteBytes(path("v.tga"), bytes);
        QString error;
        const QImage back = NViewLibLoad(path("v.tga"), &error);
        QVERIFY2(!back.isNull(), qPrintable(error));
        QCOMPARE(back.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(back.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(back.pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(back.pixel(1, 1), qRgb(255, 255, 255));
    }

    void tgaGreyType11() {
        WriteBytes(path("g.tga"), TgaHeader(11, 3, 1, 8, 0x20) + QByteArray::fromHex("8240"));
        const QImage back = NViewLibLoad(path("g.tga"));
        QCOMPARE(back.size(), QSize(3, 1));
        QCOMPARE(back.pixel(2, 0), qRgb(0x40, 0x40, 0x40));
    }

    void failures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QByteArray bomb(128, '\0');
        bomb[0] = 0x0A;
        bomb[3] = 8;
        bomb[65] = 3;
        qToLittleEndian<quint16>(60000, reinterpret_cast<uchar*>(bomb.data()) + 8);
        qToLittleEndian<quint16>(60000, reinterpret_cast<uchar*>(bomb.data()) + 10);
        qToLittleEndian<quint16>(60002, reinterpret_cast<uchar*>(bomb.data()) + 66);
        QTest::newRow("pcx bomb") << "bomb.pcx" << bomb + QByteArray(64, '\xC1') << "megapixels";
        QTest::newRow("tga zero width")
            << "zero.tga" << TgaHeader(2, 0, 5, 24, 0) + QByteArray(30, 'x') << "0 x 5 pixels";
        QTest::newRow("tga bomb") << "bomb.tga" << TgaHeader(2, 65535, 65535, 32, 0)
                                  << "megapixels";
        QTest::newRow("not a pcx") << "text.pcx" << QByteArray(200, 'a') << "not a PCX file";
        QTest::newRow("corrupt jpeg")
            << "bad.jif" << QByteArray::fromHex("ffd8ffc0000b08") + QByteArray(30, '\x55')
            << "marker";
        QTest::newRow("empty") << "empty.tga" << QByteArray() << "empty";
    }
    void failures() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        WriteBytes(path(name), bytes);
        QString error;
        QVERIFY(NViewLibLoad(path(name), &error).isNull());
        QVERIFY2(error.startsWith(QString("Cannot load \"%1\": ").arg(path(name))),
                 qPrintable(error));
        QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    }

    void missingFileSaysSo() {
        QString error;
        QVERIFY(LoadPicture(path("none.bmp"), &error).isNull());
        QVERIFY2(error.contains(path("none.bmp")), qPrintable(error));
    }

    void bmpTwentyFourBit() {
        const QImage image = Pattern(11, 5);
        QVERIFY(WriteBmp(image, path("p.bmp")));
        QCOMPARE(QImageReader(path("p.bmp")).imageFormat(), QImage::Format_RGB32);
        QVERIFY(SamePixels(QImage(path("p.bmp")), image));
        QVERIFY(SamePixels(NViewLibLoad(path("p.bmp")), image));
    }

    void bmpTwoColoursKeepTheirColours() {
        QImage image(9, 3, QImage::Format_RGB888);
        image.fill(qRgb(255, 0, 0));
        image.setPixel(4, 1, qRgb(0, 0, 255));
        QVERIFY(WriteBmp(image, path("two.bmp")));
        const QByteArray bytes = ReadBytes(path("two.bmp"));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(1));
        const QImage back(path("two.bmp"));
        QCOMPARE(back.pixel(4, 1), qRgb(0, 0, 255));
        QCOMPARE(back.pixel(0, 0), qRgb(255, 0, 0));
    }

    void dibAndRleGoThroughTheBmpReader() {
        const QImage image = Pattern(6, 4);
        QVERIFY(WriteBmp(image, path("p.dib")));
        QVERIFY(QFile::copy(path("p.dib"), path("p.rle")));
        QVERIFY(SamePixels(NViewLibLoad(path("p.dib")), image));
        QVERIFY(SamePixels(NViewLibLoad(path("p.rle")), image));
    }

    void jpegRoundTripAndScaling() {
        QImage image(320, 240, QImage::Format_RGB888);
        image.fill(qRgb(200, 40, 90));
        QVERIFY(WriteJpeg(image, path("p.jif"), 90));
        const QImage back = NViewLibLoad(path("p.jif"));
        QCOMPARE(back.size(), QSize(320, 240));
        QVERIFY(qAbs(qRed(back.pixel(100, 100)) - 200) < 6);
        QSize natural;
        const QImage small = LoadJpeg(path("p.jif"), QSize(70, 50), nullptr, &natural);
        QCOMPARE(small.size(), QSize(80, 60));
        QCOMPARE(natural, QSize(320, 240));
    }

    void jpegQualityZeroCountsAsOne() {
        const QImage image = Pattern(64, 64);
        QVERIFY(WriteJpeg(image, path("q0.jpg"), 0));
        QVERIFY(WriteJpeg(image, path("q1.jpg"), 1));
        QCOMPARE(ReadBytes(path("q0.jpg")), ReadBytes(path("q1.jpg")));
    }

    void jpegTruncatedShowsWhatWasDecoded() {
        QImage image = Pattern(256, 256);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixel(x, y, qRgb(10, 200, 30));
        QVERIFY(WriteJpeg(image, path("full.jpg"), 90));
        const QByteArray bytes = ReadBytes(path("full.jpg"));
        WriteBytes(path("cut.jpg"), bytes.left(bytes.size() * 2 / 3));
        QString error;
        const QImage back = LoadPicture(path("cut.jpg"), &error);
        QVERIFY2(!back.isNull(), qPrintable(error));
        QCOMPARE(back.size(), QSize(256, 256));
        QVERIFY(qAbs(qGreen(back.pixel(5, 5)) - 200) < 6);
    }

    void jpegExifOrientation() {
        // A 40 x 20 picture whose APP1 says "rotate 90 clockwise" (orientation 6) shows 20 x 40.
        QImage image(40, 20, QImage::Format_RGB888);
        image.fill(Qt::white);
        for (int y = 0; y < 20; ++y)
            image.setPixel(0, y, qRgb(0, 0, 0));
        QVERIFY(WriteJpeg(image, path("plain.jpg"), 95));
        QByteArray bytes = ReadBytes(path("plain.jpg"));
        const QByteArray exif = QByteArray::fromHex("ffe10022"
                                                    "457869660000"
                                                    "49492a0008000000"
                                                    "0100"
                                                    "120103000100000006000000"
                                                    "00000000");
        bytes.insert(2, exif);
        WriteBytes(path("turned.jpg"), bytes);
        const QImage back = LoadPicture(path("turned.jpg"));
        QCOMPARE(back.size(), QSize(20, 40));
        // The black left column is now the top row.
        QVERIFY(qRed(back.pixel(10, 0)) < 60);
        QVERIFY(qRed(back.pixel(10, 39)) > 200);
    }

    void writerByExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("jpg") << "a.jpg" << QByteArray("\xFF\xD8");
        QTest::newRow("JPEG upper case") << "b.JPEG" << QByteArray("\xFF\xD8");
        QTest::newRow("pcx") << "c.pcx" << QByteArray("\x0A\x05\x01\x08");
        QTest::newRow("gif") << "d.gif" << QByteArray("GIF89a");
        QTest::newRow("other") << "e.xyz" << QByteArray("BM");
    }
    void writerByExtension() {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        QVERIFY(WritePictureByExtension(Pattern(10, 10), path(name)));
        QVERIFY(ReadBytes(path(name)).startsWith(magic));
    }

    void jpegByExtensionIsQualityFifty() {
        const QImage image = Pattern(64, 64);
        QVERIFY(WritePictureByExtension(image, path("x.jpg")));
        QVERIFY(WriteJpeg(image, path("y.jpg"), 50));
        QCOMPARE(ReadBytes(path("x.jpg")), ReadBytes(path("y.jpg")));
    }

    void gifThroughQt_data() {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<bool>("interlaced");
        QTest::newRow("plain") << false << false;
        QTest::newRow("interlaced") << false << true;
        QTest::newRow("transparent") << true << false;
    }
    void gifThroughQt() {
        QFETCH(bool, transparent);
        QFETCH(bool, interlaced);
        QImage image(30, 21, QImage::Format_RGB888);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 30; ++x)
                image.setPixel(x, y, qRgb(x % 6 * 40, y % 5 * 50, 60));
        image.setPixel(3, 3, qRgb(128, 128, 128));
        QVERIFY(WriteGif(image, path("g.gif"), transparent, interlaced));
        const QByteArray bytes = ReadBytes(path("g.gif"));
        QVERIFY(bytes.startsWith("GIF89a"));
        // Global table of 256 entries, colour 0 the background grey.
        QCOMPARE(uchar(bytes[10]) & 0x87, 0x87);
        QCOMPARE(bytes.mid(13, 3), QByteArray("\x80\x80\x80"));
        const QImage back = QImage(path("g.gif")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(back.size(), image.size());
        // Few colours: the octree keeps them exactly.
        QCOMPARE(back.pixel(29, 20), 0xFF000000 | image.pixel(29, 20));
        QCOMPARE(back.pixel(7, 13), 0xFF000000 | image.pixel(7, 13));
        QCOMPARE(qAlpha(back.pixel(3, 3)), transparent ? 0 : 255);
    }

    void gifManyColoursStayClose() {
        const QImage image = Pattern(256, 256);
        QVERIFY(WriteGif(image, path("many.gif"), false, false));
        const QImage back = QImage(path("many.gif")).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(back.size(), image.size());
        QCOMPARE(QImage(path("many.gif")).colorCount() <= 256, true);
        qint64 error = 0;
        for (int y = 0; y < 256; y += 5)
            for (int x = 0; x < 256; x += 5) {
                const QRgb a = image.pixel(x, y), b = back.pixel(x, y);
                error += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                         qAbs(qBlue(a) - qBlue(b));
            }
        QVERIFY2(error / (52 * 52 * 3) < 16, qPrintable(QString::number(error)));
    }

    void failedWriteLeavesTheFile() {
        WriteBytes(path("keep.bmp"), "old");
        QVERIFY(!WriteBmp(QImage(), path("keep.bmp")));
        QCOMPARE(ReadBytes(path("keep.bmp")), QByteArray("old"));
        QVERIFY(!WritePcx(Pattern(3, 3), path("no/such/dir.pcx")));
    }
};

QTEST_GUILESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
