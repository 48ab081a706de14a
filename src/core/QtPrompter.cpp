#include "core/QtPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// Without a screen nobody can answer: a modal dialog would wait for ever.
bool nobodyToAsk(const QString& what) {
    const QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal") return false;
    qWarning("Korvane: no display to ask on, answered by default: %s", qPrintable(what));
    return true;
}

QString captionOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error:
        return QStringLiteral("Error");
    case MsgKind::Warning:
        return QStringLiteral("Warning");
    case MsgKind::Confirmation:
        return QStringLiteral("Confirm");
    case MsgKind::Information:
        return QStringLiteral("Information");
    }
    return {};
}

QMessageBox::Icon iconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    MsgButton ours;
    QMessageBox::StandardButton qt;
};
constexpr ButtonPair kButtons[] = {{MsgButton::Yes, QMessageBox::Yes},
                                   {MsgButton::No, QMessageBox::No},
                                   {MsgButton::Ok, QMessageBox::Ok},
                                   {MsgButton::Cancel, QMessageBox::Cancel}};

void prepare(QFileDialog& dialog, const FileRequest& request) {
    dialog.setWindowTitle(request.caption);
    if (!request.directory.isEmpty()) dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (!request.filter.isEmpty()) dialog.setNameFilter(request.filter);
    if (!request.selectedFilter.isEmpty()) dialog.selectNameFilter(request.selectedFilter);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    // The platform dialog cannot take extra controls such as the read-only box.
    dialog.setOption(QFileDialog::DontUseNativeDialog, request.offerReadOnly);
}

} // namespace

MsgButton QtPrompter::message(MsgKind kind, const QString& text, MsgButtons buttons) {
    if (nobodyToAsk(text)) {
        if (buttons.testFlag(MsgButton::Cancel)) return MsgButton::Cancel;
        return buttons.testFlag(MsgButton::No) ? MsgButton::No : MsgButton::Ok;
    }
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::NoButton, dialogParent());
    for (const ButtonPair& pair : kButtons)
        if (buttons.testFlag(pair.ours)) box.addButton(pair.qt);
    if (buttons.testFlag(MsgButton::Cancel)) box.setEscapeButton(QMessageBox::Cancel);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonPair& pair : kButtons)
        if (pair.qt == pressed) return pair.ours;
    return buttons.testFlag(MsgButton::Cancel) ? MsgButton::Cancel : MsgButton::None;
}

QStringList QtPrompter::openFiles(FileRequest& request) {
    if (nobodyToAsk(request.caption)) return {};
    QFileDialog dialog(dialogParent());
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    QCheckBox* readOnlyBox = nullptr;
    if (request.offerReadOnly) {
        readOnlyBox = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
        readOnlyBox->setChecked(request.readOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(readOnlyBox, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    request.selectedFilter = dialog.selectedNameFilter();
    if (readOnlyBox) request.readOnly = readOnlyBox->isChecked();
    return dialog.selectedFiles();
}

QString QtPrompter::saveFile(FileRequest& request) {
    if (nobodyToAsk(request.caption)) return {};
    QFileDialog dialog(dialogParent());
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    request.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

QString QtPrompter::browseFolder(const QString& caption, const QString& start) {
    if (nobodyToAsk(caption)) return {};
    const QString dir = QFileDialog::getExistingDirectory(dialogParent(), caption, start);
    if (dir.isEmpty()) return {};
    return dir.endsWith('/') ? dir : dir + '/';
}

std::optional<QColor> QtPrompter::chooseColor(const QColor& initial) {
    if (nobodyToAsk("colour")) return std::nullopt;
    const QColor color = QColorDialog::getColor(initial, dialogParent());
    if (!color.isValid()) return std::nullopt;
    return color;
}

std::optional<QFont> QtPrompter::chooseFont(const QFont& initial) {
    if (nobodyToAsk("font")) return std::nullopt;
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, dialogParent());
    if (!ok) return std::nullopt;
    return font;
}

bool QtPrompter::choosePrinter(QPrinter& printer) {
    if (nobodyToAsk("printer")) return false;
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompter::setupPrinter(QPrinter& printer) {
    if (nobodyToAsk("printer setup")) return false;
    QPageSetupDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int QtPrompter::execDialog(QDialog& dialog) {
    if (nobodyToAsk(dialog.windowTitle())) return QDialog::Rejected;
    return dialog.exec();
}
