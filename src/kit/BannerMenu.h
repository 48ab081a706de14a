#pragma once

#include <QMenu>

/// A drop-down or pop-up menu in the program's look: bold items, a red highlight bar with
/// yellow text, and a 20-pixel vertical banner down its left side.
class TBannerMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kBannerWidth = 20;

    explicit TBannerMenu(const QString& title = {}, QWidget* parent = nullptr,
                         const QString& bannerText = QStringLiteral("Korvane"));

    QString bannerText() const { return m_bannerText; }
    void setBannerText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_bannerText;
};
