#include "text/TextPage.h"

#include "core/CommandGuard.h"
#include "core/FileIo.h"
#include "core/KorError.h"
#include "core/Prompter.h"
#include "core/WaitCursor.h"
#include "kit/BannerMenu.h"
#include "kit/Controls.h"
#include "kit/GradientPanel.h"
#include "kit/PageMenus.h"
#include "kit/StatusPanels.h"
#include "text/DocumentPrint.h"
#include "text/EditorSearch.h"
#include "text/FormatBar.h"
#include "text/SearchDialog.h"
#include "text/TextClipboard.h"
#include "text/TextFile.h"
#include "text/anlRuler.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kUntitled = QStringLiteral("Untitled");
const QString kModified = QStringLiteral("Modified");
constexpr int kTextMargin = 30;
constexpr int kTabStop = 48; // half an inch

const QString kOpenFilter = QStringLiteral("Text files  (*.txt);;Richtext files  (*.rtf);;"
                                           "All Files  (*)");
const QString kSaveFilter = QStringLiteral("Text files  (*.txt);;Rich text files  (*.rtf);;"
                                           "All files  (*)");

/// The editor with its viewport margins reachable: they inset the text area without
/// touching the document. Copy and drag offer RTF too; paste and drop prefer it.
class RichView : public QTextEdit {
public:
    using QTextEdit::QTextEdit;
    void setTextMargins(int left, int right) {
        if (viewportMargins() != QMargins(left, 0, right, 0)) setViewportMargins(left, 0, right, 0);
    }

protected:
    QMimeData* createMimeDataFromSelection() const override {
        QMimeData* data = QTextEdit::createMimeDataFromSelection();
        AddRtfToMimeData(*data, textCursor().selection());
        return data;
    }
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return HasRtf(*source) || QTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override {
        QTextCursor cursor = textCursor();
        if (!InsertRtfFromMimeData(*source, cursor)) {
            QTextEdit::insertFromMimeData(source);
            return;
        }
        setTextCursor(cursor);
        ensureCursorVisible();
    }
};

} // namespace

