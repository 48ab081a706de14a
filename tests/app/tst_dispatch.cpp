#include "app/Dispatch.h"
#include "core/Helpers.h"

#include <QTest>

class TestDispatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryForName_data();
    void entryForName();
    void finderSenders();
    void entrySheets();
};

Q_DECLARE_METATYPE(ViewerEntry)

void TestDispatch::entryForName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<ViewerEntry>("entry");
    QTest::newRow("jpeg") << "photo.jpeg" << ViewerEntry::Pict;
    QTest::newRow("JPE") << "photo.JPE" << ViewerEntry::Pict;
    QTest::newRow("gif") << "anim.gif" << ViewerEntry::Pict;
    QTest::newRow("tga") << "shot.Tga" << ViewerEntry::Pict;
    QTest::newRow("emf") << "chart.emf" << ViewerEntry::Pict;
    QTest::newRow("html") << "page.html" << ViewerEntry::WebView;
    QTest::newRow("HTM") << "page.HTM" << ViewerEntry::WebView;
    QTest::newRow("tiff is text") << "scan.tiff" << ViewerEntry::Text;
    QTest::newRow("no extension") << "Makefile" << ViewerEntry::Text;
    QTest::newRow("zip.bak") << "archive.zip.bak" << ViewerEntry::Text;
    QTest::newRow("zip") << "archive.ZIP" << ViewerEntry::ZipView;
    QTest::newRow("zipx cut to .ZIP") << "archive.zipx" << ViewerEntry::ZipView;
    QTest::newRow("CUR") << "cursor.CUR" << ViewerEntry::IconView;
    QTest::newRow("icl") << "library.icl" << ViewerEntry::IconView;
    QTest::newRow("NIL") << "x.NIL" << ViewerEntry::IconView;
    QTest::newRow("exe goes to icons") << "setup.exe" << ViewerEntry::IconView;
    QTest::newRow("dll") << "lib.dll" << ViewerEntry::IconView;
    QTest::newRow("bare dot") << "odd." << ViewerEntry::Text;
    QTest::newRow("htm inside name") << "page.htm.txt" << ViewerEntry::Text;
}

void TestDispatch::entryForName() {
    QFETCH(QString, name);
    QFETCH(ViewerEntry, entry);
    QCOMPARE(DispatchEntry(ExtensionKey(name)), entry);
}

void TestDispatch::finderSenders() {
    QObject view1, view2, zip1, zip2, other;
    view1.setObjectName("ViewFile1");
    view2.setObjectName("ViewFile2");
    zip1.setObjectName("OpenZipH1");
    zip2.setObjectName("OpenZipH2");
    other.setObjectName("FileList");
    for (ViewerEntry entry : {ViewerEntry::Text, ViewerEntry::Pict, ViewerEntry::ZipView}) {
        QVERIFY(IsFinderViewSender(&view1, entry));
        QVERIFY(IsFinderViewSender(&view2, entry));
        QVERIFY(!IsFinderViewSender(&other, entry));
        QVERIFY(!IsFinderViewSender(nullptr, entry));
    }
    QVERIFY(IsFinderViewSender(&zip1, ViewerEntry::ZipView));
    QVERIFY(IsFinderViewSender(&zip2, ViewerEntry::ZipView));
    QVERIFY(!IsFinderViewSender(&zip1, ViewerEntry::Text));
    QVERIFY(!IsFinderViewSender(&zip2, ViewerEntry::Pict));
}

void TestDispatch::entrySheets() {
    QCOMPARE(SheetOfEntry(ViewerEntry::Text), ViewerSheet::TextEdit);
    QCOMPARE(SheetOfEntry(ViewerEntry::Pict), ViewerSheet::ImageView);
    QCOMPARE(SheetOfEntry(ViewerEntry::WebView), ViewerSheet::Html);
    QCOMPARE(SheetOfEntry(ViewerEntry::ZipView), ViewerSheet::Zip);
    QCOMPARE(SheetOfEntry(ViewerEntry::IconView), ViewerSheet::IconView);
    for (ViewerEntry entry : {ViewerEntry::Text, ViewerEntry::WebView, ViewerEntry::ZipView,
                              ViewerEntry::IconView})
        QVERIFY(EntryShowsPathInStatusBar(entry));
    QVERIFY(!EntryShowsPathInStatusBar(ViewerEntry::Pict));
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
