#include "browser/FileList.h"
#include "browser/MaskButtonSet.h"
#include "browser/MaskSheet.h"
#include "browser/MaskTable.h"

#include "TestWorld.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class TestMasks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textMaskHasTwentyFivePatterns();
    void buttonChoices_data();
    void buttonChoices();
    void textMaskListsTextFiles();
    void imageAndIconMasks();
    void presetHtmlListsBothKinds();
    void customMaskSet();
    void clearEmptiesTheField();
    void maskButtonsMadeAsOneGroup();
    void sheetFitsItsPanel();
};

void TestMasks::textMaskHasTwentyFivePatterns() {
    const QStringList patterns = TextFileMask().split(';');
    QCOMPARE(patterns.size(), 25);
    QCOMPARE(patterns.first(), QString("*.TXT"));
    QCOMPARE(patterns[12], QString("*.H"));
    QCOMPARE(patterns.last(), QString("*.LIC"));
    QCOMPARE(MaskPresets().size(), 20);
    QCOMPARE(MaskPresets()[5], QString("*.htm; *.html"));
    QCOMPARE(MaskPresets().last(), QString("*.zip"));
}

void TestMasks::buttonChoices_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("leavesThumbs");
    QTest::newRow("all") << "AllFilesBut"
                         << "*.*"
                         << "File mask = *.* All files" << true;
    QTest::newRow("text") << "TextFilesBut" << TextFileMask() << "File mask = Text files" << true;
    QTest::newRow("icons") << "IconsBut" << IconFileMask() << "File mask = Icon containers" << true;
    QTest::newRow("images") << "ImageFilesBut" << ImageFileMask() << "File mask = Image files"
                            << false;
    QTest::newRow("thumbs") << "ThumbBut" << ImageFileMask() << "File mask = Image files" << false;
}

void TestMasks::buttonChoices() {
    QFETCH(QString, button);
    QFETCH(QString, mask);
    QFETCH(QString, status);
    QFETCH(bool, leavesThumbs);
    const std::optional<MaskChoice> choice = FileMaskChoice(button);
    QVERIFY(choice);
    QCOMPARE(choice->mask, mask);
    QCOMPARE(choice->status, status);
    QCOMPARE(choice->leaveThumbs, leavesThumbs);
    QVERIFY(!FileMaskChoice("CMaskBut"));
}

void TestMasks::textMaskListsTextFiles() {
    TestWorld world;
    for (const char* name : {"readme.log", "file_id.diz", "notes.TXT", "main.h", "photo.jpg",
                             "README", "archive.zip", "main.hpp"})
        world.file(QString("d/") + name, "x");
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    list.setMask(FileMaskChoice("TextFilesBut")->mask);
    QStringList listed;
    for (int i = 0; i < list.itemCount(); ++i)
        listed.append(list.itemCaption(i));
    QCOMPARE(listed, (QStringList{"file_id.diz", "main.h", "notes.TXT", "readme.log"}));
}

void TestMasks::imageAndIconMasks() {
    TestWorld world;
    for (const char* name : {"a.bmp", "b.JPEG", "c.jpg", "d.tga", "e.png", "f.exe", "g.ico",
                             "h.NIL", "i.txt", "j.dll"})
        world.file(QString("d/") + name, "x");
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    list.setMask(ImageFileMask());
    QCOMPARE(list.itemCount(), 4);
    list.setMask(IconFileMask());
    QStringList listed;
    for (int i = 0; i < list.itemCount(); ++i)
        listed.append(list.itemCaption(i));
    QCOMPARE(listed, (QStringList{"f.exe", "g.ico", "h.NIL", "j.dll"}));
}

void TestMasks::presetHtmlListsBothKinds() {
    TestWorld world;
    for (const char* name : {"index.htm", "page.html", "notes.txt", "x.shtml.bak"})
        world.file(QString("d/") + name, "x");
    TMaskSheet sheet;
    TQuickFileList list;
    list.setDirectory(world.path("d"));
    QString status;
    connect(&sheet, &TMaskSheet::maskChosen, &list, [&](const QString& mask, const QString& text) {
        list.setMask(mask);
        status = text;
    });
    QRadioButton* preset = sheet.presetButtons()[5];
    QCOMPARE(preset->text(), QString("*.htm; *.html"));
    sheet.show();
    QTest::mouseClick(preset, Qt::LeftButton);
    QCOMPARE(status, QString("File mask = *.htm; *.html"));
    QCOMPARE(list.itemCount(), 2);
    QCOMPARE(list.itemCaption(0), QString("index.htm"));
    QCOMPARE(list.itemCaption(1), QString("page.html"));
    QVERIFY(!preset->isChecked()); // no preset stays checked

    QSignalSpy chosen(&sheet, &TMaskSheet::maskChosen);
    QTest::mouseClick(preset, Qt::LeftButton); // the same preset again
    QCOMPARE(chosen.count(), 1);
}

