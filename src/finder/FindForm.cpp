#include "finder/FindForm.h"

#include "core/CommandGuard.h"
#include "core/Helpers.h"
#include "core/KorError.h"
#include "core/Prompter.h"
#include "finder/FindResultDelegate.h"
#include "finder/FinderHost.h"
#include "finder/TreeFind.h"
#include "kit/BannerMenu.h"
#include "kit/GradientPanel.h"
#include "kit/Hints.h"
#include "kit/Led.h"
#include "kit/StatusPanels.h"
#include "platform/Host.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QStandardItemModel>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

const QString kCaption = QStringLiteral("File Finder");

bool isExistingFile(const QByteArray& path) {
    struct stat st;
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

QByteArray directoryOf(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

void error(const QString& text) {
    prompter().message(MsgKind::Error, text, MsgButton::Ok);
}

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text,
                        bool toggle = false) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(toggle);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TfFindForm::TfFindForm(TFinderHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_host(host) {
    setObjectName("fFindForm");
    setWindowTitle(kCaption);
    resize(565, 430);
    buildControls();
    buildMenus();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    fileSpecChanged();
}

TfFindForm::~TfFindForm() = default;

void TfFindForm::setHint(QWidget* widget, const QString& hint) {
    SetHint(widget, hint);
}

void TfFindForm::buildControls() {
    auto* top = new TGradientPanel({}, this);
    top->setObjectName("TopPanel");
    SaveBut = toolButton(top, "SaveBut", "Save");
    PrintBut = toolButton(top, "PrintBut", "Print");
    SingleBut = toolButton(top, "SingleBut", "Single", true);
    AllBut = toolButton(top, "AllBut", "All", true);
    ZipExBut = toolButton(top, "ZipExBut", "No Zip", true);
    ZipIncBut = toolButton(top, "ZipIncBut", "+ Zip", true);
    ZipBut = toolButton(top, "ZipBut", "Zip", true);
    ESBut = toolButton(top, "ESBut", "ES", true);
    Go = toolButton(top, "Go", "Start");
    StopBut = toolButton(top, "StopBut", "STOP", true);
    ExitBut = toolButton(top, "ExitBut", "Close");
    Led = new TLed(top);
    Led->setObjectName("Led");
    ESBut->setStyleSheet("QToolButton { color: red; font-weight: bold; }");
    StopBut->setStyleSheet("QToolButton { color: yellow; background: red; font-weight: bold; }");
    setHint(SaveBut, "Save result");
    setHint(PrintBut, "Print result");
    setHint(SingleBut, "Scan a single drive");
    setHint(AllBut, "Scan all fixed drives");
    setHint(ZipExBut, "Exclude zip archives");
    setHint(ZipIncBut, "Include zip archives");
    setHint(ZipBut, "Scan only zip archives");
    setHint(ESBut, "Exact Search| Search for exactly what you enter");
    setHint(Go, "Find|Start the scan");
    setHint(ExitBut, "Close");
    auto* drives = new QButtonGroup(this);
    for (QToolButton* button : {SingleBut, AllBut})
        drives->addButton(button);
    auto* archives = new QButtonGroup(this);
    for (QToolButton* button : {ZipExBut, ZipIncBut, ZipBut})
        archives->addButton(button);
    SingleBut->setChecked(true);
    ZipExBut->setChecked(true);
    StopBut->hide();

    Drive95ComboBox1 = new QComboBox(top);
    Drive95ComboBox1->setObjectName("Drive95ComboBox1");
    setHint(Drive95ComboBox1, "|Pick a drive");
    for (const platform::VolumeInfo& volume : platform::volumes().list())
        if (volume.hasMedia()) Drive95ComboBox1->addItem(volume.rootPath, volume.rootPath);
    AllPanel = new QLabel("Search all fixed drives", top);
    AllPanel->setObjectName("AllPanel");
    AllPanel->setStyleSheet("QLabel { background: white; }");
    AllPanel->hide();
    FileSpec = new QLineEdit(top);
    FileSpec->setObjectName("FileSpec");
    setHint(FileSpec, "|You can use DOS wildcards ? and *");

    top->addWidget(SaveBut);
    top->addWidget(PrintBut);
    top->addWidget(new QLabel("Search", top));
    top->addWidget(SingleBut);
    top->addWidget(AllBut);
    top->addWidget(new QLabel("Include", top));
    top->addWidget(ZipExBut);
    top->addWidget(ZipIncBut);
    top->addWidget(ZipBut);
    top->addWidget(new QLabel("Type", top));
    top->addWidget(ESBut);
    top->addWidget(new QLabel("Start", top));
    top->addWidget(Go);
    top->addWidget(StopBut);
    top->addWidget(Led);
    top->addWidget(ExitBut);
    top->addWidget(new QLabel("Drive", top));
    top->addWidget(Drive95ComboBox1);
    top->addWidget(AllPanel);
    top->addWidget(new QLabel("File Name :", top));
    top->addWidget(FileSpec);

    auto* headerModel = new QStandardItemModel(0, 2, this);
    headerModel->setHorizontalHeaderLabels({"  Found file(s)", " ZIP Archive"});
    Header1 = new QHeaderView(Qt::Horizontal, this);
    Header1->setObjectName("Header1");
    Header1->setModel(headerModel);
    Header1->setSectionResizeMode(QHeaderView::Interactive);
    Header1->resizeSection(0, 206);
    Header1->resizeSection(1, 67);
    Header1->setStretchLastSection(false);

    ListBox1 = new QListView(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setModel(&m_results);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new FindResultDelegate(*Header1, ListBox1));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Header1, &QHeaderView::sectionResized, ListBox1->viewport(),
            qOverload<>(&QWidget::update));

    StatBar = new TStatusPanels({195, 230, 160}, this);
    StatBar->setObjectName("StatBar");
    Label3 = new QLabel(StatBar);
    Label3->setObjectName("Label3");
    Label3->hide();
    connect(&HintRouter::instance(), &HintRouter::hintChanged, this, [this](const QString& hint) {
        if (!m_scanning && isActiveWindow()) StatBar->setPanelText(1, hint);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(Header1);
    layout->addWidget(ListBox1, 1);
    layout->addWidget(StatBar);

    connect(FileSpec, &QLineEdit::textChanged, this, [this] { fileSpecChanged(); });
    connect(Go, &QToolButton::clicked, this, Guarded([this] { GoClick(); }));
    connect(StopBut, &QToolButton::clicked, this, Guarded([this] { StopButClick(); }));
    connect(SaveBut, &QToolButton::clicked, this, Guarded([this] { SaveButClick(); }));
    connect(PrintBut, &QToolButton::clicked, this, Guarded([this] { PrintButClick(); }));
    connect(ExitBut, &QToolButton::clicked, this, Guarded([this] { ExitButClick(); }));
    connect(SingleBut, &QToolButton::clicked, this, Guarded([this] { SingleButClick(); }));
    connect(AllBut, &QToolButton::clicked, this, Guarded([this] { AllButClick(); }));
}

TfFindForm::ResultItems TfFindForm::addResultItems(QMenu* menu, const QString& openZipText) {
    ResultItems items;
    items.view = menu->addAction("View File in Korvane");
    items.openRun = menu->addAction("Open/Run File");
    items.deleteFile = menu->addAction("Delete File");
    items.deleteAll = menu->addAction("Delete All Files");
    items.zipHere = menu->addAction("Open Zip in Korvane");
    items.zipOpen = menu->addAction(openZipText);
    items.deleteZip = menu->addAction("Delete Zip");
    items.separator = menu->addSeparator();
    items.properties = menu->addAction("Properties");
    QAction* view = items.view;
    QAction* zipHere = items.zipHere;
    connect(view, &QAction::triggered, this, Guarded([this, view] { ViewFileClick(view); }));
    connect(items.openRun, &QAction::triggered, this, Guarded([this] { OpenRunClick(); }));
    connect(items.deleteFile, &QAction::triggered, this, Guarded([this] { DeleteFileClick(); }));
    connect(items.deleteAll, &QAction::triggered, this, Guarded([this] { DeleteAllClick(); }));
    connect(zipHere, &QAction::triggered, this,
            Guarded([this, zipHere] { OpenZipHereClick(zipHere); }));
    connect(items.zipOpen, &QAction::triggered, this, Guarded([this] { OpenZipClick(); }));
    connect(items.deleteZip, &QAction::triggered, this, Guarded([this] { DeleteZipClick(); }));
    connect(items.properties, &QAction::triggered, this, Guarded([this] { PropertiesClick(); }));
    return items;
}

void TfFindForm::buildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("MainMenu1");
    layout()->setMenuBar(bar);

    FileMenu = new TBannerMenu("&File", this, kCaption);
    connect(FileMenu->addAction("&Save"), &QAction::triggered, this,
            Guarded([this] { SaveButClick(); }));
    connect(FileMenu->addAction("&Print"), &QAction::triggered, this,
            Guarded([this] { PrintButClick(); }));
    FileMenu->addSeparator();
    m_findItem = FileMenu->addAction("Find");
    m_findItem->setCheckable(true);
    connect(m_findItem, &QAction::triggered, this, Guarded([this] { GoClick(); }));
    FileMenu->addSeparator();
    connect(FileMenu->addAction("E&xit"), &QAction::triggered, this,
            Guarded([this] { ExitButClick(); }));
    connect(FileMenu, &QMenu::aboutToShow, this,
            [this] { m_findItem->setChecked(Go->isEnabled()); });
    bar->addMenu(FileMenu);

    SearchMenu = new TBannerMenu("Search", this, kCaption);
    const auto pressing = [this](QAction* item, QToolButton* button) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, Guarded([button] { button->click(); }));
    };
    m_singleItem = SearchMenu->addAction("Single Drive");
    m_allItem = SearchMenu->addAction("All Fixed Drives");
    SearchMenu->addSeparator();
    m_zipExItem = SearchMenu->addAction("Exclude Zip Files in Scan");
    m_zipIncItem = SearchMenu->addAction("Include Zip Files in Scan");
    m_zipOnlyItem = SearchMenu->addAction("Scan Zip Files Only");
    SearchMenu->addSeparator();
    m_exactItem = SearchMenu->addAction("Exact Search");
    pressing(m_singleItem, SingleBut);
    pressing(m_allItem, AllBut);
    pressing(m_zipExItem, ZipExBut);
    pressing(m_zipIncItem, ZipIncBut);
    pressing(m_zipOnlyItem, ZipBut);
    pressing(m_exactItem, ESBut);
    connect(SearchMenu, &QMenu::aboutToShow, this, [this] {
        m_singleItem->setChecked(SingleBut->isChecked());
        m_allItem->setChecked(AllBut->isChecked());
        m_zipExItem->setChecked(ZipExBut->isChecked());
        m_zipIncItem->setChecked(ZipIncBut->isChecked());
        m_zipOnlyItem->setChecked(ZipBut->isChecked());
        m_exactItem->setChecked(ESBut->isChecked());
    });
    connect(ESBut, &QToolButton::toggled, m_exactItem, &QAction::setChecked);
    bar->addMenu(SearchMenu);

    ResultMenu = new TBannerMenu("Result", this, kCaption);
    m_mainItems = addResultItems(ResultMenu, "Open Zip");
    connect(ResultMenu, &QMenu::aboutToShow, this,
            [this] { updateResultItems(m_mainItems, false); });
    m_resultMenuAction = bar->addMenu(ResultMenu);
    m_resultMenuAction->setVisible(false);

    ListPopup = new TBannerMenu({}, this, kCaption);
    ListPopup->setObjectName("PopupMenu1");
    m_popupItems = addResultItems(ListPopup, "Open Zip Externally");
    connect(ListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateResultItems(m_popupItems, true);
        ListPopup->popup(ListBox1->viewport()->mapToGlobal(at));
    });
}

