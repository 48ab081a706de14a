#pragma once

#include "finder/FindResults.h"

#include <QWidget>

class QAction;
class QComboBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QMenuBar;
class QToolButton;
class TBannerMenu;
class TFinderHost;
class TLed;
class TStatusPanels;
class TTreeFind;

/// The File Finder: a non-modal tool window that scans one volume, or all fixed volumes,
/// for names fitting a mask (optionally inside zip archives), lists what it found and runs
/// commands on the current line. Closing it only hides it.
class TfFindForm : public QWidget {
    Q_OBJECT
public:
    explicit TfFindForm(TFinderHost& host, QWidget* parent = nullptr);
    ~TfFindForm() override;

    /// The bare name of the file last handed to the main window, as bytes (Label3 shows it).
    QByteArray handOverName() const { return m_handOver; }
    FindResults& results() { return m_results; }
    /// Whether the action is one of the "View File in Korvane" items, or, for the zip page,
    /// also one of the "Open Zip in Korvane" items: the viewer entries then take the file
    /// from the hand-over name.
    bool isViewItem(const QObject* sender, bool forZipPage) const;

    void GoClick();
    void StopButClick();
    void SaveButClick();
    void PrintButClick();
    void ExitButClick();
    void SingleButClick();
    void AllButClick();
    void ViewFileClick(QObject* sender);
    void OpenRunClick();
    void DeleteFileClick();
    void DeleteAllClick();
    void OpenZipHereClick(QObject* sender);
    void OpenZipClick();
    void DeleteZipClick();
    void PropertiesClick();

    QToolButton *SaveBut, *PrintBut, *SingleBut, *AllBut, *ZipExBut, *ZipIncBut, *ZipBut, *ESBut,
        *Go, *StopBut, *ExitBut;
    TLed* Led;
    QComboBox* Drive95ComboBox1;
    QLabel* AllPanel;
    QLineEdit* FileSpec;
    QHeaderView* Header1;
    QListView* ListBox1;
    TStatusPanels* StatBar;
    QLabel* Label3;
    TBannerMenu *FileMenu, *SearchMenu, *ResultMenu, *ListPopup;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct ResultItems {
        QAction *view, *openRun, *deleteFile, *deleteAll, *zipHere, *zipOpen, *deleteZip,
            *separator, *properties;
    };
    void buildControls();
    void buildMenus();
    ResultItems addResultItems(QMenu* menu, const QString& openZipText);
    void fileSpecChanged();
    void setRunning(bool running);
    void showResults(const QList<QByteArray>& lines);
    void updateResultItems(const ResultItems& items, bool popup);
    QByteArray currentLine() const;
    int currentRow() const;
    void handOver(const QByteArray& path);
    void deleteLine(const QByteArray& path);
    void setHint(QWidget* widget, const QString& hint);

    TFinderHost& m_host;
    FindResults m_results;
    ResultItems m_mainItems{};
    ResultItems m_popupItems{};
    QAction* m_findItem = nullptr;
    QAction *m_singleItem = nullptr, *m_allItem = nullptr, *m_zipExItem = nullptr,
            *m_zipIncItem = nullptr, *m_zipOnlyItem = nullptr, *m_exactItem = nullptr;
    QAction* m_resultMenuAction = nullptr;
    QByteArray m_handOver;
    bool m_scanning = false;
    int m_waitCursors = 0;
};
