#include "MainProbe.h"
#include "browser/DriveBar.h"
#include "browser/FileList.h"
#include "browser/MaskSheet.h"
#include "browser/dirtree.h"
#include "kit/BannerMenu.h"
#include "kit/FloatTabWidget.h"
#include "kit/StatusPanels.h"
#include "text/TextPage.h"

#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QStringList listedNames(const TQuickFileList* list) {
    QStringList names;
    for (int i = 0; i < list->itemCount(); ++i)
        names << list->itemName(i);
    names.sort();
    return names;
}

int itemNamed(const TQuickFileList* list, const QString& name) {
    for (int i = 0; i < list->itemCount(); ++i)
        if (list->itemName(i) == name) return i;
    return -1;
}

} // namespace

/// The file browser as the main window wires it: tree, list, masks and drive bar.
class TestBrowserWiring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsInHomeWithTheListFollowingTheTree();
    void clickingAFileDispatchesIt();
    void fileWithNonUtf8NameOpens();
    void specialFilesClickedGiveAMessageAtOnce();
    void maskButtons();
    void thumbsAndAllInterplay();
    void presetAndCustomMasks();
    void textMaskListsLogAndDiz();
    void viewStyleButtons();
    void driveBarFollowsTheTree();
    void floppyWithoutMediaFallsBack();
    void driveBarToggleAndMenu();
};

void TestBrowserWiring::startsInHomeWithTheListFollowingTheTree() {
    TestWorld world;
    world.file("home/a.txt", "a");
    world.file("home/sub/b.txt", "b");
    TKorMain main;
    QCOMPARE(main.TreeDirectory(), world.paths.home);
    QCOMPARE(main.TabTree->FileList->directory(), world.paths.home);
    QCOMPARE(listedNames(main.TabTree->FileList), QStringList{"a.txt"});
    main.TabTree->Tree->setDirectory(world.paths.home + "sub");
    QCOMPARE(main.TabTree->FileList->directory(), world.paths.home + "sub/");
    QCOMPARE(listedNames(main.TabTree->FileList), QStringList{"b.txt"});
    QCOMPARE(main.TabTree->FileList->ViewStyle(), vsSmallIcon);
    QVERIFY(main.TabTree->FileList->MultiSelect());
}

void TestBrowserWiring::clickingAFileDispatchesIt() {
    TestWorld world;
    world.file("home/photo.jpeg", "x");
    world.file("home/notes.txt", "x");
    TKorMain main;
    const int photo = itemNamed(main.TabTree->FileList, "photo.jpeg");
    QVERIFY(photo >= 0);
    main.TabTree->FileList->setItemSelected(photo, true);
    Q_EMIT main.TabTree->FileList->OnClick();
    QCOMPARE(main.ProgPages->currentWidget(), main.TabPic);
    QCOMPARE(main.StatBar->panelText(3), QString()); // the picture entry leaves it
    main.TabTree->FileList->setItemSelected(photo, false);
    main.TabTree->FileList->setItemSelected(itemNamed(main.TabTree->FileList, "notes.txt"), true);
    Q_EMIT main.TabTree->FileList->OnKeyUp(Qt::Key_Down, Qt::NoModifier);
    QCOMPARE(main.ProgPages->currentWidget(), main.TabText);
    QCOMPARE(main.StatBar->panelText(3), world.paths.home + "notes.txt");
}

void TestBrowserWiring::fileWithNonUtf8NameOpens() {
    TestWorld world;
    world.rawNameFile("home", "caf\xe9.txt", "bytes of a Latin-1 name");
    ScriptedPrompter prompter;
    TKorMain main;
    QCOMPARE(main.TabTree->FileList->itemCount(), 1);
    main.TabTree->FileList->setItemSelected(0, true);
    Q_EMIT main.TabTree->FileList->OnClick();
    QCOMPARE(prompter.messageTexts(), QStringList());
    QCOMPARE(textPage(main)->View->toPlainText(), QString("bytes of a Latin-1 name"));
}

