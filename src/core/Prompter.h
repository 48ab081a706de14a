#pragma once

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QPrinter;

enum class MsgKind { Error, Warning, Confirmation, Information };

enum class MsgButton { None = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8 };
Q_DECLARE_FLAGS(MsgButtons, MsgButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MsgButtons)

/// One open or save file-name request; the prompter updates selectedFilter and readOnly.
struct FileRequest {
    QString caption;
    QString directory; ///< initial folder
    QString fileName;  ///< initial name
    QString filter;    ///< "Text files (*.txt);;All files (*)"
    QString selectedFilter;
    QString defaultSuffix;      ///< appended when the user types a name without one
    bool multiple = false;      ///< open: allow several files
    bool offerReadOnly = false; ///< open: show an "Open as read-only" check box
    bool readOnly = false;
};

/// The one door to message boxes and modal dialogs. The default shows real Qt dialogs;
/// tests install a scripted prompter that answers and records.
class Prompter {
public:
    virtual ~Prompter() = default;

    /// Shows a message box of the kind with the buttons; returns the button pressed.
    virtual MsgButton message(MsgKind kind, const QString& text, MsgButtons buttons) = 0;
    /// The chosen files, empty when cancelled.
    virtual QStringList openFiles(FileRequest& request) = 0;
    /// The chosen file, empty when cancelled.
    virtual QString saveFile(FileRequest& request) = 0;
    /// The chosen folder (ending in "/"), empty when cancelled.
    virtual QString browseFolder(const QString& caption, const QString& start) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    /// The print dialog; true when the user chose to print.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    /// The printer setup (page setup) dialog; true when accepted.
    virtual bool setupPrinter(QPrinter& printer) = 0;
    /// Runs one of the program's own dialogs modally; returns its result code.
    virtual int execDialog(QDialog& dialog) = 0;

    QString openFile(FileRequest& request) {
        const QStringList files = openFiles(request);
        return files.isEmpty() ? QString() : files.first();
    }
};

Prompter& prompter();
/// Installs a prompter (tests); nullptr restores the default one.
void setPrompter(Prompter* prompter);
