#include "app/Dispatch.h"
#include "app/MenuSwitch.h"
#include "core/Helpers.h"

#include <QTest>

class TestDispatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryForName_data();
    void entryForName();
    void finderSenders();
    void pageMenus_data();
    void pageMenus();
};

Q_DECLARE_METATYPE(ViewerEntry)
Q_DECLARE_METATYPE(ViewerSheet)

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

void TestDispatch::pageMenus_data() {
    QTest::addColumn<ViewerSheet>("sheet");
    QTest::addColumn<bool>("source");
    QTest::addColumn<QStringList>("shown");
    const QStringList text{"TextMenu", "EditTextMenu", "TextFormatMenu"};
    const QStringList html{"HSFileMenu", "HSEditMenu"};
    for (bool source : {false, true}) {
        const QString s = source ? " source" : "";
        QTest::addRow("TextEdit%s", qPrintable(s)) << ViewerSheet::TextEdit << source << text;
        QTest::addRow("ImageView%s", qPrintable(s))
            << ViewerSheet::ImageView << source << QStringList{"EditPicMenu"};
        QTest::addRow("HexEdit%s", qPrintable(s))
            << ViewerSheet::HexEdit << source << QStringList{"HexFileMenu", "HexEditMenu"};
        QTest::addRow("Zip%s", qPrintable(s)) << ViewerSheet::Zip << source << QStringList{"Zip1"};
        for (auto [sheet, name] : {std::pair{ViewerSheet::Html, "Html"},
                                   {ViewerSheet::Thumbs, "Thumbs"},
                                   {ViewerSheet::ClipView, "ClipView"},
                                   {ViewerSheet::IconView, "IconView"}})
            QTest::addRow("%s%s", name, qPrintable(s))
                << sheet << source << (source ? html : QStringList());
    }
}

void TestDispatch::pageMenus() {
    QFETCH(ViewerSheet, sheet);
    QFETCH(bool, source);
    QFETCH(QStringList, shown);
    QCOMPARE(VisiblePageMenus(sheet, source), shown);
    for (const QString& name : shown)
        QVERIFY(PageMenuNames().contains(name));
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
