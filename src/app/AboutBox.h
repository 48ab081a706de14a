#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TLabel3D;

/// "About Korvane": product, version, maker and a link opened with the desktop's browser.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "https://korvane.example.org/";
    static constexpr const char* kEmailAddress = "team@korvane.example.org";

    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    TLabel3D* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* EMail;
    QLabel* WebLink;
    QPushButton* OKButton;

    /// Opens the web address with the desktop's browser.
    void WebLinkClick();
};
