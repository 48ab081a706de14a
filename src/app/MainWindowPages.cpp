// The viewer pages inside the main window, and the main window's calls into them.
#include "app/MainWindow.h"

#include "browser/FileList.h"
#include "core/KorError.h"
#include "hex/HexPage.h"
#include "kit/BannerMenu.h"
#include "text/TextPage.h"

#include <QPrinter>
#include <QVBoxLayout>

void TKorMain::buildPages() {
    m_printer = std::make_unique<QPrinter>();
    TextPage = new TTextPage(TextMenu, EditTextMenu, TextFormatMenu, m_printer.get(), TabText);
    TextPage->setObjectName("TextPage");
    TabText->layout()->addWidget(TextPage);
    StatText = TextPage->StatText;
    connect(TextPage, &TTextPage::fileListRefreshRequested, this, [this] { FileList->reread(); });

    HexPage = new THexPage(HexFileMenu, HexEditMenu, TabHex);
    HexPage->setObjectName("HexPage");
    TabHex->layout()->addWidget(HexPage);
    connect(HexPage, &THexPage::hexFileSaved, this, [this] { FileList->reread(); });
}

void TKorMain::FillFontNames() {
    TextPage->FillFontNames();
}
void TKorMain::EditMenuUpdate() {
    TextPage->EditMenuUpdate();
}
void TKorMain::SetTextMargins() {
    TextPage->SetTextMargins();
}
void TKorMain::UpdateLineColumn() {
    TextPage->UpdateLineColumn();
}
void TKorMain::UpdatePasteButton() {
    TextPage->UpdatePasteButton();
}
void TKorMain::TextButSort() {
    TextPage->TextButSort();
}
void TKorMain::AskSaveText() {
    TextPage->AskSaveText();
}

bool TKorMain::AskSaveHex() {
    return HexPage->AskSaveHex();
}
void TKorMain::UpdateHexButtons() {
    HexPage->UpdateHexButtons();
}
