#include "browser/MaskSheet.h"

#include "browser/MaskTable.h"
#include "core/CommandGuard.h"
#include "kit/Hints.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TMaskSheet::TMaskSheet(QWidget* parent) : QWidget(parent) {
    auto* presetsBox = new QGroupBox("File mask", this);
    auto* grid = new QGridLayout(presetsBox);
    const QStringList& presets = MaskPresets();
    const int perColumn = (int(presets.size()) + 1) / 2;
    for (int i = 0; i < presets.size(); ++i) {
        auto* radio = new QRadioButton(presets[i], presetsBox);
        radio->setObjectName(QString("MaskPreset%1").arg(i + 1));
        grid->addWidget(radio, i % perColumn, i / perColumn);
        connect(radio, &QRadioButton::clicked, this,
                Guarded([this, radio] { CustomMaskSetButClick(radio); }));
        m_presets.append(radio);
    }

    // The field and its buttons take two rows: in one they are wider than the panel.
    auto* customBox = new QGroupBox("Custom file mask", this);
    auto* rows = new QVBoxLayout(customBox);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    row->addWidget(new QLabel("Mask = ", customBox));
    row->addWidget(new QLabel("*.", customBox));
    Edit2 = new QLineEdit(customBox);
    Edit2->setObjectName("Edit2");
    Edit2->setMaxLength(3);
    Edit2->setFixedWidth(Edit2->fontMetrics().horizontalAdvance("WWWW") + 12);
    row->addWidget(Edit2);
    row->addStretch();
    CustomMaskSetBut = new QPushButton("Set", customBox);
    CustomMaskSetBut->setObjectName("CustomMaskSetBut");
    SetHint(CustomMaskSetBut, "Enable custom file mask");
    CustomMaskClearBut = new QPushButton("Clear", customBox);
    CustomMaskClearBut->setObjectName("CustomMaskClearBut");
    SetHint(CustomMaskClearBut, "Clear custom file mask");
    auto* buttons = new QHBoxLayout;
    rows->addLayout(buttons);
    buttons->addWidget(CustomMaskSetBut);
    buttons->addWidget(CustomMaskClearBut);
    buttons->addStretch();

    MaskExitBut = new QPushButton("Exit", this);
    MaskExitBut->setObjectName("MaskExitBut");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(presetsBox);
    layout->addWidget(customBox);
    layout->addStretch();
    layout->addWidget(MaskExitBut, 0, Qt::AlignRight);

    connect(Edit2, &QLineEdit::textChanged, this, Guarded([this] { Edit2Change(); }));
    connect(CustomMaskSetBut, &QPushButton::clicked, this,
            Guarded([this] { CustomMaskSetButClick(CustomMaskSetBut); }));
    connect(CustomMaskClearBut, &QPushButton::clicked, this,
            Guarded([this] { CustomMaskClearButClick(); }));
    connect(MaskExitBut, &QPushButton::clicked, this, &TMaskSheet::exitClicked);
    Edit2Change();
}

void TMaskSheet::CustomMaskSetButClick(QObject* sender) {
    MaskChoice choice;
    if (auto* radio = qobject_cast<QRadioButton*>(sender); radio && m_presets.contains(radio)) {
        choice = PresetMaskChoice(radio->text());
        // No preset stays checked: the same preset can be chosen again at once.
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    } else if (sender == CustomMaskSetBut) {
        choice = CustomMaskChoice(Edit2->text());
        Edit2->clear();
    } else {
        return;
    }
    Q_EMIT maskChosen(choice.mask, choice.status);
}

void TMaskSheet::CustomMaskClearButClick() {
    Edit2->clear();
}

void TMaskSheet::Edit2Change() {
    const bool hasText = !Edit2->text().isEmpty();
    CustomMaskSetBut->setEnabled(hasText);
    CustomMaskClearBut->setEnabled(hasText);
}
