#pragma once

#include "core/Prompter.h"

/// The real dialogs: QMessageBox, QFileDialog, QColorDialog, QFontDialog, QPrintDialog.
class QtPrompter : public Prompter {
public:
    MsgButton message(MsgKind kind, const QString& text, MsgButtons buttons) override;
    QStringList openFiles(FileRequest& request) override;
    QString saveFile(FileRequest& request) override;
    QString browseFolder(const QString& caption, const QString& start) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    bool choosePrinter(QPrinter& printer) override;
    bool setupPrinter(QPrinter& printer) override;
    int execDialog(QDialog& dialog) override;
};