TTextPage::TTextPage(QPrinter* printer, QWidget* parent)
    : QWidget(parent), TextMenu(NewPageMenu("TextMenu", this)),
      EditTextMenu(NewPageMenu("EditTextMenu", this)),
      TextFormatMenu(NewPageMenu("TextFormatMenu", this)), m_printer(printer) {
    m_printer->setCollateCopies(true);
    setObjectName(QStringLiteral("TextPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* toolBar = new TGradientPanel(QString(), this);
    toolBar->setObjectName(QStringLiteral("TextToolBar"));
    buildToolBar(toolBar);
    column->addWidget(toolBar);

    Ruler = new TanlRuler(this);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    Ruler->setFixedHeight(26);
    Ruler->setIndentFirst(0);
    Ruler->setIndentLeft(0);
    column->addWidget(Ruler);

    auto* view = new RichView(this);
    View = view;
    View->setObjectName(QStringLiteral("View"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    View->setFont(font);
    QPalette colors = View->palette();
    colors.setColor(QPalette::Text, Qt::black);
    colors.setColor(QPalette::Base, Qt::white);
    View->setPalette(colors);
    View->setBackgroundRole(QPalette::Base);
    View->setAutoFillBackground(true);
    View->setTabChangesFocus(false);
    View->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    View->setContextMenuPolicy(Qt::CustomContextMenu);
    View->setAcceptRichText(true);
    prepareDocument(*View->document());
    applyWordWrap();
    column->addWidget(View, 1);

    FormatBar = new TFormatBar(View, Ruler, this);
    column->addWidget(FormatBar);

    StatText = new TStatusPanels({100, 100, 200, 50}, this);
    StatText->setObjectName(QStringLiteral("StatText"));
    StatText->setPanelText(3, kUntitled);
    column->addWidget(StatText);

    PopupMenu2 = new TBannerMenu(QString(), this, QStringLiteral("Text"));
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    FindDialog = new TSearchDialog(TSearchDialog::Kind::Find, this);
    ReplaceDialog = new TSearchDialog(TSearchDialog::Kind::Replace, this);
    buildMenus();
    FormatBar->fillFormatMenu(TextFormatMenu);

    connect(View, &QTextEdit::textChanged, this, Guarded([this] { ViewChange(); }));
    connect(View, &QTextEdit::cursorPositionChanged, this, Guarded([this] { EditMenuUpdate(); }));
    connect(View, &QTextEdit::selectionChanged, this, Guarded([this] { EditMenuUpdate(); }));
    connect(FormatBar, &TFormatBar::fontChanged, this, [this] { SetTextMargins(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdatePasteButton(); });
    connect(FindDialog, &TSearchDialog::findNext, this, Guarded([this] { Find(*FindDialog); }));
    connect(ReplaceDialog, &TSearchDialog::findNext, this,
            Guarded([this] { Find(*ReplaceDialog); }));
    connect(ReplaceDialog, &TSearchDialog::replace, this,
            Guarded([this](bool all) { Replace(all); }));

    SetTextMargins();
    EditMenuUpdate();
}

void TTextPage::buildToolBar(TGradientPanel* bar) {
    TextNewBut = NewToolButton(bar, "TextNewBut", "New", "New document", "document-new");
    TextOpenBut =
        NewToolButton(bar, "TextOpenBut", "Open", "Open existing document", "document-open");
    SaveButton = NewToolButton(bar, "SaveButton", "Save", "Save document", "document-save");
    SaveAsBut = NewToolButton(bar, "SaveAsBut", "Save As", "Save document under a new name", "document-save-as");
    PrintBut = NewToolButton(bar, "PrintBut", "Print", "Print document", "document-print");
    CopyBut = NewToolButton(bar, "CopyBut", "Copy", "Copy to clipboard", "edit-copy");
    CutBut = NewToolButton(bar, "CutBut", "Cut", "Cut to clipboard", "edit-cut");
    PasteBut = NewToolButton(bar, "PasteBut", "Paste", "Paste from clipboard", "edit-paste");
    DeleteBut =
        NewToolButton(bar, "DeleteBut", "Delete", "Delete selected text", "edit-delete");
    SelAllBut = NewToolButton(bar, "SelAllBut", "All", "Select All");
    UndoBut = NewToolButton(bar, "UndoBut", "Undo", "Undo", "edit-undo");
    WrapBut = NewToolButton(bar, "WrapBut", "Wrap", "WordWrap");
    WrapBut->setCheckable(true);
    WrapBut->setChecked(true);
    FindBut = NewToolButton(bar, "FindBut", "Find", "Find text or word", "edit-find");
    for (QToolButton* button : {SaveButton, SaveAsBut, PrintBut, CopyBut, CutBut, PasteBut,
                                DeleteBut, SelAllBut, UndoBut, FindBut})
        button->setEnabled(false);
    for (QToolButton* button : {TextNewBut, TextOpenBut, SaveButton, SaveAsBut, PrintBut, CopyBut,
                                CutBut, PasteBut, DeleteBut, SelAllBut, UndoBut, WrapBut, FindBut})
        bar->addWidget(button);
    bar->addStretch();

    connect(TextNewBut, &QToolButton::clicked, this, Guarded([this] { TextNewButClick(); }));
    connect(TextOpenBut, &QToolButton::clicked, this, Guarded([this] { TextOpenButClick(); }));
    connect(SaveButton, &QToolButton::clicked, this, Guarded([this] { FileSave(); }));
    connect(SaveAsBut, &QToolButton::clicked, this, Guarded([this] { SaveTextAs(); }));
    connect(PrintBut, &QToolButton::clicked, this, Guarded([this] { PrintButClick(); }));
    connect(CopyBut, &QToolButton::clicked, this, Guarded([this] { CopyButClick(); }));
    connect(CutBut, &QToolButton::clicked, this, Guarded([this] { CutButClick(); }));
    connect(PasteBut, &QToolButton::clicked, this, Guarded([this] { PasteButClick(); }));
    connect(DeleteBut, &QToolButton::clicked, this, Guarded([this] { DeleteButClick(); }));
    connect(SelAllBut, &QToolButton::clicked, this, Guarded([this] { View->selectAll(); }));
    connect(UndoBut, &QToolButton::clicked, this, Guarded([this] { View->undo(); }));
    connect(WrapBut, &QToolButton::clicked, this, Guarded([this] { WrapButClick(); }));
    connect(FindBut, &QToolButton::clicked, this,
            Guarded([this] { showSearchDialog(FindDialog); }));
}

void TTextPage::buildMenus() {
    QMenu* textMenu = TextMenu;
    QMenu* editTextMenu = EditTextMenu;
    QAction* newDocument = NewMenuItem(textMenu, "TextNew1", "New Document");
    QAction* open = NewMenuItem(textMenu, "TextOpen1", "Open Document");
    QAction* save = NewMenuItem(textMenu, "TextSave1", "Save");
    QAction* saveAs = NewMenuItem(textMenu, "TextSaveAs1", "Save As");
    textMenu->addSeparator();
    QAction* print = NewMenuItem(textMenu, "TextPrint1", "Print");
    QAction* printerSetup = NewMenuItem(textMenu, "TextPrinterSetup1", "Printer Setup");
    connect(newDocument, &QAction::triggered, this, Guarded([this] { TextNewButClick(); }));
    connect(open, &QAction::triggered, this, Guarded([this] { TextOpenButClick(); }));
    connect(save, &QAction::triggered, this, Guarded([this] { FileSave(); }));
    connect(saveAs, &QAction::triggered, this, Guarded([this] { SaveTextAs(); }));
    connect(print, &QAction::triggered, this, Guarded([this] { PrintButClick(); }));
    connect(printerSetup, &QAction::triggered, this, Guarded([this] { PrinterSetupClick(); }));
    FollowButton(save, SaveButton);
    FollowButton(saveAs, SaveAsBut);
    FollowButton(print, PrintBut);

    QAction* undo = NewMenuItem(editTextMenu, "TextUndo1", "Undo");
    editTextMenu->addSeparator();
    QAction* copy = NewMenuItem(editTextMenu, "TextCopy1", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* cut = NewMenuItem(editTextMenu, "TextCut1", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X));
    QAction* paste =
        NewMenuItem(editTextMenu, "TextPaste1", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* remove =
        NewMenuItem(editTextMenu, "TextDelete1", "Delete", QKeySequence(Qt::CTRL | Qt::Key_Delete));
    editTextMenu->addSeparator();
    QAction* find = NewMenuItem(editTextMenu, "TextFind1", "Find");
    QAction* replace = NewMenuItem(editTextMenu, "TextReplace1", "Replace");
    editTextMenu->addSeparator();
    QAction* selectAll = NewMenuItem(editTextMenu, "TextSelectAll1", "Select All");
    QAction* wrap = NewMenuItem(editTextMenu, "TextWordWrap1", "WordWrap");
    wrap->setCheckable(true);
    wrap->setChecked(true);
    connect(undo, &QAction::triggered, this, Guarded([this] { View->undo(); }));
    connect(copy, &QAction::triggered, this, Guarded([this] { CopyButClick(); }));
    connect(cut, &QAction::triggered, this, Guarded([this] { CutButClick(); }));
    connect(paste, &QAction::triggered, this, Guarded([this] { PasteButClick(); }));
    connect(remove, &QAction::triggered, this, Guarded([this] { DeleteButClick(); }));
    connect(find, &QAction::triggered, this, Guarded([this] { showSearchDialog(FindDialog); }));
    connect(replace, &QAction::triggered, this,
            Guarded([this] { showSearchDialog(ReplaceDialog); }));
    connect(selectAll, &QAction::triggered, this, Guarded([this] { View->selectAll(); }));
    connect(wrap, &QAction::triggered, this, Guarded([this] { WrapButClick(); }));
    for (auto [item, button] : {std::pair{undo, UndoBut}, {cut, CutBut}, {copy, CopyBut},
                                {remove, DeleteBut}, {paste, PasteBut}})
        FollowButton(item, button);
    connect(WrapBut, &QToolButton::toggled, wrap, &QAction::setChecked);

    QAction* popupUndo = NewMenuItem(PopupMenu2, "TextUndo2", "Undo");
    PopupMenu2->addSeparator();
    QAction* popupCopy = NewMenuItem(PopupMenu2, "TextCopy2", "Copy");
    QAction* popupCut = NewMenuItem(PopupMenu2, "TextCut2", "Cut");
    QAction* popupPaste = NewMenuItem(PopupMenu2, "TextPaste2", "Paste");
    connect(popupUndo, &QAction::triggered, this, Guarded([this] { View->undo(); }));
    connect(popupCopy, &QAction::triggered, this, Guarded([this] { CopyButClick(); }));
    connect(popupCut, &QAction::triggered, this, Guarded([this] { CutButClick(); }));
    connect(popupPaste, &QAction::triggered, this, Guarded([this] { PasteButClick(); }));
    for (auto [item, button] : {std::pair{popupUndo, UndoBut}, {popupCut, CutBut},
                                {popupCopy, CopyBut}, {popupPaste, PasteBut}})
        FollowButton(item, button);
    connect(View, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        PopupMenu2->popup(View->viewport()->mapToGlobal(position));
    });
}

void TTextPage::PageCreate() {
    FillFontNames();
    EditMenuUpdate();
}

void TTextPage::WindowShown() {
    UpdateLineColumn();
    UpdatePasteButton();
}

void TTextPage::OpenFile(const ViewedFile& file) {
    WindowPaint();
    WindowShown();
    AskSaveText();
    LoadDocument(file.rawPath, file.name, file.directory);
    TextButSort();
}

void TTextPage::FillFontNames() {
    FormatBar->FillFontNames();
}

void TTextPage::EditMenuUpdate() {
    FormatBar->updateFromText();
    const bool selected = View->textCursor().hasSelection();
    CopyBut->setEnabled(selected);
    CutBut->setEnabled(selected);
    DeleteBut->setEnabled(selected);
    UpdateLineColumn();
    TextButSort();
}

void TTextPage::SetTextMargins() {
    static_cast<RichView*>(View)->setTextMargins(kTextMargin, kTextMargin);
}

void TTextPage::UpdateLineColumn() {
    const QTextCursor cursor = View->textCursor();
    const int start = cursor.selectionStart();
    const QTextBlock block = View->document()->findBlock(start);
    const int line = block.blockNumber();
    const int column = start - block.position();
    StatText->setPanelText(1, QString::asprintf("Line: %3d   Col: %3d", line + 1, column + 1));
    CopyBut->setEnabled(cursor.selectionEnd() > start);
    CutBut->setEnabled(CopyBut->isEnabled());
}

void TTextPage::UpdatePasteButton() {
    PasteBut->setEnabled(View->canPaste());
}

void TTextPage::TextButSort() {
    const bool hasText = !View->document()->isEmpty();
    for (QToolButton* button : {SaveButton, SaveAsBut, PrintBut, SelAllBut, FindBut})
        button->setEnabled(hasText);
}

void TTextPage::AskSaveText() {
    if (StatText->panelText(0) != kModified) return;
    const MsgButton answer = prompter().message(
        MsgKind::Confirmation, QStringLiteral("Save changes to %1?").arg(StatText->panelText(3)),
        MsgButton::Yes | MsgButton::No | MsgButton::Cancel);
    if (answer == MsgButton::Yes)
        FileSave();
    else if (answer != MsgButton::No)
        throw KorAbort();
}

void TTextPage::FileSave() {
    if (m_modified) SaveText();
}

void TTextPage::SaveText() {
    const QString name = StatText->panelText(3);
    if (name == kUntitled) {
        SaveTextAs();
        return;
    }
    {
        WaitCursor wait;
        const QByteArray bytes = SaveTextDocument(*View->document(), m_rich, m_plainFormat);
        fileio::Replace(m_path, bytes);
    }
    setModifiedMark(false);
    Q_EMIT fileListRefreshRequested();
}

void TTextPage::SaveTextAs() {
    FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.fileName = m_lastSaveName;
    request.filter = kSaveFilter;
    request.defaultSuffix = QStringLiteral("txt");
    const QString chosen = prompter().saveFile(request);
    if (chosen.isEmpty()) {
        Q_EMIT fileListRefreshRequested();
        return;
    }
    m_lastSaveName = chosen;
    Q_EMIT lastSaveNameChanged(chosen);
    const QString oldName = StatText->panelText(3);
    const QByteArray oldPath = m_path;
    const bool oldRich = m_rich;
    StatText->setPanelText(3, chosen);
    m_path = QFile::encodeName(chosen);
    m_rich = IsRichAfterRename(m_rich, oldName, chosen);
    try {
        SaveText();
    } catch (...) {
        // Nothing was written: the document keeps the name and form it had.
        StatText->setPanelText(3, oldName);
        m_path = oldPath;
        m_rich = oldRich;
        throw;
    }
    setModifiedMark(false);
    window()->setWindowTitle(chosen);
}

void TTextPage::TextNewButClick() {
    AskSaveText();
    View->clear();
    m_path.clear();
    m_plainFormat = PlainTextFormat();
    m_rich = false;
    setModifiedMark(false);
    StatText->setPanelText(3, kUntitled);
}

void TTextPage::TextOpenButClick() {
    FileRequest request;
    request.caption = QStringLiteral("Open");
    request.filter = kOpenFilter;
    request.defaultSuffix = QStringLiteral("txt");
    const QString chosen = prompter().openFile(request);
    if (chosen.isEmpty()) return;
    AskSaveText();
    LoadDocument(chosen, chosen, QString());
}

void TTextPage::LoadDocument(const QString& path, const QString& documentName,
                             const QString& folder) {
    LoadDocument(QFile::encodeName(path), documentName, folder);
}

void TTextPage::LoadDocument(const QByteArray& path, const QString& documentName,
                             const QString& folder) {
    auto document = std::make_unique<QTextDocument>();
    TextContent content;
    {
        WaitCursor wait;
        const QByteArray bytes = fileio::ReadWhole(path, kMaxTextFileSize);
        prepareDocument(*document);
        content = LoadTextDocument(bytes, *document);
        installDocument(std::move(document));
    }
    m_plainFormat = content.plainFormat;
    m_rich = content.rich;
    m_path = path;
    StatText->setPanelText(3, documentName);
    StatText->setPanelText(2, folder);
    setModifiedMark(false);
    TextButSort();
}

void TTextPage::prepareDocument(QTextDocument& document) const {
    document.setDefaultFont(View->font());
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kTabStop);
    document.setDefaultTextOption(option);
}

void TTextPage::installDocument(std::unique_ptr<QTextDocument> document) {
    // The editor deletes only the document it made itself; the others are the page's.
    const QPointer<QTextDocument> old = View->document();
    document->setParent(View);
    {
        const QSignalBlocker quiet(View);
        View->setDocument(document.release());
        // The editor carries the old document's typing format over; a fresh cursor takes
        // the format of the text it stands in.
        View->setTextCursor(QTextCursor(View->document()));
    }
    if (old && old->parent() == View) delete old.data();
    applyWordWrap();
    setModifiedMark(false);
    UndoBut->setEnabled(View->document()->isUndoAvailable());
    EditMenuUpdate();
}

void TTextPage::ViewChange() {
    // Loading and New install their document quietly, so every change that reaches here
    // is the user's own, the very first one included: unmarked, it would be lost on close.
    setModifiedMark(true);
    UndoBut->setEnabled(View->document()->isUndoAvailable());
}

void TTextPage::setModifiedMark(bool modified) {
    m_modified = modified;
    StatText->setPanelText(0, modified ? kModified : QString());
}

void TTextPage::CopyButClick() {
    View->copy();
    PasteBut->setEnabled(true);
}

void TTextPage::CutButClick() {
    View->cut();
    PasteBut->setEnabled(true);
    DeleteBut->setEnabled(false);
}

void TTextPage::PasteButClick() {
    View->paste();
    TextButSort();
}

void TTextPage::DeleteButClick() {
    QTextCursor cursor = View->textCursor();
    cursor.removeSelectedText();
    View->setTextCursor(cursor);
    DeleteBut->setEnabled(false);
}

void TTextPage::WrapButClick() {
    m_wrap = !m_wrap;
    applyWordWrap();
    SetTextMargins();
    UpdateLineColumn();
    UpdatePasteButton();
}

void TTextPage::applyWordWrap() {
    View->setLineWrapMode(m_wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    View->setHorizontalScrollBarPolicy(m_wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    WrapBut->setChecked(m_wrap);
}

void TTextPage::PrintButClick() {
    if (!prompter().choosePrinter(*m_printer)) return;
    WaitCursor wait;
    m_printer->setDocName(StatText->panelText(3));
    PrintTextDocument(*View->document(), *m_printer);
}

void TTextPage::PrinterSetupClick() {
    prompter().setupPrinter(*m_printer);
}

void TTextPage::showSearchDialog(TSearchDialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TTextPage::Find(const TSearchDialog& dialog) {
    QTextCursor cursor = View->textCursor();
    if (FindInEditor(cursor, dialog.findText(), dialog.options())) {
        View->setTextCursor(cursor);
        return;
    }
    prompter().message(MsgKind::Information, QStringLiteral("No more matching text found !"),
                       MsgButton::Ok);
}

void TTextPage::Replace(bool all) {
    QTextCursor cursor = View->textCursor();
    const QString findText = ReplaceDialog->findText();
    bool found;
    if (all) {
        found = ReplaceAll(cursor, findText, ReplaceDialog->replaceText(),
                           ReplaceDialog->options()) > 0;
        if (found) View->setTextCursor(cursor);
    } else {
        found = ReplaceAndFindNext(cursor, findText, ReplaceDialog->replaceText(),
                                   ReplaceDialog->options());
        View->setTextCursor(cursor);
    }
    if (!found)
        prompter().message(
            MsgKind::Information,
            QStringLiteral("No more occurrences of \"%1\" to replace.").arg(findText),
            MsgButton::Ok);
}

void TTextPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetTextMargins();
    UpdateLineColumn();
    UpdatePasteButton();
}

void TTextPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetTextMargins();
    EditMenuUpdate();
}
