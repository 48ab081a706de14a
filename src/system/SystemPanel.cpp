#include "system/SystemPanel.h"

#include "kit/ProgressBar3D.h"
#include "system/SystemBars.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QColor colourOf(BarColour colour) {
    switch (colour) {
    case BarColour::Red:
        return Qt::red;
    case BarColour::Yellow:
        return Qt::yellow;
    case BarColour::Green:
        break;
    }
    return QColor(0x00, 0xff, 0x00);
}

TProgressBar3D* makeBar(const QString& name, QWidget* parent) {
    auto* bar = new TProgressBar3D(parent);
    bar->setObjectName(name);
    bar->setFixedSize(140, 20);
    return bar;
}

void setBar(TProgressBar3D* bar, int value, BarColour colour) {
    bar->setValue(value);
    bar->setBarColor(colourOf(colour));
}

} // namespace

TSystemPanel::TSystemPanel(const QString& home, QWidget* parent)
    : QWidget(parent), m_source(&MemoryFigures::read), m_files(SystemFiles(home)) {
    auto* layout = new QVBoxLayout(this);

    auto* memory = new QGroupBox("Memory % Used", this);
    auto* memoryRows = new QFormLayout(memory);
    Bar1 = makeBar("Bar1", memory);
    Bar3 = makeBar("Bar3", memory);
    Bar4 = makeBar("Bar4", memory);
    Bar2 = makeBar("Bar2", memory);
    memoryRows->addRow("RAM", Bar1);
    memoryRows->addRow("Swap", Bar3);
    memoryRows->addRow("Virtual", Bar4);
    memoryRows->addRow("Load", Bar2);
    layout->addWidget(memory);

    auto* resources = new QGroupBox("Resources % Free", this);
    auto* resourceRows = new QFormLayout(resources);
    Bar5 = makeBar("Bar5", resources);
    Bar6 = makeBar("Bar6", resources);
    Bar7 = makeBar("Bar7", resources);
    Bar8 = makeBar("Bar8", resources);
    resourceRows->addRow("GDI", Bar5);
    resourceRows->addRow("System", Bar6);
    resourceRows->addRow("User", Bar7);
    resourceRows->addRow("Average", Bar8);
    layout->addWidget(resources);

    SysRefBut = new QPushButton("Refresh", this);
    SysRefBut->setObjectName("SysRefBut");
    connect(SysRefBut, &QPushButton::clicked, this, &TSystemPanel::SysRefButClick);
    layout->addWidget(SysRefBut);

    auto* files = new QGroupBox("System files", this);
    auto* grid = new QGridLayout(files);
    for (int i = 0; i < m_files.size(); ++i) {
        auto* button = new QPushButton(m_files[i].caption, files);
        button->setObjectName(m_files[i].button);
        button->setToolTip(m_files[i].path);
        connect(button, &QPushButton::clicked, this, [this, i] { emit systemFileRequested(i); });
        grid->addWidget(button, i / 2, i % 2);
    }
    layout->addWidget(files);
    layout->addStretch();
}

void TSystemPanel::setFigureSource(std::function<MemoryFigures()> source) {
    m_source = std::move(source);
}

void TSystemPanel::SysRefButClick() {
    const SystemBarValues v = SystemBarValues::from(m_source());
    setBar(Bar1, v.ram, MemoryBarColour(v.ram));
    setBar(Bar3, v.swap, MemoryBarColour(v.swap));
    setBar(Bar4, v.virtualMemory, MemoryBarColour(v.virtualMemory));
    setBar(Bar2, v.load, MemoryBarColour(v.load));
    setBar(Bar5, v.gdi, ResourceBarColour(v.gdi));
    setBar(Bar6, v.system, ResourceBarColour(v.system));
    setBar(Bar7, v.user, ResourceBarColour(v.user));
    setBar(Bar8, v.average, ResourceBarColour(v.average));
}
