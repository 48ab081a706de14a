#include "app/AboutBox.h"
#include "app/SplashScreen.h"
#include "browser/FileList.h"
#include "core/CommandGuard.h"
#include "core/KorError.h"
#include "finder/FindForm.h"
#include "finder/FindResults.h"
#include "hex/HexEditor.h"
#include "hex/HexPage.h"
#include "kit/BannerMenu.h"
#include "kit/FloatTabWidget.h"
#include "kit/StatusPanels.h"
#include "system/SystemPanel.h"
#include "text/TextPage.h"

#include "MainProbe.h"
#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

/// Leaves the text and hex documents with unsaved changes, so closing asks about them.
void modifyDocuments(TKorMain& main, bool text, bool hex) {
    if (text) textPage(main)->View->insertPlainText("changed");
    if (hex) hexPage(main)->HexEditor1->AppendBuffer("ab", 2);
}

QStringList tabCaptions(const QTabWidget* tabs) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

QStringList visibleMenus(const TKorMain& main) {
    QStringList names;
    for (QAction* action : main.menuBar()->actions())
        if (action->isVisible() && action->menu()) names << action->menu()->objectName();
    return names;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splashShowsUntilTheWindowIsMade();
    void composition();
    void menusFollowTheUsersViewerSheet_data();
    void menusFollowTheUsersViewerSheet();
    void sheetChosenByCodeRunsNoChangeHandler();
    void sortDispatches_data();
    void sortDispatches();
    void sortWithHexSheetLoadsIntoHexEditor();
    void sortWithoutSelectionDoesNothing();
    void finderHandOverName();
    void cancelledTextQuestionKeepsOldDocument();
    void settingsRead_data();
    void settingsRead();
    void closeWritesSettings();
    void cancelledCloseWritesNothing_data();
    void cancelledCloseWritesNothing();
    void resizeSetsTreePanelHeight_data();
    void resizeSetsTreePanelHeight();
    void secondaryWindowsMadeOnceInOrder();
    void systemFileOpensOnTheTextPage();
    void utilsSheetFloatsAndDocks();
    void hintsReachStatusPanel();
    void helpAndAbout();
    void exitButtonsClose();
    void hiddenMenusLeaveTheirKeysToThePage();
};

void TestMainWindow::splashShowsUntilTheWindowIsMade() {
    TestWorld world;
    TSplashScreen splash;
    splash.showNow();
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.size(), QSize(229, 89));
    QCOMPARE(splash.windowTitle(), QString("K-o-r"));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    const QImage image = splash.grab().toImage();
    QVERIFY(image.pixelColor(2, 1).lightness() < image.pixelColor(2, 87).lightness());
    bool red = false;
    for (int y = 0; y < 30 && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x) {
            const QColor c = image.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    QVERIFY2(red, "no red \"Loading\"");
    TKorMain main(&splash);
    QVERIFY(!splash.isVisible());
}

