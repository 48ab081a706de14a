#include "browser/DriveBar.h"
#include "browser/DriveRules.h"
#include "platform/LinuxVolumes.h"

#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using platform::VolumeInfo;
using platform::VolumeType;

namespace {

VolumeInfo volume(const QString& root, const QString& caption, VolumeType type, qint64 bytes,
                  const QString& device = {}) {
    VolumeInfo v;
    v.rootPath = root;
    v.caption = caption;
    v.type = type;
    v.totalBytes = bytes;
    v.device = device;
    return v;
}

QStringList captions(const TDriveBar& bar) {
    QStringList result;
    for (const QToolButton* b : bar.driveButtons())
        result.append(b->text());
    return result;
}

QColor captionColor(const QToolButton* button) {
    return button->palette().color(QPalette::ButtonText);
}

} // namespace

class TestDriveBar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsForVolumesWithMedia();
    void currentVolumeIsRed();
    void choosingAVolume();
    void floppyWithoutMediaFallsBack();
    void floppyWithDiskIsChosen();
    void showsThisMachinesVolumes();
};

void TestDriveBar::buttonsForVolumesWithMedia() {
    TestWorld world;
    world.volumes.volumes = {
        volume("/", "/", VolumeType::Fixed, 1 << 30, "/dev/vda"),
        volume("/media/usb/", "usb", VolumeType::Removable, 1 << 20, "/dev/sdb1"),
        volume("/media/cd/", "cd", VolumeType::CdRom, -1, "/dev/sr0"),
        volume("/mnt/ram/", "ram", VolumeType::Ram, 1 << 20),
        volume({}, "fd0", VolumeType::Floppy, -1, "/dev/fd0"),
    };
    TDriveBar bar;
    bar.refreshDrives();
    QCOMPARE(captions(bar), (QStringList{"fd0", "/", "usb", "ram"}));
    QCOMPARE(bar.driveButtons()[0]->toolTip(), QString("/dev/fd0"));
    QCOMPARE(bar.driveButtons()[2]->toolTip(), QString("/media/usb/"));
    for (const QToolButton* b : bar.driveButtons())
        QVERIFY(b->isCheckable());

    world.volumes.volumes.removeAt(1); // unplugged: gone at the next refresh only
    QCOMPARE(bar.driveButtons().size(), 4);
    bar.refreshDrives();
    QCOMPARE(captions(bar), (QStringList{"fd0", "/", "ram"}));
}

void TestDriveBar::currentVolumeIsRed() {
    TestWorld world;
    world.volumes.volumes = {volume("/", "/", VolumeType::Fixed, 1 << 30),
                             volume("/media/usb/", "usb", VolumeType::Removable, 1 << 20)};
    TDriveBar bar;
    bar.refreshDrives();
    bar.setCurrentDirectory("/media/usb/photos/");
    QToolButton* root = bar.driveButtons()[0];
    QToolButton* usb = bar.driveButtons()[1];
    QVERIFY(usb->isChecked());
    QCOMPARE(captionColor(usb), QColor(Qt::red));
    QCOMPARE(captionColor(root), QColor(Qt::black));
    bar.setCurrentDirectory("/home/user/");
    QVERIFY(root->isChecked());
    QVERIFY(!usb->isChecked());
    QCOMPARE(captionColor(root), QColor(Qt::red));
    QCOMPARE(captionColor(usb), QColor(Qt::black));
    bar.refreshDrives(); // a refresh keeps the current one pressed
    QVERIFY(bar.driveButtons()[0]->isChecked());
    QCOMPARE(captionColor(bar.driveButtons()[0]), QColor(Qt::red));
}

void TestDriveBar::choosingAVolume() {
    TestWorld world;
    ScriptedPrompter prompter;
    world.volumes.volumes = {volume("/", "/", VolumeType::Fixed, 1 << 30),
                             volume("/data/", "data", VolumeType::Fixed, 1 << 30)};
    TDriveBar bar;
    bar.refreshDrives();
    bar.show();
    QSignalSpy chosen(&bar, &TDriveBar::driveChosen);
    QTest::mouseClick(bar.driveButtons()[1], Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("/data/"));
    QVERIFY(bar.driveButtons()[1]->isChecked());
    QVERIFY(prompter.messages.isEmpty());
}

void TestDriveBar::floppyWithoutMediaFallsBack() {
    TestWorld world;
    ScriptedPrompter prompter;
    world.volumes.volumes = {volume("/media/usb/", "usb", VolumeType::Removable, 1 << 20),
                             volume("/", "/", VolumeType::Fixed, 1 << 30),
                             volume({}, "fd0", VolumeType::Floppy, -1, "/dev/fd0")};
    TDriveBar bar;
    bar.refreshDrives();
    bar.show();
    QSignalSpy chosen(&bar, &TDriveBar::driveChosen);
    QToolButton* floppy = bar.driveButtons()[0];
    QCOMPARE(floppy->text(), QString("fd0"));
    QTest::mouseClick(floppy, Qt::LeftButton);
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Error);
    QCOMPARE(prompter.messages[0].text, QString("No media detected !"));
    QCOMPARE(prompter.messages[0].buttons, MsgButtons(MsgButton::Ok));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("/")); // the first fixed volume
    QToolButton* fixed = bar.driveButtons()[2];
    QVERIFY(fixed->isChecked());
    QVERIFY(!floppy->isChecked());
    QCOMPARE(captionColor(fixed), QColor(Qt::red));
}

void TestDriveBar::floppyWithDiskIsChosen() {
    TestWorld world;
    ScriptedPrompter prompter;
    world.volumes.volumes = {volume("/", "/", VolumeType::Fixed, 1 << 30),
                             volume({}, "fd0", VolumeType::Floppy, -1, "/dev/fd0")};
    TDriveBar bar;
    bar.refreshDrives();
    bar.show();
    // The disk goes in after the bar was built: the press asks again.
    world.volumes.volumes[1] =
        volume("/media/floppy/", "fd0", VolumeType::Floppy, 1474560, "/dev/fd0");
    QSignalSpy chosen(&bar, &TDriveBar::driveChosen);
    QTest::mouseClick(bar.driveButtons()[0], Qt::LeftButton);
    QVERIFY(prompter.messages.isEmpty());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("/media/floppy/"));
}

void TestDriveBar::showsThisMachinesVolumes() {
    platform::setVolumes(nullptr);
    const QList<VolumeInfo> machine = platform::LinuxVolumes().list();
    TDriveBar bar;
    bar.refreshDrives();
    const QList<VolumeInfo> expected = DriveBarVolumes(machine);
    QCOMPARE(bar.driveButtons().size(), expected.size());
    QVERIFY(!expected.isEmpty());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const VolumeInfo& v = expected[i];
        QCOMPARE(bar.driveButtons()[i]->text(), v.caption);
        QCOMPARE(bar.driveButtons()[i]->toolTip(), v.rootPath.isEmpty() ? v.device : v.rootPath);
    }
    bool rootShown = false;
    for (const QToolButton* b : bar.driveButtons())
        rootShown |= b->toolTip() == "/";
    QVERIFY(rootShown);
}

QTEST_MAIN(TestDriveBar)
#include "tst_drivebar.moc"
