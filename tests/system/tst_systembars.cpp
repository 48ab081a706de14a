#include "system/MemoryFigures.h"
#include "system/SystemBars.h"

#include <QTest>

Q_DECLARE_METATYPE(BarColour)

class TestSystemBars : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memoryUsed_data();
    void memoryUsed();
    void memoryColour_data();
    void memoryColour();
    void resourceColour_data();
    void resourceColour();
    void figuresFromProcText();
    void withoutMemAvailable();
    void unlimitedAddressSpace();
    void barsWithoutResources();
    void readsThisMachine();
};

void TestSystemBars::memoryUsed_data() {
    QTest::addColumn<quint64>("total");
    QTest::addColumn<quint64>("available");
    QTest::addColumn<int>("percent");
    QTest::newRow("64 MiB, 5.4 MiB free") << quint64(64) * 1024 * 1024 << quint64(5627904) << 92;
    QTest::newRow("all available") << quint64(64) * 1024 * 1024 << quint64(64) * 1024 * 1024 << 0;
    QTest::newRow("none available") << quint64(8) << quint64(0) << 0;
    QTest::newRow("nothing free of 1000") << quint64(1000) << quint64(0) << 100;
    QTest::newRow("no swap") << quint64(0) << quint64(0) << 0;
    QTest::newRow("total 99 bytes") << quint64(99) << quint64(10) << 0;
    QTest::newRow("more available than total") << quint64(1000) << quint64(5000) << 0;
    QTest::newRow("16 GiB half used") << (quint64(16) << 30) << (quint64(8) << 30) << 50;
}

void TestSystemBars::memoryUsed() {
    QFETCH(quint64, total);
    QFETCH(quint64, available);
    QFETCH(int, percent);
    QCOMPARE(MemoryUsedPercent(total, available), percent);
}

void TestSystemBars::memoryColour_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<BarColour>("colour");
    QTest::newRow("92") << 92 << BarColour::Red;
    QTest::newRow("90") << 90 << BarColour::Red;
    QTest::newRow("89") << 89 << BarColour::Yellow;
    QTest::newRow("60") << 60 << BarColour::Yellow;
    QTest::newRow("59") << 59 << BarColour::Green;
    QTest::newRow("0") << 0 << BarColour::Green;
}

void TestSystemBars::memoryColour() {
    QFETCH(int, percent);
    QFETCH(BarColour, colour);
    QCOMPARE(MemoryBarColour(percent), colour);
}

void TestSystemBars::resourceColour_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<BarColour>("colour");
    QTest::newRow("unavailable -1") << -1 << BarColour::Red;
    QTest::newRow("20") << 20 << BarColour::Red;
    QTest::newRow("21") << 21 << BarColour::Yellow;
    QTest::newRow("50") << 50 << BarColour::Yellow;
    QTest::newRow("51") << 51 << BarColour::Green;
    QTest::newRow("100") << 100 << BarColour::Green;
}

void TestSystemBars::resourceColour() {
    QFETCH(int, percent);
    QFETCH(BarColour, colour);
    QCOMPARE(ResourceBarColour(percent), colour);
}

void TestSystemBars::figuresFromProcText() {
    const QByteArray meminfo = "MemTotal:          65536 kB\n"
                               "MemFree:            1000 kB\n"
                               "MemAvailable:       5496 kB\n"
                               "Buffers:             100 kB\n"
                               "SwapTotal:         20000 kB\n"
                               "SwapFree:          15000 kB\n";
    const QByteArray status = "Name:\tkorvane\nVmPeak:\t  900000 kB\nVmSize:\t  524288 kB\n";
    const MemoryFigures f = MemoryFigures::fromText(meminfo, status, quint64(2) << 30);
    QCOMPARE(f.totalPhysical, quint64(65536) * 1024);
    QCOMPARE(f.availablePhysical, quint64(5496) * 1024);
    QCOMPARE(f.totalSwap, quint64(20000) * 1024);
    QCOMPARE(f.availableSwap, quint64(15000) * 1024);
    QCOMPARE(f.totalVirtual, quint64(2) << 30);
    QCOMPARE(f.availableVirtual, (quint64(2) << 30) - quint64(524288) * 1024);
    QCOMPARE(f.load, 91);
    const SystemBarValues bars = SystemBarValues::from(f);
    QCOMPARE(bars.ram, 92);
    QCOMPARE(bars.swap, 25);
    QCOMPARE(bars.virtualMemory, 25);
    QCOMPARE(bars.load, 91);
}

void TestSystemBars::withoutMemAvailable() {
    const MemoryFigures f =
        MemoryFigures::fromText("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
                                "Cached: 250 kB\n",
                                {}, 1 << 20);
    QCOMPARE(f.availablePhysical, quint64(400) * 1024);
    QCOMPARE(f.load, 60);
    // No swap at all: an empty bar.
    QCOMPARE(SystemBarValues::from(f).swap, 0);
}

void TestSystemBars::unlimitedAddressSpace() {
    const MemoryFigures f = MemoryFigures::fromText({}, "VmSize: 1024 kB\n", 0);
    QCOMPARE(f.totalVirtual, MemoryFigures::userAddressSpace());
    QCOMPARE(f.availableVirtual, MemoryFigures::userAddressSpace() - 1024 * 1024);
    // The formula truncates the available share, so a barely used space shows 1.
    QCOMPARE(SystemBarValues::from(f).virtualMemory, 1);
    QCOMPARE(SystemBarValues::from(f).ram, 0);
}

void TestSystemBars::barsWithoutResources() {
    const SystemBarValues bars = SystemBarValues::from(MemoryFigures());
    QCOMPARE(bars.gdi, -1);
    QCOMPARE(bars.system, -1);
    QCOMPARE(bars.user, -1);
    QCOMPARE(bars.average, -1);
    QCOMPARE(ResourceBarColour(bars.average), BarColour::Red);
    MemoryFigures known;
    known.systemResources = 80;
    known.gdiResources = 70;
    known.userResources = 61;
    QCOMPARE(known.averageResources(), 70);
}

void TestSystemBars::readsThisMachine() {
    const MemoryFigures f = MemoryFigures::read();
    QVERIFY(f.totalPhysical > 0);
    QVERIFY(f.availablePhysical <= f.totalPhysical);
    QVERIFY(f.availableVirtual < f.totalVirtual);
    QVERIFY(f.load >= 0 && f.load <= 100);
}

QTEST_GUILESS_MAIN(TestSystemBars)
#include "tst_systembars.moc"
