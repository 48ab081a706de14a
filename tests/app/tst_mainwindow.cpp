#include "app/AboutBox.h"
#include "app/MainWindow.h"
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

/// The main window with its page questions and file-list selection played by the test.
class ProbeMain : public TKorMain {
public:
    explicit ProbeMain(QWidget* splash = nullptr) : TKorMain(splash) {}
    QString selected;
    bool cancelText = false;
    bool hexAllows = true;

protected:
    void AskSaveText() override {
        if (cancelText) throw KorAbort();
    }
    bool AskSaveHex() override { return hexAllows; }
    QString SelectedFileName() const override { return selected; }
};

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
    ProbeMain main(&splash);
    QVERIFY(!splash.isVisible());
}

void TestMainWindow::composition() {
    TestWorld world;
    ProbeMain main;
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
    QCOMPARE(names, (QStringList{"File1", "TextMenu", "HexFileMenu", "HSFileMenu", "EditTextMenu",
                                 "EditPicMenu", "HSEditMenu", "HexEditMenu", "Zip1",
                                 "TextFormatMenu", "MenuSystem", "Utils1", "Help1"}));
    QCOMPARE(captions, (QStringList{"&Tree", "&File", "File", "&File", "&Edit", "&Edit", "&Edit",
                                    "Edit", "Zip", "Format", "System", "Utils", "Help"}));
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
    QTest::newRow("ImageView") << 2 << QStringList{"EditPicMenu"} << "File mask = Image files";
    QTest::newRow("Thumbs") << 3 << QStringList() << "File mask = Image files";
    QTest::newRow("IconView") << 4 << QStringList() << "File mask = Icon containers";
    QTest::newRow("Zip") << 5 << QStringList{"Zip1"} << "File mask = *.*";
    QTest::newRow("HexEdit") << 6 << QStringList{"HexFileMenu", "HexEditMenu"} << "File mask = *.*";
    QTest::newRow("ClipView") << 7 << QStringList() << "File mask = *.*";
}

void TestMainWindow::menusFollowTheUsersViewerSheet() {
    QFETCH(int, index);
    QFETCH(QStringList, pageMenus);
    QFETCH(QString, maskText);
    TestWorld world;
    ProbeMain main;
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
    ProbeMain main;
    main.SelectViewerSheet(main.TabPic);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabPic);
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = *.*"));
    QVERIFY(main.TextMenu->menuAction()->isVisible()); // MenuVisable has not run
}

void TestMainWindow::sortDispatches_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("menu");
    QTest::newRow("jpeg") << "photo.jpeg"
                          << "TabPic"
                          << "EditPicMenu";
    QTest::newRow("JPE") << "photo.JPE"
                         << "TabPic"
                         << "EditPicMenu";
    QTest::newRow("html") << "page.html"
                          << "TabHTML"
                          << "";
    QTest::newRow("zip") << "archive.zip"
                         << "TabZip"
                         << "Zip1";
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
    ProbeMain main;
    main.SelectViewerSheet(main.TabClip);
    main.selected = name;
    QVERIFY(RunGuarded([&] { main.Sort(main.FileListPanel); }));
    QCOMPARE(prompter.messageTexts(), QStringList());
    QCOMPARE(main.ProgPages->currentWidget()->objectName(), sheet);
    const QStringList menus = visibleMenus(main);
    if (!menu.isEmpty()) QVERIFY2(menus.contains(menu), qPrintable(menus.join(',')));
    const QString path = world.paths.home + name;
    if (sheet == "TabPic") {
        QCOMPARE(main.StatPicPath->panelText(0), name);
    } else {
        QCOMPARE(main.StatBar->panelText(3), path);
    }
    if (sheet == "TabText") {
        QCOMPARE(main.StatText->panelText(3), name);
        QCOMPARE(main.StatText->panelText(2), world.paths.home);
    }
    if (sheet == "TabHTML") QCOMPARE(main.StatHTML->panelText(0), path);
    if (sheet == "TabZip") QCOMPARE(main.StatZip->panelText(1), path);
}