void TestMasks::customMaskSet() {
    TMaskSheet sheet;
    sheet.show();
    QVERIFY(!sheet.CustomMaskSetBut->isEnabled());
    QVERIFY(!sheet.CustomMaskClearBut->isEnabled());
    QSignalSpy chosen(&sheet, &TMaskSheet::maskChosen);
    QTest::keyClicks(sheet.Edit2, "docx"); // at most three characters
    QCOMPARE(sheet.Edit2->text(), QString("doc"));
    QVERIFY(sheet.CustomMaskSetBut->isEnabled());
    QVERIFY(sheet.CustomMaskClearBut->isEnabled());
    QTest::mouseClick(sheet.CustomMaskSetBut, Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("*.doc"));
    QCOMPARE(chosen[0][1].toString(), QString("File mask = doc"));
    QCOMPARE(sheet.Edit2->text(), QString());
    QVERIFY(!sheet.CustomMaskSetBut->isEnabled());
    QVERIFY(!sheet.CustomMaskClearBut->isEnabled());
    QCOMPARE(sheet.findChild<QLineEdit*>("Edit2"), sheet.Edit2);
    QCOMPARE(sheet.CustomMaskSetBut->toolTip(), QString("Enable custom file mask"));
}

void TestMasks::clearEmptiesTheField() {
    TMaskSheet sheet;
    sheet.show();
    QSignalSpy chosen(&sheet, &TMaskSheet::maskChosen);
    QTest::keyClicks(sheet.Edit2, "pa");
    QTest::mouseClick(sheet.CustomMaskClearBut, Qt::LeftButton);
    QCOMPARE(sheet.Edit2->text(), QString());
    QVERIFY(!sheet.CustomMaskSetBut->isEnabled());
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(sheet.CustomMaskClearBut->toolTip(), QString("Clear custom file mask"));
}

void TestMasks::maskButtonsMadeAsOneGroup() {
    QWidget toolbar;
    const MaskButtonSet set = MaskButtonSet::create(&toolbar);
    QCOMPARE(set.visible.size(), 5);
    QStringList names;
    for (QToolButton* b : set.visible)
        names.append(b->objectName());
    QCOMPARE(names,
             (QStringList{"AllFilesBut", "TextFilesBut", "ImageFilesBut", "IconsBut", "ThumbBut"}));
    QCOMPARE(set.AllFilesBut->text(), QString("All"));
    QCOMPARE(set.AllFilesBut->toolTip(), QString("Show all files"));
    QCOMPARE(set.ThumbBut->toolTip(), QString("Load thumbs"));
    QVERIFY(set.AllFilesBut->isChecked());
    QVERIFY(!set.CMaskBut->isVisibleTo(&toolbar));
    QCOMPARE(toolbar.findChild<QToolButton*>("CMaskBut"), set.CMaskBut);
    QVERIFY(set.group->exclusive());
    set.CMaskBut->setChecked(true);
    for (QToolButton* b : set.visible)
        QVERIFY(!b->isChecked());
    set.ImageFilesBut->click();
    QVERIFY(set.ImageFilesBut->isChecked());
    QVERIFY(!set.CMaskBut->isChecked());
}

void TestMasks::sheetFitsItsPanel() {
    // The sheet as the main window holds it: in a scroll area on a tab of the left pages,
    // which are 255 pixels wide at the default window size.
    QTabWidget pages;
    pages.setTabPosition(QTabWidget::South);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* sheet = new TMaskSheet;
    scroll->setWidget(sheet);
    pages.addTab(scroll, "Mask");
    pages.resize(255, 440);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
    const QRect visible = scroll->viewport()->rect();
    for (QWidget* control :
         {static_cast<QWidget*>(sheet->CustomMaskClearBut),
          static_cast<QWidget*>(sheet->CustomMaskSetBut), static_cast<QWidget*>(sheet->Edit2),
          static_cast<QWidget*>(sheet->MaskExitBut)}) {
        // Reachable without sideways scrolling (the presets may scroll vertically).
        const QRect shown(control->mapTo(scroll->viewport(), QPoint()), control->size());
        QVERIFY2(shown.left() >= visible.left() && shown.right() <= visible.right(),
                 qPrintable(control->objectName()));
    }
    for (QRadioButton* preset : sheet->presetButtons())
        QVERIFY2(preset->width() >= preset->sizeHint().width(), qPrintable(preset->text()));
}

QTEST_MAIN(TestMasks)
#include "tst_masks.moc"
