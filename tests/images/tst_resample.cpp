// Resampling: every filter keeps flat colours flat and thin lines in place.

#include "images/ImageOps.h"

#include <QTest>

namespace {

const char* const kFilterNames[] = {"None",    "Triangle", "Hermite", "Bell",
                                    "BSpline", "Lanczos3", "Mitchell"};

void AddFilterRows(const char* suffix, const QList<QSize>& sizes) {
    for (int f = 0; f < 7; ++f)
        for (const QSize& size : sizes)
            QTest::addRow("%s %dx%d%s", kFilterNames[f], size.width(), size.height(), suffix)
                << f << size;
}

} // namespace

class TestResample : public QObject {
    Q_OBJECT

private slots:
    void constantStaysConstant_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QSize>("size");
        AddFilterRows("", {QSize(13, 7), QSize(97, 61), QSize(5, 3), QSize(1, 1)});
    }
    void constantStaysConstant() {
        QFETCH(int, filter);
        QFETCH(QSize, size);
        QImage image(37, 23, QImage::Format_RGB888);
        image.fill(qRgb(201, 37, 254));
        const QImage result = Resample(image, size.width(), size.height(), filter);
        QCOMPARE(result.size(), size);
        QCOMPARE(result.format(), QImage::Format_RGB888);
        for (int y = 0; y < result.height(); ++y)
            for (int x = 0; x < result.width(); ++x)
                QCOMPARE(result.pixel(x, y), qRgb(201, 37, 254));
    }

    void lineKeepsItsPosition_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QSize>("size");
        AddFilterRows("", {QSize(20, 10), QSize(40, 10), QSize(20, 20)});
    }
    void lineKeepsItsPosition() {
        // A white line in column 3 of 20: at the same width it stays in column 3, at twice
        // the width it is brightest in columns 6 and 7, evenly.
        QFETCH(int, filter);
        QFETCH(QSize, size);
        QImage image(20, 10, QImage::Format_RGB888);
        image.fill(Qt::black);
        for (int y = 0; y < 10; ++y)
            image.setPixel(3, y, qRgb(255, 255, 255));
        const QImage result = Resample(image, size.width(), size.height(), filter);
        const int scale = size.width() / 20;
        for (int y = 0; y < result.height(); ++y) {
            int brightest = 0;
            for (int x = 1; x < result.width(); ++x)
                if (qRed(result.pixel(x, y)) > qRed(result.pixel(brightest, y))) brightest = x;
            QCOMPARE(brightest, 3 * scale);
            QCOMPARE(qRed(result.pixel(3 * scale + scale - 1, y)),
                     qRed(result.pixel(brightest, y)));
            QCOMPARE(qRed(result.pixel(3 * scale - 1, y)),
                     qRed(result.pixel(3 * scale + scale, y)));
        }
    }

    void reductionAverages() {
        // Alternating black and white columns halved: every filter gives mid grey, since the
        // support is widened to cover both columns of each pair.
        QImage image(64, 4, QImage::Format_RGB888);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 4; ++y)
                image.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : 0);
        for (int f = 0; f < 7; ++f) {
            const QImage result = Resample(image, 16, 4, f);
            for (int x = 2; x < 14; ++x) {
                const int grey = qRed(result.pixel(x, 1));
                QVERIFY2(grey >= 120 && grey <= 135,
                         qPrintable(QString("%1: %2").arg(kFilterNames[f]).arg(grey)));
            }
        }
    }

    void progressRunsByRowsToHundred() {
        QImage image(50, 40, QImage::Format_RGB888);
        image.fill(Qt::red);
        QList<int> seen;
        Resample(image, 30, 60, 5, [&](int percent) { seen << percent; });
        QVERIFY(seen.size() > 20);
        QCOMPARE(seen.first(), 0);
        QCOMPARE(seen.last(), 100);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    }

    void emptyTargetGivesNothing() {
        QImage image(5, 5, QImage::Format_RGB888);
        image.fill(Qt::red);
        QVERIFY(Resample(image, 0, 5, 1).isNull());
        QVERIFY(Resample(image, 5, -1, 1).isNull());
    }
};

QTEST_GUILESS_MAIN(TestResample)
#include "tst_resample.moc"
