#include "hex/HexPage.h"

#include "core/CommandGuard.h"
#include "core/KorError.h"
#include "core/Prompter.h"
#include "hex/HexCodePage.h"
#include "hex/HexEditor.h"
#include "kit/BannerMenu.h"
#include "kit/GradientPanel.h"
#include "kit/Controls.h"
#include "kit/PageMenus.h"
#include "kit/StatusPanels.h"
#include "platform/Host.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("All Files (*)");

bool clipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The clipboard's text is Unicode here: the document's bytes travel as single-byte
// (Windows-1252) characters, which map every byte from 1 to 255 one to one. Like text,
// they end at the first zero byte.
void putClipboardBytes(QByteArray bytes) {
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) bytes.truncate(zero);
    QString text;
    text.reserve(bytes.size());
    for (const char byte : std::as_const(bytes))
        text.append(hexcp::ansiChar(uchar(byte)));
    QGuiApplication::clipboard()->setText(text);
}

QByteArray clipboardBytes() {
    const QString text = QGuiApplication::clipboard()->text();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        if (ch.unicode() == 0) break;
        const int byte = hexcp::ansiByte(ch);
        bytes.append(byte < 0 ? '?' : char(byte));
    }
    return bytes;
}

} // namespace

THexPage::THexPage(QWidget* parent)
    : QWidget(parent), HexFileMenu(NewPageMenu("HexFileMenu", this)),
      HexEditMenu(NewPageMenu("HexEditMenu", this)) {
    // Working copies left by an instance that was killed would otherwise stay for ever.
    THexWorkingCopy::RemoveAbandoned(platform::paths().tempDir());
    buildToolBar();
    HexEditor1 = new THexEditor(this);
    HexEditor1->setObjectName(QStringLiteral("HexEditor1"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    HexEditor1->setFont(font);
    HexEditor1->setOEMTranslate(false);
    HexEditor1->setBackupExtension(QStringLiteral(".bak"));
    StatHex = new TStatusPanels({90, 120, 30, 30, 90, 50}, this);
    StatHex->setObjectName(QStringLiteral("StatHex"));
    StatHex->setPanelText(0, QStringLiteral("Pos : 0"));
    StatHex->setPanelText(4, QStringLiteral("Size : 0"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(HexEditor1, 1);
    layout->addWidget(StatHex);
    buildMenus();

    connect(HexEditor1, &THexEditor::OnStateChanged, this, [this] { HexEditor1StateChanged(); });
    for (auto signal : {&THexEditor::OnClick, &THexEditor::OnKeyUp, &THexEditor::OnMouseUp})
        connect(HexEditor1, signal, this, [this] { UpdateHexButtons(); });
    connect(HexEditor1, &THexEditor::OnKeyDown, this,
            Guarded([this](QKeyEvent* event) { HexEditor1KeyDown(event); }));
    HexEditor1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(HexEditor1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { HexPop->popup(HexEditor1->viewport()->mapToGlobal(pos)); });
}

void THexPage::buildToolBar() {
    m_toolBar = new TGradientPanel(QStringLiteral("HexEdit"), this);
    HexNewBut = NewToolButton(m_toolBar, "HexNewBut", "New", "New document", "document-new");
    HexOpenBut =
        NewToolButton(m_toolBar, "HexOpenBut", "Open", "Open existing document", "document-open");
    HexSaveBut = NewToolButton(m_toolBar, "HexSaveBut", "Save", "Save document", "document-save");
    HexSaveAsBut = NewToolButton(m_toolBar, "HexSaveAsBut", "Save As", "Save document under a new name", "document-save-as");
    HexCopyBut = NewToolButton(m_toolBar, "HexCopyBut", "Copy", "Copy to clipboard", "edit-copy");
    HexCutBut = NewToolButton(m_toolBar, "HexCutBut", "Cut", "Cut to clipboard", "edit-cut");
    HexPasteBut =
        NewToolButton(m_toolBar, "HexPasteBut", "Paste", "Paste from clipboard", "edit-paste");
    HexUndoBut = NewToolButton(m_toolBar, "HexUndoBut", "Undo", "Undo", "edit-undo");
    Hex16But = NewToolButton(m_toolBar, "Hex16But", "16", "16 bytes per line");
    Hex32But = NewToolButton(m_toolBar, "Hex32But", "32", "32 bytes per line");
    Hex64But = NewToolButton(m_toolBar, "Hex64But", "64", "64 bytes per line");
    for (QToolButton* button :
         {HexSaveBut, HexSaveAsBut, HexCopyBut, HexCutBut, HexPasteBut, HexUndoBut})
        button->setEnabled(false);
    m_widthGroup = new QButtonGroup(this);
    for (QToolButton* button : {Hex16But, Hex32But, Hex64But}) {
        button->setCheckable(true);
        m_widthGroup->addButton(button, button->text().toInt());
    }
    Hex16But->setChecked(true);
    for (QToolButton* button : {HexNewBut, HexOpenBut, HexSaveBut, HexSaveAsBut, HexCopyBut,
                                HexCutBut, HexPasteBut, HexUndoBut, Hex16But, Hex32But, Hex64But})
        m_toolBar->addWidget(button);
    m_toolBar->addStretch();

    connect(HexNewBut, &QToolButton::clicked, this, Guarded([this] { HexNewButClick(); }));
    connect(HexOpenBut, &QToolButton::clicked, this, Guarded([this] { HexOpenButClick(); }));
    connect(HexSaveBut, &QToolButton::clicked, this, Guarded([this] { HexSaveButClick(); }));
    connect(HexSaveAsBut, &QToolButton::clicked, this, Guarded([this] { HexSaveAsButClick(); }));
    connect(HexCopyBut, &QToolButton::clicked, this, Guarded([this] { HexCopyButClick(); }));
    connect(HexCutBut, &QToolButton::clicked, this, Guarded([this] { HexCutButClick(); }));
    connect(HexPasteBut, &QToolButton::clicked, this, Guarded([this] { HexPasteButClick(); }));
    connect(HexUndoBut, &QToolButton::clicked, this, Guarded([this] { HexUndoButClick(); }));
    connect(m_widthGroup, &QButtonGroup::idClicked, this,
            Guarded([this](int tag) { Hex16ButClick(tag); }));
}

void THexPage::buildMenus() {
    HexNew = NewMenuItem(HexFileMenu, "HexNew", "New");
    HexOpen = NewMenuItem(HexFileMenu, "HexOpen", "Open");
    HexSave = NewMenuItem(HexFileMenu, "HexSave", "Save");
    HexSaveAs = NewMenuItem(HexFileMenu, "HexSaveAs", "Save As");
    HexUndo2 = NewMenuItem(HexEditMenu, "HexUndo2", "Undo");
    HexEditMenu->addSeparator();
    HexCopy2 = NewMenuItem(HexEditMenu, "HexCopy2", "Copy");
    HexCut2 = NewMenuItem(HexEditMenu, "HexCut2", "Cut");
    HexPaste2 = NewMenuItem(HexEditMenu, "HexPaste2", "Paste");
    HexPop = new TBannerMenu({}, this, QStringLiteral("Hex"));
    HexPop->setObjectName(QStringLiteral("HexPop"));
    HexUndo1 = NewMenuItem(HexPop, "HexUndo1", "Undo");
    HexPop->addSeparator();
    HexCopy1 = NewMenuItem(HexPop, "HexCopy1", "Copy");
    HexCut1 = NewMenuItem(HexPop, "HexCut1", "Cut");
    HexPaste1 = NewMenuItem(HexPop, "HexPaste1", "Paste");

    const auto bind = [this](QAction* action, void (THexPage::*handler)()) {
        connect(action, &QAction::triggered, this,
                Guarded([this, handler] { (this->*handler)(); }));
    };
    bind(HexNew, &THexPage::HexNewButClick);
    bind(HexOpen, &THexPage::HexOpenButClick);
    bind(HexSave, &THexPage::HexSaveButClick);
    bind(HexSaveAs, &THexPage::HexSaveAsButClick);
    for (QAction* undo : {HexUndo2, HexUndo1})
        bind(undo, &THexPage::HexUndoButClick);
    for (QAction* copy : {HexCopy2, HexCopy1})
        bind(copy, &THexPage::HexCopyButClick);
    for (QAction* cut : {HexCut2, HexCut1})
        bind(cut, &THexPage::HexCutButClick);
    for (QAction* paste : {HexPaste2, HexPaste1})
        bind(paste, &THexPage::HexPasteButClick);
    connect(HexFileMenu, &QMenu::aboutToShow, this, Guarded([this] { HexFileMenuClick(); }));
    connect(HexEditMenu, &QMenu::aboutToShow, this, Guarded([this] { HexEditMenuClick(); }));
    connect(HexPop, &QMenu::aboutToShow, this, Guarded([this] { HexPopPopup(); }));
}

// ---- enabling and the status bar

void THexPage::UpdateHexButtons() {
    HexSaveBut->setEnabled(HexEditor1->Modified());
    HexSaveAsBut->setEnabled(HexEditor1->DataSize() > 0);
    HexUndoBut->setEnabled(HexEditor1->CanUndo());
    HexCutBut->setEnabled(HexEditor1->SelCount() > 0);
    HexCopyBut->setEnabled(HexEditor1->SelCount() > 0);
    HexPasteBut->setEnabled(clipboardHasText());
}

void THexPage::HexEditor1StateChanged() {
    StatHex->setPanelText(0, "Pos : " + QString::number(HexEditor1->CaretPosition()));
    StatHex->setPanelText(
        1,
        HexEditor1->SelCount() > 0
            ? QStringLiteral("Sel : %1 - %2").arg(HexEditor1->SelStart()).arg(HexEditor1->SelEnd())
            : QString());
    StatHex->setPanelText(2, HexEditor1->Modified() ? QStringLiteral("*") : QString());
    StatHex->setPanelText(3, HexEditor1->ReadOnlyFile() ? QStringLiteral("R") : QString());
    StatHex->setPanelText(4, "Size : " + QString::number(HexEditor1->DataSize()));
    StatHex->setPanelText(5, HexEditor1->FileName().isEmpty() ? QStringLiteral("[Unnamed File]")
                                                              : "[" + HexEditor1->FileName() + "]");
}

void THexPage::HexFileMenuClick() {
    HexSave->setEnabled(HexEditor1->Modified());
    HexSaveAs->setEnabled(HexEditor1->DataSize() > 0);
}

void THexPage::refreshEditMenu(QAction* undo, QAction* copy, QAction* cut, QAction* paste) {
    undo->setEnabled(HexEditor1->CanUndo());
    undo->setText("Undo : " + HexEditor1->UndoDescription());
    copy->setEnabled(HexEditor1->SelCount() > 0);
    cut->setEnabled(HexEditor1->SelCount() > 0);
    paste->setEnabled(clipboardHasText());
}

void THexPage::HexEditMenuClick() {
    refreshEditMenu(HexUndo2, HexCopy2, HexCut2, HexPaste2);
}

void THexPage::HexPopPopup() {
    refreshEditMenu(HexUndo1, HexCopy1, HexCut1, HexPaste1);
    HexPop->setBannerText(QStringLiteral("Hex"));
}

// ---- saving

void THexPage::AskSave() {
    if (!AskSaveHex()) throw KorAbort();
}

bool THexPage::AskSaveHex() {
    if (!HexEditor1->Modified()) return true;
    const QString name =
        HexEditor1->FileName().isEmpty() ? QStringLiteral("Unnamed File") : HexEditor1->FileName();
    const MsgButton answer =
        prompter().message(MsgKind::Confirmation, "Save changes to\r\n" + name + " ?",
                           MsgButton::Yes | MsgButton::No | MsgButton::Cancel);
    const bool result = answer == MsgButton::Yes ? SaveHex() : answer == MsgButton::No;
    UpdateHexButtons();
    return result;
}

bool THexPage::SaveHex() {
    const bool named = !HexEditor1->FileName().isEmpty();
    if (!named) {
        FileRequest request;
        request.caption = QStringLiteral("Save as");
        request.filter = kFilter;
        const QString chosen = prompter().saveFile(request);
        if (chosen.isEmpty()) return false;
        HexEditor1->setFileName(chosen);
    }
    if (!HexEditor1->SaveToFile()) {
        prompter().message(MsgKind::Error,
                           "Cannot save file\r\n" + HexEditor1->FileName() + "\r\n" +
                               HexEditor1->document().LastError(),
                           MsgButton::Ok);
        if (!named) HexEditor1->setFileName({});
        return false;
    }
    Q_EMIT hexFileSaved(HexEditor1->FileName());
    return true;
}

// ---- commands

void THexPage::HexNewButClick() {
    if (AskSaveHex()) HexEditor1->Clear();
}

void THexPage::HexOpenButClick() {
    if (!AskSaveHex()) return;
    FileRequest request;
    request.caption = QStringLiteral("Open file");
    request.filter = kFilter;
    request.offerReadOnly = true;
    const QString chosen = prompter().openFile(request);
    if (chosen.isEmpty()) return;
    HexEditor1->setFileName(chosen);
    if (loadNamed() && request.readOnly) HexEditor1->MarkReadOnly(true);
    HexSaveBut->setEnabled(true);
}

bool THexPage::LoadFromList(const QString& fullPath) {
    return LoadFromList(QFile::encodeName(fullPath));
}

bool THexPage::LoadFromList(const QByteArray& rawPath) {
    if (!AskSaveHex()) return false;
    HexEditor1->document().setRawFileName(rawPath);
    loadNamed();
    HexSaveBut->setEnabled(true);
    return true;
}

bool THexPage::loadNamed() {
    if (HexEditor1->LoadFromFile()) return true;
    prompter().message(MsgKind::Error, HexEditor1->document().LastError(), MsgButton::Ok);
    return false;
}

void THexPage::HexSaveButClick() {
    SaveHex();
}

void THexPage::HexSaveAsButClick() {
    const QString remembered = HexEditor1->FileName();
    HexEditor1->setFileName({});
    if (!SaveHex()) HexEditor1->setFileName(remembered);
}

void THexPage::HexUndoButClick() {
    if (HexEditor1->CanUndo()) HexEditor1->Undo();
    HexUndoBut->setEnabled(HexEditor1->CanUndo());
}

void THexPage::HexCopyButClick() {
    UpdateHexButtons();
    if (!HexCopyBut->isEnabled()) return;
    int count = HexEditor1->SelCount();
    putClipboardBytes(HexEditor1->BufferFromFile(HexEditor1->SelStart(), count));
}

void THexPage::HexCutButClick() {
    UpdateHexButtons();
    if (!HexCutBut->isEnabled()) return;
    int count = HexEditor1->SelCount();
    putClipboardBytes(HexEditor1->BufferFromFile(HexEditor1->SelStart(), count));
    HexEditor1->DeleteSelection();
}

void THexPage::HexPasteButClick() {
    UpdateHexButtons();
    if (!HexPasteBut->isEnabled()) return;
    const QByteArray bytes = clipboardBytes();
    HexEditor1->ReplaceSelection(bytes.constData(), int(bytes.size()));
}

void THexPage::Hex16ButClick(int bytesPerLine) {
    HexEditor1->setBytesPerLine(bytesPerLine);
}

void THexPage::HexEditor1KeyDown(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->key() != Qt::Key_A || mods != Qt::ControlModifier) return;
    event->accept();
    const char full = char(0xFF);
    HexEditor1->AppendBuffer(&full, 1);
}
