#pragma once

#include "system/MemoryFigures.h"
#include "system/SystemFiles.h"

#include <QWidget>

#include <functional>

class QPushButton;
class TProgressBar3D;

/// The contents of the System sheet: the memory and resource bars with their "Refresh"
/// button, and the buttons of the system files. Figures are read on refresh only.
class TSystemPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSystemPanel(const QString& home, QWidget* parent = nullptr);

    /// Replaces where the figures come from (tests); the default reads this machine.
    void setFigureSource(std::function<MemoryFigures()> source);
    /// The system files behind the seven buttons, in button order.
    const QList<SystemFile>& systemFiles() const { return m_files; }

    TProgressBar3D* Bar1; ///< RAM
    TProgressBar3D* Bar2; ///< Load
    TProgressBar3D* Bar3; ///< Swap
    TProgressBar3D* Bar4; ///< Virtual
    TProgressBar3D* Bar5; ///< GDI
    TProgressBar3D* Bar6; ///< System
    TProgressBar3D* Bar7; ///< User
    TProgressBar3D* Bar8; ///< Average
    QPushButton* SysRefBut;

public Q_SLOTS:
    /// Re-reads the figures and sets the bars (the "Refresh" button, and selecting the sheet).
    void SysRefButClick();

Q_SIGNALS:
    /// A system file button was pressed; index into systemFiles().
    void systemFileRequested(int index);

private:
    std::function<MemoryFigures()> m_source;
    QList<SystemFile> m_files;
};
