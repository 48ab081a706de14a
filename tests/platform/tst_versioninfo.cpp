#include "platform/VersionInfo.h"

#include "ExeBuilder.h"

#include <QTest>

using platform::VersionInfo;

namespace {

const QList<std::pair<QString, QString>> sampleStrings = {
    {"CompanyName", "Example Works"},
    {"FileDescription", "Sample tool"},
    {"FileVersion", "4.0.1"},
    {"LegalCopyright", "(c) 1996 Example Works"},
    {"Comments", ""},
};

} // namespace

class TestVersionInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsFirstTranslationsTable_data();
    void readsFirstTranslationsTable();
    void keyOrder();
    void withoutTranslationNoStrings();
    void twoByteTranslationIsLanguageOnly();
    void tableOfAnotherTranslationIsNotRead();
    void everyTruncationIsSafe_data();
    void everyTruncationIsSafe();
    void lyingLengths_data();
    void lyingLengths();
};

void TestVersionInfo::readsFirstTranslationsTable_data() {
    QTest::addColumn<bool>("wide");
    QTest::newRow("32-bit layout") << true;
    QTest::newRow("16-bit layout") << false;
}

void TestVersionInfo::readsFirstTranslationsTable() {
    QFETCH(bool, wide);
    const QByteArray translations =
        exebuilder::translation(0x0409, 1252) + exebuilder::translation(0x0407, 1200);
    const VersionInfo info =
        VersionInfo::parse(exebuilder::version(wide, "040904e4", sampleStrings, translations));
    QVERIFY(info.isValid());
    QCOMPARE(info.translations(), (QList<quint32>{0x04e40409u, 0x04b00407u}));
    QCOMPARE(info.translationKey(), QString("040904E4"));
    QCOMPARE(info.strings(), sampleStrings);
    QCOMPARE(info.value("legalcopyright"), QString("(c) 1996 Example Works"));
    QCOMPARE(info.value("ProductName"), QString());
}

void TestVersionInfo::keyOrder() {
    QCOMPARE(
        VersionInfo::keyOrder(),
        (QStringList{"LegalCopyright", "FileDescription", "FileVersion", "Comments", "CompanyName",
                     "InternalName", "OriginalFilename", "ProductName", "ProductVersion"}));
}

void TestVersionInfo::withoutTranslationNoStrings() {
    const VersionInfo info =
        VersionInfo::parse(exebuilder::version(true, "040904B0", sampleStrings, {}));
    QVERIFY(info.isValid());
    QVERIFY(info.translations().isEmpty());
    QCOMPARE(info.translationKey(), QString());
    QVERIFY(info.strings().isEmpty());
}

void TestVersionInfo::twoByteTranslationIsLanguageOnly() {
    QByteArray language;
    exebuilder::add16(language, 0x0c);
    const VersionInfo info =
        VersionInfo::parse(exebuilder::version(true, "000C0000", sampleStrings, language));
    QCOMPARE(info.translationKey(), QString("000C0000"));
    QCOMPARE(info.value("FileVersion"), QString("4.0.1"));
}

void TestVersionInfo::tableOfAnotherTranslationIsNotRead() {
    const VersionInfo info = VersionInfo::parse(exebuilder::version(
        true, "040704B0", sampleStrings, exebuilder::translation(0x0409, 1200)));
    QCOMPARE(info.translationKey(), QString("040904B0"));
    QVERIFY(info.strings().isEmpty());
}

void TestVersionInfo::everyTruncationIsSafe_data() {
    QTest::addColumn<bool>("wide");
    QTest::newRow("32-bit layout") << true;
    QTest::newRow("16-bit layout") << false;
}

// A cut resource keeps the blocks before the cut, with values no longer than they were.
void TestVersionInfo::everyTruncationIsSafe() {
    QFETCH(bool, wide);
    const QByteArray whole =
        exebuilder::version(wide, "040904B0", sampleStrings, exebuilder::translation(0x0409, 1200));
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const VersionInfo info = VersionInfo::parse(whole.left(cut));
        QVERIFY(info.strings().size() <= sampleStrings.size());
        for (qsizetype i = 0; i < info.strings().size(); ++i)
            QVERIFY(sampleStrings[i].second.startsWith(info.strings()[i].second));
    }
}

void TestVersionInfo::lyingLengths_data() {
    QTest::addColumn<qsizetype>("at");
    QTest::addColumn<quint16>("value");
    QTest::newRow("root length 0") << qsizetype(0) << quint16(0);
    QTest::newRow("root length 65535") << qsizetype(0) << quint16(0xffff);
    QTest::newRow("root value length 65535") << qsizetype(2) << quint16(0xffff);
    QTest::newRow("first section length 1") << qsizetype(0x5c) << quint16(1);
    QTest::newRow("first section length 65535") << qsizetype(0x5c) << quint16(0xffff);
}

void TestVersionInfo::lyingLengths() {
    QFETCH(qsizetype, at);
    QFETCH(quint16, value);
    QByteArray bytes =
        exebuilder::version(true, "040904B0", sampleStrings, exebuilder::translation(0x0409, 1200));
    exebuilder::put16(bytes, at, value);
    const VersionInfo info = VersionInfo::parse(bytes);
    QVERIFY(info.strings().size() <= sampleStrings.size());
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
