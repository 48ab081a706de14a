// Round trips checked by ImageMagick: what the program writes opens there with the same
// pixels, and what ImageMagick writes opens here.

#include "images/PictureFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kConvert = QStringLiteral("/usr/bin/convert");

QImage Pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x / 4 + y) % 3 * 100));
    return image;
}

// Few colours, so that the GIF writer keeps them exactly.
QImage FewColours(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 7 * 40, y % 5 * 60, (x + y) % 2 * 200));
    for (int x = 0; x < 5; ++x)
        image.setPixel(x, 0, qRgb(128, 128, 128));
    return image;
}

// The image as ImageMagick reads it: raw RGBA bytes of w x h, turned by the file's own
// orientation (ImageMagick keeps a TGA's rows in stored order and only notes its origin).
QByteArray MagickPixels(const QString& file) {
    QProcess convert;
    convert.start(kConvert, {file + "[0]", "-auto-orient", "-depth", "8", "rgba:-"});
    convert.waitForFinished(60000);
    return convert.exitCode() == 0 ? convert.readAllStandardOutput() : QByteArray();
}

QByteArray Rgba(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    QByteArray bytes;
    for (int y = 0; y < rgba.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rgba.width() * 4);
    return bytes;
}

bool RunConvert(const QStringList& arguments) {
    return QProcess::execute(kConvert, arguments) == 0;
}

} // namespace

class TestMagickRoundTrip : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        if (!QFile::exists(kConvert)) QSKIP("ImageMagick is not installed");
    }

    void writtenHereOpensThere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::newRow("pcx") << "w.pcx" << 0;
        QTest::newRow("bmp 24-bit") << "w.bmp" << 1;
        QTest::newRow("gif plain") << "w.gif" << 2;
        QTest::newRow("gif interlaced") << "wi.gif" << 3;
        QTest::newRow("bmp 1-bit") << "mono.bmp" << 4;
    }
    void writtenHereOpensThere() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QImage image = kind >= 2 ? FewColours(37, 29) : Pattern(37, 29);
        if (kind == 4) {
            image.fill(Qt::white);
            for (int i = 0; i < 29; ++i)
                image.setPixel(i, i, qRgb(0, 0, 0));
        }
        bool written = false;
        if (kind == 0) written = WritePcx(image, path(name));
        if (kind == 1 || kind == 4) written = WriteBmp(image, path(name));
        if (kind == 2) written = WriteGif(image, path(name), false, false);
        if (kind == 3) written = WriteGif(image, path(name), false, true);
        QVERIFY(written);
        QCOMPARE(MagickPixels(path(name)), Rgba(image));
    }

    void transparentGifThere() {
        const QImage image = FewColours(20, 10);
        QVERIFY(WriteGif(image, path("t.gif"), true, false));
        const QByteArray pixels = MagickPixels(path("t.gif"));
        QCOMPARE(pixels.size(), 20 * 10 * 4);
        QCOMPARE(uchar(pixels[3]), uchar(0));           // the grey (0,0) is see-through
        QCOMPARE(uchar(pixels[5 * 4 + 3]), uchar(255)); // (5,0) is not
        QCOMPARE(pixels.mid(5 * 4, 3), Rgba(image).mid(5 * 4, 3));
    }

    void jpegWithinItsLoss() {
        QImage image(64, 48, QImage::Format_RGB888);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixel(x, y, qRgb(x * 4, y * 5, 128));
        QVERIFY(WriteJpeg(image, path("w.jpg"), 95));
        const QByteArray theirs = MagickPixels(path("w.jpg"));
        const QByteArray ours = Rgba(image);
        QCOMPARE(theirs.size(), ours.size());
        int worst = 0;
        for (qsizetype i = 0; i < ours.size(); ++i)
            worst = std::max(worst, qAbs(int(uchar(theirs[i])) - int(uchar(ours[i]))));
        QVERIFY2(worst < 16, qPrintable(QString::number(worst)));
    }

    void writtenThereOpensHere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("few");
        QTest::newRow("pcx 24-bit") << "m24.pcx" << QStringList{"-type", "TrueColor"} << false;
        QTest::newRow("pcx 8-bit palette") << "m8.pcx" << QStringList{"-type", "Palette"} << true;
        QTest::newRow("pcx 1-bit") << "m1.pcx" << QStringList{"-type", "Bilevel"} << true;
        QTest::newRow("tga type 2") << "m2.tga" << QStringList{"-compress", "None"} << false;
        QTest::newRow("tga type 10") << "m10.tga" << QStringList{"-compress", "RLE"} << false;
        QTest::newRow("tga type 1")
            << "m1.tga" << QStringList{"-type", "Palette", "-compress", "None"} << true;
        QTest::newRow("tga type 9")
            << "m9.tga" << QStringList{"-type", "Palette", "-compress", "RLE"} << true;
        QTest::newRow("tga type 3")
            << "m3.tga" << QStringList{"-type", "Grayscale", "-compress", "None"} << true;
        QTest::newRow("tga type 11")
            << "m11.tga" << QStringList{"-type", "Grayscale", "-compress", "RLE"} << true;
        QTest::newRow("tga top-left origin")
            << "mtop.tga" << QStringList{"-orient", "TopLeft", "-compress", "RLE"} << false;
    }
    void writtenThereOpensHere() {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(bool, few);
        const QImage source = few ? FewColours(41, 23) : Pattern(41, 23);
        QVERIFY(source.save(path("source.png")));
        QVERIFY(RunConvert(QStringList{path("source.png")} + options + QStringList{path(name)}));
        QString error;
        const QImage ours = NViewLibLoad(path(name), &error);
        QVERIFY2(!ours.isNull(), qPrintable(error));
        QCOMPARE(Rgba(ours), MagickPixels(path(name)));
    }
};

QTEST_GUILESS_MAIN(TestMagickRoundTrip)
#include "tst_magickroundtrip.moc"
