#include "app/FinderLink.h"

#include "app/MainWindow.h"
#include "app/PageSwitcher.h"
#include "browser/FileList.h"
#include "browser/TreeSheet.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "core/KorError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

void TFinderLink::setTreeDirectory(const QByteArray& directory) {
    m_main.TabTree->Tree->setRawDirectory(directory);
}

void TFinderLink::rereadFileList() {
    m_main.TabTree->FileList->reread();
    m_main.TabTree->FileList->update();
}

void TFinderLink::askSaveText() {
    if (TViewerPage* text = m_main.Switcher->Page(ViewerSheet::TextEdit)) text->AskSave();
}

bool TFinderLink::zipAddPanelShown() const {
    const QList<TViewerPage*> pages = m_main.Switcher->Pages();
    return std::any_of(pages.begin(), pages.end(), [](auto* page) { return page->HoldsFileList(); });
}

void TFinderLink::view(findsearch::Viewer viewer, QObject* sender) {
    // The entry's own errors are shown here; the finder goes on either way.
    RunGuarded([&] { m_main.RunViewerEntry(viewer, sender); });
}

void TFinderLink::fileShown() {}

void TFinderLink::deleteFile(const QByteArray& path) {
    // Without a data folder the trash would be made in the current directory.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString trashed;
    if (!QFile::moveToTrash(QFile::decodeName(path), &trashed) || !QFileInfo(trashed).isAbsolute())
        throw KorError(
            QStringLiteral("Cannot move \"%1\" to the trash.").arg(QFile::decodeName(path)));
}

void TFinderLink::showProperties(const QByteArray& path) {
    throw KorError(QStringLiteral("The properties window is not available yet for \"%1\".")
                       .arg(QFile::decodeName(path)));
}
