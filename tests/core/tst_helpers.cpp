#include "core/Helpers.h"

#include "TestWorld.h"

#include <QDir>
#include <QTest>

class TestHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extensionKey_data();
    void extensionKey();
    void queryFileSize();
    void queryFileDate();
    void shellRunFilePassesLongArgumentsWhole();
};

void TestHelpers::extensionKey_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::newRow("jpeg cut to four") << "photo.jpeg"
                                      << ".JPE";
    QTest::newRow("html") << "page.html"
                          << ".HTM";
    QTest::newRow("tiff") << "scan.tiff"
                          << ".TIF";
    QTest::newRow("upper already") << "photo.JPE"
                                   << ".JPE";
    QTest::newRow("no extension") << "README"
                                  << "";
    QTest::newRow("last dot wins") << "archive.zip.bak"
                                   << ".BAK";
    QTest::newRow("trailing dot") << "name."
                                  << ".";
    QTest::newRow("dot in folder only") << "/home/a.b/readme"
                                        << "";
    QTest::newRow("full path") << "/home/u/Photo.Jpg"
                               << ".JPG";
    QTest::newRow("hidden file") << ".bashrc"
                                 << ".BAS";
    QTest::newRow("non-ascii kept") << "x.\u00e9t"
                                    << ".\u00e9T";
}

void TestHelpers::extensionKey() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(ExtensionKey(name), key);
}

void TestHelpers::queryFileSize() {
    TestWorld world;
    const QString file = world.file("data/a.bin", QByteArray(1234, 'x'));
    world.file("data/only.txt", QByteArray(7, 'y'));
    QCOMPARE(QueryFileSize(file), 1234);
    QCOMPARE(QueryFileSize(world.path("data/*.txt")), 7);
    QCOMPARE(QueryFileSize(world.path("data/?.bin")), 1234);
    QCOMPARE(QueryFileSize(world.path("data/missing")), -1);
    QCOMPARE(QueryFileSize(world.path("data/*.none")), -1);
    QVERIFY(QueryFileSize(world.path("data")) >= 0); // the directory entry's own size
    const QString old = QDir::currentPath();
    QDir::setCurrent(world.path("data"));
    QCOMPARE(QueryFileSize("a.bin"), 1234);
    QDir::setCurrent(old);
}

void TestHelpers::queryFileDate() {
    TestWorld world;
    const QString file = world.file("d.txt", "x");
    const QDateTime stamp(QDate(2001, 2, 3), QTime(4, 5, 6));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    f.close();
    QCOMPARE(QueryFileDate(file), stamp);
    QVERIFY(!QueryFileDate(world.path("missing")).isValid());
}

void TestHelpers::shellRunFilePassesLongArgumentsWhole() {
    TestWorld world;
    const QString longName = world.path(QString(120, 'n') + ".txt");
    const QString longParams = QString(200, 'p');
    const QString longDir = world.path(QString(100, 'd'));
    QVERIFY(ShellRunFile(longName, longParams, longDir));
    QCOMPARE(world.shell.runs.size(), 1);
    QCOMPARE(world.shell.runs[0].fileName, longName);
    QCOMPARE(world.shell.runs[0].parameters, longParams);
    QCOMPARE(world.shell.runs[0].directory, longDir);
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