void TestMainWindow::sortWithHexSheetLoadsIntoHexEditor() {
    TestWorld world;
    const QString photo = world.file("home/photo.jpg", "JFIF");
    ProbeMain main;
    main.ProgPages->setCurrentWidget(main.TabHex);
    main.selected = "photo.jpg";
    main.Sort(nullptr);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabHex);
    QCOMPARE(main.HexPage->HexEditor1->FileName(), photo);
    QCOMPARE(main.HexPage->HexEditor1->DataSize(), 4);
    QVERIFY(main.HexFileMenu->menuAction()->isVisible());
    QCOMPARE(main.StatPicPath->panelText(0), QString());
}

void TestMainWindow::sortWithoutSelectionDoesNothing() {
    TestWorld world;
    ProbeMain main;
    main.SelectViewerSheet(main.TabHex);
    main.Sort(nullptr);
    main.SelectViewerSheet(main.TabZip);
    main.Sort(nullptr);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabZip);
    QCOMPARE(main.StatBar->panelText(3), QString());
}

void TestMainWindow::finderHandOverName() {
    TestWorld world;
    const QString found = world.file("home/sub/found.txt", "found");
    const QString archive = world.file("home/sub/found.zip", "not really");
    world.file("home/sub/listed.txt", "listed"); // the list shows the finder's folder then
    ProbeMain main;
    main.CreateSecondaryWindows();
    auto* finder = qobject_cast<TfFindForm*>(main.secondaryWindow("fFindForm"));
    QVERIFY(finder);
    const auto pick = [&](const QString& path) {
        finder->results().setLines({QFile::encodeName(path)});
        finder->ListBox1->setCurrentIndex(finder->results().index(0));
    };
    main.selected = "listed.txt";
    pick(found);
    finder->findChild<QAction*>("ViewFile2")->trigger();
    QCOMPARE(main.StatText->panelText(3), QString("found.txt"));
    QCOMPARE(main.TreeDirectory(), world.paths.home + "sub/");
    pick(archive);
    finder->findChild<QAction*>("OpenZipH1")->trigger();
    QCOMPARE(main.StatZip->panelText(1), world.paths.home + "sub/found.zip");
    // The zip items hand over only to the zip page; other senders take the list's file.
    QAction openZip(nullptr), other(nullptr);
    openZip.setObjectName("OpenZipH1");
    main.Text(&openZip);
    QCOMPARE(main.StatText->panelText(3), QString("listed.txt"));
    main.Text(&other);
    QCOMPARE(main.StatText->panelText(3), QString("listed.txt"));
}

void TestMainWindow::cancelledTextQuestionKeepsOldDocument() {
    TestWorld world;
    ScriptedPrompter prompter;
    ProbeMain main;
    world.file("home/first.txt", "one");
    world.file("home/second.txt", "two");
    main.selected = "first.txt";
    main.Sort(nullptr);
    main.cancelText = true;
    main.selected = "second.txt";
    QVERIFY(!RunGuarded([&] { main.Sort(nullptr); }));
    QCOMPARE(main.StatText->panelText(3), QString("first.txt"));
    QCOMPARE(main.StatBar->panelText(3), world.paths.home + "first.txt");
    QVERIFY(prompter.messages.isEmpty());
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
    ProbeMain main;
    main.show();
    QCOMPARE(!main.DrivePanel->isHidden(), panelVisible);
    QCOMPARE(main.DriveBar1->isChecked(), checked);
}

void TestMainWindow::closeWritesSettings() {
    TestWorld world;
    ProbeMain main;
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
    QTest::addColumn<bool>("cancelText");
    QTest::addColumn<bool>("hexAllows");
    QTest::newRow("text question cancelled") << true << true;
    QTest::newRow("hex question cancelled") << false << false;
}

void TestMainWindow::cancelledCloseWritesNothing() {
    QFETCH(bool, cancelText);
    QFETCH(bool, hexAllows);
    TestWorld world;
    ScriptedPrompter prompter;
    ProbeMain main;
    main.show();
    main.cancelText = cancelText;
    main.hexAllows = hexAllows;
    QVERIFY(!main.close());
    QVERIFY(main.isVisible());
    QVERIFY(!QFile::exists(world.paths.settings + "Kor2.ini"));
    QVERIFY(prompter.messages.isEmpty());
    main.cancelText = false;
    main.hexAllows = true;
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
    ProbeMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (int attempt = 0; attempt < 3 && main.TabTree->height() != sheetHeight; ++attempt) {
        main.resize(main.width(), main.height() + sheetHeight - main.TabTree->height());
        QApplication::processEvents();
    }
    QCOMPARE(main.TabTree->height(), sheetHeight);
    QCOMPARE(main.TreePanel->height(), treeHeight);
    QCOMPARE(main.FileListPanel->y(), treeHeight + 3);
}

