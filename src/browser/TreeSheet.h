#pragma once

#include "browser/MaskButtonSet.h"

#include <QWidget>

class QToolButton;
class Tdirtree;
class TGradientPanel;
class TQuickFileList;
class TSplitPanel;

/// The "Tree" sheet (object name "TabTree"): the tree tool bar (drive-bar button, mask buttons,
/// File Finder, Exit), the directory tree above the file list in a splitter that keeps the tree
/// at half the free height, and the view-style buttons below. It switches the list's view style
/// itself; everything else it announces for the main window to wire.
class TTreeSheet : public QWidget {
    Q_OBJECT
public:
    explicit TTreeSheet(QWidget* parent = nullptr);

    /// Sets the list's view style from one of the three view-style buttons.
    void ViewStyleSort(QObject* sender);

    TGradientPanel* TreeToolBar;
    QToolButton* DrivePBut;
    MaskButtonSet MaskButtons; ///< AllFilesBut ... ThumbBut and the invisible CMaskBut
    QToolButton* FindBut;
    QToolButton* TreeExitBut;
    TSplitPanel* TreeSplitter; ///< holds TreePanel above FileListPanel
    QWidget* TreePanel;
    Tdirtree* Tree;
    QWidget* FileListPanel;
    TQuickFileList* FileList;
    TGradientPanel* FileToolBar;
    QToolButton* VLargeBut;
    QToolButton* VSmallBut;
    QToolButton* VReportBut;

Q_SIGNALS:
    void drivePanelToggled();
    /// A mask button other than ThumbBut was clicked.
    void maskClicked(QToolButton* button);
    void thumbClicked();
    void finderRequested();
    void exitRequested();
    /// A file was clicked, or a key other than a lone modifier went up in the list.
    void fileChosen();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTreeToolBar();
    void buildFileToolBar();
};