void TestMainWindow::composition() {
    TestWorld world;
    TKorMain main;
    QCOMPARE(main.windowTitle(), QString("Korvane"));
    QCOMPARE(main.size(), QSize(800, 561));
    QCOMPARE(tabCaptions(main.Pages), (QStringList{"Tree", "Mask", "System", "Utils"}));
    QCOMPARE(tabCaptions(main.ProgPages), (QStringList{"TextEdit", "Html", "ImageView", "Thumbs",
                                                       "IconView", "Zip", "HexEdit", "ClipView"}));
    QCOMPARE(main.Pages->tabPosition(), QTabWidget::South);
    QCOMPARE(main.ProgPages->tabPosition(), QTabWidget::South);
    QCOMPARE(main.Pages->currentWidget(), main.TabTree);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabText);
    QCOMPARE(main.DrivePanel->width(), 23);

    QStringList names, captions;
    for (QAction* action : main.menuBar()->actions()) {
        names << action->menu()->objectName();
        captions << action->text();
        QVERIFY(qobject_cast<TBannerMenu*>(action->menu()));
        QCOMPARE(qobject_cast<TBannerMenu*>(action->menu())->bannerText(), QString("Korvane"));
    }
    // The menus of the built pages, in their places among the window's own.
    QCOMPARE(names, (QStringList{"File1", "TextMenu", "HexFileMenu", "EditTextMenu", "HexEditMenu",
                                 "TextFormatMenu", "MenuSystem", "Utils1", "Help1"}));
    QCOMPARE(captions, (QStringList{"&Tree", "&File", "File", "&Edit", "Edit", "Format", "System",
                                    "Utils", "Help"}));
    QCOMPARE(visibleMenus(main), (QStringList{"File1", "TextMenu", "EditTextMenu", "TextFormatMenu",
                                              "MenuSystem", "Utils1", "Help1"}));
    QStringList helpItems;
    for (QAction* action : main.Help1->actions())
        helpItems << (action->isSeparator() ? "-" : action->text());
    QCOMPARE(helpItems, (QStringList{"Korvane Help", "-", "About"}));

    QCOMPARE(main.StatBar->panelCount(), 4);
    QCOMPARE(main.StatBar->panel(0)->width(), 250);
    QCOMPARE(main.StatBar->panel(1)->width(), 150);
    QCOMPARE(main.StatBar->panel(2)->width(), 60);
    QVERIFY(main.StatBar->panel(3)->minimumWidth() >= 200);
    QCOMPARE(main.StatBar->panel(1)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = *.*"));
}

void TestMainWindow::menusFollowTheUsersViewerSheet_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("pageMenus");
    QTest::addColumn<QString>("maskText");
    QTest::newRow("Html") << 1 << QStringList() << "File mask = *.*";
    QTest::newRow("ImageView") << 2 << QStringList() << "File mask = Image files";
    QTest::newRow("Thumbs") << 3 << QStringList() << "File mask = Image files";
    QTest::newRow("IconView") << 4 << QStringList() << "File mask = Icon containers";
    QTest::newRow("Zip") << 5 << QStringList() << "File mask = *.*";
    QTest::newRow("HexEdit") << 6 << QStringList{"HexFileMenu", "HexEditMenu"} << "File mask = *.*";
    QTest::newRow("ClipView") << 7 << QStringList() << "File mask = *.*";
}

void TestMainWindow::menusFollowTheUsersViewerSheet() {
    QFETCH(int, index);
    QFETCH(QStringList, pageMenus);
    QFETCH(QString, maskText);
    TestWorld world;
    TKorMain main;
    main.ProgPages->setCurrentIndex(index);
    const QStringList expected =
        QStringList{"File1"} + pageMenus + QStringList{"MenuSystem", "Utils1", "Help1"};
    QCOMPARE(visibleMenus(main), expected);
    QCOMPARE(main.StatBar->panelText(1), maskText);
    main.ProgPages->setCurrentIndex(0);
    QCOMPARE(visibleMenus(main), (QStringList{"File1", "TextMenu", "EditTextMenu", "TextFormatMenu",
                                              "MenuSystem", "Utils1", "Help1"}));
}

void TestMainWindow::sheetChosenByCodeRunsNoChangeHandler() {
    TestWorld world;
    TKorMain main;
    main.Switcher->SelectViewerSheet(ViewerSheet::ImageView);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabPic);
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = *.*"));
    QVERIFY(textPage(main)->TextMenu->menuAction()->isVisible()); // MenuVisable has not run
}

void TestMainWindow::sortDispatches_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("menu");
    QTest::newRow("jpeg") << "photo.jpeg"
                          << "TabPic"
                          << "";
    QTest::newRow("JPE") << "photo.JPE"
                         << "TabPic"
                         << "";
    QTest::newRow("html") << "page.html"
                          << "TabHTML"
                          << "";
    QTest::newRow("zip") << "archive.zip"
                         << "TabZip"
                         << "";
    QTest::newRow("exe") << "setup.exe"
                         << "TabIcon"
                         << "";
    QTest::newRow("tiff") << "scan.tiff"
                          << "TabText"
                          << "TextMenu";
    QTest::newRow("zip.bak") << "archive.zip.bak"
                             << "TabText"
                             << "TextMenu";
}

