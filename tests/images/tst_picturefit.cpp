// The image page's fitting and the modifier's zoom steps.

#include "images/PictureFit.h"

#include <QTest>

class TestPictureFit : public QObject {
    Q_OBJECT

private slots:
    void smallPictureKeepsItsSize() {
        const PictureFit fit = AspectFit(QSize(100, 80), QSize(532, 418), false);
        QCOMPARE(fit.rect, QRect(214, 167, 100, 80));
        QCOMPARE(fit.zoom, 100);
        QVERIFY(!fit.actualEnabled);
        QVERIFY(fit.fitEnabled);
    }

    void fitEnlargesSmallPicture() {
        const PictureFit fit = FillFit(QSize(100, 80), QSize(532, 418));
        QCOMPARE(fit.rect.size(), QSize(518, 414));
        QCOMPARE(fit.rect.topLeft(), QPoint(5, 0));
        QCOMPARE(fit.zoom, 517);
        QVERIFY(!fit.fitEnabled);
        QVERIFY(fit.actualEnabled);
    }

    void widePictureShrinks() {
        const PictureFit fit = AspectFit(QSize(2000, 1000), QSize(532, 418), false);
        QCOMPARE(fit.rect, QRect(0, 75, 528, 264));
        QCOMPARE(fit.zoom, 26);
        QVERIFY(!fit.fitEnabled);
        QVERIFY(fit.actualEnabled);
    }

    void tallPictureNeverWiderThanArea() {
        const PictureFit fit = AspectFit(QSize(300, 1000), QSize(204, 804), false);
        QCOMPARE(fit.rect.size(), QSize(200, 667));
        QCOMPARE(fit.zoom, 66);
    }

    void gifSmallerThanAreaKeepsItsSize() {
        const PictureFit fit = AspectFit(QSize(120, 90), QSize(532, 418), true);
        QCOMPARE(fit.rect, QRect(204, 162, 120, 90));
        QCOMPARE(fit.zoom, 100);
    }

    void emptyPictureHasNoZoom() {
        const PictureFit fit = AspectFit(QSize(0, 0), QSize(532, 418), false);
        QCOMPARE(fit.zoom, 0);
        QVERIFY(!fit.fitEnabled);
        QVERIFY(!fit.actualEnabled);
        QCOMPARE(FillFit(QSize(10, 0), QSize(532, 418)).zoom, 0);
    }

    void zoomIn() {
        QList<int> steps;
        int zoom = 100;
        for (int i = 0; i < 3; ++i)
            steps << (zoom = ModifierZoomIn(zoom));
        QCOMPARE(steps, QList<int>({135, 170, 205}));
        QCOMPARE(ModifierZoomIn(90), 125);
        QCOMPARE(ModifierZoomIn(50), 60);
    }

    void zoomOut() {
        QList<int> steps;
        int zoom = 135;
        for (int i = 0; i < 3; ++i)
            steps << (zoom = ModifierZoomOut(zoom));
        QCOMPARE(steps, QList<int>({110, 100, 90}));
        QCOMPARE(ModifierZoomOut(125), 100);
        QCOMPARE(ModifierZoomOut(10), 10);
    }
};

QTEST_GUILESS_MAIN(TestPictureFit)
#include "tst_picturefit.moc"
