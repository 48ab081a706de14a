#include "text/SearchDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxText = 255;

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

TSearchDialog::TSearchDialog(Kind kind, QWidget* parent) : QDialog(parent), m_kind(kind) {
    const bool replacing = kind == Kind::Replace;
    setObjectName(replacing ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(replacing ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);

    auto* fields = new QGridLayout;
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMaxLength(kMaxText);
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(FindEdit);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    if (replacing) {
        ReplaceEdit = new QLineEdit(this);
        ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        ReplaceEdit->setMaxLength(kMaxText);
        auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
        replaceLabel->setBuddy(ReplaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(ReplaceEdit, 1, 1);
    }
    WholeWordBox = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    WholeWordBox->setObjectName(QStringLiteral("WholeWordBox"));
    MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCaseBox->setObjectName(QStringLiteral("MatchCaseBox"));
    fields->addWidget(WholeWordBox, fields->rowCount(), 0, 1, 2);
    fields->addWidget(MatchCaseBox, fields->rowCount(), 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    FindNextBut = makeButton(QStringLiteral("&Find Next"), "FindNextBut", this);
    FindNextBut->setDefault(true);
    buttons->addWidget(FindNextBut);
    connect(FindNextBut, &QPushButton::clicked, this, &TSearchDialog::findNext);
    if (replacing) {
        ReplaceBut = makeButton(QStringLiteral("&Replace"), "ReplaceBut", this);
        ReplaceAllBut = makeButton(QStringLiteral("Replace &All"), "ReplaceAllBut", this);
        buttons->addWidget(ReplaceBut);
        buttons->addWidget(ReplaceAllBut);
        connect(ReplaceBut, &QPushButton::clicked, this, [this] { Q_EMIT replace(false); });
        connect(ReplaceAllBut, &QPushButton::clicked, this, [this] { Q_EMIT replace(true); });
    }
    CloseBut = makeButton(QStringLiteral("Close"), "CloseBut", this);
    buttons->addWidget(CloseBut);
    buttons->addStretch();
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::close);

    auto* row = new QHBoxLayout(this);
    row->addLayout(fields, 1);
    row->addLayout(buttons);
}

QString TSearchDialog::findText() const {
    return FindEdit->text();
}

QString TSearchDialog::replaceText() const {
    return ReplaceEdit ? ReplaceEdit->text() : QString();
}

SearchOptions TSearchDialog::options() const {
    SearchOptions options;
    options.matchCase = MatchCaseBox->isChecked();
    options.wholeWord = WholeWordBox->isChecked();
    return options;
}
