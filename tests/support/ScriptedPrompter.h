#pragma once

#include "core/Prompter.h"

#include <QList>
#include <QQueue>

#include <functional>

/// One message box as the user would have seen it.
struct PromptRecord {
    MsgKind kind;
    QString text;
    MsgButtons buttons;
};

/// Installs itself as the prompter while it lives; answers from queues and records every
/// question. An unqueued message is answered with Cancel, else No, else OK, and counted.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    void answer(MsgButton button) { m_buttons.enqueue(button); }
    void answerFiles(const QStringList& files) { m_files.enqueue(files); }
    void answerFile(const QString& file) {
        m_files.enqueue(file.isEmpty() ? QStringList() : QStringList{file});
    }
    void answerFolder(const QString& folder) { m_folders.enqueue(folder); }
    void answerColor(std::optional<QColor> color) { m_colors.enqueue(color); }
    void answerFont(std::optional<QFont> font) { m_fonts.enqueue(font); }
    void answerPrinter(bool accept) { m_printers.enqueue(accept); }
    /// The function plays the user in the dialog and returns its result code.
    void answerDialog(std::function<int(QDialog&)> play) { m_dialogs.enqueue(std::move(play)); }

    MsgButton message(MsgKind kind, const QString& text, MsgButtons buttons) override;
    QStringList openFiles(FileRequest& request) override;
    QString saveFile(FileRequest& request) override;
    QString browseFolder(const QString& caption, const QString& start) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    bool choosePrinter(QPrinter& printer) override;
    bool setupPrinter(QPrinter& printer) override;
    int execDialog(QDialog& dialog) override;

    QList<PromptRecord> messages;
    QList<FileRequest> fileRequests;
    QStringList dialogsShown; ///< objectName of every dialog run
    int unanswered = 0;       ///< questions that found no queued answer

    QStringList messageTexts() const;

private:
    QQueue<MsgButton> m_buttons;
    QQueue<QStringList> m_files;
    QQueue<QString> m_folders;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<bool> m_printers;
    QQueue<std::function<int(QDialog&)>> m_dialogs;
};