void TfFindForm::updateResultItems(const ResultItems& items, bool popup) {
    const bool empty = m_results.count() == 0;
    const bool zip = FindResults::isZipLine(currentLine());
    const bool fileItems = !zip && !(popup && empty);
    items.view->setVisible(!zip);
    for (QAction* item : {items.openRun, items.deleteFile, items.separator, items.properties})
        item->setVisible(fileItems);
    items.deleteAll->setVisible(fileItems && m_results.count() != 1);
    items.zipHere->setVisible(zip || (popup && empty));
    items.zipOpen->setVisible(zip);
    items.deleteZip->setVisible(zip);
}

bool TfFindForm::isViewItem(const QObject* sender, bool forZipPage) const {
    if (sender == m_mainItems.view || sender == m_popupItems.view) return true;
    return forZipPage && (sender == m_mainItems.zipHere || sender == m_popupItems.zipHere);
}

void TfFindForm::fileSpecChanged() {
    StatBar->setPanelText(0, {});
    m_results.clear();
    if (m_resultMenuAction) m_resultMenuAction->setVisible(false);
    const bool ready = !FileSpec->text().isEmpty();
    Go->setEnabled(ready && !m_scanning);
    if (!m_scanning) Led->setColor(ready ? Qt::green : Qt::red);
}