void TestMainWindow::sortDispatches() {
    QFETCH(QString, name);
    QFETCH(QString, sheet);
    QFETCH(QString, menu);
    TestWorld world;
    world.file("home/" + name, "content");
    ScriptedPrompter prompter;
    TKorMain main;
    main.Switcher->SelectViewerSheet(ViewerSheet::ClipView);
    selectOnly(main, name);
    QVERIFY(RunGuarded([&] { main.Sort(main.TabTree->FileListPanel); }));
    QCOMPARE(prompter.messageTexts(), QStringList());
    QCOMPARE(main.ProgPages->currentWidget()->objectName(), sheet);
    const QStringList menus = visibleMenus(main);
    if (!menu.isEmpty()) QVERIFY2(menus.contains(menu), qPrintable(menus.join(',')));
    const QString path = world.paths.home + name;
    QCOMPARE(main.StatBar->panelText(3), sheet == "TabPic" ? QString() : path);
    if (sheet == "TabText") {
        QCOMPARE(textPage(main)->StatText->panelText(3), name);
        QCOMPARE(textPage(main)->StatText->panelText(2), world.paths.home);
    }
}

void TestMainWindow::sortWithHexSheetLoadsIntoHexEditor() {
    TestWorld world;
    const QString photo = world.file("home/photo.jpg", "JFIF");
    TKorMain main;
    main.ProgPages->setCurrentWidget(main.TabHex);
    selectOnly(main, "photo.jpg");
    main.Sort(nullptr);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabHex);
    QCOMPARE(hexPage(main)->HexEditor1->FileName(), photo);
    QCOMPARE(hexPage(main)->HexEditor1->DataSize(), 4);
    QVERIFY(hexPage(main)->HexFileMenu->menuAction()->isVisible());
    QCOMPARE(main.StatBar->panelText(3), QString());
}

void TestMainWindow::sortWithoutSelectionDoesNothing() {
    TestWorld world;
    TKorMain main;
    main.Switcher->SelectViewerSheet(ViewerSheet::HexEdit);
    main.Sort(nullptr);
    main.Switcher->SelectViewerSheet(ViewerSheet::Zip);
    main.Sort(nullptr);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabZip);
    QCOMPARE(main.StatBar->panelText(3), QString());
}

void TestMainWindow::finderHandOverName() {
    TestWorld world;
    const QString found = world.file("home/sub/found.txt", "found");
    const QString archive = world.file("home/sub/found.zip", "not really");
    world.file("home/sub/listed.txt", "listed"); // the list shows the finder's folder then
    TKorMain main;
    main.CreateSecondaryWindows();
    auto* finder = qobject_cast<TfFindForm*>(main.secondaryWindow("fFindForm"));
    QVERIFY(finder);
    const auto pick = [&](const QString& path) {
        finder->results().setLines({QFile::encodeName(path)});
        finder->ListBox1->setCurrentIndex(finder->results().index(0));
    };
    pick(found);
    finder->findChild<QAction*>("ViewFile2")->trigger();
    QCOMPARE(textPage(main)->StatText->panelText(3), QString("found.txt"));
    QCOMPARE(main.TreeDirectory(), world.paths.home + "sub/");
    pick(archive);
    finder->findChild<QAction*>("OpenZipH1")->trigger();
    QCOMPARE(main.StatBar->panelText(3), world.paths.home + "sub/found.zip");
    selectOnly(main, "listed.txt");
    // The zip items hand over only to the zip page; other senders take the list's file.
    QAction openZip(nullptr), other(nullptr);
    openZip.setObjectName("OpenZipH1");
    main.RunViewerEntry(ViewerEntry::Text, &openZip);
    QCOMPARE(textPage(main)->StatText->panelText(3), QString("listed.txt"));
    main.RunViewerEntry(ViewerEntry::Text, &other);
    QCOMPARE(textPage(main)->StatText->panelText(3), QString("listed.txt"));
}

