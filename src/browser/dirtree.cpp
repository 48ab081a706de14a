#include "browser/dirtree.h"

#include "browser/DirTreeModel.h"
#include "core/WaitCursor.h"

#include <QFile>
#include <QHeaderView>

#include <sys/stat.h>

namespace {

bool isDirectory(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

Tdirtree::Tdirtree(QWidget* parent, bool readOnStart)
    : QTreeView(parent), m_model(new DirTreeModel(this)), m_readOnStart(readOnStart) {
    m_model->setIconProvider(&m_icons);
    setModel(m_model);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setAnimated(false);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        WaitCursor wait;
        m_model->expandNode(index);
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Tdirtree::selectionMoved);
    if (m_readOnStart) reload();
}

QModelIndex Tdirtree::selectedNode() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

QByteArray Tdirtree::rawDirectory() const {
    return m_model->pathOf(selectedNode());
}

QString Tdirtree::Directory() const {
    const QByteArray path = rawDirectory();
    return path.isEmpty() ? QStringLiteral("?") : QFile::decodeName(path);
}

void Tdirtree::setDirectory(const QString& directory) {
    if (directory == "?") return;
    goTo(QFile::encodeName(directory));
}

void Tdirtree::setRawDirectory(const QByteArray& directory) {
    goTo(directory);
}

void Tdirtree::goTo(const QByteArray& directory) {
    WaitCursor wait;
    setUpdatesEnabled(false);
    selectNode(m_model->locate(directory));
    setUpdatesEnabled(true);
}

void Tdirtree::selectNode(const QModelIndex& index) {
    if (!index.isValid()) return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index, QAbstractItemView::PositionAtTop);
}

void Tdirtree::selectionMoved() {
    if (m_model->isLoaded()) {
        const QByteArray path = rawDirectory();
        if (!path.isEmpty()) m_model->remember(path);
    }
    Q_EMIT OnChange();
}

TDirTypes Tdirtree::DirType() const {
    return m_model->dirType;
}

void Tdirtree::setDirType(TDirTypes types) {
    m_model->dirType = types;
    reload();
}

bool Tdirtree::AllowNetwork() const {
    return m_model->allowNetwork;
}

void Tdirtree::setAllowNetwork(bool allow) {
    m_model->allowNetwork = allow;
    reload();
}

bool Tdirtree::GoBelowRecycleBin() const {
    return m_model->goBelowRecycleBin;
}

void Tdirtree::setGoBelowRecycleBin(bool allow) {
    m_model->goBelowRecycleBin = allow;
    reload();
}

bool Tdirtree::Readonly() const {
    return !m_model->editable;
}

void Tdirtree::setReadonly(bool readOnly) {
    m_model->editable = !readOnly;
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

void Tdirtree::setOnAddDir(std::function<bool(const QString&)> handler) {
    m_model->onAddDir = std::move(handler);
}

void Tdirtree::reload() {
    WaitCursor wait;
    setUpdatesEnabled(false);
    m_model->reload();
    setUpdatesEnabled(true);
}

void Tdirtree::refresh() {
    const QByteArray remembered = rawDirectory();
    reload();
    if (!remembered.isEmpty()) goTo(remembered);
    const int roots = m_model->rowCount();
    if (roots == 0) return;
    if (!selectedNode().isValid() && !remembered.isEmpty()) goTo(m_model->volumeOf(remembered));
    if (selectedNode().isValid()) return;

    QModelIndex chosen = m_model->index(roots - 1, 0);
    for (int row = 0; row < roots; ++row) {
        if (!m_model->isUntouched(m_model->index(row, 0))) {
            chosen = m_model->index(row, 0);
            break;
        }
    }
    const QByteArray target = m_model->rememberedDirectory(m_model->pathOf(chosen));
    goTo(target);
    if (rawDirectory() != DirTreeModel::normalizeDirectory(target)) selectNode(chosen);
}

void Tdirtree::goToDrive(const QString& volumeRoot) {
    const QByteArray root = DirTreeModel::normalizeDirectory(QFile::encodeName(volumeRoot));
    if (root.isEmpty() || root == m_model->volumeOf(rawDirectory())) return;
    QByteArray target = m_model->rememberedDirectory(root);
    if (!isDirectory(target)) target = root;
    goTo(target);
}

QString Tdirtree::currentDrive() const {
    const QByteArray volume = m_model->volumeOf(rawDirectory());
    return volume.isEmpty() ? QStringLiteral("?") : QFile::decodeName(volume);
}