void TestBrowserWiring::specialFilesClickedGiveAMessageAtOnce() {
    TestWorld world;
    const QByteArray fifo = QFile::encodeName(world.path("home/pipe.txt"));
    QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
    const QByteArray socketPath = QFile::encodeName(world.path("home/sock.txt"));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(socketPath.size() < int(sizeof address.sun_path));
    qstrcpy(address.sun_path, socketPath.constData());
    QVERIFY(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    QVERIFY(QFile::link("/dev/zero", world.path("home/zero.txt")));
    ScriptedPrompter prompter;
    TKorMain main;
    for (ViewerSheet sheet : {ViewerSheet::TextEdit, ViewerSheet::HexEdit}) {
        main.Switcher->SelectViewerSheet(sheet);
        for (auto [name, reason] : {std::pair{"pipe.txt", "It is a named pipe (FIFO)."},
                                    {"sock.txt", "It is a socket."},
                                    {"zero.txt", "It is a device."}}) {
            prompter.messages.clear();
            selectOnly(main, name);
            QElapsedTimer timer;
            timer.start();
            Q_EMIT main.TabTree->FileList->OnClick();
            QVERIFY(timer.elapsed() < 1000);
            QCOMPARE(prompter.messages.size(), 1);
            const QString text = prompter.messages.first().text;
            QVERIFY2(text.contains(world.path("home/") + name) && text.endsWith(reason),
                     qPrintable(text));
            QCOMPARE(main.Switcher->ShowingViewerSheet(), sheet);
        }
    }
    ::close(listener);
}

void TestBrowserWiring::maskButtons() {
    TestWorld world;
    world.file("home/setup.EXE");
    world.file("home/notes.txt");
    TKorMain main;
    QVERIFY(main.TabTree->MaskButtons.AllFilesBut->isChecked());
    QVERIFY(!main.TabTree->MaskButtons.CMaskBut->isVisible());
    struct Case {
        QToolButton* button;
        const char* status;
    };
    const Case cases[] = {{main.TabTree->MaskButtons.TextFilesBut, "File mask = Text files"},
                          {main.TabTree->MaskButtons.ImageFilesBut, "File mask = Image files"},
                          {main.TabTree->MaskButtons.IconsBut, "File mask = Icon containers"},
                          {main.TabTree->MaskButtons.AllFilesBut, "File mask = *.* All files"}};
    for (const Case& c : cases) {
        c.button->click();
        QVERIFY(c.button->isChecked());
        QCOMPARE(main.StatBar->panelText(1), QString(c.status));
    }
    QCOMPARE(listedNames(main.TabTree->FileList), (QStringList{"notes.txt", "setup.EXE"}));
    main.TabTree->MaskButtons.IconsBut->click();
    QCOMPARE(listedNames(main.TabTree->FileList), QStringList{"setup.EXE"});
}

void TestBrowserWiring::thumbsAndAllInterplay() {
    TestWorld world;
    TKorMain main;
    main.ProgPages->setCurrentWidget(main.TabThumb);
    QVERIFY(main.TabTree->MaskButtons.ThumbBut->isChecked());
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = Image files"));
    main.TabTree->MaskButtons.ImageFilesBut->click();
    QCOMPARE(main.ProgPages->currentWidget(), main.TabThumb);
    main.TabTree->MaskButtons.AllFilesBut->click();
    QCOMPARE(main.ProgPages->currentWidget(), main.TabText);
    QVERIFY(textPage(main)->TextMenu->menuAction()->isVisible());
}

void TestBrowserWiring::presetAndCustomMasks() {
    TestWorld world;
    world.file("home/a.htm");
    world.file("home/b.html");
    world.file("home/c.txt");
    world.file("home/d.doc");
    TKorMain main;
    main.Pages->setCurrentIndex(1);
    QRadioButton* preset = nullptr;
    for (QRadioButton* radio : main.MaskSheet->presetButtons())
        if (radio->text() == "*.htm; *.html") preset = radio;
    QVERIFY(preset);
    preset->click();
    QCOMPARE(listedNames(main.TabTree->FileList), (QStringList{"a.htm", "b.html"}));
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = *.htm; *.html"));
    QVERIFY(!preset->isChecked());
    QVERIFY(main.TabTree->MaskButtons.CMaskBut->isChecked());
    QCOMPARE(main.Pages->currentWidget(), main.TabTree);

    main.Pages->setCurrentIndex(1);
    QVERIFY(!main.MaskSheet->CustomMaskSetBut->isEnabled());
    QTest::keyClicks(main.MaskSheet->Edit2, "doc");
    QVERIFY(main.MaskSheet->CustomMaskSetBut->isEnabled());
    main.MaskSheet->CustomMaskSetBut->click();
    QCOMPARE(main.TabTree->FileList->Mask(), QString("*.doc"));
    QCOMPARE(listedNames(main.TabTree->FileList), QStringList{"d.doc"});
    QCOMPARE(main.StatBar->panelText(1), QString("File mask = doc"));
    QCOMPARE(main.MaskSheet->Edit2->text(), QString());
    QVERIFY(!main.MaskSheet->CustomMaskSetBut->isEnabled());
    QVERIFY(!main.MaskSheet->CustomMaskClearBut->isEnabled());
    QCOMPARE(main.Pages->currentWidget(), main.TabTree);
}

void TestBrowserWiring::textMaskListsLogAndDiz() {
    TestWorld world;
    world.file("home/readme.log");
    world.file("home/file_id.diz");
    world.file("home/photo.jpg");
    TKorMain main;
    main.TabTree->MaskButtons.TextFilesBut->click();
    QCOMPARE(listedNames(main.TabTree->FileList), (QStringList{"file_id.diz", "readme.log"}));
}

void TestBrowserWiring::viewStyleButtons() {
    TestWorld world;
    TKorMain main;
    QVERIFY(main.TabTree->VSmallBut->isChecked());
    main.TabTree->VReportBut->click();
    QCOMPARE(main.TabTree->FileList->ViewStyle(), vsReport);
    QVERIFY(!main.TabTree->VSmallBut->isChecked());
    main.TabTree->VLargeBut->click();
    QCOMPARE(main.TabTree->FileList->ViewStyle(), vsIcon);
    QCOMPARE(main.TabTree->VLargeBut->toolTip(), QString("Large Icons"));
}

void TestBrowserWiring::driveBarFollowsTheTree() {
    TestWorld world;
    world.dir("home");
    world.dir("usb/docs");
    platform::VolumeInfo usb;
    usb.rootPath = world.path("usb/");
    usb.caption = "usb";
    usb.type = platform::VolumeType::Removable;
    usb.totalBytes = 1000;
    platform::VolumeInfo empty = usb;
    empty.rootPath = world.path("cd/");
    empty.caption = "cd";
    empty.totalBytes = -1;
    world.volumes.volumes << usb << empty;
    TKorMain main;
    const QList<QToolButton*>& buttons = main.DriveBar->driveButtons();
    QCOMPARE(buttons.size(), 2); // a volume without media has no button
    QVERIFY(buttons[0]->isChecked());
    QCOMPARE(buttons[0]->palette().color(QPalette::ButtonText), QColor(Qt::red));
    buttons[1]->click();
    QCOMPARE(main.TreeDirectory(), world.path("usb/"));
    QVERIFY(buttons[1]->isChecked());
    QCOMPARE(buttons[1]->palette().color(QPalette::ButtonText), QColor(Qt::red));
    QCOMPARE(buttons[0]->palette().color(QPalette::ButtonText), QColor(Qt::black));
    main.TabTree->Tree->setDirectory(world.path("usb/docs/"));
    buttons[0]->click();
    buttons[1]->click(); // the volume remembers where the tree was on it
    QCOMPARE(main.TreeDirectory(), world.path("usb/docs/"));
}

void TestBrowserWiring::floppyWithoutMediaFallsBack() {
    TestWorld world;
    platform::VolumeInfo floppy;
    floppy.caption = "fd0";
    floppy.device = "/dev/fd0";
    floppy.type = platform::VolumeType::Floppy;
    world.volumes.volumes.prepend(floppy);
    ScriptedPrompter prompter;
    TKorMain main;
    main.TabTree->Tree->setDirectory(world.path());
    const QList<QToolButton*>& buttons = main.DriveBar->driveButtons();
    QCOMPARE(buttons.size(), 2);
    buttons[0]->click();
    QCOMPARE(prompter.messageTexts(), QStringList{"No media detected !"});
    QCOMPARE(prompter.messages[0].kind, MsgKind::Error);
    QCOMPARE(main.TreeDirectory(), world.path());
    QVERIFY(buttons[1]->isChecked());
}

void TestBrowserWiring::driveBarToggleAndMenu() {
    TestWorld world;
    TKorMain main;
    main.show();
    main.TabTree->DrivePBut->click();
    QVERIFY(main.DrivePanel->isHidden());
    Q_EMIT main.File1->aboutToShow();
    QVERIFY(!main.DriveBar1->isChecked());
    QVERIFY(!main.DriveRefresh1->isEnabled());
    main.DriveBar1->trigger();
    QVERIFY(!main.DrivePanel->isHidden());
    Q_EMIT main.File1->aboutToShow();
    QVERIFY(main.DriveBar1->isChecked());
    QVERIFY(main.DriveRefresh1->isEnabled());
}

QTEST_MAIN(TestBrowserWiring)
#include "tst_browserwiring.moc"
