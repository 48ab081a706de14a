#pragma once

#include "text/TextScan.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

/// The modeless find dialog ("Find") or replace dialog ("Replace"): the find text, in the
/// replace dialog also the replace text (each at most 255 characters), match case, whole
/// word, and the buttons Find Next, Replace, Replace All (replace dialog) and Close.
/// The search always runs toward the end of the text.
class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Find, Replace };

    TSearchDialog(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    QString findText() const;
    QString replaceText() const;
    SearchOptions options() const;

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit = nullptr;
    QCheckBox* MatchCaseBox;
    QCheckBox* WholeWordBox;
    QPushButton* FindNextBut;
    QPushButton* ReplaceBut = nullptr;
    QPushButton* ReplaceAllBut = nullptr;
    QPushButton* CloseBut;

Q_SIGNALS:
    void findNext();
    /// Replace (all = false) or Replace All (all = true).
    void replace(bool all);

private:
    Kind m_kind;
};
