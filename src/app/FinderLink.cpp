#include "app/FinderLink.h"

#include "app/MainWindow.h"
#include "browser/FileList.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "core/KorError.h"
#include "text/TextPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

void TFinderLink::setTreeDirectory(const QByteArray& directory) {
    m_main.Tree->setRawDirectory(directory);
}

void TFinderLink::rereadFileList() {
    m_main.FileList->reread();
    m_main.FileList->update();
}

void TFinderLink::askSaveText() {
    m_main.TextPage->AskSaveText();
}

bool TFinderLink::zipAddPanelShown() const {
    return false; // the zip page and its add panel are not built yet
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
