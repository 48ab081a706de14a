#include "browser/DriveBar.h"

#include "browser/DriveRules.h"
#include "core/CommandGuard.h"
#include "core/Prompter.h"
#include "platform/Host.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using platform::VolumeInfo;
using platform::VolumeType;

TDriveBar::TDriveBar(QWidget* parent)
    : QWidget(parent), m_column(new QVBoxLayout(this)), m_group(new QButtonGroup(this)) {
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(1);
    m_column->addStretch();
    m_group->setExclusive(true);
}

void TDriveBar::refreshDrives() {
    const QString current =
        m_group->checkedButton()
            ? volumeOf(qobject_cast<QToolButton*>(m_group->checkedButton())).rootPath
            : QString();
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_volumes = DriveBarVolumes(platform::volumes().list());
    for (qsizetype i = 0; i < m_volumes.size(); ++i) {
        const VolumeInfo& volume = m_volumes[i];
        auto* button = new QToolButton(this);
        button->setObjectName(QString("DriveBut%1").arg(i + 1));
        button->setText(volume.caption);
        button->setToolTip(volume.rootPath.isEmpty() ? volume.device : volume.rootPath);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_group->addButton(button);
        m_column->insertWidget(int(i), button);
        connect(button, &QToolButton::clicked, this,
                Guarded([this, button] { DriveSort(button); }));
        m_buttons.append(button);
    }
    if (!current.isEmpty()) press(current);
}

VolumeInfo TDriveBar::volumeOf(const QToolButton* button) const {
    const qsizetype i = m_buttons.indexOf(const_cast<QToolButton*>(button));
    return i < 0 ? VolumeInfo() : m_volumes[i];
}

void TDriveBar::press(const QString& volumeRoot) {
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        QToolButton* button = m_buttons[i];
        const bool current = !volumeRoot.isEmpty() && m_volumes[i].rootPath == volumeRoot;
        if (current) button->setChecked(true);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, current ? Qt::red : Qt::black);
        palette.setColor(QPalette::WindowText, current ? Qt::red : Qt::black);
        button->setPalette(palette);
    }
}

void TDriveBar::setCurrentDirectory(const QString& directory) {
    press(VolumeRootOf(m_volumes, directory));
}

void TDriveBar::DriveSort(QToolButton* button) {
    const VolumeInfo chosen = volumeOf(button);
    if (chosen.type != VolumeType::Floppy) {
        Q_EMIT driveChosen(chosen.rootPath);
        return;
    }
    // A floppy is asked again at each press: the disk may have been changed meanwhile.
    const QList<VolumeInfo> now = platform::volumes().list();
    const auto same = std::find_if(now.begin(), now.end(), [&](const VolumeInfo& v) {
        return v.device == chosen.device && v.hasMedia() && !v.rootPath.isEmpty();
    });
    if (same != now.end()) {
        Q_EMIT driveChosen(same->rootPath);
        return;
    }
    prompter().message(MsgKind::Error, "No media detected !", MsgButton::Ok);
    const std::optional<VolumeInfo> fallback = FallbackVolume(now);
    if (!fallback) return;
    press(fallback->rootPath);
    Q_EMIT driveChosen(fallback->rootPath);
}
