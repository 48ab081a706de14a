#pragma once

#include "platform/Volumes.h"

#include <QList>
#include <QWidget>

class QButtonGroup;
class QToolButton;
class QVBoxLayout;

/// The content of the drive bar `DrivePanel`: a column of exclusive buttons, one per floppy
/// device and one per other volume reporting a size greater than 0. Captions are the short
/// volume names, tool-tips the full mount paths; the current volume's caption is red.
class TDriveBar : public QWidget {
    Q_OBJECT
public:
    explicit TDriveBar(QWidget* parent = nullptr);

    /// Rebuilds the buttons from the host's volume list (the button part of DriveShow).
    void refreshDrives();
    /// Presses the button of the volume holding the directory and shows its caption in red,
    /// every other caption in black (the tree's change handler calls this).
    void setCurrentDirectory(const QString& directory);

    const QList<QToolButton*>& driveButtons() const { return m_buttons; }
    /// The volume a button stands for.
    platform::VolumeInfo volumeOf(const QToolButton* button) const;

    /// A drive button pressed: a volume without media behind a floppy button reports
    /// "No media detected !" and falls back to the first fixed volume.
    void DriveSort(QToolButton* button);

Q_SIGNALS:
    /// The tree should go to this volume (its root path, ending in "/").
    void driveChosen(const QString& volumeRoot);

private:
    void press(const QString& volumeRoot);

    QVBoxLayout* m_column;
    QButtonGroup* m_group;
    QList<QToolButton*> m_buttons;
    QList<platform::VolumeInfo> m_volumes;
};
