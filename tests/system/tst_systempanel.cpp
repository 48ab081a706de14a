#include "system/SystemPanel.h"

#include "kit/ProgressBar3D.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

MemoryFigures sample() {
    MemoryFigures f;
    f.totalPhysical = quint64(64) * 1024 * 1024;
    f.availablePhysical = 5627904;
    f.totalSwap = 0;
    f.totalVirtual = 1000000;
    f.availableVirtual = 350000;
    f.load = 60;
    return f;
}

} // namespace

class TestSystemPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refreshSetsValuesAndColours_data();
    void refreshSetsValuesAndColours();
    void barsAreDrawnInTheirColour();
    void systemFileButtons();
};

void TestSystemPanel::refreshSetsValuesAndColours_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("RAM") << "Bar1" << 92 << QColor(Qt::red);
    QTest::newRow("Load") << "Bar2" << 60 << QColor(Qt::yellow);
    QTest::newRow("Swap, none") << "Bar3" << 0 << QColor(0, 255, 0);
    QTest::newRow("Virtual") << "Bar4" << 65 << QColor(Qt::yellow);
    QTest::newRow("GDI") << "Bar5" << -1 << QColor(Qt::red);
    QTest::newRow("System") << "Bar6" << -1 << QColor(Qt::red);
    QTest::newRow("User") << "Bar7" << -1 << QColor(Qt::red);
    QTest::newRow("Average") << "Bar8" << -1 << QColor(Qt::red);
}

void TestSystemPanel::refreshSetsValuesAndColours() {
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QColor, colour);
    TSystemPanel panel("/home/u");
    panel.setFigureSource(sample);
    panel.findChild<QPushButton*>("SysRefBut")->click();
    auto* b = panel.findChild<TProgressBar3D*>(bar);
    QVERIFY(b);
    QCOMPARE(b->value(), value);
    QCOMPARE(b->barColor(), colour);
    QCOMPARE(b->size(), QSize(140, 20));
}

void TestSystemPanel::barsAreDrawnInTheirColour() {
    TSystemPanel panel("/home/u");
    panel.setFigureSource(sample);
    panel.SysRefButClick();
    const QImage ram = panel.Bar1->grab().toImage();
    QCOMPARE(panel.Bar1->filledWidth(), 136 * 92 / 100);
    QCOMPARE(ram.pixelColor(60, 10), QColor(Qt::red));
    QVERIFY(ram.pixelColor(135, 10) != QColor(Qt::red));
    // An unavailable figure leaves the bar empty.
    QCOMPARE(panel.Bar5->filledWidth(), 0);
    const QImage gdi = panel.Bar5->grab().toImage();
    QVERIFY(gdi.pixelColor(10, 10) != QColor(Qt::red));
}

void TestSystemPanel::systemFileButtons() {
    TSystemPanel panel("/home/u");
    auto* win = panel.findChild<QPushButton*>("SysWIBut");
    QVERIFY(win);
    QCOMPARE(win->text(), QString("Win.ini"));
    QCOMPARE(win->toolTip(), QString("/home/u/.profile"));
    QSignalSpy spy(&panel, &TSystemPanel::systemFileRequested);
    win->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(panel.systemFiles()[spy[0][0].toInt()].path, QString("/home/u/.profile"));
    QCOMPARE(panel.findChild<QPushButton*>("SysMSBut")->text(), QString("MSDos.sys"));
}

QTEST_MAIN(TestSystemPanel)
#include "tst_systempanel.moc"