void TestMainWindow::cancelledTextQuestionKeepsOldDocument() {
    TestWorld world;
    ScriptedPrompter prompter;
    TKorMain main;
    world.file("home/first.txt", "one");
    world.file("home/second.txt", "two");
    selectOnly(main, "first.txt");
    main.Sort(nullptr);
    modifyDocuments(main, true, false);
    prompter.answer(MsgButton::Cancel);
    selectOnly(main, "second.txt");
    QVERIFY(!RunGuarded([&] { main.Sort(nullptr); }));
    QCOMPARE(textPage(main)->StatText->panelText(3), QString("first.txt"));
    QCOMPARE(main.StatBar->panelText(3), world.paths.home + "first.txt");
    QCOMPARE(prompter.messageTexts(), QStringList{"Save changes to first.txt?"});
}

void TestMainWindow::settingsRead_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("panelVisible");
    QTest::addColumn<bool>("checked");
    QTest::newRow("no file") << QByteArray() << true << true;
    QTest::newRow("no section") << QByteArray("[Other]\nDrivePanel_Visible=False\n") << true
                                << true;
    QTest::newRow("stored False")
        << QByteArray("[TKorMain]\nDrivePanel_Visible=False\nDriveBar1_Checked=False\n") << false
        << false;
    QTest::newRow("one key") << QByteArray("[TKorMain]\nDriveBar1_Checked=False\n") << true
                             << false;
    QTest::newRow("unreadable values")
        << QByteArray("[TKorMain]\nDrivePanel_Visible=maybe\nDriveBar1_Checked=\n") << true << true;
    QTest::newRow("lower case") << QByteArray("[TKorMain]\nDrivePanel_Visible=false\n") << false
                                << true;
    QTest::newRow("number") << QByteArray("[TKorMain]\nDrivePanel_Visible=0\n") << false << true;
}

void TestMainWindow::settingsRead() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, panelVisible);
    QFETCH(bool, checked);
    TestWorld world;
    if (!ini.isEmpty()) world.file("config/Korvane/Kor2.ini", ini);
    TKorMain main;
    main.show();
    QCOMPARE(!main.DrivePanel->isHidden(), panelVisible);
    QCOMPARE(main.DriveBar1->isChecked(), checked);
}

