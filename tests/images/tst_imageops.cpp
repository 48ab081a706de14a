// The modifier's colour and geometry operations on small images made here.

#include "images/ImageOps.h"

#include <QTest>

namespace {

QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(QColor::fromRgb(colour));
    return image;
}

} // namespace

class TestImageOps : public QObject {
    Q_OBJECT

private slots:
    void grayscale_data() {
        QTest::addColumn<QRgb>("in");
        QTest::addColumn<int>("grey");
        QTest::newRow("red rounds 76.5 to even") << qRgb(255, 0, 0) << 76;
        QTest::newRow("green") << qRgb(0, 255, 0) << 150;
        QTest::newRow("blue 28.05") << qRgb(0, 0, 255) << 28;
        QTest::newRow("white") << qRgb(255, 255, 255) << 255;
        QTest::newRow("1,1,1 stays") << qRgb(1, 1, 1) << 1;
        QTest::newRow("tie 0.5 to even 0") << qRgb(0, 0, 0) << 0;
        QTest::newRow("(5,0,0) 1.5 to 2") << qRgb(5, 0, 0) << 2;
    }
    void grayscale() {
        QFETCH(QRgb, in);
        QFETCH(int, grey);
        QImage image = Filled(3, 2, in);
        Grayscale(image, QRect());
        QCOMPARE(image.pixel(2, 1), qRgb(grey, grey, grey));
        QCOMPARE(image.format(), QImage::Format_RGB888);
    }

    void grayscaleOnlyInScope() {
        QImage image = Filled(4, 4, qRgb(255, 0, 0));
        Grayscale(image, QRect(1, 1, 2, 2));
        QCOMPARE(image.pixel(1, 1), qRgb(76, 76, 76));
        QCOMPARE(image.pixel(2, 2), qRgb(76, 76, 76));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(3, 2), qRgb(255, 0, 0));
    }

    void negative() {
        QImage image = Filled(2, 2, qRgb(10, 200, 255));
        Negative(image, QRect());
        QCOMPARE(image.pixel(0, 0), qRgb(245, 55, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(245, 55, 0));
    }

    void scopeBeyondImageIsClipped() {
        QImage image = Filled(3, 3, qRgb(10, 200, 255));
        Negative(image, QRect(2, 2, 50, 50));
        QCOMPARE(image.pixel(2, 2), qRgb(245, 55, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(10, 200, 255));
    }

    void otherFormatsAreConverted() {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.fill(qRgb(10, 200, 255));
        Negative(image, QRect());
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.pixel(1, 0), qRgb(245, 55, 0));
    }

    void contrastMinusHundredFlattensToMean() {
        // Mean of 0 and 101 is 50.5, truncated to 50; of 10 and 20 is 15; of 255 and 0 is 127.
        QImage image(2, 1, QImage::Format_RGB888);
        image.setPixel(0, 0, qRgb(0, 10, 255));
        image.setPixel(1, 0, qRgb(101, 20, 0));
        Contrast(image, -100, QRect());
        QCOMPARE(image.pixel(0, 0), qRgb(50, 15, 127));
        QCOMPARE(image.pixel(1, 0), qRgb(50, 15, 127));
    }

    void contrastZeroChangesNothing() {
        QImage image(16, 9, QImage::Format_RGB888);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 15, y * 28, (x * y) % 256));
        const QImage before = image.copy();
        Contrast(image, 0, QRect());
        QCOMPARE(image, before);
    }

    void contrastPlusTen() {
        // x = 2: 100 + trunc((90 - 100) * 2) = 80, 100 + 20 = 120; green around 50: -50 clamps
        // to 0, 100 becomes 150.
        QImage image(2, 1, QImage::Format_RGB888);
        image.setPixel(0, 0, qRgb(90, 0, 250));
        image.setPixel(1, 0, qRgb(110, 100, 250));
        Contrast(image, 10, QRect());
        QCOMPARE(image.pixel(0, 0), qRgb(80, 0, 250));
        QCOMPARE(image.pixel(1, 0), qRgb(120, 150, 250));
    }

    void contrastNegativeTruncatesTowardZero() {
        // v = -25: x = 0.5; mean 100; 85 -> 100 + trunc(-7.5) = 93, 115 -> 107.
        QImage image(2, 1, QImage::Format_RGB888);
        image.setPixel(0, 0, qRgb(85, 85, 85));
        image.setPixel(1, 0, qRgb(115, 115, 115));
        Contrast(image, -25, QRect());
        QCOMPARE(image.pixel(0, 0), qRgb(93, 93, 93));
        QCOMPARE(image.pixel(1, 0), qRgb(107, 107, 107));
    }

    void contrastInSelectionUsesWholeImageMean() {
        // Left half black, right half white: mean 127. The selection holds only black pixels;
        // its own mean would leave them black, the whole image's pulls them to 127.
        QImage image(4, 2, QImage::Format_RGB888);
        image.fill(Qt::black);
        for (int y = 0; y < 2; ++y)
            for (int x = 2; x < 4; ++x)
                image.setPixel(x, y, qRgb(255, 255, 255));
        Contrast(image, -100, QRect(0, 0, 1, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(127, 127, 127));
        QCOMPARE(image.pixel(0, 1), qRgb(127, 127, 127));
        QCOMPARE(image.pixel(1, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(3, 1), qRgb(255, 255, 255));
    }

    void flipAndMirror() {
        QImage image(2, 2, QImage::Format_RGB888);
        image.setPixel(0, 0, qRgb(1, 0, 0));
        image.setPixel(1, 0, qRgb(2, 0, 0));
        image.setPixel(0, 1, qRgb(3, 0, 0));
        image.setPixel(1, 1, qRgb(4, 0, 0));
        QImage flipped = image.copy();
        Flip(flipped);
        QCOMPARE(flipped.pixel(0, 0), qRgb(3, 0, 0));
        QCOMPARE(flipped.pixel(1, 1), qRgb(2, 0, 0));
        Mirror(image);
        QCOMPARE(image.pixel(0, 0), qRgb(2, 0, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(3, 0, 0));
    }

    void clearKeepsSize() {
        QImage image = Filled(7, 3, qRgb(1, 2, 3));
        Clear(image);
        QCOMPARE(image.size(), QSize(7, 3));
        QCOMPARE(image.pixel(6, 2), qRgb(128, 128, 128));
    }

    void canvasSize() {
        QImage image(100, 50, QImage::Format_RGB888);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                image.setPixel(x, y, qRgb(x, y, 7));
        const QImage canvas = CanvasSize(image, 120, 40);
        QCOMPARE(canvas.size(), QSize(120, 40));
        QCOMPARE(canvas.pixel(99, 39), qRgb(99, 39, 7));
        QCOMPARE(canvas.pixel(0, 0), qRgb(0, 0, 7));
        for (int y = 0; y < 40; ++y)
            for (int x = 100; x < 120; ++x)
                QCOMPARE(canvas.pixel(x, y), qRgb(128, 128, 128));
        QVERIFY(CanvasSize(image, 0, 40).isNull());
    }
};

QTEST_GUILESS_MAIN(TestImageOps)
#include "tst_imageops.moc"