void TfFindForm::SingleButClick() {
    SingleBut->setChecked(true);
    Drive95ComboBox1->show();
    AllPanel->hide();
}

void TfFindForm::AllButClick() {
    AllBut->setChecked(true);
    Drive95ComboBox1->hide();
    AllPanel->show();
}

void TfFindForm::setRunning(bool running) {
    m_scanning = running;
    if (running) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCursors;
        Led->setColor(Qt::red);
        StatBar->setPanelText(1, "Scanning for files");
        StopBut->setChecked(false);
        Go->hide();
        StopBut->show();
        repaint();
    } else {
        StopBut->hide();
        StopBut->setChecked(false);
        Go->show();
        while (m_waitCursors > 0) {
            QApplication::restoreOverrideCursor();
            --m_waitCursors;
        }
        Led->setColor(Qt::green);
        StatBar->setPanelText(1, {});
    }
}

void TfFindForm::GoClick() {
    if (m_scanning) return; // "Find" while a scan runs would nest a second scan
    m_results.clear();
    StatBar->setPanelText(0, {});
    const findsearch::ArchiveMode mode = ZipIncBut->isChecked() ? findsearch::ArchiveMode::Include
                                         : ZipBut->isChecked()  ? findsearch::ArchiveMode::Only
                                                                : findsearch::ArchiveMode::Exclude;
    const bool all = AllBut->isChecked();
    TTreeFind find;
    find.Options = findsearch::Options(all, mode);
    find.FileSpec =
        findsearch::Spec(all, QFile::encodeName(Drive95ComboBox1->currentData().toString()),
                         QFile::encodeName(FileSpec->text()), ESBut->isChecked());
    find.OnScan = [this](TTreeFind&, const QString& text) { setWindowTitle("Scanning: " + text); };
    find.StopRequested = [this] { return StopBut->isChecked(); };
    find.OnRunning = [this](bool running) { setRunning(running); };
    Go->setEnabled(false);
    struct Restore {
        TfFindForm* form;
        ~Restore() {
            form->setWindowTitle(kCaption);
            form->Go->setEnabled(!form->FileSpec->text().isEmpty());
        }
    } restore{this};
    find.Execute();
    showResults(find.Results);
}