void TestMainWindow::systemFileOpensOnTheTextPage() {
    TestWorld world;
    ProbeMain main;
    const auto& files = main.SystemPanel->systemFiles();
    const auto inHome = std::find_if(files.begin(), files.end(), [&](const SystemFile& file) {
        return file.path.startsWith(world.paths.home);
    });
    QVERIFY(inHome != files.end());
    world.file(inHome->path.mid(world.path().size()), "export EDITOR=vi\n");
    main.Pages->setCurrentWidget(main.SystemSheet);
    main.findChild<QPushButton*>(inHome->button)->click();
    QCOMPARE(main.ProgPages->currentWidget(), main.TabText);
    QCOMPARE(main.TextPage->View->toPlainText(), QString("export EDITOR=vi\n"));
    QCOMPARE(main.StatText->panelText(3), inHome->documentName());
    QCOMPARE(main.StatText->panelText(2), inHome->directoryShown());
    QCOMPARE(main.StatBar->panelText(3), inHome->path);
    QCOMPARE(main.Pages->currentWidget(), main.TabTree);
}

void TestMainWindow::secondaryWindowsMadeOnceInOrder() {
    TestWorld world;
    ProbeMain main;
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
    ProbeMain main;
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
    ProbeMain main;
    QCOMPARE(main.DrivePBut->toolTip(), QString("Show or hide DriveBar"));
    QStatusTipEvent enter(main.DrivePBut->statusTip());
    QApplication::sendEvent(main.DrivePBut, &enter);
    QCOMPARE(main.StatBar->panelText(0), QString("Show or hide DriveBar"));
    QCOMPARE(main.TreeExitBut->toolTip(), QString("Exit"));
    QStatusTipEvent exitHint(main.TreeExitBut->statusTip());
    QApplication::sendEvent(main.TreeExitBut, &exitHint);
    QCOMPARE(main.StatBar->panelText(0), QString("Close Korvane"));
    QStatusTipEvent leave(QString{});
    QApplication::sendEvent(main.TreeExitBut, &leave);
    QCOMPARE(main.StatBar->panelText(0), QString());
}

void TestMainWindow::helpAndAbout() {
    TestWorld world;
    ScriptedPrompter prompter;
    ProbeMain main;
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
        ProbeMain main;
        main.show();
        auto* button = main.findChild<QAbstractButton*>(name);
        QVERIFY2(button, name);
        QCOMPARE(button->text(), QString("Exit"));
        button->click();
        QVERIFY2(!main.isVisible(), name);
    }
    ProbeMain main;
    main.show();
    QCOMPARE(main.Exit1->text(), QString("E&xit"));
    main.Exit1->trigger();
    QVERIFY(!main.isVisible());
}

void TestMainWindow::hiddenMenusLeaveTheirKeysToThePage() {
    TestWorld world;
    ProbeMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(&main);
    auto* textCopy = main.EditTextMenu->findChild<QAction*>("TextCopy1");
    auto* textDelete = main.EditTextMenu->findChild<QAction*>("TextDelete1");
    QVERIFY(textCopy && textDelete);
    QSignalSpy copies(textCopy, &QAction::triggered);
    QSignalSpy deletes(textDelete, &QAction::triggered);
    main.ProgPages->setCurrentWidget(main.TabHex);
    QVERIFY(!main.EditTextMenu->menuAction()->isVisible());
    main.HexPage->HexEditor1->AppendBuffer("abcd", 4);
    main.HexPage->HexEditor1->setFocus();
    QTest::keyClick(main.HexPage->HexEditor1, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(main.HexPage->HexEditor1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(copies.count(), 0);
    QCOMPARE(deletes.count(), 0);
    // Back on the text page the menu's keys work again from any control of the window.
    main.ProgPages->setCurrentWidget(main.TabText);
    main.FileList->setFocus();
    QTest::keyClick(main.FileList, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copies.count(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
