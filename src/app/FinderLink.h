#pragma once

#include "finder/FinderHost.h"

class TKorMain;

/// The main window as the File Finder sees it: the tree, the file list, the text page's
/// question and the viewer entries.
class TFinderLink : public TFinderHost {
public:
    explicit TFinderLink(TKorMain& main) : m_main(main) {}

    void setTreeDirectory(const QByteArray& directory) override;
    void rereadFileList() override;
    void askSaveText() override;
    bool zipAddPanelShown() const override;
    void view(findsearch::Viewer viewer, QObject* sender) override;
    void fileShown() override;
    void deleteFile(const QByteArray& path) override;
    void showProperties(const QByteArray& path) override;

private:
    TKorMain& m_main;
};
