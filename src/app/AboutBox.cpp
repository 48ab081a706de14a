#include "app/AboutBox.h"

#include "core/CommandGuard.h"
#include "kit/Label3D.h"
#include "platform/Host.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("AboutBox");
    setWindowTitle("About Korvane");

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(QApplication::windowIcon().isNull()
                               ? style()->standardIcon(QStyle::SP_DirHomeIcon).pixmap(48)
                               : QApplication::windowIcon().pixmap(48));

    ProductName = new TLabel3D("Korvane", this);
    ProductName->setObjectName("ProductName");
    ProductName->setStyle3D(TLabel3D::Style::Sunken);
    QFont big = ProductName->font();
    big.setPointSize(24);
    big.setBold(true);
    ProductName->setFont(big);

    Version = new QLabel("Version 2.0", this);
    Version->setObjectName("Version");
    Copyright = new QLabel("Made by the Korvane developers", this);
    Copyright->setObjectName("Copyright");
    EMail = new QLabel(kEmailAddress, this);
    EMail->setObjectName("EMail");
    EMail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    WebLink = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebAddress), this);
    WebLink->setObjectName("WebLink");
    WebLink->setTextFormat(Qt::RichText);
    WebLink->setCursor(Qt::PointingHandCursor);
    connect(WebLink, &QLabel::linkActivated, this, Guarded([this] { WebLinkClick(); }));

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(Copyright, 2, 1);
    grid->addWidget(EMail, 3, 1);
    grid->addWidget(WebLink, 4, 1);
    grid->addWidget(OKButton, 5, 0, 1, 2, Qt::AlignHCenter);
}

void TAboutBox::WebLinkClick() {
    platform::shell().openUrl(QUrl(QString::fromLatin1(kWebAddress)));
}