void TfFindForm::showResults(const QList<QByteArray>& lines) {
    m_results.setLines(lines);
    if (m_results.count() > 0) {
        StatBar->setPanelText(0, QString::number(m_results.count()) + "  files found");
        ListBox1->setCurrentIndex(m_results.index(0));
        m_resultMenuAction->setVisible(true);
    } else {
        StatBar->setPanelText(0, "0  files found");
        m_resultMenuAction->setVisible(false);
    }
}

void TfFindForm::StopButClick() {
    StopBut->setChecked(true);
}

void TfFindForm::ExitButClick() {
    hide();
}

void TfFindForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

int TfFindForm::currentRow() const {
    const QModelIndex current = ListBox1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QByteArray TfFindForm::currentLine() const {
    const int row = currentRow();
    return row < 0 ? QByteArray() : m_results.lines().value(row);
}

void TfFindForm::handOver(const QByteArray& path) {
    m_host.setTreeDirectory(directoryOf(path));
    m_handOver = nameOf(path);
    Label3->setText(QFile::decodeName(m_handOver));
}

void TfFindForm::ViewFileClick(QObject* sender) {
    const QByteArray line = currentLine();
    if (line.isEmpty()) return;
    m_host.askSaveText();
    handOver(line);
    if (!isExistingFile(line)) return error("Unable to view file !");
    if (m_host.zipAddPanelShown()) return;
    try {
        m_host.view(findsearch::ViewerFor(m_handOver), sender);
        m_host.fileShown();
    } catch (const std::exception&) {
        // The viewer reports its own troubles; the finder stays as it is.
    }
}

void TfFindForm::OpenZipHereClick(QObject* sender) {
    const QByteArray line = currentLine();
    if (line.isEmpty()) return;
    const QByteArray archive = FindResults::archivePath(line);
    handOver(archive);
    if (!isExistingFile(archive)) return error("Unable to open zip !");
    try {
        m_host.view(findsearch::Viewer::ZipView, sender);
        m_host.fileShown();
    } catch (const std::exception&) {
    }
}

void TfFindForm::OpenZipClick() {
    const QByteArray line = currentLine();
    if (line.isEmpty()) return;
    platform::shell().openUrl(
        QUrl::fromLocalFile(QFile::decodeName(FindResults::archivePath(line))));
}

void TfFindForm::OpenRunClick() {
    const QByteArray line = currentLine();
    if (line.isEmpty()) return;
    ShellRunFile(QFile::decodeName(line));
}

void TfFindForm::deleteLine(const QByteArray& path) {
    const int row = currentRow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Cursor {
        bool on = true;
        void restore() {
            if (on) QApplication::restoreOverrideCursor();
            on = false;
        }
        ~Cursor() { restore(); }
    } cursor;
    if (!isExistingFile(path)) {
        cursor.restore();
        error("Unable to delete file !");
    } else {
        if (prompter().message(MsgKind::Confirmation, "Delete " + QFile::decodeName(path) + "?",
                               MsgButton::Yes | MsgButton::No) == MsgButton::Yes)
            m_host.deleteFile(path);
        m_results.removeLine(row);
    }
    m_host.rereadFileList();
}

void TfFindForm::DeleteFileClick() {
    const QByteArray line = currentLine();
    if (!line.isEmpty()) deleteLine(line);
}

void TfFindForm::DeleteZipClick() {
    const QByteArray line = currentLine();
    if (!line.isEmpty()) deleteLine(FindResults::archivePath(line));
}

void TfFindForm::DeleteAllClick() {
    if (currentLine().isEmpty()) return;
    if (prompter().message(MsgKind::Warning, "All files will be deleted !",
                           MsgButton::Ok | MsgButton::Cancel) != MsgButton::Ok)
        return;
    for (const QByteArray& line : m_results.lines()) {
        if (isExistingFile(line)) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            struct Cursor {
                ~Cursor() { QApplication::restoreOverrideCursor(); }
            } cursor;
            m_host.deleteFile(line);
        } else {
            error("Unable to delete files !");
        }
    }
    m_results.clear();
    StatBar->setPanelText(0, {});
    m_resultMenuAction->setVisible(false);
    m_host.rereadFileList();
}

void TfFindForm::PropertiesClick() {
    const QByteArray line = currentLine();
    if (isExistingFile(line)) m_host.showProperties(line);
}

void TfFindForm::SaveButClick() {
    if (m_results.count() == 0) return error("There is nothing to save !");
    FileRequest request;
    request.caption = "Save FileTrawler List";
    request.filter = "Text files  (*.txt);;All files  (*.*)";
    request.defaultSuffix = "txt";
    const QString name = prompter().saveFile(request);
    if (name.isEmpty()) return;
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly) || out.write(m_results.savedBytes()) < 0 || !out.commit())
        throw KorError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(name, out.errorString()));
}

void TfFindForm::PrintButClick() {
    if (m_results.count() == 0) return error("There is nothing to print !");
    QPrinter printer;
    if (!prompter().choosePrinter(printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) throw KorError("Cannot start printing");
    painter.setFont(ListBox1->font());
    const int lineHeight = painter.fontMetrics().height();
    const QRect page = painter.viewport();
    int y = 0;
    for (const QByteArray& line : m_results.lines()) {
        if (y + lineHeight > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + painter.fontMetrics().ascent(), QFile::decodeName(line));
        y += lineHeight;
    }
    painter.end();
}
