#include "ScriptedPrompter.h"

#include <QDialog>

namespace {
template <class T> T take(QQueue<T>& queue, const T& fallback, int& unanswered) {
    if (!queue.isEmpty()) return queue.dequeue();
    ++unanswered;
    return fallback;
}
} // namespace

ScriptedPrompter::ScriptedPrompter() {
    setPrompter(this);
}
ScriptedPrompter::~ScriptedPrompter() {
    setPrompter(nullptr);
}

MsgButton ScriptedPrompter::message(MsgKind kind, const QString& text, MsgButtons buttons) {
    messages.append({kind, text, buttons});
    const MsgButton fallback = buttons.testFlag(MsgButton::Cancel) ? MsgButton::Cancel
                               : buttons.testFlag(MsgButton::No)   ? MsgButton::No
                                                                   : MsgButton::Ok;
    return take(m_buttons, fallback, unanswered);
}

QStringList ScriptedPrompter::openFiles(FileRequest& request) {
    fileRequests.append(request);
    return take(m_files, QStringList(), unanswered);
}

QString ScriptedPrompter::saveFile(FileRequest& request) {
    fileRequests.append(request);
    const QStringList files = take(m_files, QStringList(), unanswered);
    return files.isEmpty() ? QString() : files.first();
}

QString ScriptedPrompter::browseFolder(const QString&, const QString&) {
    return take(m_folders, QString(), unanswered);
}

std::optional<QColor> ScriptedPrompter::chooseColor(const QColor&) {
    return take(m_colors, std::optional<QColor>(), unanswered);
}

std::optional<QFont> ScriptedPrompter::chooseFont(const QFont&) {
    return take(m_fonts, std::optional<QFont>(), unanswered);
}

bool ScriptedPrompter::choosePrinter(QPrinter&) {
    return take(m_printers, false, unanswered);
}
bool ScriptedPrompter::setupPrinter(QPrinter&) {
    return take(m_printers, false, unanswered);
}

int ScriptedPrompter::execDialog(QDialog& dialog) {
    dialogsShown.append(dialog.objectName());
    const auto play = take(m_dialogs, std::function<int(QDialog&)>(), unanswered);
    return play ? play(dialog) : int(QDialog::Rejected);
}

QStringList ScriptedPrompter::messageTexts() const {
    QStringList texts;
    for (const PromptRecord& record : messages)
        texts.append(record.text);
    return texts;
}
