#pragma once

#include "kit/BannerMenu.h"
#include "kit/StatusPanels.h"
#include "text/FormatBar.h"
#include "text/TextPage.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

/// A main window holding the text page with its three menus in its menu bar, as the
/// program's main window does.
struct PageFixture {
    QMainWindow window;
    TBannerMenu* textMenu;
    TBannerMenu* editTextMenu;
    TBannerMenu* textFormatMenu;
    QPrinter printer;
    TTextPage* page;

    PageFixture() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        page = new TTextPage(&printer, &window);
        textMenu = page->TextMenu;
        editTextMenu = page->EditTextMenu;
        textFormatMenu = page->TextFormatMenu;
        for (TBannerMenu* menu : page->Menus())
            window.menuBar()->addMenu(menu);
        window.setCentralWidget(page);
        window.resize(800, 561);
    }

    QString panel(int index) const { return page->StatText->panelText(index); }
    QTextEdit* view() const { return page->View; }
    QAction* action(const char* name) const {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }
    /// Opens a menu's states the way showing it does.
    static void aboutToShow(QMenu* menu) { Q_EMIT menu->aboutToShow(); }

    void type(const QString& text) { QTest::keyClicks(page->View, text); }
    void select(int start, int end) {
        QTextCursor cursor = page->View->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        page->View->setTextCursor(cursor);
    }
    void caret(int position) { select(position, position); }
};

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