void TestMainWindow::closeWritesSettings() {
    TestWorld world;
    TKorMain main;
    main.show();
    main.DrivePButClick();
    QVERIFY(main.DrivePanel->isHidden());
    QVERIFY(main.close());
    QFile ini(world.paths.settings + "Kor2.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY2(text.contains("[TKorMain]"), text.constData());
    QVERIFY2(text.contains("DrivePanel_Visible=False"), text.constData());
    QVERIFY2(text.contains("DriveBar1_Checked=True"), text.constData());
}

void TestMainWindow::cancelledCloseWritesNothing_data() {
    QTest::addColumn<bool>("textChanged");
    QTest::addColumn<bool>("hexChanged");
    QTest::addColumn<QString>("question");
    QTest::newRow("text question cancelled") << true << false << "Save changes to Untitled?";
    QTest::newRow("hex question cancelled") << false << true << "Save changes to\r\nUnnamed File ?";
}

void TestMainWindow::cancelledCloseWritesNothing() {
    QFETCH(bool, textChanged);
    QFETCH(bool, hexChanged);
    QFETCH(QString, question);
    TestWorld world;
    ScriptedPrompter prompter;
    TKorMain main;
    main.show();
    modifyDocuments(main, textChanged, hexChanged);
    prompter.answer(MsgButton::Cancel);
    QVERIFY(!main.close());
    QVERIFY(main.isVisible());
    QVERIFY(!QFile::exists(world.paths.settings + "Kor2.ini"));
    QCOMPARE(prompter.messageTexts(), QStringList{question});
    prompter.answer(MsgButton::No);
    QVERIFY(main.close());
    QVERIFY(QFile::exists(world.paths.settings + "Kor2.ini"));
}

void TestMainWindow::resizeSetsTreePanelHeight_data() {
    QTest::addColumn<int>("sheetHeight");
    QTest::addColumn<int>("treeHeight");
    QTest::newRow("255") << 255 << 100;
    QTest::newRow("256 truncates") << 256 << 100;
    QTest::newRow("400") << 400 << 172;
}

void TestMainWindow::resizeSetsTreePanelHeight() {
    QFETCH(int, sheetHeight);
    QFETCH(int, treeHeight);
    TestWorld world;
    TKorMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (int attempt = 0; attempt < 3 && main.TabTree->height() != sheetHeight; ++attempt) {
        main.resize(main.width(), main.height() + sheetHeight - main.TabTree->height());
        QApplication::processEvents();
    }
    QCOMPARE(main.TabTree->height(), sheetHeight);
    QCOMPARE(main.TabTree->TreePanel->height(), treeHeight);
    QCOMPARE(main.TabTree->FileListPanel->y(), treeHeight + 3);
}

void TestMainWindow::systemFileOpensOnTheTextPage() {
    TestWorld world;
    TKorMain main;
    const auto& files = main.SystemPanel->systemFiles();
    const auto inHome = std::find_if(files.begin(), files.end(), [&](const SystemFile& file) {
        return file.path.startsWith(world.paths.home);
    });
    QVERIFY(inHome != files.end());
    world.file(inHome->path.mid(world.path().size()), "export EDITOR=vi\n");
    main.Pages->setCurrentWidget(main.SystemSheet);
    main.findChild<QPushButton*>(inHome->button)->click();
    QCOMPARE(main.ProgPages->currentWidget(), main.TabText);
    QCOMPARE(textPage(main)->View->toPlainText(), QString("export EDITOR=vi\n"));
    QCOMPARE(textPage(main)->StatText->panelText(3), inHome->documentName());
    QCOMPARE(textPage(main)->StatText->panelText(2), inHome->directoryShown());
    QCOMPARE(main.StatBar->panelText(3), inHome->path);
    QCOMPARE(main.Pages->currentWidget(), main.TabTree);
}

void TestMainWindow::secondaryWindowsMadeOnceInOrder() {
    TestWorld world;
    TKorMain main;
    main.CreateSecondaryWindows();
    main.CreateSecondaryWindows();
    QStringList names;
    for (QWidget* window : main.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (window->isWindow() && !qobject_cast<QMenu*>(window)) names << window->objectName();
    QCOMPARE(names,
             (QStringList{"AboutBox", "Msgform", "frmFileProperties", "RenameDlg", "MakeDirForm",
                          "FileAttrForm", "EMailForm", "NewHF", "TableForm", "DelDirForm",
                          "fFindForm", "PSaveForm", "PicResizeDlg", "ContForm", "HImageForm"}));
    QCOMPARE(main.secondaryWindow("DelDirForm")->windowTitle(),
             QString("Delete Directory (including all sub-directories & files)"));
    QCOMPARE(main.secondaryWindow("AboutBox")->windowTitle(), QString("About Korvane"));
    QVERIFY(!main.secondaryWindow("fFindForm")->isModal());
    QVERIFY(!main.secondaryWindow("PSaveForm")->isModal());
    QVERIFY(!main.secondaryWindow("Msgform")->isModal());
    QVERIFY(main.secondaryWindow("RenameDlg")->isModal());
}

void TestMainWindow::utilsSheetFloatsAndDocks() {
    TestWorld world;
    TKorMain main;
    main.show();
    QVERIFY(!main.UtilsExitBut->isHidden());
    QVERIFY(main.Pages->floatSheet(main.TabUtils));
    QCOMPARE(main.Pages->count(), 3);
    QVERIFY(main.UtilsExitBut->isHidden());
    QVERIFY(main.TabUtils->window() != &main);
    main.TabUtils->window()->close(); // closing the floating window docks it back
    QCOMPARE(main.Pages->count(), 4);
    QCOMPARE(main.Pages->widget(3), main.TabUtils);
    QCOMPARE(main.Pages->tabText(3), QString("Utils"));
    QVERIFY(!main.UtilsExitBut->isHidden());
    QVERIFY(!main.Pages->floatSheet(main.TabTree)); // only Utils floats
}

void TestMainWindow::hintsReachStatusPanel() {
    TestWorld world;
    TKorMain main;
    QCOMPARE(main.TabTree->DrivePBut->toolTip(), QString("Show or hide DriveBar"));
    QStatusTipEvent enter(main.TabTree->DrivePBut->statusTip());
    QApplication::sendEvent(main.TabTree->DrivePBut, &enter);
    QCOMPARE(main.StatBar->panelText(0), QString("Show or hide DriveBar"));
    QCOMPARE(main.TabTree->TreeExitBut->toolTip(), QString("Exit"));
    QStatusTipEvent exitHint(main.TabTree->TreeExitBut->statusTip());
    QApplication::sendEvent(main.TabTree->TreeExitBut, &exitHint);
    QCOMPARE(main.StatBar->panelText(0), QString("Close Korvane"));
    QStatusTipEvent leave(QString{});
    QApplication::sendEvent(main.TabTree->TreeExitBut, &leave);
    QCOMPARE(main.StatBar->panelText(0), QString());
}

void TestMainWindow::helpAndAbout() {
    TestWorld world;
    ScriptedPrompter prompter;
    TKorMain main;
    main.CreateSecondaryWindows();
    main.HelpContents1->trigger();
    QCOMPARE(world.shell.openedUrls.size(), 1);
    QFile page(world.shell.openedUrls[0].toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("<title>Korvane Help</title>"));
    QVERIFY(page.fileName().startsWith(world.paths.temp));

    auto* about = qobject_cast<TAboutBox*>(main.secondaryWindow("AboutBox"));
    QVERIFY(about);
    QCOMPARE(about->Version->text(), QString("Version 2.0"));
    prompter.answerDialog([](QDialog& dialog) {
        auto& box = static_cast<TAboutBox&>(dialog);
        Q_EMIT box.WebLink->linkActivated(TAboutBox::kWebAddress);
        return int(QDialog::Accepted);
    });
    main.About1->trigger();
    QCOMPARE(prompter.dialogsShown, QStringList{"AboutBox"});
    QCOMPARE(world.shell.openedUrls.size(), 2);
    QCOMPARE(world.shell.openedUrls[1], QUrl(TAboutBox::kWebAddress));
}

void TestMainWindow::exitButtonsClose() {
    TestWorld world;
    for (const char* name : {"TreeExitBut", "MaskExitBut", "SystemExitBut", "UtilsExitBut"}) {
        TKorMain main;
        main.show();
        auto* button = main.findChild<QAbstractButton*>(name);
        QVERIFY2(button, name);
        QCOMPARE(button->text(), QString("Exit"));
        button->click();
        QVERIFY2(!main.isVisible(), name);
    }
    TKorMain main;
    main.show();
    QCOMPARE(main.Exit1->text(), QString("E&xit"));
    main.Exit1->trigger();
    QVERIFY(!main.isVisible());
}

void TestMainWindow::hiddenMenusLeaveTheirKeysToThePage() {
    TestWorld world;
    TKorMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(&main);
    auto* textCopy = textPage(main)->EditTextMenu->findChild<QAction*>("TextCopy1");
    auto* textDelete = textPage(main)->EditTextMenu->findChild<QAction*>("TextDelete1");
    QVERIFY(textCopy && textDelete);
    QSignalSpy copies(textCopy, &QAction::triggered);
    QSignalSpy deletes(textDelete, &QAction::triggered);
    main.ProgPages->setCurrentWidget(main.TabHex);
    QVERIFY(!textPage(main)->EditTextMenu->menuAction()->isVisible());
    hexPage(main)->HexEditor1->AppendBuffer("abcd", 4);
    hexPage(main)->HexEditor1->setFocus();
    QTest::keyClick(hexPage(main)->HexEditor1, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(hexPage(main)->HexEditor1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(copies.count(), 0);
    QCOMPARE(deletes.count(), 0);
    // Back on the text page the menu's keys work again from any control of the window.
    main.ProgPages->setCurrentWidget(main.TabText);
    textPage(main)->View->setPlainText("copy me");
    textPage(main)->View->selectAll();
    main.TabTree->FileList->setFocus();
    QTest::keyClick(main.TabTree->FileList, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copies.count(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
